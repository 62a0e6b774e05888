#include "app/services/regex_pattern.h"

#include <gtest/gtest.h>

namespace {

TEST(RegexPattern, DotMatchesLineBreaksAndLazyIsShortest) {
  RegexPattern pattern("<ul>(.*?)</ul>");
  const auto matches = pattern.FindAll("<ul>a\r\nb</ul> x <ul>c</ul>");
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[0].Group(1), "a\r\nb");
  EXPECT_EQ(matches[0].position, 1);
  EXPECT_EQ(matches[1].whole, "<ul>c</ul>");
  EXPECT_EQ(matches[1].Group(2), "") << "a group that does not exist";
}

TEST(RegexPattern, CaseAndStartPosition) {
  EXPECT_TRUE(RegexPattern("<li>").FindAll("<LI>").empty());
  EXPECT_EQ(RegexPattern("<li>", true).FindAll("<LI>").size(), 1u);
  RegexPattern digits("[0-9]+");
  const auto m = digits.FindFirst("12 345", 3);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->whole, "345");
  EXPECT_EQ(m->position, 4);
  EXPECT_FALSE(digits.FindFirst("12", 99));
}

TEST(RegexPattern, ReplaceAllIsLiteral) {
  EXPECT_EQ(RegexPattern("<.*?>").ReplaceAll("a<b>c<d\n>e", ""), "ace");
  EXPECT_EQ(RegexPattern("x").ReplaceAll("axb", "$1&"), "a$1&b");
  EXPECT_EQ(RegexPattern("\\n\\s*\\r", true).ReplaceAll("a\r\n \r\n\r\nb", ""), "a\r\nb");
}

TEST(RegexPattern, GbkBytesAndInvalidPatterns) {
  const GbkText text =
      "\xB6\xB7"
      "abc";
  EXPECT_EQ(RegexPattern("\xB6\xB7(a)").FindAll(text).at(0).Group(1), "a");
  RegexPattern broken("(unclosed");
  EXPECT_FALSE(broken.Valid());
  EXPECT_TRUE(broken.FindAll("(unclosed").empty());
  EXPECT_EQ(broken.ReplaceAll("abc", "x"), "abc");
}

}  // namespace
