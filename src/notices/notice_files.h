#pragma once

// The notice server's small text files: the notice line under the book list
// and the texts and targets of the three message tickers.
//
// Each file is plain GBK text fetched with HttpReadFile from NoticeBaseUrl +
// its path and taken up to its first zero byte; a file that cannot be fetched
// reads as empty text. Ticker files hold pieces separated by "|" (a "|" that
// is the second byte of a double-byte character does not separate); the i-th
// piece of a targets file is the address of the i-th piece of its texts file.

#include <optional>
#include <string_view>

#include "scrape/gbk_text.h"

inline constexpr std::string_view kNoticeCaptionPath = "/ad/bookwisp/gg1.txt";
inline constexpr std::string_view kNoticeTargetPath = "/ad/bookwisp/gg2.txt";
inline constexpr std::string_view kTickerSeparator = "|";

// The three message tickers: MainTicker in MainWindow's search bar,
// InfoTicker inside InfoView and ReaderTicker at the top of ReaderWindow.
enum class TickerKind { kMain, kInfo, kReader };

// Paths (below NoticeBaseUrl) of a ticker's texts file and targets file.
struct TickerFiles {
  std::string_view textsPath;
  std::string_view targetsPath;
};

// ad2/ad3 for MainTicker, ad4/ad5 for InfoTicker, ad6/ad7 for ReaderTicker.
TickerFiles TickerFilesOf(TickerKind kind);

// Caption and target of NoticeLink. Both are written whatever they are: an
// empty caption empties the line, an empty target makes a click open nothing.
struct NoticeLinkTexts {
  GbkText caption;
  GbkText target;
};

// A ticker's messages and their addresses, in the order of the files. The
// targets list may be shorter than the texts list (a short or missing
// targets file); a message without a target opens nothing.
struct TickerTexts {
  GbkTextList texts;
  GbkTextList targets;
};

// NoticeLink's texts from the bodies of gg1.txt and gg2.txt.
NoticeLinkTexts CutNoticeLink(std::string_view captionBytes, std::string_view targetBytes);

// A ticker's lists from the bodies of its texts and targets files, or nothing
// when the texts file is empty (the ticker then keeps its lists and stays as
// it is). Trailing "|" adds no piece; two in a row give an empty piece.
std::optional<TickerTexts> CutTickerTexts(std::string_view textsBytes,
                                          std::string_view targetsBytes);

// Fetches gg1.txt and gg2.txt from the notice server and cuts them
// (LoadNoticeLink's work without the window). Blocks for the two requests.
NoticeLinkTexts FetchNoticeLink(const GbkText& noticeBaseUrl);

// Fetches the ticker's texts file, then its targets file, and cuts them.
// Nothing when the texts file is empty or cannot be fetched.
std::optional<TickerTexts> FetchTickerTexts(const GbkText& noticeBaseUrl, TickerKind kind);
