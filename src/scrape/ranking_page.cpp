#include "scrape/ranking_page.h"

#include "scrape/gbk_literal.h"
#include "scrape/lazy_match.h"
#include "scrape/list_page.h"
#include "scrape/markers.h"

std::vector<GbkText> RankingRowBlocks(std::string_view page) {
  const GbkText region = TextBetween(page, ">状态</li>"_gbk, "<div id=\"Page\">");
  std::vector<GbkText> blocks;
  for (const LazyMatch& match : FindLazyMatches(region, "    <ul>", "      </ul>"))
    blocks.emplace_back(match.whole);
  return blocks;
}

RankingRow CutRankingRow(std::string_view rowBlock) {
  RankingRow row;
  row.title = TextBetween(rowBlock, "class=\"t14b\">", "</a></li>");
  row.link = TextBetween(rowBlock, "<li class=\"t3\"><a href=\"", "\" title=");
  row.bookId = ListRowBookId(row.link);
  // The item keeps its end marker so that the second cut, from the ">" of
  // the chapter link, has something to stop at; without a t5 item both cuts
  // come out empty.
  const GbkText latestItem =
      TextBetween(rowBlock, "<li class=\"t5\">", "</a> </li>", false, BetweenMode::kEndMarker);
  row.latestChapter = TextBetween(latestItem, ">", "</a> </li>");
  row.author = TextAfterLast(rowBlock, "<li class=\"t4\">", "</li>");
  row.updateTime = TextBetween(rowBlock, "<li class=\"t8\">", "</li>");
  row.state = TextBetween(rowBlock, "<li class=\"t1 red12\">", "</li>");
  return row;
}

RankingPage ScrapeRankingPage(std::string_view page) {
  RankingPage result;
  ListPageCounter counter = CutListPageCounter(page);
  result.pageNumber = std::move(counter.pageNumber);
  result.pageCount = std::move(counter.pageCount);
  result.siteError = IsSiteErrorPage(page);
  if (result.siteError) return result;
  for (const GbkText& block : RankingRowBlocks(page)) result.rows.push_back(CutRankingRow(block));
  return result;
}
