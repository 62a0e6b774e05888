#include "page_parts.h"

#include <algorithm>

#include "made_up_text.h"
#include "scrape/gbk_literal.h"

namespace sample_site {

GbkText WithCrlf(std::string_view text) {
  GbkText out;
  out.reserve(text.size() + text.size() / 16);
  char previous = '\0';
  for (char ch : text) {
    if (ch == '\n' && previous != '\r') out.push_back('\r');
    out.push_back(ch);
    previous = ch;
  }
  return out;
}

GbkText PageTop(std::string_view gbkTitle, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\n<title>";
  page += gbkTitle;
  page += " - Tavelin示例书站</title>\n"_gbk;
  page += "<meta name=\"keywords\" content=\"小说,免费小说,小说阅读,Tavelin示例书站\" />\n"_gbk;
  page +=
      "<link rel=\"stylesheet\" href=\"" + base + "/themes/site/style.css\" type=\"text/css\" />\n";
  page += "<script type=\"text/javascript\" src=\"" + base + "/scripts/common.js\"></script>\n";
  page +=
      "<script type=\"text/javascript\">\n"
      "// pop-up advertisement, once per visit\n"
      "function openAdWindow() {\n"
      "  var w = window.open('" +
      base +
      "/ad/popup.html', 'ad', 'width=400,height=300,toolbar=no');\n"
      "  if (w) { w.blur(); window.focus(); }\n"
      "}\n"
      "if (document.cookie.indexOf('adshown=1') == -1) {\n"
      "  document.cookie = 'adshown=1; path=/';\n"
      "  setTimeout(openAdWindow, 3000);\n"
      "}\n"
      "</script>\n</head>\n<body>\n";
  page += "<div id=\"header\">\n<div class=\"logo\"><a href=\"" + base +
          "/\">Tavelin示例书站</a></div>\n"_gbk;
  page += "<div class=\"banner\"><script type=\"text/javascript\" src=\"" + base +
          "/ad/banner_top.js\"></script><noscript><a href=\"" + base +
          "/ad/click.php?id=1\"><img src=\"" + base +
          "/ad/banner_728x90.gif\" alt=\"广告\" /></a></noscript></div>\n"_gbk;
  page += "<div class=\"nav\"><a href=\"" + base + "/\">首页</a>"_gbk;
  for (int category = 1; category <= 10; ++category) {
    page += " | <a href=\"" + base + "/book/list" + NumberToText(category) + "/1.html\">" +
            CategoryName(category) + "</a>";
  }
  page += " | <a href=\"" + base + "/book/toplastupdate/1.html\">最近更新</a></div>\n"_gbk;
  page += "<div class=\"searchbar\"><form name=\"articlesearch\" method=\"get\" action=\"" + base +
          "/modules/article/search.php\">"
          "<select name=\"searchtype\"><option value=\"articlename\" "
          "selected=\"selected\">书名</option>"
          "<option value=\"author\">作者</option></select> "
          "<input type=\"text\" name=\"searchkey\" size=\"20\" maxlength=\"50\" /> "
          "<input type=\"submit\" value=\"搜 索\" /></form></div>\n</div>\n"_gbk;
  return page;
}

GbkText PageBottom(std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page = "<div class=\"adbottom\"><iframe src=\"" + base +
                 "/ad/bottom.html\" width=\"960\" height=\"90\" frameborder=\"0\" "
                 "scrolling=\"no\"></iframe></div>\n";
  page +=
      "<div class=\"footer\">本站所有小说均为随机生成的示例内容，仅供测试阅读器使用。<br />\n"_gbk;
  page += "Copyright &copy; 2011 Tavelin示例书站 All Rights Reserved.\n"_gbk;
  page += "<script type=\"text/javascript\">var _stat = new Image(); _stat.src = '" + base +
          "/stat.php?r=' + escape(document.referrer);</script>\n</div>\n</body>\n</html>\n";
  return page;
}

GbkText Pagination(std::string_view listBase, int page, int pageCount, std::string_view suffix) {
  GbkText base(listBase);
  auto link = [&](int n, std::string_view cls, const GbkText& text) {
    GbkText a = "<a href=\"" + base + NumberToText(n) + GbkText(suffix) + "\"";
    if (!cls.empty()) a += " class=\"" + GbkText(cls) + "\"";
    return a + ">" + text + "</a>";
  };
  GbkText out = "<div class=\"pagelink\" id=\"pagelink\"><em id=\"pagestats\">" +
                NumberToText(page) + "/" + NumberToText(pageCount) + "</em>";
  out += link(1, "first", "1");
  if (page > 1) out += link(page - 1, "prev", "&lt;");
  int from = std::max(1, page - 4);
  int to = std::max(page, std::min(pageCount, page + 5));
  for (int n = from; n <= to; ++n) {
    out += n == page ? "<strong>" + NumberToText(n) + "</strong>" : link(n, "", NumberToText(n));
  }
  if (page < pageCount) out += link(page + 1, "next", "&gt;");
  out += link(pageCount, "last", NumberToText(pageCount));
  out += "<kbd><input name=\"page\" type=\"text\" size=\"4\" maxlength=\"6\" /></kbd></div>\n";
  return out;
}

GbkText EscapeAttribute(std::string_view text) {
  GbkText out;
  bool secondByte = false;
  for (char ch : text) {
    auto byte = static_cast<unsigned char>(ch);
    if (secondByte) {
      out.push_back(ch);
      secondByte = false;
      continue;
    }
    if (byte >= 0x80) {
      out.push_back(ch);
      secondByte = true;
      continue;
    }
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(ch);
    }
  }
  return out;
}

}  // namespace sample_site
