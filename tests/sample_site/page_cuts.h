#pragma once

// The reader's cuts of the site's pages, written out here with the core text
// primitives and regular expressions, so that the sample site is checked
// against the markers and patterns the reader uses, not against itself.

#include <utility>
#include <vector>

#include "scrape/gbk_text.h"

namespace site_test {

// One row of a ranking, category or search result list.
struct ListRow {
  GbkText id;
  GbkText title;
  GbkText latestChapter;
  GbkText author;
  GbkText updateTime;
  GbkText state;
};

// Page number and page count ("<strong>", "<em id=\"pagestats\">n/").
std::pair<GbkText, GbkText> CutPageCounter(const GbkText& page);

// The rows of a ranking page, of a category (or search result) page.
std::vector<ListRow> CutRankingRows(const GbkText& page);
std::vector<ListRow> CutCategoryRows(const GbkText& page);

// The single-book row of a search answer that is an information page.
ListRow CutSingleBookRow(const GbkText& page);

struct InfoFields {
  GbkText coverUrl, title, category, author, length, state, firstPublish, licence;
  GbkText introduction, lastUpdate, latestChapter, chapterListUrl;
  GbkText txtTail, udmTail, jarTail;
};

// The fields of a book information page; `siteBaseUrl` is part of the
// download markers.
InfoFields CutInfoPage(const GbkText& page, const GbkText& siteBaseUrl);

// The items of a chapter list page: title and chapter number, in order.
std::vector<std::pair<GbkText, int>> CutChapterList(const GbkText& page);

// The chapter text of a chapter page.
GbkText CutChapterText(const GbkText& page);

}  // namespace site_test
