#include "scrape/book_info_page.h"

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "scrape/clean_html_text.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

namespace {

constexpr std::string_view kSite = "http://127.0.0.1:18080";
const GbkText kPack = "http://127.0.0.1:18080/modules/article/packdown.php";

TEST(BookInfoPage, CutsEveryField) {
  const BookInfo info = ScrapeBookInfoPage(ReadFixturePage("book_info.html"), kSite);
  struct Field {
    const char* name;
    const GbkText& value;
    GbkText expected;
  } fields[] = {
      {"cover", info.coverUrl, "http://127.0.0.1:18080/files/article/image/10001s.jpg"},
      {"title", info.title, "斗破苍穹"_gbk},
      {"category", info.category, "玄幻魔法"_gbk},
      {"author", info.author, "天蚕土豆"_gbk},
      {"length", info.length, "5304215字"_gbk},
      {"state", info.state, "连载中"_gbk},
      {"first publish", info.firstPublish, "首发"_gbk},
      {"authorisation", info.authorisation, "VIP作品"_gbk},
      {"last update", info.lastUpdate, "2011-12-05 08:30"},
      {"latest chapter", info.latestChapter, "第一千章 终章"_gbk},
      {"chapter list", info.chapterListUrl, "http://127.0.0.1:18080/html/10/10001/index.html"},
      {"txt", info.txtDownloadUrl, kPack + "?id=10001&type=txt&fname=" + "斗破苍穹"_gbk},
      {"udm", info.udmDownloadUrl, kPack + "?id=10001&type=udm&fname=" + "斗破苍穹"_gbk},
      {"jar", info.jarDownloadUrl, kPack + "?id=10001&type=jar&fname=" + "斗破苍穹"_gbk},
  };
  for (const Field& f : fields) EXPECT_EQ(f.value, f.expected) << f.name << ": " << Utf8(f.value);

  // The introduction went through CleanHtmlText: no tags, no comment, no
  // script, no tab, no named reference; the numeric one stays.
  const std::string intro = Utf8(info.intro);
  EXPECT_TRUE(intro.starts_with("这里是属于斗气的世界")) << intro;
  for (const char* gone : {"<", "&nbsp;", "&amp;", "show_ad", "广告", "\t"})
    EXPECT_EQ(intro.find(gone), std::string::npos) << gone << " in " << intro;
  EXPECT_NE(intro.find("&#25991;"), std::string::npos) << intro;
  EXPECT_NE(intro.find("斗帝。\r\n"), std::string::npos) << "blank lines shrink to one break";
}

TEST(BookInfoPage, EachDownloadTailIsItsOwnInEitherOrder) {
  const BookInfo info = ScrapeBookInfoPage(ReadFixturePage("book_info_reversed_links.html"), kSite);
  EXPECT_EQ(info.txtDownloadUrl, kPack + "?id=10001&type=txt&fname=" + "斗破苍穹"_gbk);
  EXPECT_EQ(info.udmDownloadUrl, kPack + "?id=10001&type=udm&fname=" + "斗破苍穹"_gbk);
  EXPECT_EQ(info.jarDownloadUrl, kPack + "?id=10001&type=jar&fname=" + "斗破苍穹"_gbk);

  struct Case {
    const char* what;
    GbkText block;
    GbkText tail;
  } cases[] = {
      {"first link", "P?a\">TXT 全文 P?b\">UDM 全文"_gbk, "?a"},
      {"later link", "P?a\">UDM 全文 P?b\">TXT 全文"_gbk, "?b"},
      {"end marker only before the first prefix", "\">TXT 全文 P?a"_gbk, ""},
      {"no prefix", "?a\">TXT 全文"_gbk, ""},
      {"no end marker", "P?a P?b"_gbk, ""},
      // Found whatever its letter case, but removed by its exact bytes.
      {"prefix in other letters", "p?A\">txt 全文"_gbk, "p?A"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CutDownloadTail(c.block, "P", "\">TXT 全文"_gbk), c.tail) << c.what;
  }
}

TEST(BookInfoPage, EmptyPageGivesEmptyFieldsAndBareDownloadAddresses) {
  EXPECT_EQ(BookInfoBlock(""), "作品关键字："_gbk) << "the end marker alone";
  const BookInfo info = ScrapeBookInfoPage("", kSite);
  for (const GbkText* field :
       {&info.coverUrl, &info.title, &info.category, &info.author, &info.length, &info.state,
        &info.firstPublish, &info.authorisation, &info.intro, &info.lastUpdate, &info.latestChapter,
        &info.chapterListUrl})
    EXPECT_EQ(*field, "");
  EXPECT_EQ(info.txtDownloadUrl, kPack);
  EXPECT_EQ(info.udmDownloadUrl, kPack);
  EXPECT_EQ(info.jarDownloadUrl, kPack);
}

TEST(BookInfoPage, MarkersFoundWhateverTheirCase) {
  GbkText page = ReadFixturePage("book_info.html");
  page = ReplaceSubtext(page, "line-height: 150%", "LINE-HEIGHT: 150%", 1, -1, true);
  const BookInfo info = ScrapeBookInfoPage(page, kSite);
  // The block starts at "HEIGHT: 150%"; the title marker "height: 150%\">" is
  // found in it all the same, and its exact-byte removal then keeps the
  // capitals in front.
  EXPECT_EQ(info.title, "HEIGHT: 150%\">"_gbk + "斗破苍穹"_gbk);
  EXPECT_EQ(info.author, "天蚕土豆"_gbk);
}

TEST(BookInfoPage, ShortIntroductionStaysAsItIs) {
  const GbkText page =
      "height: 150%\"><span>内容简介：</span><b>短</b>&nbsp;<span "
      "class=\"hottext\">最近章节：</span>作品关键字："_gbk;
  EXPECT_EQ(ScrapeBookInfoPage(page, kSite).intro, "<b>短</b>&nbsp;"_gbk);
}

}  // namespace
