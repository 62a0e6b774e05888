#pragma once

// The ranking list page: the page counter and one row per book.

#include <vector>

#include "scrape/gbk_text.h"

// The fields of one book row of a ranking list. Empty when the row block
// lacks the markers of a field; the row itself is still a row.
struct RankingRow {
  GbkText title;
  GbkText link;
  GbkText bookId;
  GbkText latestChapter;
  GbkText author;
  GbkText updateTime;
  GbkText state;
};

struct RankingPage {
  GbkText pageNumber;
  GbkText pageCount;
  bool siteError = false;  // the site's error page: no rows are cut
  std::vector<RankingRow> rows;
};

// The row blocks of the page in page order: the matches of
// "    <ul>.*?      </ul>" (exactly four and six blanks) in the list region
// between ">状态</li>" and "<div id=\"Page\">". Loaders cut them one at a
// time with CutRankingRow so that rows appear as they are cut.
std::vector<GbkText> RankingRowBlocks(std::string_view page);

// The fields of one row block.
RankingRow CutRankingRow(std::string_view rowBlock);

// The whole page: counter, error test and, unless it is the error page, the
// rows of all row blocks.
RankingPage ScrapeRankingPage(std::string_view page);
