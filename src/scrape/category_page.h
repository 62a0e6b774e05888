#pragma once

// The category list page: the page counter and one row per book. The site's
// search result pages have the same layout (search_page.h).

#include <vector>

#include "scrape/gbk_text.h"

// The fields of one book row of a category list or a search result list.
// Empty when the row block lacks the markers of a field.
struct CategoryRow {
  GbkText bookId;
  GbkText title;
  GbkText latestChapter;
  GbkText author;
  GbkText updateTime;
  GbkText state;
};

struct CategoryPage {
  GbkText pageNumber;
  GbkText pageCount;
  bool siteError = false;  // the site's error page: no rows are cut
  std::vector<CategoryRow> rows;
};

// The row blocks of the page in page order: the matches of
// "book_news_style_img.*?</h3></div></div>" in the list region between
// "当前位置：" and "\"main m_foot\">". Loaders cut them one at a time with
// CutCategoryRow so that rows appear as they are cut.
std::vector<GbkText> CategoryRowBlocks(std::string_view page);

// The fields of one row block.
CategoryRow CutCategoryRow(std::string_view rowBlock);

// The whole page: counter, error test and, unless it is the error page, the
// rows of all row blocks.
CategoryPage ScrapeCategoryPage(std::string_view page);
