// 5 MiB pages of repeated near-matches: every scraper must get through them
// in linear time (a scan that tried each opening against the rest of the page
// would not finish within the test's time limit) and give what such a page
// holds. No timing is asserted here; bench/scrape_hostile_bench.cpp measures.

#include <gtest/gtest.h>

#include "scrape/book_info_page.h"
#include "scrape/category_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/clean_html_text.h"
#include "scrape/gbk_literal.h"
#include "scrape/html_sanitizer.h"
#include "scrape/ranking_page.h"
#include "scrape/search_page.h"

namespace {

constexpr size_t kPageSize = 5u << 20;

GbkText Repeat(std::string_view head, std::string_view unit, std::string_view tail) {
  GbkText page(head);
  page.reserve(kPageSize + unit.size() + tail.size());
  while (page.size() < kPageSize) page += unit;
  return page + GbkText(tail);
}

TEST(HugePages, ListPagesWithOpeningsAndNoClosing) {
  EXPECT_TRUE(
      ScrapeCategoryPage(Repeat("当前位置："_gbk, "<div class=\"book_news_style_img\"><h1>x</h1>",
                                "\"main m_foot\">"))
          .rows.empty());
  EXPECT_TRUE(ScrapeRankingPage(Repeat(">状态</li>"_gbk, "    <ul><li class=\"t4\">a</li>\r\n",
                                       "<div id=\"Page\">"))
                  .rows.empty());
  EXPECT_TRUE(ScrapeChapterListPage(Repeat("到雅虎收藏</a><ul>"_gbk, "<li><a href=\"1.html\">x",
                                           "</ul><div class=\"bottom\">"))
                  .empty());
}

TEST(HugePages, ManyRowsWithMissingMarkers) {
  const RankingPage ranking = ScrapeRankingPage(
      Repeat(">状态</li>"_gbk, "    <ul><li class=\"t4\">a<li class=\"t5\">      </ul>",
             "<div id=\"Page\">"));
  ASSERT_GT(ranking.rows.size(), 100000u);
  EXPECT_EQ(ranking.rows.back().author, "a<li class=\"t5\">      </ul>");
  EXPECT_EQ(ranking.rows.back().latestChapter, "");
  const std::vector<ChapterLink> chapters =
      ScrapeChapterListPage(Repeat("到雅虎收藏</a><ul>"_gbk, "<li><a href=\"7.html\">x</a></li>",
                                   "</ul><div class=\"bottom\">"));
  ASSERT_GT(chapters.size(), 100000u);
  EXPECT_EQ(chapters.back().number, 7);
}

TEST(HugePages, InformationSearchAndChapterPages) {
  const BookInfo info = ScrapeBookInfoPage(
      Repeat("height: 150%内容简介：</span>"_gbk, "<script <!-- <STYLE &nbsp <a\f",
             "<span class=\"hottext\">最近章节：作品关键字："_gbk),
      "http://h");
  EXPECT_FALSE(info.intro.empty());
  EXPECT_EQ(info.intro.find('<'), 0u) << "every \"<\" opens a tag that no \">\" closes";
  EXPECT_EQ(ScrapeSearchPage(Repeat("管理</a>height: 150%"_gbk,
                                    "height: 150%\">最近章节：</span>"_gbk, "作品关键字："_gbk))
                .rows.size(),
            1u);
  const GbkText text = ScrapeChapterText(Repeat(
      "<div id=\"BookText\">\r", "a<br />", "<br><br>&nbsp;&nbsp;<div class=\"downloads t1\">"));
  EXPECT_GT(text.size(), kPageSize - 64);
  EXPECT_EQ(SanitizeChapterHtml(Repeat("", "<script></scrip <style></styl ", "")), "")
      << "an unterminated script takes the rest";
  EXPECT_EQ(SanitizeChapterHtml(Repeat("", "<p title='x' onclick=y>", "")).find("onclick"),
            std::string::npos);
  // A form feed keeps each script from being removed whole; its tags go.
  const GbkText scripts = Repeat("", "<script>\f</script>", "");
  const GbkText cleaned = CleanHtmlText(scripts);
  EXPECT_EQ(cleaned.size(), scripts.size() / 18);
  EXPECT_EQ(cleaned.find_first_not_of('\f'), std::string::npos);
}

}  // namespace
