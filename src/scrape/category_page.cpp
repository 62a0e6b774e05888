#include "scrape/category_page.h"

#include "scrape/gbk_literal.h"
#include "scrape/lazy_match.h"
#include "scrape/list_page.h"
#include "scrape/markers.h"

std::vector<GbkText> CategoryRowBlocks(std::string_view page) {
  const GbkText region = TextBetween(page, "当前位置："_gbk, "\"main m_foot\">");
  std::vector<GbkText> blocks;
  for (const LazyMatch& match : FindLazyMatches(region, "book_news_style_img", "</h3></div></div>"))
    blocks.emplace_back(match.whole);
  return blocks;
}

CategoryRow CutCategoryRow(std::string_view rowBlock) {
  CategoryRow row;
  // The heading keeps its end marker, so that the title cut below finds its
  // own end marker "</a></h1><h2>" inside it.
  const GbkText heading =
      TextBetween(rowBlock, "<h1>", "</a></h1><h2>作者："_gbk, false, BetweenMode::kEndMarker);
  const GbkText link = TextBetween(heading, "<a href=\"", "\" target=\"_blank\">");
  row.bookId = ListRowBookId(link);
  row.title = TextBetween(heading, " target=\"_blank\">", "</a></h1><h2>");
  row.latestChapter = TextAfterLast(rowBlock, " target=\"_blank\">", "</a></h5><h3>");
  row.author = TextAfterLast(rowBlock, "作者："_gbk, "【"_gbk);
  row.updateTime = TextBetween(rowBlock, "更新时间："_gbk, "</h4><h5>最新章节："_gbk);
  row.state = TextBetween(rowBlock, "【"_gbk, "】"_gbk);
  return row;
}

CategoryPage ScrapeCategoryPage(std::string_view page) {
  CategoryPage result;
  ListPageCounter counter = CutListPageCounter(page);
  result.pageNumber = std::move(counter.pageNumber);
  result.pageCount = std::move(counter.pageCount);
  result.siteError = IsSiteErrorPage(page);
  if (result.siteError) return result;
  for (const GbkText& block : CategoryRowBlocks(page)) result.rows.push_back(CutCategoryRow(block));
  return result;
}
