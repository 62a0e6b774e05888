#include "app/services/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "scrape/gbk_literal.h"

namespace {

// The version file as the notice server sends it: GBK bytes, declared gb2312.
ByteString VersionFile(const GbkText& version) {
  return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"_gbk + "<最新版本>\r\n"_gbk +
         "  <版本信息 版本号=\""_gbk + version +
         "\" 版本名称=\"春季版\" 升级说明=\"修正错误#HHF新增书签\" "
         "下载地址=\"http://127.0.0.1:18080/down.php?a=1&amp;b=2\"/>\r\n"
         "  <版本信息 版本号=\"第二个不算\"/>\r\n"
         "</最新版本>\r\n"_gbk;
}

TEST(XmlDocument, LoadFailsOnEmptyOrMalformedInput) {
  const ByteString bad[] = {
      "",
      "   \r\n",
      "<?xml version=\"1.0\"?>",  // no element
      "<!-- only a comment -->",
      "<a><b></a>",
      "<a>",
      "<a b=\"1></a>",
      "not xml at all",
  };
  for (const auto& bytes : bad) {
    XmlDocument document;
    EXPECT_FALSE(document.Load(bytes)) << bytes;
  }

  // A failed load leaves nothing of what the document held before.
  XmlDocument document;
  ASSERT_TRUE(document.Load(VersionFile("0.9.4")));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "0.9.4");
  EXPECT_FALSE(document.Load("<broken"));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "");
}

TEST(XmlDocument, AttributesByPathOfGbkNames) {
  XmlDocument document;
  ASSERT_TRUE(document.Load(VersionFile("0.9.4")));
  const GbkText info = "最新版本/版本信息"_gbk;
  struct Case {
    const char* what;
    GbkText path, attribute, expected;
  } cases[] = {
      {"version", info, "版本号"_gbk, "0.9.4"},
      {"name", info, "版本名称"_gbk, "春季版"_gbk},
      {"notes, marker untouched", info, "升级说明"_gbk, "修正错误#HHF新增书签"_gbk},
      {"address, entity resolved", info, "下载地址"_gbk, "http://127.0.0.1:18080/down.php?a=1&b=2"},
      {"missing attribute", info, "作者"_gbk, ""},
      {"missing element", "最新版本/不存在"_gbk, "版本号"_gbk, ""},
      {"wrong root", "版本信息/版本信息"_gbk, "版本号"_gbk, ""},
      {"root alone has no such attribute", "最新版本"_gbk, "版本号"_gbk, ""},
      {"path too deep", info + "/版本信息"_gbk, "版本号"_gbk, ""},
      {"trailing slash", info + "/", "版本号"_gbk, ""},
      {"empty path", "", "版本号"_gbk, ""},
      {"empty attribute name", info, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(document.Attribute(c.path, c.attribute), c.expected) << c.what;
  }

  // Loading again replaces the content.
  ASSERT_TRUE(document.Load(VersionFile("0.9.3")));
  EXPECT_EQ(document.Attribute(info, "版本号"_gbk), "0.9.3");
}

TEST(XmlDocument, BytesPassThroughAndReferencesBecomeGbk) {
  // GBK characters whose second byte is a Latin letter in names; second bytes
  // "\", "|" and "[" in a value; references of every kind; a lone "&" that
  // starts no reference.
  const ByteString bytes =
      "<r\x81\x41><e\xB0\x61 a\xB0\x41=\"v\xD5\x5C\xB0\x7C\xB0\x5B\" "
      "refs=\"&lt;&gt;&amp;&quot;&apos;&#65;&#x4E2D;&#20013;\" "
      "odd=\"a & b &unknown; &#xD800; &#0;\" "
      "blanks=\"one\ttwo\"/></r\x81\x41>";
  XmlDocument document;
  ASSERT_TRUE(document.Load(bytes));
  const GbkText path = "r\x81\x41/e\xB0\x61";
  EXPECT_EQ(document.Attribute(path, "a\xB0\x41"), "v\xD5\x5C\xB0\x7C\xB0\x5B");
  EXPECT_EQ(document.Attribute(path, "refs"), "<>&\"'A" + "中中"_gbk);
  EXPECT_EQ(document.Attribute(path, "odd"), "a & b &unknown; &#xD800; &#0;");
  EXPECT_EQ(document.Attribute(path, "blanks"), "one two");
  // Names are compared byte for byte: no case folding, not even of second bytes.
  EXPECT_EQ(document.Attribute("R\x81\x41/e\xB0\x61", "refs"), "");
  EXPECT_EQ(document.Attribute(path, "a\xB0\x61"), "");
}

}  // namespace
