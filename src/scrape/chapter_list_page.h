#pragma once

// The chapter list page of a book: chapter titles and numbers in page order.

#include <vector>

#include "scrape/gbk_text.h"

struct ChapterLink {
  GbkText title;   // the link text, exactly as on the page
  int number = 0;  // the number the href begins with (1234567.html: 1234567), 0 if none
};

// The listing (the first match of "到雅虎收藏</a>(.*?)<div class=\"bottom\">",
// group 1) cut into its volumes (the matches of "<ul>(.*?)</ul>", group 1),
// in page order. Loaders cut the volumes one at a time with CutChapterLinks
// so that chapters appear as they are cut.
std::vector<GbkText> ChapterListVolumes(std::string_view page);

// The chapter links of one volume, the matches of
// "<li><a href=\"(.*?)\">(.*?)</a></li>" in order; links with an empty href
// are left out. All markers are case-sensitive.
std::vector<ChapterLink> CutChapterLinks(std::string_view volume);

// Every chapter of the page, volume after volume.
std::vector<ChapterLink> ScrapeChapterListPage(std::string_view page);
