#include "scrape/chapter_list_page.h"

#include "scrape/gbk_literal.h"
#include "scrape/lazy_match.h"

std::vector<GbkText> ChapterListVolumes(std::string_view page) {
  std::vector<GbkText> volumes;
  const std::optional<LazyMatch> listing =
      FindLazyMatch(page, "到雅虎收藏</a>"_gbk, "<div class=\"bottom\">");
  if (!listing) return volumes;
  for (const LazyMatch& volume : FindLazyMatches(listing->inner, "<ul>", "</ul>"))
    volumes.emplace_back(volume.inner);
  return volumes;
}

std::vector<ChapterLink> CutChapterLinks(std::string_view volume) {
  // <li><a href="(.*?)">(.*?)</a></li> found as its regex would find it: the
  // href runs to the first "\">" after the opening, the title to the first
  // "</a></li>" after that. When either is missing, no later opening can
  // match, so the scan ends.
  static constexpr std::string_view kOpen = "<li><a href=\"";
  static constexpr std::string_view kHrefEnd = "\">";
  static constexpr std::string_view kClose = "</a></li>";
  std::vector<ChapterLink> links;
  size_t from = 0;
  for (;;) {
    const size_t open = volume.find(kOpen, from);
    if (open == std::string_view::npos) break;
    const size_t hrefStart = open + kOpen.size();
    const size_t hrefEnd = volume.find(kHrefEnd, hrefStart);
    if (hrefEnd == std::string_view::npos) break;
    const size_t titleStart = hrefEnd + kHrefEnd.size();
    const size_t titleEnd = volume.find(kClose, titleStart);
    if (titleEnd == std::string_view::npos) break;
    from = titleEnd + kClose.size();
    const std::string_view href = volume.substr(hrefStart, hrefEnd - hrefStart);
    if (href.empty()) continue;
    links.push_back(
        {GbkText(volume.substr(titleStart, titleEnd - titleStart)), TextToInteger(href)});
  }
  return links;
}

std::vector<ChapterLink> ScrapeChapterListPage(std::string_view page) {
  std::vector<ChapterLink> chapters;
  for (const GbkText& volume : ChapterListVolumes(page)) {
    std::vector<ChapterLink> links = CutChapterLinks(volume);
    chapters.insert(chapters.end(), std::make_move_iterator(links.begin()),
                    std::make_move_iterator(links.end()));
  }
  return chapters;
}
