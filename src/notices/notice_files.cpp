#include "notices/notice_files.h"

#include "net/http_read_file.h"

TickerFiles TickerFilesOf(TickerKind kind) {
  switch (kind) {
    case TickerKind::kMain:
      return {"/ad/bookwisp/ad2.txt", "/ad/bookwisp/ad3.txt"};
    case TickerKind::kInfo:
      return {"/ad/bookwisp/ad4.txt", "/ad/bookwisp/ad5.txt"};
    case TickerKind::kReader:
      break;
  }
  return {"/ad/bookwisp/ad6.txt", "/ad/bookwisp/ad7.txt"};
}

NoticeLinkTexts CutNoticeLink(std::string_view captionBytes, std::string_view targetBytes) {
  return {BytesToText(captionBytes), BytesToText(targetBytes)};
}

std::optional<TickerTexts> CutTickerTexts(std::string_view textsBytes,
                                          std::string_view targetsBytes) {
  const GbkText texts = BytesToText(textsBytes);
  if (texts.empty()) return std::nullopt;
  return TickerTexts{SplitText(texts, kTickerSeparator),
                     SplitText(BytesToText(targetsBytes), kTickerSeparator)};
}

namespace {

ByteString FetchNoticeFile(const GbkText& noticeBaseUrl, std::string_view path) {
  return HttpReadFile(noticeBaseUrl + GbkText(path));
}

}  // namespace

NoticeLinkTexts FetchNoticeLink(const GbkText& noticeBaseUrl) {
  const ByteString caption = FetchNoticeFile(noticeBaseUrl, kNoticeCaptionPath);
  const ByteString target = FetchNoticeFile(noticeBaseUrl, kNoticeTargetPath);
  return CutNoticeLink(caption, target);
}

std::optional<TickerTexts> FetchTickerTexts(const GbkText& noticeBaseUrl, TickerKind kind) {
  const TickerFiles files = TickerFilesOf(kind);
  const ByteString texts = FetchNoticeFile(noticeBaseUrl, files.textsPath);
  const ByteString targets = FetchNoticeFile(noticeBaseUrl, files.targetsPath);
  return CutTickerTexts(texts, targets);
}
