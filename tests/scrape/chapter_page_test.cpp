#include "scrape/chapter_page.h"

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "scrape/gbk_literal.h"
#include "scrape/reading_page.h"

namespace {

TEST(ChapterPage, Address) {
  EXPECT_EQ(ChapterAddress("http://h/html/10/1234/index.html", 1234567),
            "http://h/html/10/1234/1234567.html");
  EXPECT_EQ(ChapterAddress("http://h/html/10/1234/", 7), "http://h/html/10/1234/7.html")
      << "without index.html the address is the prefix";
  EXPECT_EQ(ChapterAddress("http://h/index.html/index.html", 1), "http://h//1.html")
      << "every occurrence goes";
  EXPECT_EQ(ChapterAddress("http://h/INDEX.html", 1), "http://h/INDEX.html1.html") << "exact bytes";
  EXPECT_EQ(ChapterAddress("", -1), "-1.html") << "no current chapter";
}

TEST(ChapterPage, TextBetweenTheMarkersWithoutTheSiteNotice) {
  const GbkText page = ReadFixturePage("chapter.html");
  const GbkText expected =
      "&nbsp;&nbsp;&nbsp;&nbsp;“斗之力，三段！”<br />\r\n<br />\r\n"
      "&nbsp;&nbsp;&nbsp;&nbsp;望着测验魔石碑上面闪亮得甚至有些刺眼的五个大字，少年面无表情。<br "
      "/>\r\n"
      "<br />\r\n&nbsp;&nbsp;&nbsp;&nbsp;“萧炎，斗之力，三段！级别：低级！”"_gbk;
  EXPECT_EQ(CutRawChapterText(page), "\n" + expected)
      << "the line feed after the marker's carriage return stays";
  EXPECT_EQ(ScrapeChapterText(page), "\n" + expected) << "a clean chapter is unchanged";
  EXPECT_TRUE(ChapterTextBlock(page).starts_with("<div id=\"BookText\">\r\n"));
}

TEST(ChapterPage, MissingMarkersGiveAnEmptyText) {
  struct Case {
    const char* what;
    GbkText page;
    GbkText text;
  } cases[] = {
      {"empty page", "", ""},
      {"no text block start", "<div>a<br><br>&nbsp;&nbsp;<div class=\"downloads t1\">", ""},
      {"no downloads marker", "<div id=\"BookText\">\ra<br><br>&nbsp;&nbsp;", ""},
      {"no notice marker", "<div id=\"BookText\">\ra<div class=\"downloads t1\">", ""},
      {"markers in capitals are found",
       "<DIV ID=\"booktext\">\rA<BR><BR>&NBSP;&NBSP;n<DIV CLASS=\"DOWNLOADS T1\">",
       // The start marker is removed by its exact bytes: in capitals it stays.
       "<DIV ID=\"booktext\">\rA"},
  };
  for (const Case& c : cases) EXPECT_EQ(CutRawChapterText(c.page), c.text) << c.what;
}

TEST(ReadingPage, HeadAndTailByteForByte) {
  const GbkText head = ChapterPageHead("file:///usr/share/tavelin", "http://n");
  const GbkText expectedUtf8 =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n"
      "<head>\r\n"
      "\n"
      "<body onload=\"javascript:init();\" oncontextmenu=\"return false\" ondragstart=\"return "
      "false\" onselectstart=\"return false\" onselect=\"document.selection.empty()\" "
      "oncopy=\"document.selection.empty()\" onbeforecopy=\"return false\">\n"
      "\r\n"
      "<title>Tavelin小说阅读器</title>\r\n"
      "<meta name=\"keywords\" content=\"斗破苍穹\" />\r\n"
      "<meta name=\"description\" content=\"斗破苍穹最新章节阅读\" />\r\n"
      "<meta HTTP-EQUIV=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n"
      "<link href=\"file:///usr/share/tavelin/scripts/read/page.css\" type=\"text/css\" "
      "rel=\"stylesheet\" />\r\n"
      "<script language=\"JavaScript\" src=\"file:///usr/share/tavelin/scripts/read/page.js\" "
      "type=\"text/javascript\"></script>\r\n"
      "<script type=\"text/javascript\">\r\n"
      "</script>\r\n"
      "<script language=\"javascript\">GetMode();</script>\r\n"
      "<div id=\"guild\"><a href=\"http://n\" target=\"_blank\">Tavelin博客</a></div>\r\n"
      "<div id=shop>\r\n"
      "<div class=mode><SPAN>选择背景颜色：</SPAN>\r\n"
      "<script language=\"javascript\">SelectColors();</script>\r\n"
      "<SPAN>&nbsp;&nbsp;选择字体大小：</SPAN> <a class=\"font_1\" "
      "onclick=\"javascript:ChangeFont('fonts_big');\" href=\"javascript:void(0);\">font1</a> <a "
      "class=\"font_2\" onclick=\"javascript:ChangeFont('fonts_mesne');\" "
      "href=\"javascript:void(0);\">font2</a> <a class=\"font_3\" "
      "onclick=\"javascript:ChangeFont('fonts_small');\" "
      "href=\"javascript:void(0);\">font3</a></div>    <TD class=\"tb0\" vAlign=\"bottom\" noWrap "
      "onmouseleave=\"mhHover('tb0')\" onmouseenter=\"mhHover('tb1')\"><a "
      "name=\"StranLink\">繁體中文</a></TD>\r\n"
      "<div class=status><script language=\"javascript\">Gundong();</script></div></div>\r\n"
      "<script language=\"javascript\">GetFont();</script>";
  EXPECT_EQ(Utf8(head), expectedUtf8);
  EXPECT_EQ(head.find('?'), std::string::npos) << "every character has a GBK form";

  // 22 lines: 21 line ends, of which lines 4 and 5 end in a lone LF.
  int crlf = 0, lf = 0;
  for (size_t i = 0; i < head.size(); ++i) {
    if (head[i] != '\n') continue;
    (i > 0 && head[i - 1] == '\r') ? ++crlf : ++lf;
  }
  EXPECT_EQ(crlf, 19);
  EXPECT_EQ(lf, 2);

  EXPECT_EQ(Utf8(ChapterPageTail()),
            "<div id=\"tips\">温馨提示：方向键左右(← →)前后翻页，上下(↑ ↓)上下滚用</div>\r\n"
            "</body>\r\n</html>");
  EXPECT_EQ(ChapterPageTail().find('?'), std::string::npos);
}

TEST(ReadingPage, HeadTextTailWithNothingBetween) {
  const GbkText page = ReadingPage("A<br />B", "a", "n");
  EXPECT_EQ(page, ChapterPageHead("a", "n") + "A<br />B" + ChapterPageTail());
  EXPECT_TRUE(page.ends_with("</html>"));
  EXPECT_EQ(ReadingPage("", "a", "n"), ChapterPageHead("a", "n") + ChapterPageTail());
  EXPECT_EQ(ReadingPageFileName(1234567), "1234567.html");
  EXPECT_EQ(ReadingPageFileName(-1), "-1.html");
}

}  // namespace
