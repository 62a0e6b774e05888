#pragma once

// The outside links: the reader menu's "Tavelin博客" and the three picture
// buttons of InfoView that open the open book's whole-book downloads. Each
// address is handed to the default browser as it is (Desktop().OpenUrl).

#include "app/services/shared_state.h"
#include "scrape/gbk_text.h"

// The picture buttons of InfoView: 3 opens the TXT, 4 the UDM and 5 the JAR
// download of the open book.
enum class BookDownload { kTxt, kUdm, kJar };

// The reader menu's blog address: the notice server's bare base address.
GbkText BlogUrl(const GbkText& noticeBaseUrl);

// The download address a picture button opens, as the book information page
// last wrote it ("" before any book was opened).
GbkText BookDownloadUrl(BookDownload which, const SharedState& shared);

// Opens BlogUrl in the default browser.
void OpenBlog(const GbkText& noticeBaseUrl);

// Opens BookDownloadUrl in the default browser.
void OpenBookDownload(BookDownload which, const SharedState& shared);
