#pragma once

// The chapter page: its address and the chapter text cut out of it.

#include "scrape/gbk_text.h"

// The address of chapter `chapterNumber`: the chapter list address with
// every "index.html" deleted (exact bytes), then the number in decimal and
// ".html". ".../1234/index.html" and 1234567 give ".../1234/1234567.html".
GbkText ChapterAddress(std::string_view chapterListUrl, long long chapterNumber);

// The text block: from "<div id=\"BookText\">\r" (kept) up to
// "<div class=\"downloads t1\">", letter case ignored; "" without them.
GbkText ChapterTextBlock(std::string_view page);

// The chapter text as the site wrote it: the HTML of the text block after its
// start marker, up to the first "<br><br>&nbsp;&nbsp;" (the site's notice
// follows it); letter case ignored; "" without the markers.
GbkText CutRawChapterText(std::string_view page);

// The chapter text as it goes into the reading page: CutRawChapterText made
// safe with SanitizeChapterHtml (html_sanitizer.h).
GbkText ScrapeChapterText(std::string_view page);
