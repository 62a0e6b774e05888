#pragma once

// The site's answer to a search: either a result list laid out like a
// category list page, or the information page of the one book found.

#include <vector>

#include "scrape/category_page.h"
#include "scrape/gbk_text.h"

enum class SearchShape {
  kResultList,  // rows cut as on a category list page
  kSingleBook,  // one row cut from the book's information page
};

struct SearchPage {
  SearchShape shape = SearchShape::kResultList;
  bool siteError = false;  // the site's error page: no rows are cut
  // Only for a result list; empty for a single book.
  GbkText pageNumber;
  GbkText pageCount;
  // For a single book: one row, whose updateTime holds the last update.
  std::vector<CategoryRow> rows;
};

// The search address: siteBaseUrl + "/modules/article/search.php?searchtype="
// + searchField ("articlename" or "author") + "&searchkey=" + the keyword
// percent-encoded with FormEncode.
GbkText SearchAddress(std::string_view siteBaseUrl, std::string_view searchField,
                      std::string_view keyword);

// kSingleBook when the page holds "管理</a>" (exact bytes), else kResultList;
// an empty page is a result list.
SearchShape SearchPageShape(std::string_view page);

// The single row of a book's information page: title, latest chapter,
// author, last update (in updateTime) and state cut from the information
// block, and the book id: BookLinkTail of the read link with every "/"
// deleted (".html" and "book" stay). Missing markers leave fields empty; the
// row is a row all the same.
CategoryRow CutSingleBookRow(std::string_view page);

// The whole answer. A result list goes through the category page scraper; a
// single book gives one row. The error page gives no rows in either shape.
SearchPage ScrapeSearchPage(std::string_view page);
