#pragma once

// What the ranking, category and search result pages share: the address of a
// page of a list, the page counter, the site's error page and the book id
// rule of list rows.

#include "scrape/gbk_text.h"

// "3/17" on the page: the number of the page shown and the number of pages.
struct ListPageCounter {
  GbkText pageNumber;
  GbkText pageCount;
};

// The address of page `pageNumber` of the list at `listUrl`:
// listUrl + the number in decimal + ".html".
GbkText ListPageAddress(std::string_view listUrl, long long pageNumber);

// The page number between the first "<strong>" and "</strong>", and the page
// count between "<em id=\"pagestats\">" + page number + "/" and "</em>".
// Missing markers leave the field empty.
ListPageCounter CutListPageCounter(std::string_view page);

// Whether the page is the site's error page (it holds "出现错误！", exact bytes).
// The site shows it when two searches come too close together.
bool IsSiteErrorPage(std::string_view page);

// The book id in the link of a list row: BookLinkTail of the link with every
// "/", then every ".html", then every "book" deleted (exact bytes).
// ".../book/12345.html" gives "12345"; an empty link gives "".
GbkText ListRowBookId(std::string_view link);
