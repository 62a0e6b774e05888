#include "scrape/gbk_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "scrape/charset.h"
#include "scrape/gbk_literal.h"

namespace {

// 斗 is B6 B7; 中 is D6 D0; 「a」 in a trail position: 0x81 0x61 is one character.
const GbkText kDou = "\xB6\xB7";

TEST(FindText, PositionsStartsAndCase) {
  struct Case {
    const char* what;
    GbkText text, sought;
    int start;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"first occurrence", "abcabc", "bc", 1, false, 2},
      {"from a start counts from the whole text", "abcabc", "bc", 3, false, 5},
      {"start 0 and negative mean the first byte", "abc", "a", 0, false, 1},
      {"negative start", "abc", "a", -7, false, 1},
      {"start beyond the text", "abc", "a", 4, false, -1},
      {"huge start", "abc", "a", INT_MAX, false, -1},
      {"absent", "abc", "x", 1, false, -1},
      {"sought longer than text", "ab", "abc", 1, false, -1},
      {"case matters by default", "xABc", "ab", 1, false, -1},
      {"ignore case", "xABc", "ab", 1, true, 2},
      {"empty sought in a non-empty part", "abc", "", 2, false, 1},
      {"empty sought in an empty text", "", "", 1, false, -1},
      {"empty text", "", "a", 1, false, -1},
      {"trail byte is never a match start",
       "\x81"
       "a",
       "a", 1, false, -1},
      {"trail byte ignoring case",
       "\x81"
       "A",
       "a", 1, true, -1},
      {"after a double-byte character",
       "\x81"
       "aa",
       "a", 1, false, 3},
      {"double-byte character found", "x" + kDou + "y", kDou, 1, false, 2},
      {"second half of one char and first of next", "\xB6\xB7\xB6\xB7", "\xB7\xB6", 1, false, -1},
      {"start inside a character walks from there",
       "\xB6"
       "ab",
       "a", 2, false, 2},
      {"lone lead byte at the end", "ab\xB6", "\xB6", 1, false, 3},
      {"lone lead byte does not reach past the end", "ab\xB6",
       "\xB6"
       "c",
       1, false, -1},
      {"marker of letters only, ignoring case", "<DIV>x", "div", 1, true, 2},
      {"double-byte char in sought is exact when ignoring case",
       "\x81"
       "A",
       "\x81"
       "a",
       1, true, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected) << c.what;
  }
}

TEST(FindTextReverse, LastOccurrenceWithinTheFirstBytes) {
  struct Case {
    const char* what;
    GbkText text, sought;
    int start;
    int expected;
  } cases[] = {
      {"whole text when omitted", "a/b/c", "/", INT_MAX, 4},
      {"start beyond the text", "a/b/c", "/", 99, 4},
      {"occurrence must lie wholly within start-1 bytes", "a/b/c", "/", 4, 2},
      {"start 1 or less", "a/b/c", "/", 1, -1},
      {"start 0", "a/b/c", "/", 0, -1},
      {"absent", "abc", "/", INT_MAX, -1},
      {"multi-byte sought cut by the limit", "abab", "ab", 4, 1},
      {"trail byte is skipped", "/\x81/", "/", INT_MAX, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start), c.expected) << c.what;
  }
}

TEST(TextCuts, LeftRightMid) {
  EXPECT_EQ(TextLeft("abc", 2), "ab");
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", -1), "");
  EXPECT_EQ(TextLeft("abc", LLONG_MAX), "abc");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  EXPECT_EQ(TextRight("abc", -3), "");
  EXPECT_EQ(TextRight("abc", LLONG_MAX), "abc");
  EXPECT_EQ(TextLeft(kDou, 1), "\xB6") << "cuts bytes, may split a character";
  EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(TextMid("abcdef", 5, 99), "ef");
  EXPECT_EQ(TextMid("abcdef", 0, 2), "");
  EXPECT_EQ(TextMid("abcdef", 7, 1), "");
  EXPECT_EQ(TextMid("abcdef", 1, 0), "");
  EXPECT_EQ(TextMid("abcdef", LLONG_MAX, LLONG_MAX), "");
  EXPECT_EQ(TextMid("abcdef", 6, LLONG_MAX), "f");
}

TEST(ReplaceSubtext, OccurrencesStartCountAndCase) {
  EXPECT_EQ(ReplaceSubtext("a.b.c", ".", "-", 1, -1, true), "a-b-c");
  EXPECT_EQ(ReplaceSubtext("a.b.c", "."), "abc") << "an omitted replacement deletes";
  EXPECT_EQ(ReplaceSubtext("a.b.c", ".", "-", 3, -1, true), "a.b-c") << "from the start position";
  EXPECT_EQ(ReplaceSubtext("a.b.c", ".", "-", 1, 1, true), "a-b.c") << "one replacement";
  EXPECT_EQ(ReplaceSubtext("aaa", "aa", "b", 1, -1, true), "ba") << "without overlap";
  EXPECT_EQ(ReplaceSubtext("xAx", "a", "b", 1, -1, true), "xAx");
  EXPECT_EQ(ReplaceSubtext("xAx", "a", "b", 1, -1, false), "xbx");
  EXPECT_EQ(ReplaceSubtext("\x81"
                           "a"
                           "a",
                           "a", "", 1, -1, true),
            "\x81"
            "a")
      << "a trail byte is not replaced";
  EXPECT_EQ(ReplaceSubtext("", "a", "b"), "");
  EXPECT_EQ(ReplaceSubtext("abc", "", "b"), "abc");
  EXPECT_EQ(ReplaceSubtext("abc", "b", "x", 99), "abc");
}

TEST(ReplaceTextAt, PositionsClamped) {
  EXPECT_EQ(ReplaceTextAt("abcdef", 2, 3, "X"), "aXef");
  EXPECT_EQ(ReplaceTextAt("abcdef", 0, 1, "X"), "Xbcdef") << "below 1 counts as 1";
  EXPECT_EQ(ReplaceTextAt("abc", 99, 5, "X"), "abcX") << "beyond the end counts as the end";
  EXPECT_EQ(ReplaceTextAt("abc", 2, 0, "X"), "aXbc");
  EXPECT_EQ(ReplaceTextAt("abc", 2, LLONG_MAX), "a");
  EXPECT_EQ(ReplaceTextAt("abc", 2, -4), "abc");
}

TEST(SplitText, Pieces) {
  struct Case {
    const char* what;
    GbkText text, separator;
    int max;
    GbkTextList expected;
  } cases[] = {
      {"empty piece kept, no empty last piece", "a,,b,", ",", -1, {"a", "", "b"}},
      {"leading empty piece", ",a", ",", -1, {"", "a"}},
      {"no separator", "abc", ",", -1, {"abc"}},
      {"empty text", "", ",", -1, {}},
      {"empty separator", "abc", "", -1, {"abc"}},
      {"separator only", ",", ",", -1, {""}},
      {"maximum drops the rest", "a,b,c", ",", 2, {"a", "b"}},
      {"multi-byte separator", "a; b; c", "; ", -1, {"a", "b", "c"}},
      {"separator inside a double-byte character is not a cut",
       "\x81"
       ",x,y",
       ",",
       -1,
       {"\x81"
        ",x",
        "y"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitText(c.text, c.separator, c.max), c.expected) << c.what;
  }
}

TEST(CaseAndCompare, LatinLettersOnly) {
  EXPECT_EQ(UpperCase("ab1" + kDou + "z"), "AB1" + kDou + "Z");
  EXPECT_EQ(LowerCase("AB\x81"
                      "A"
                      "C"),
            "ab\x81"
            "A"
            "c")
      << "trail byte left alone";
  EXPECT_EQ(CompareText("abc", "ABC", false), 0);
  EXPECT_NE(CompareText("abc", "ABC", true), 0);
  EXPECT_LT(CompareText("ab", "abc", true), 0);
  EXPECT_GT(CompareText("b", "a", true), 0);
}

TEST(TextToNumber, LeadingDecimalNumber) {
  struct Case {
    GbkText text;
    double expected;
  } cases[] = {
      {"", 0},
      {" 12abc", 12},
      {"\t-3.5x", -3.5},
      {"+7", 7},
      {"2.9", 2.9},
      {"1e3", 1000},
      {"1e", 1},
      {"abc", 0},
      {".5", 0.5},
      {"-", 0},
      {"0x10", 0},
      {"\xA3\xB1\xA3\xB2", 12},                    // full-width 1 2
      {"\xA3\xAD\xA3\xB5\xA3\xAE\xA3\xB5", -5.5},  // full-width -5.5
      {"1234567.html", 1234567},
      {"1e999", 1.7976931348623157e308},
      {"1e-999", 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(TextToNumber(c.text), c.expected) << c.text;
  }
  EXPECT_EQ(TextToInteger("2.9"), 2);
  EXPECT_EQ(TextToInteger("-2.9"), -2);
  EXPECT_EQ(TextToInteger("99999999999"), INT_MAX);
}

TEST(NumberAndBytes, Conversions) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(-42), "-42");
  EXPECT_EQ(NumberToText(1234567), "1234567");
  EXPECT_EQ(BytesToText(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(BytesToText("abc"), "abc");
  EXPECT_EQ(TextLength(kDou), 2);
}

TEST(Charset, LiteralsAndDecoding) {
  EXPECT_EQ("斗"_gbk, kDou);
  EXPECT_EQ(&"斗"_gbk, &"斗"_gbk) << "a literal is converted once";
  EXPECT_EQ("最近更新"_gbk.size(), 8u);
  EXPECT_EQ(GbkToUtf8("\xB6\xB7"
                      "a"),
            "斗a");
  EXPECT_EQ(Utf8ToGbk("ab"), "ab");
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80x"), "?x") << "a character GBK lacks";
  EXPECT_EQ(GbkToUtf8("a\xB6"), "a\xEF\xBF\xBD") << "a lone lead byte at the end";
  EXPECT_EQ(GbkToUtf8("\xFF"
                      "a"),
            "\xEF\xBF\xBD"
            "a");
}

}  // namespace

namespace {

// The plain definition: walk characters from the start, compare at each.
int ReferenceFind(const GbkText& text, const GbkText& sought, int start, bool ignoreCase) {
  size_t i = start <= 1 ? 0 : start - 1;
  if (i >= text.size()) return -1;
  if (sought.empty()) return 1;
  auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
  for (; i + sought.size() <= text.size();
       i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
    bool match = true;
    for (size_t j = 0; j < sought.size() && match; ++j) {
      const unsigned char s = sought[j], t = text[i + j];
      if (s >= 0x80) {
        match = s == t && (j + 1 >= sought.size() || sought[j + 1] == text[i + j + 1]);
        ++j;
      } else {
        match = ignoreCase ? fold(s) == fold(t) : s == t;
      }
    }
    if (match) return static_cast<int>(i) + 1;
  }
  return -1;
}

TEST(FindText, AgreesWithThePlainCharacterWalk) {
  std::mt19937 random(42);
  const char alphabet[] = {'a', 'A', 'b', '<', '/', '\x81', '\xB6', '\xB7', '\xFE'};
  for (int round = 0; round < 20000; ++round) {
    GbkText text, sought;
    const int n = random() % 24, m = 1 + random() % 3;
    for (int i = 0; i < n; ++i) text.push_back(alphabet[random() % sizeof alphabet]);
    for (int i = 0; i < m; ++i) sought.push_back(alphabet[random() % sizeof alphabet]);
    const int start = static_cast<int>(random() % 6);
    const bool ignoreCase = random() % 2;
    ASSERT_EQ(FindText(text, sought, start, ignoreCase),
              ReferenceFind(text, sought, start, ignoreCase))
        << "round " << round;
  }
}

}  // namespace
