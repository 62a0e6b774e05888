#include "net/url_parts.h"

#include <climits>

namespace {

constexpr std::string_view kHttp = "http://";
constexpr std::string_view kHttps = "https://";

bool StartsWithNoCase(const GbkText& text, std::string_view prefix) {
  return CompareText(TextLeft(text, static_cast<long long>(prefix.size())), prefix, false) == 0;
}

// Length of the leading "http://" or "https://", 0 without a scheme.
int SchemeLength(const GbkText& url) {
  if (StartsWithNoCase(url, kHttp)) return static_cast<int>(kHttp.size());
  if (StartsWithNoCase(url, kHttps)) return static_cast<int>(kHttps.size());
  return 0;
}

// The text between the scheme and the first "/" after it, port included.
GbkText HostPart(const GbkText& url) {
  const int schemeLength = SchemeLength(url);
  const int slash = FindText(url, "/", schemeLength + 1);
  if (slash < 0) return TextMid(url, schemeLength + 1, TextLength(url));
  return TextMid(url, schemeLength + 1, slash - schemeLength - 1);
}

}  // namespace

bool UrlIsHttps(const GbkText& url) {
  return StartsWithNoCase(url, kHttps);
}

GbkText UrlHostName(const GbkText& url) {
  GbkText host = HostPart(url);
  const int colon = FindText(host, ":");
  if (colon > 0) host = TextLeft(host, colon - 1);
  return LowerCase(host);
}

int UrlPort(const GbkText& url) {
  const GbkText host = HostPart(url);
  const int colon = FindText(host, ":");
  if (colon < 0) return UrlIsHttps(url) ? 443 : 80;
  long long port = 0;
  for (std::size_t i = static_cast<std::size_t>(colon); i < host.size(); ++i) {
    const char c = host[i];
    if (c < '0' || c > '9') break;
    port = port * 10 + (c - '0');
    if (port > INT_MAX) return INT_MAX;  // no valid port; refused when connecting
  }
  return static_cast<int>(port);
}

GbkText UrlObjectPath(const GbkText& url) {
  // The search starts after the scheme, so that a host such as "t" is not
  // found inside the scheme word.
  const GbkText host = UrlHostName(url);
  const int from = SchemeLength(url) + 1;
  const int hostAt = host.empty() ? from : FindText(url, host, from, true);
  const int slash = hostAt < 0 ? -1 : FindText(url, "/", hostAt);
  if (slash < 0) return "/";
  return TextMid(url, slash, TextLength(url));
}
