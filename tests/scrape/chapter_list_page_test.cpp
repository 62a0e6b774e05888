#include "scrape/chapter_list_page.h"

#include <gtest/gtest.h>

#include "app/services/regex_pattern.h"
#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

TEST(ChapterListPage, ChaptersOfAllVolumesInPageOrder) {
  const std::vector<ChapterLink> chapters =
      ScrapeChapterListPage(ReadFixturePage("chapter_list.html"));
  // Left out: the latest chapter linked outside any volume, the empty href,
  // the link written in capitals and the link after "<div class=\"bottom\">".
  struct Expected {
    GbkText title;
    int number;
  } expected[] = {
      {"第一章 陨落的天才"_gbk, 1234501}, {"第二章 斗气大陆"_gbk, 1234502},
      {"第三章 客人"_gbk, 1234503},       {"第四章 云岚宗"_gbk, 1234504},
      {"第六章 没有数字"_gbk, 0},
  };
  ASSERT_EQ(chapters.size(), std::size(expected));
  for (size_t i = 0; i < chapters.size(); ++i) {
    EXPECT_EQ(chapters[i].title, expected[i].title) << i << ": " << Utf8(chapters[i].title);
    EXPECT_EQ(chapters[i].number, expected[i].number) << i;
  }
  EXPECT_EQ(ChapterListVolumes(ReadFixturePage("chapter_list.html")).size(), 2u);
}

TEST(ChapterListPage, LinksOfOneVolume) {
  struct Case {
    const char* what;
    GbkText volume;
    std::vector<std::pair<GbkText, int>> links;
  } cases[] = {
      {"numbers from the href",
       "<li><a href=\"12.html\">a</a></li><li><a href=\"abc.html\">b</a></li>",
       {{"a", 12}, {"b", 0}}},
      {"empty href skipped",
       "<li><a href=\"\">a</a></li><li><a href=\"3.html\">b</a></li>",
       {{"b", 3}}},
      {"title holds markup up to the first </a></li>",
       "<li><a href=\"4.html\"><b>x</b></a></li>",
       {{"<b>x</b>", 4}}},
      {"capitals do not match", "<LI><A HREF=\"5.html\">c</A></LI>", {}},
      {"href runs to the first \\\">", "<li><a href=\"6.html\" title=\"t\">d</a></li>", {{"d", 6}}},
      {"an opening without a closing ends the scan",
       "<li><a href=\"7.html\">e<li><a href=\"8.html\">f",
       {}},
      {"title spread over lines", "<li><a href=\"9.html\">g\r\nh</a></li>", {{"g\r\nh", 9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<ChapterLink> links = CutChapterLinks(c.volume);
    ASSERT_EQ(links.size(), c.links.size());
    for (size_t i = 0; i < links.size(); ++i) {
      EXPECT_EQ(links[i].title, c.links[i].first);
      EXPECT_EQ(links[i].number, c.links[i].second);
    }
  }
}

// The scan reads every link the chapter link pattern finds, with the same
// groups, on the fixture page and on texts made of near-matches.
TEST(ChapterListPage, SameLinksAsTheRegularExpression) {
  const RegexPattern pattern("<li><a href=\"(.*?)\">(.*?)</a></li>");
  auto compare = [&pattern](const GbkText& volume) {
    std::vector<std::pair<GbkText, int>> byRegex, byScan;
    for (const RegexMatch& m : pattern.FindAll(volume))
      if (!m.Group(1).empty()) byRegex.emplace_back(m.Group(2), TextToInteger(m.Group(1)));
    for (const ChapterLink& link : CutChapterLinks(volume))
      byScan.emplace_back(link.title, link.number);
    EXPECT_EQ(byScan, byRegex) << volume;
  };
  for (const GbkText& volume : ChapterListVolumes(ReadFixturePage("chapter_list.html")))
    compare(volume);
  const GbkText pieces[] = {"<li><a href=\"", "\">", "</a></li>", "12.html", "x", "\"", "<li>"};
  unsigned state = 1;
  for (int round = 0; round < 2000; ++round) {
    GbkText text;
    for (int i = 0; i < 16; ++i) {
      state = state * 1103515245u + 12345u;
      text += pieces[(state >> 16) % std::size(pieces)];
    }
    compare(text);
  }
}

TEST(ChapterListPage, PagesWithoutAListingGiveNothing) {
  for (const GbkText& page :
       {GbkText(), GbkText("<ul><li><a href=\"1.html\">a</a></li></ul>"),
        GbkText("到雅虎收藏</a><ul><li><a href=\"1.html\">a</a></li></ul>"_gbk)})
    EXPECT_TRUE(ScrapeChapterListPage(page).empty()) << Utf8(page);
}

}  // namespace
