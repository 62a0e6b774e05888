#pragma once

// The local reading page that shows one chapter: the program's own head and
// tail around the chapter text.

#include "scrape/gbk_text.h"

// The 22 lines before the chapter text, byte for byte (lines end in CR LF
// except lines 4 and 5, which end in LF, and line 22, which has no end).
// `readingAssetBaseUrl` is where the page's style sheet and script live,
// `noticeBaseUrl` the address of the blog link.
GbkText ChapterPageHead(std::string_view readingAssetBaseUrl, std::string_view noticeBaseUrl);

// The keyboard tip and the closing tags after the chapter text, without a
// final line end.
const GbkText& ChapterPageTail();

// ChapterPageHead + chapterText + ChapterPageTail, nothing in between.
// `chapterText` must already be safe (ScrapeChapterText in chapter_page.h).
GbkText ReadingPage(std::string_view chapterText, std::string_view readingAssetBaseUrl,
                    std::string_view noticeBaseUrl);

// The file name of a chapter's reading page: the number in decimal + ".html".
GbkText ReadingPageFileName(long long chapterNumber);
