#pragma once

// The book information page: the book's data, its cover and chapter list
// addresses and the three whole-book download addresses.

#include "scrape/gbk_text.h"

// Every field is the raw text between its markers (HTML inside stays),
// except the introduction, which has been through CleanHtmlText. Empty when
// the page lacks the markers of a field.
struct BookInfo {
  GbkText coverUrl;
  GbkText title;
  GbkText category;
  GbkText author;
  GbkText length;
  GbkText state;
  GbkText firstPublish;
  GbkText authorisation;
  GbkText intro;
  GbkText lastUpdate;
  GbkText latestChapter;
  GbkText chapterListUrl;
  // SiteBaseUrl + "/modules/article/packdown.php" + the tail cut from the
  // page; just that prefix when the page has no such link.
  GbkText txtDownloadUrl;
  GbkText udmDownloadUrl;
  GbkText jarDownloadUrl;
};

// The information block that every field is cut from: from "height: 150%"
// to "作品关键字：", both markers kept (letter case ignored). Without them it
// is the end marker alone.
GbkText BookInfoBlock(std::string_view page);

// The latest chapter's link text: after "最近章节：</span>", from the ">" up
// to "</a><br />".
GbkText CutBookLatestChapter(std::string_view infoBlock);

// The href of the "点击阅读" link after the separator cell
// "<td bgcolor=\"#000000\" height=\"1\"></td>\r": the chapter list address.
GbkText CutReadLink(std::string_view infoBlock);

// The tail of a download link: what stands between the prefix (SiteBaseUrl +
// "/modules/article/packdown.php") and `endMarker` ("\">TXT 全文" and so on).
// The end marker is the first one after the first prefix, and the tail starts
// after the last prefix before that end marker, so that each of the three
// links gets its own tail whatever their order. "" when either is missing.
GbkText CutDownloadTail(std::string_view infoBlock, std::string_view prefix,
                        std::string_view endMarker);

// All fields of the page. `siteBaseUrl` is the site's base address (scheme
// and host, no trailing slash) that the download links begin with.
BookInfo ScrapeBookInfoPage(std::string_view page, std::string_view siteBaseUrl);
