#include "scrape/lazy_match.h"

#include <gtest/gtest.h>

#include <random>

#include "app/services/regex_pattern.h"
#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

// The whole matches of open.*?close found by the regex engine.
std::vector<GbkText> RegexMatches(std::string_view text, std::string_view open,
                                  std::string_view close) {
  std::vector<GbkText> out;
  for (const RegexMatch& m : RegexPattern(GbkText(open) + ".*?" + GbkText(close)).FindAll(text))
    out.push_back(m.whole);
  return out;
}

std::vector<GbkText> ScanMatches(std::string_view text, std::string_view open,
                                 std::string_view close) {
  std::vector<GbkText> out;
  for (const LazyMatch& m : FindLazyMatches(text, open, close)) {
    EXPECT_EQ(m.whole.substr(open.size(), m.inner.size()), m.inner);
    out.emplace_back(m.whole);
  }
  return out;
}

TEST(LazyMatch, FirstClosingAfterEachOpening) {
  struct Case {
    const char* what;
    GbkText text;
    std::vector<GbkText> matches;
  } cases[] = {
      {"two matches", "a<u>1</u>b<u>2</u>", {"<u>1</u>", "<u>2</u>"}},
      {"opening inside a match is part of it", "<u><u>1</u></u>", {"<u><u>1</u>"}},
      {"closing must follow the opening", "</u><u>", {}},
      {"no closing at all", "<u>1<u>2<u>3", {}},
      {"across lines", "<u>\r\n1\r\n</u>", {"<u>\r\n1\r\n</u>"}},
      {"empty inner text", "<u></u>", {"<u></u>"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ScanMatches(c.text, "<u>", "</u>"), c.matches) << c.what;
    EXPECT_EQ(RegexMatches(c.text, "<u>", "</u>"), c.matches) << "regex: " << c.what;
  }
}

// The row, volume and listing patterns on the fixture pages, and random
// texts of near-matches, give the same matches as the regex engine.
TEST(LazyMatch, SameAsTheRegularExpressionsOnPages) {
  struct Pattern {
    GbkText open, close;
  } patterns[] = {
      {"    <ul>", "      </ul>"},
      {"book_news_style_img", "</h3></div></div>"},
      {"到雅虎收藏</a>"_gbk, "<div class=\"bottom\">"},
      {"<ul>", "</ul>"},
  };
  for (const char* name :
       {"ranking.html", "category.html", "chapter_list.html", "search_list.html"}) {
    const GbkText page = ReadFixturePage(name);
    for (const Pattern& p : patterns)
      EXPECT_EQ(ScanMatches(page, p.open, p.close), RegexMatches(page, p.open, p.close))
          << name << " " << Utf8(p.open);
  }
  const std::vector<GbkText> pieces = {"<ul>", "</ul>", "    <ul>", "      </ul>", "<u",
                                       "l>",   " ",     "x",        "\r\n",        "斗"_gbk};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    GbkText text;
    for (int i = 0; i < 30; ++i) text += pieces[random() % pieces.size()];
    for (const Pattern& p : {patterns[0], patterns[3]})
      ASSERT_EQ(ScanMatches(text, p.open, p.close), RegexMatches(text, p.open, p.close)) << text;
  }
}

}  // namespace
