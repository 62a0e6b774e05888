#include "scrape/clean_html_text.h"

#include <gtest/gtest.h>

#include <random>

#include "app/services/regex_pattern.h"
#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

// CleanHtmlText done with the regular expressions themselves.
GbkText CleanWithRegex(std::string_view text) {
  if (text.size() < 100) return GbkText(text);
  GbkText t = RegexPattern("<script[^\\f]*?/script>", true).ReplaceAll(text, "");
  t = RegexPattern("<!--[^\\f]*?-->", true).ReplaceAll(t, "");
  t = RegexPattern("<STYLE[^\\f]*?/STYLE>", true).ReplaceAll(t, "");
  t = RegexPattern("<.*?>").ReplaceAll(t, "");
  t = RegexPattern("&[a-z|A-Z]{2,5};").ReplaceAll(t, "");
  t = ReplaceSubtext(t, "<td style=\"border-color:Silver;border-width:1px;border-style:so", {}, 1,
                     -1, false);
  t = ReplaceSubtext(t, "\t", {}, 1, -1, true);
  return RegexPattern("\\n\\s*\\r", true).ReplaceAll(t, "");
}

// Pads a case to the 100 bytes from which cleaning starts (the padding is
// plain text that every step leaves alone).
GbkText Long(std::string_view text) {
  return GbkText(100, 'x') + GbkText(text);
}

TEST(CleanHtmlText, EachStep) {
  struct Case {
    const char* what;
    GbkText text, expected;
  } cases[] = {
      {"script over several lines", Long("a<SCRIPT>\r\nx</script>b"), Long("ab")},
      {"a form feed keeps a script from being one; its tags still go",
       Long("a<script>\f1</script>b"), Long("a\f1b")},
      {"comment", Long("a<!-- x\r\n -->b"), Long("ab")},
      {"style", Long("a<style type=\"text/css\">p{}</STYLE>b"), Long("ab")},
      {"every tag, also across lines", Long("<p\r\nclass=x>a</p><br />b"), Long("ab")},
      {"a \"<\" without \">\" stays", Long("a < b"), Long("a < b")},
      {"named references go, numeric stay", Long("&nbsp;a&#25991;&amp;b&#x4E00;"),
       Long("a&#25991;b&#x4E00;")},
      {"reference letters two to five, \"|\" included", Long("&a;&ab;&abcde;&abcdef;&a|b;"),
       Long("&a;&abcdef;")},
      {"the cut cell start, any letter case",
       Long("a<TD STYLE=\"border-color:silver;border-width:1px;border-style:so"), Long("a")},
      {"tabs", Long("a\t\tb"), Long("ab")},
      {"blank lines shrink to one break", Long("a\r\n\r\n  \r\n\r\nb\r\nc"), Long("a\r\nb\r\nc")},
      {"a line feed without a carriage return after it stays", Long("a\n \nb"), Long("a\n \nb")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CleanHtmlText(c.text), c.expected) << c.what;
    EXPECT_EQ(CleanWithRegex(c.text), c.expected) << "regex: " << c.what;
  }
}

TEST(CleanHtmlText, HundredByteRule) {
  const GbkText tagged = "<b>&nbsp;</b>";
  const GbkText short99 = tagged + GbkText(99 - tagged.size(), 'x');
  const GbkText long100 = tagged + GbkText(100 - tagged.size(), 'x');
  EXPECT_EQ(CleanHtmlText(short99), short99);
  EXPECT_EQ(CleanHtmlText(long100), GbkText(100 - tagged.size(), 'x'));
  // Bytes, not characters: 50 double-byte characters are 100 bytes.
  GbkText wide;
  for (int i = 0; i < 49; ++i) wide += "斗"_gbk;
  EXPECT_EQ(CleanHtmlText(wide + "\t"), wide + "\t") << "99 bytes";
  EXPECT_EQ(CleanHtmlText(wide + "\t\t"), wide) << "100 bytes";
  EXPECT_EQ(CleanHtmlText(""), "");
}

// The scans must find exactly what the regular expressions find, also on
// texts made to trip them: openings without closings, form feeds between,
// nested and overlapping markers, double-byte characters.
TEST(CleanHtmlText, SameAsTheRegularExpressions) {
  const std::vector<GbkText> pieces = {
      "<script",  "<SCRIPT>", "/script>",
      "/SCRIPT>", "<!--",     "-->",
      "<style",   "<STYLE>",  "/style>",
      "/STYLE>",  "<",        ">",
      "&nbsp;",   "&a|b;",    "&#12;",
      "&abcdef;", "&",        ";",
      "\f",       "\t",       "\r",
      "\n",       " ",        "x",
      "斗"_gbk,   "\x81<",    "<td style=\"border-color:Silver;border-width:1px;border-style:so"};
  std::mt19937 random(20111205);
  for (int round = 0; round < 3000; ++round) {
    GbkText text;
    const int count = 20 + static_cast<int>(random() % 80);
    for (int i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    ASSERT_EQ(CleanHtmlText(text), CleanWithRegex(text)) << "round " << round << ": " << text;
  }
  const GbkText page = ReadFixturePage("book_info.html");
  EXPECT_EQ(CleanHtmlText(page), CleanWithRegex(page));
}

}  // namespace
