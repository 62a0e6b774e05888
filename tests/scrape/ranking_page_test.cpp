#include "scrape/ranking_page.h"

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "scrape/gbk_literal.h"
#include "scrape/list_page.h"

namespace {

TEST(RankingPage, CutsCounterAndEveryRowOfTheListRegion) {
  const RankingPage page = ScrapeRankingPage(ReadFixturePage("ranking.html"));
  EXPECT_EQ(page.pageNumber, "2");
  EXPECT_EQ(page.pageCount, "17");
  EXPECT_FALSE(page.siteError);
  // The fourth row block is indented with two and four blanks, and the row
  // after "<div id=\"Page\">" lies outside the list region: neither is a row.
  ASSERT_EQ(page.rows.size(), 3u);
  struct Expected {
    GbkText id, title, latest, author, time, state;
  } expected[] = {
      {"10001", "斗破苍穹"_gbk, "第一千章 终章"_gbk, "天蚕土豆"_gbk, "11-12-05", "连载中"_gbk},
      // Without a t5 item the latest chapter is empty, not the end marker.
      {"10002", "青灯夜雨录"_gbk, "", "听泉居士"_gbk, "11-12-04", "已完成"_gbk},
      // Two t4 items: the author is the last one.
      {"10003", "石上听泉"_gbk, "第三十章 风起"_gbk, "千縷"_gbk, "11-12-03", "连载中"_gbk},
  };
  for (size_t i = 0; i < page.rows.size(); ++i) {
    const RankingRow& row = page.rows[i];
    SCOPED_TRACE("row " + std::to_string(i) + ": " + Utf8(row.title));
    EXPECT_EQ(row.bookId, expected[i].id);
    EXPECT_EQ(row.title, expected[i].title);
    EXPECT_EQ(row.latestChapter, expected[i].latest) << Utf8(row.latestChapter);
    EXPECT_EQ(row.author, expected[i].author) << Utf8(row.author);
    EXPECT_EQ(row.updateTime, expected[i].time);
    EXPECT_EQ(row.state, expected[i].state);
    EXPECT_EQ(row.link, "http://127.0.0.1:18080/book/" + expected[i].id + ".html");
  }
}

TEST(RankingPage, RowBlocksOneAtATimeGiveTheSameRows) {
  const GbkText page = ReadFixturePage("ranking.html");
  const std::vector<GbkText> blocks = RankingRowBlocks(page);
  const RankingPage whole = ScrapeRankingPage(page);
  ASSERT_EQ(blocks.size(), whole.rows.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_TRUE(blocks[i].starts_with("    <ul>") && blocks[i].ends_with("      </ul>"));
    EXPECT_EQ(CutRankingRow(blocks[i]).title, whole.rows[i].title);
  }
}

TEST(RankingPage, RowWithMissingMarkersIsStillARow) {
  struct Case {
    const char* what;
    GbkText block;
    RankingRow expected;
  } cases[] = {
      {"no link: empty id and link",
       "    <ul><li class=\"t4\">a</li><li class=\"t8\">t</li>      </ul>",
       {"", "", "", "", "a", "t", ""}},
      {"author item without its end takes the rest",
       "    <ul><li class=\"t4\">x</li><li class=\"t4\">tail      </ul>",
       {"", "", "", "", "tail      </ul>", "", ""}},
      {"markers in capitals are found, their exact-byte removal keeps them",
       "    <ul><LI CLASS=\"t3\"><A HREF=\"http://h/book/77.html\" title=\"T\" "
       "CLASS=\"t14b\">T</A></LI>"
       "<li class=\"T8\">d</li>      </ul>",
       {"CLASS=\"t14b\">T", "<LI CLASS=\"t3\"><A HREF=\"http://h/book/77.html", "77", "", "",
        "<li class=\"T8\">d", ""}},
      {"empty block", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RankingRow row = CutRankingRow(c.block);
    EXPECT_EQ(row.title, c.expected.title);
    EXPECT_EQ(row.link, c.expected.link);
    EXPECT_EQ(row.bookId, c.expected.bookId);
    EXPECT_EQ(row.latestChapter, c.expected.latestChapter);
    EXPECT_EQ(row.author, c.expected.author);
    EXPECT_EQ(row.updateTime, c.expected.updateTime);
    EXPECT_EQ(row.state, c.expected.state);
  }
}

TEST(RankingPage, ErrorPageAndEmptyPage) {
  const RankingPage error = ScrapeRankingPage(ReadFixturePage("site_error.html"));
  EXPECT_TRUE(error.siteError);
  EXPECT_TRUE(error.rows.empty());
  EXPECT_EQ(error.pageNumber, "1") << "the counter is cut from whatever the page holds";
  EXPECT_EQ(error.pageCount, "1");

  // The error test is by exact bytes: a near miss does not count.
  EXPECT_TRUE(IsSiteErrorPage("<b>出现错误！</b>"_gbk));
  EXPECT_FALSE(IsSiteErrorPage("出现错误!"_gbk)) << "ASCII exclamation mark";

  const RankingPage empty = ScrapeRankingPage("");
  EXPECT_FALSE(empty.siteError);
  EXPECT_EQ(empty.pageNumber, "");
  EXPECT_EQ(empty.pageCount, "");
  EXPECT_TRUE(empty.rows.empty());
}

TEST(ListPage, AddressCounterAndBookId) {
  EXPECT_EQ(ListPageAddress("http://127.0.0.1:18080/book/Topallvisit/", 3),
            "http://127.0.0.1:18080/book/Topallvisit/3.html");
  EXPECT_EQ(ListPageAddress("http://h/book/list6/", 3), "http://h/book/list6/3.html");

  struct IdCase {
    GbkText link, id;
  } ids[] = {
      {"http://127.0.0.1:18080/book/4711.html", "4711"},
      {"/book/12345.html", "12345"},
      {"http://h/html/12345/", "12345"},
      {"http://h/book/123456.html", "123456"},
      {"12345", "12345"},
      {"", ""},
  };
  for (const IdCase& c : ids) EXPECT_EQ(ListRowBookId(c.link), c.id) << c.link;

  struct CounterCase {
    GbkText page, number, count;
  } counters[] = {
      {"<strong>3</strong>..<em id=\"pagestats\">3/40</em>", "3", "40"},
      // The count's start marker holds the page number: a counter for another
      // page does not match.
      {"<strong>3</strong>..<em id=\"pagestats\">4/40</em>", "3", ""},
      {"<em id=\"pagestats\">/9</em>", "", "9"},
      {"", "", ""},
  };
  for (const CounterCase& c : counters) {
    const ListPageCounter counter = CutListPageCounter(c.page);
    EXPECT_EQ(counter.pageNumber, c.number) << c.page;
    EXPECT_EQ(counter.pageCount, c.count) << c.page;
  }
}

}  // namespace
