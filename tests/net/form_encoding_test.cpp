#include "net/form_encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(FormEncode, OnlyLettersAndDigitsPass) {
  EXPECT_EQ(FormEncode("ab c"), "ab%20c");
  EXPECT_EQ(FormEncode("a.b"), "a%2Eb");
  EXPECT_EQ(FormEncode("\xB6\xB7"), "%B6%B7");
  EXPECT_EQ(FormEncode("\r\n"), "%0D%0A");
  EXPECT_EQ(FormEncode("-_.~*+&#="), "%2D%5F%2E%7E%2A%2B%26%23%3D");
  EXPECT_EQ(FormEncode("Abc019xyZ"), "Abc019xyZ");
  EXPECT_EQ(FormEncode(""), "");
}

TEST(FormDecode, EscapesAndMalformedInput) {
  struct Case {
    const char* what;
    GbkText text, expected;
  } cases[] = {
      {"GBK bytes", "%B6%B7", "\xB6\xB7"},
      {"lower-case digits", "a%2eb", "a.b"},
      {"plus stays", "a+b", "a+b"},
      {"lone percent at the end is dropped", "ab%", "ab"},
      {"one digit at the end", "ab%4", "ab@"},
      {"zero byte dropped", "a%00b", "ab"},
      {"non-hex digits consume three bytes", "width:100%;x", "width:100"},
      {"non-hex in second place", "%4zq", "q"},
      {"percent escaping a percent", "%25", "%"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormDecode(c.text), c.expected) << c.what;
}

TEST(FormDecode, InvertsFormEncodeForEveryByte) {
  GbkText all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(FormDecode(FormEncode(all)), all);
}

}  // namespace
