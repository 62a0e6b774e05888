#include "page_cuts.h"

#include "app/services/regex_pattern.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

namespace site_test {
namespace {

GbkText DeleteAll(GbkText text, std::string_view sought) {
  return ReplaceSubtext(text, sought, {}, 1, -1, true);
}

GbkText ListId(const GbkText& link) {
  return DeleteAll(DeleteAll(DeleteAll(BookLinkTail(link), "/"), ".html"), "book");
}

}  // namespace

std::pair<GbkText, GbkText> CutPageCounter(const GbkText& page) {
  GbkText number = TextBetween(page, "<strong>", "</strong>");
  GbkText count = TextBetween(page, "<em id=\"pagestats\">" + number + "/", "</em>");
  return {number, count};
}

std::vector<ListRow> CutRankingRows(const GbkText& page) {
  GbkText region = TextBetween(page, ">状态</li>"_gbk, "<div id=\"Page\">");
  std::vector<ListRow> rows;
  for (const RegexMatch& match : RegexPattern("    <ul>.*?      </ul>").FindAll(region)) {
    const GbkText& block = match.whole;
    ListRow row;
    row.title = TextBetween(block, "class=\"t14b\">", "</a></li>");
    row.id = ListId(TextBetween(block, "<li class=\"t3\"><a href=\"", "\" title="));
    GbkText latest =
        TextBetween(block, "<li class=\"t5\">", "</a> </li>", false, BetweenMode::kEndMarker);
    row.latestChapter = TextBetween(latest, ">", "</a> </li>");
    row.author = TextAfterLast(block, "<li class=\"t4\">", "</li>");
    row.updateTime = TextBetween(block, "<li class=\"t8\">", "</li>");
    row.state = TextBetween(block, "<li class=\"t1 red12\">", "</li>");
    rows.push_back(row);
  }
  return rows;
}

std::vector<ListRow> CutCategoryRows(const GbkText& page) {
  GbkText region = TextBetween(page, "当前位置："_gbk, "\"main m_foot\">");
  std::vector<ListRow> rows;
  for (const RegexMatch& match :
       RegexPattern("book_news_style_img.*?</h3></div></div>").FindAll(region)) {
    const GbkText& block = match.whole;
    ListRow row;
    GbkText heading =
        TextBetween(block, "<h1>", "</a></h1><h2>作者："_gbk, false, BetweenMode::kEndMarker);
    row.id = ListId(TextBetween(heading, "<a href=\"", "\" target=\"_blank\">"));
    row.title = TextBetween(heading, " target=\"_blank\">", "</a></h1><h2>");
    row.latestChapter = TextAfterLast(block, " target=\"_blank\">", "</a></h5><h3>");
    row.author = TextAfterLast(block, "作者："_gbk, "【"_gbk);
    row.updateTime = TextBetween(block, "更新时间："_gbk, "</h4><h5>最新章节："_gbk);
    row.state = TextBetween(block, "【"_gbk, "】"_gbk);
    rows.push_back(row);
  }
  return rows;
}

ListRow CutSingleBookRow(const GbkText& page) {
  GbkText block =
      TextBetween(page, "height: 150%", "作品关键字："_gbk, false, BetweenMode::kBothMarkers);
  ListRow row;
  row.title = TextBetween(block, "height: 150%\">", "</span></td>");
  GbkText latest =
      TextBetween(block, "最近章节：</span>"_gbk, "</a><br />", false, BetweenMode::kEndMarker);
  row.latestChapter = TextBetween(latest, ">", "</a><br />");
  row.author = TextBetween(block, "作&nbsp;&nbsp;&nbsp; 者："_gbk, "</td>");
  row.updateTime = TextBetween(block, "最后更新："_gbk, "</td>");
  row.state = TextBetween(block, "文章状态："_gbk, "</td>");
  GbkText read = TextBetween(block, "<td bgcolor=\"#000000\" height=\"1\"></td>\r",
                             "点击阅读</a></li>"_gbk, false, BetweenMode::kEndMarker);
  row.id = DeleteAll(BookLinkTail(TextBetween(read, "href=\"", "\">点击阅读"_gbk)), "/");
  return row;
}

InfoFields CutInfoPage(const GbkText& page, const GbkText& siteBaseUrl) {
  GbkText block =
      TextBetween(page, "height: 150%", "作品关键字："_gbk, false, BetweenMode::kBothMarkers);
  InfoFields f;
  f.coverUrl = TextBetween(block, "target=\"_blank\"><img src=\"", "\" border=\"0\" width=\"100\"");
  f.title = TextBetween(block, "height: 150%\">", "</span></td>");
  f.category = TextBetween(block, "类&nbsp;&nbsp;&nbsp; 别："_gbk, "</td>");
  f.author = TextBetween(block, "作&nbsp;&nbsp;&nbsp; 者："_gbk, "</td>");
  f.length = TextBetween(block, "全文长度："_gbk, "</td>");
  f.state = TextBetween(block, "文章状态："_gbk, "</td>");
  f.firstPublish = TextBetween(block, "首发状态："_gbk, "</td>");
  f.licence = TextBetween(block, "授权级别："_gbk, "</td>");
  f.introduction =
      TextBetween(block, "内容简介：</span>"_gbk, "<span class=\"hottext\">最近章节："_gbk);
  f.lastUpdate = TextBetween(block, "最后更新："_gbk, "</td>");
  GbkText latest =
      TextBetween(block, "最近章节：</span>"_gbk, "</a><br />", false, BetweenMode::kEndMarker);
  f.latestChapter = TextBetween(latest, ">", "</a><br />");
  GbkText read = TextBetween(block, "<td bgcolor=\"#000000\" height=\"1\"></td>\r",
                             "点击阅读</a></li>"_gbk, false, BetweenMode::kEndMarker);
  f.chapterListUrl = TextBetween(read, "href=\"", "\">点击阅读"_gbk);
  GbkText download = siteBaseUrl + "/modules/article/packdown.php";
  f.txtTail = TextBetween(block, download, "\">TXT 全文"_gbk);
  f.udmTail = TextBetween(block, download, "\">UDM 全文"_gbk);
  f.jarTail = TextBetween(block, download, "\">JAR 全文"_gbk);
  return f;
}

std::vector<std::pair<GbkText, int>> CutChapterList(const GbkText& page) {
  std::vector<std::pair<GbkText, int>> items;
  auto listing = RegexPattern("到雅虎收藏</a>(.*?)<div class=\"bottom\">"_gbk).FindFirst(page);
  if (!listing) return items;
  RegexPattern link("<li><a href=\"(.*?)\">(.*?)</a></li>");
  for (const RegexMatch& volume : RegexPattern("<ul>(.*?)</ul>").FindAll(listing->Group(1))) {
    for (const RegexMatch& item : link.FindAll(volume.Group(1))) {
      if (item.Group(1).empty()) continue;
      items.emplace_back(item.Group(2), TextToInteger(item.Group(1)));
    }
  }
  return items;
}

GbkText CutChapterText(const GbkText& page) {
  GbkText block = TextBetween(page, "<div id=\"BookText\">\r", "<div class=\"downloads t1\">",
                              false, BetweenMode::kStartMarker);
  return TextBetween(block, "<div id=\"BookText\">\r", "<br><br>&nbsp;&nbsp;");
}

}  // namespace site_test
