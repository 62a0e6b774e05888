#include "scrape/reading_page.h"

#include "scrape/gbk_literal.h"

GbkText ChapterPageHead(std::string_view readingAssetBaseUrl, std::string_view noticeBaseUrl) {
  const std::string asset(readingAssetBaseUrl);
  const std::string notice(noticeBaseUrl);
  GbkText head;
  head +=
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n";
  head += "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n";
  head += "<head>\r\n";
  head += "\n";
  head +=
      "<body onload=\"javascript:init();\" oncontextmenu=\"return false\" "
      "ondragstart=\"return false\" onselectstart=\"return false\" "
      "onselect=\"document.selection.empty()\" oncopy=\"document.selection.empty()\" "
      "onbeforecopy=\"return false\">\n";
  head += "\r\n";
  head += "<title>Tavelin小说阅读器</title>\r\n"_gbk;
  head += "<meta name=\"keywords\" content=\"斗破苍穹\" />\r\n"_gbk;
  head += "<meta name=\"description\" content=\"斗破苍穹最新章节阅读\" />\r\n"_gbk;
  head += "<meta HTTP-EQUIV=\"Content-Type\" content=\"text/html; charset=gb2312\" />\r\n";
  head += "<link href=\"" + asset +
          "/scripts/read/page.css\" type=\"text/css\" rel=\"stylesheet\" />\r\n";
  head += "<script language=\"JavaScript\" src=\"" + asset +
          "/scripts/read/page.js\" type=\"text/javascript\"></script>\r\n";
  head += "<script type=\"text/javascript\">\r\n";
  head += "</script>\r\n";
  head += "<script language=\"javascript\">GetMode();</script>\r\n";
  head += "<div id=\"guild\"><a href=\"" + notice + "\" target=\"_blank\">" +
          "Tavelin博客</a></div>\r\n"_gbk;
  head += "<div id=shop>\r\n";
  head += "<div class=mode><SPAN>选择背景颜色：</SPAN>\r\n"_gbk;
  head += "<script language=\"javascript\">SelectColors();</script>\r\n";
  head += "<SPAN>&nbsp;&nbsp;选择字体大小：</SPAN> "_gbk;
  head +=
      "<a class=\"font_1\" onclick=\"javascript:ChangeFont('fonts_big');\" "
      "href=\"javascript:void(0);\">font1</a> "
      "<a class=\"font_2\" onclick=\"javascript:ChangeFont('fonts_mesne');\" "
      "href=\"javascript:void(0);\">font2</a> "
      "<a class=\"font_3\" onclick=\"javascript:ChangeFont('fonts_small');\" "
      "href=\"javascript:void(0);\">font3</a></div>    "
      "<TD class=\"tb0\" vAlign=\"bottom\" noWrap onmouseleave=\"mhHover('tb0')\" "
      "onmouseenter=\"mhHover('tb1')\"><a name=\"StranLink\">";
  head += "繁體中文</a></TD>\r\n"_gbk;
  head += "<div class=status><script language=\"javascript\">Gundong();</script></div></div>\r\n";
  head += "<script language=\"javascript\">GetFont();</script>";
  return head;
}

const GbkText& ChapterPageTail() {
  return "<div id=\"tips\">温馨提示：方向键左右(← →)前后翻页，上下(↑ ↓)上下滚用</div>\r\n</body>\r\n</html>"_gbk;
}

GbkText ReadingPage(std::string_view chapterText, std::string_view readingAssetBaseUrl,
                    std::string_view noticeBaseUrl) {
  GbkText page = ChapterPageHead(readingAssetBaseUrl, noticeBaseUrl);
  page += chapterText;
  page += ChapterPageTail();
  return page;
}

GbkText ReadingPageFileName(long long chapterNumber) {
  return NumberToText(chapterNumber) + ".html";
}
