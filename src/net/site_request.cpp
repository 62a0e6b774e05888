#include "net/site_request.h"

#include "net/transfer.h"

namespace {

constexpr std::string_view kDefaultAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr std::string_view kDefaultAcceptLanguage = "Accept-Language: zh-cn\r\n";
constexpr std::string_view kFormContentType = "Content-Type: application/x-www-form-urlencoded\r\n";

bool Contains(const GbkText& text, std::string_view sought) {
  return FindText(text, sought, 1, true) > 0;
}

// The header text cut into its lines (each without its "\r\n"); a last line
// without a line end counts too, empty lines are dropped.
std::vector<GbkText> HeaderLines(const GbkText& headerText) {
  std::vector<GbkText> lines;
  std::size_t start = 0;
  while (start < headerText.size()) {
    std::size_t end = headerText.find('\n', start);
    if (end == GbkText::npos) end = headerText.size();
    std::size_t lineEnd = end;
    if (lineEnd > start && headerText[lineEnd - 1] == '\r') --lineEnd;
    if (lineEnd > start) lines.push_back(headerText.substr(start, lineEnd - start));
    start = end + 1;
  }
  return lines;
}

// Builds the request: the method rule, then the caller's header lines with
// the default lines each added when its name does not occur (letter case
// ignored), then the two body lines of a POST that has post data.
TransferSpec SiteTransfer(const GbkText& url, const GbkText& method, const GbkText& proxy,
                          const GbkText& extraHeaders, const ByteString& postData,
                          bool wantHeaders) {
  TransferSpec spec;
  spec.url = url;
  spec.proxy = proxy;
  spec.wantHeaders = wantHeaders;
  const bool isPost = UpperCase(method) == "POST";
  spec.method = isPost ? method : GbkText("GET");

  GbkText headers = extraHeaders;
  if (!Contains(headers, "Accept: ")) headers += kDefaultAccept;
  if (!Contains(headers, "Referer: ")) headers += "Referer: " + url + "\r\n";
  if (!Contains(headers, "Accept-Language: ")) headers += kDefaultAcceptLanguage;
  if (isPost && !postData.empty()) {
    headers += kFormContentType;
    headers += "Content-Length: " + NumberToText(static_cast<long long>(postData.size())) + "\r\n";
    spec.post = true;
    spec.postData = postData;
  }
  spec.headerLines = HeaderLines(headers);
  return spec;
}

}  // namespace

ByteString SiteRequest(const GbkText& url, const GbkText& method, const GbkText& proxy,
                       const GbkText& extraHeaders, const ByteString& postData,
                       GbkText* responseHeaders) {
  TransferResult result = PerformTransfer(
      SiteTransfer(url, method, proxy, extraHeaders, postData, responseHeaders != nullptr));
  if (responseHeaders != nullptr) *responseHeaders = std::move(result.headers);
  return std::move(result.body);
}

GbkText SiteRequestText(const GbkText& url, const GbkText& method, const GbkText& proxy,
                        const GbkText& extraHeaders, const ByteString& postData,
                        GbkText* responseHeaders) {
  return BytesToText(SiteRequest(url, method, proxy, extraHeaders, postData, responseHeaders));
}
