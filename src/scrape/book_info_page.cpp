#include "scrape/book_info_page.h"

#include "scrape/clean_html_text.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"

namespace {

GbkText Field(std::string_view block, std::string_view startMarker) {
  return TextBetween(block, startMarker, "</td>");
}

}  // namespace

GbkText BookInfoBlock(std::string_view page) {
  return TextBetween(page, "height: 150%", "作品关键字："_gbk, false, BetweenMode::kBothMarkers);
}

GbkText CutBookLatestChapter(std::string_view infoBlock) {
  const GbkText item =
      TextBetween(infoBlock, "最近章节：</span>"_gbk, "</a><br />", false, BetweenMode::kEndMarker);
  return TextBetween(item, ">", "</a><br />");
}

GbkText CutReadLink(std::string_view infoBlock) {
  const GbkText item = TextBetween(infoBlock, "<td bgcolor=\"#000000\" height=\"1\"></td>\r",
                                   "点击阅读</a></li>"_gbk, false, BetweenMode::kEndMarker);
  return TextBetween(item, "href=\"", "\">点击阅读"_gbk);
}

GbkText CutDownloadTail(std::string_view infoBlock, std::string_view prefix,
                        std::string_view endMarker) {
  const int first = FindText(infoBlock, prefix, 1, true);
  if (first == -1) return {};
  const int end = FindText(infoBlock, endMarker, first, true);
  if (end == -1) return {};
  // The last prefix that lies wholly before the end marker; at worst `first`.
  const int last = FindTextReverse(infoBlock, prefix, end, true);
  const int start = last == -1 ? first : last;
  const GbkText cut = TextMid(infoBlock, start, static_cast<long long>(end) - start);
  // As for every inner cut, the prefix is removed by its exact bytes.
  return ReplaceSubtext(cut, prefix, {}, 1, 1, true);
}

BookInfo ScrapeBookInfoPage(std::string_view page, std::string_view siteBaseUrl) {
  const GbkText block = BookInfoBlock(page);
  BookInfo info;
  info.coverUrl =
      TextBetween(block, "target=\"_blank\"><img src=\"", "\" border=\"0\" width=\"100\"");
  info.title = TextBetween(block, "height: 150%\">", "</span></td>");
  info.category = Field(block, "类&nbsp;&nbsp;&nbsp; 别："_gbk);
  info.author = Field(block, "作&nbsp;&nbsp;&nbsp; 者："_gbk);
  info.length = Field(block, "全文长度："_gbk);
  info.state = Field(block, "文章状态："_gbk);
  info.firstPublish = Field(block, "首发状态："_gbk);
  info.authorisation = Field(block, "授权级别："_gbk);
  info.intro = CleanHtmlText(
      TextBetween(block, "内容简介：</span>"_gbk, "<span class=\"hottext\">最近章节："_gbk));
  info.lastUpdate = Field(block, "最后更新："_gbk);
  info.latestChapter = CutBookLatestChapter(block);
  info.chapterListUrl = CutReadLink(block);
  const GbkText prefix = GbkText(siteBaseUrl) + "/modules/article/packdown.php";
  info.txtDownloadUrl = prefix + CutDownloadTail(block, prefix, "\">TXT 全文"_gbk);
  info.udmDownloadUrl = prefix + CutDownloadTail(block, prefix, "\">UDM 全文"_gbk);
  info.jarDownloadUrl = prefix + CutDownloadTail(block, prefix, "\">JAR 全文"_gbk);
  return info;
}
