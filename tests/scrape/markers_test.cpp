#include "scrape/markers.h"

#include <gtest/gtest.h>

namespace {

TEST(TextBetween, ModesAndMissingMarkers) {
  struct Case {
    const char* what;
    GbkText text, start, end;
    BetweenMode mode;
    GbkText expected;
  } cases[] = {
      {"inner", "a[b]x[/b]y", "[b]", "[/b]", BetweenMode::kInner, "x"},
      {"both markers", "a[b]x[/b]y", "[b]", "[/b]", BetweenMode::kBothMarkers, "[b]x[/b]"},
      {"start marker", "a[b]x[/b]y", "[b]", "[/b]", BetweenMode::kStartMarker, "[b]x"},
      {"end marker", "a[b]x[/b]y", "[b]", "[/b]", BetweenMode::kEndMarker, "x[/b]"},
      {"start absent, inner", "ax[/b]", "[b]", "[/b]", BetweenMode::kInner, ""},
      {"start absent, start mode", "ax[/b]", "[b]", "[/b]", BetweenMode::kStartMarker, ""},
      {"start absent, both", "ax[/b]", "[b]", "[/b]", BetweenMode::kBothMarkers, "[/b]"},
      {"start absent, end", "ax[/b]", "[b]", "[/b]", BetweenMode::kEndMarker, "[/b]"},
      {"end absent, inner", "a[b]x", "[b]", "[/b]", BetweenMode::kInner, ""},
      {"end absent, both", "a[b]x", "[b]", "[/b]", BetweenMode::kBothMarkers, "[/b]"},
      {"end only before the start", "[/b]a[b]x", "[b]", "[/b]", BetweenMode::kInner, ""},
      {"first start, first end after it", "[b]1[/b][b]2[/b]", "[b]", "[/b]", BetweenMode::kInner,
       "1"},
      {"case ignored finding, exact removal", "a[b]x[/b]y", "[B]", "[/B]", BetweenMode::kInner,
       "[b]x"},
      {"end searched from where the start begins", "<ax", "<a", "<", BetweenMode::kInner, ""},
      {"empty text", "", "[b]", "[/b]", BetweenMode::kInner, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextBetween(c.text, c.start, c.end, false, c.mode), c.expected) << c.what;
  }
  EXPECT_EQ(TextBetween("a[b]x[/b]", "[B]", "[/B]", true), "") << "case-sensitive flag";
}

TEST(BookLinkTail, LastSlashWithFiveBytesBefore) {
  EXPECT_EQ(BookLinkTail("http://h/book/12345.html"), "/book/12345.html");
  EXPECT_EQ(BookLinkTail("http://h/x/12345/"), "12345/");
  EXPECT_EQ(BookLinkTail("http://h/x/123456/"), "23456/");
  EXPECT_EQ(BookLinkTail("no-slash"), "no-slash");
  EXPECT_EQ(BookLinkTail("ab/c"), "ab/c") << "fewer than five bytes before the slash";
  EXPECT_EQ(BookLinkTail(""), "");
}

TEST(TextAfterLast, LastPieceCutAtTheEndMarker) {
  EXPECT_EQ(TextAfterLast("a|b|c", "|", "#"), "c");
  EXPECT_EQ(TextAfterLast("a|b|c#d", "|", "#"), "c");
  EXPECT_EQ(TextAfterLast("a|", "|", "#"), "");
  EXPECT_EQ(TextAfterLast("abc", "|", "#"), "");
  EXPECT_EQ(TextAfterLast("a|#c", "|", "#"), "") << "last piece begins with the end marker";
  EXPECT_EQ(TextAfterLast("a||", "|", "#"), "");
}

}  // namespace
