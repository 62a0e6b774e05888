#include "scrape/chapter_page.h"

#include "scrape/html_sanitizer.h"
#include "scrape/markers.h"

namespace {

constexpr std::string_view kTextStart = "<div id=\"BookText\">\r";

}  // namespace

GbkText ChapterAddress(std::string_view chapterListUrl, long long chapterNumber) {
  return ReplaceSubtext(chapterListUrl, "index.html", {}, 1, -1, true) +
         NumberToText(chapterNumber) + ".html";
}

GbkText ChapterTextBlock(std::string_view page) {
  return TextBetween(page, kTextStart, "<div class=\"downloads t1\">", false,
                     BetweenMode::kStartMarker);
}

GbkText CutRawChapterText(std::string_view page) {
  return TextBetween(ChapterTextBlock(page), kTextStart, "<br><br>&nbsp;&nbsp;");
}

GbkText ScrapeChapterText(std::string_view page) {
  return SanitizeChapterHtml(CutRawChapterText(page));
}
