#include "net/cookie_store.h"

#include <curl/curl.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/curl_shared.h"
#include "net/url_parts.h"

namespace {

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};

// An easy handle attached to the shared store, for reading or changing it.
std::unique_ptr<CURL, EasyDeleter> StoreHandle() {
  CURLSH* const share = SharedCurlStore();
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (easy) curl_easy_setopt(easy.get(), CURLOPT_SHARE, share);
  return easy;
}

// One cookie as the store lists it (one "Netscape" line).
struct StoredCookie {
  std::string domain;  // without the leading "." of a domain cookie
  bool includeSubdomains = false;
  std::string path;
  bool secure = false;
  long long expires = 0;  // 0: a session cookie
  std::string name;
  std::string value;
};

std::optional<StoredCookie> ParseCookieLine(std::string_view line) {
  constexpr std::string_view kHttpOnly = "#HttpOnly_";
  if (line.starts_with(kHttpOnly)) line.remove_prefix(kHttpOnly.size());
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < 6) {
    const std::size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) return std::nullopt;
    fields.emplace_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  StoredCookie cookie;
  cookie.domain = LowerCase(fields[0]);
  if (cookie.domain.starts_with('.')) cookie.domain.erase(0, 1);
  cookie.includeSubdomains = fields[1] == "TRUE";
  cookie.path = fields[2];
  cookie.secure = fields[3] == "TRUE";
  cookie.expires = std::atoll(fields[4].c_str());
  cookie.name = fields[5];
  cookie.value = std::string(line.substr(start));
  return cookie;
}

bool DomainMatches(const StoredCookie& cookie, const std::string& host) {
  if (host == cookie.domain) return true;
  return cookie.includeSubdomains && host.size() > cookie.domain.size() &&
         host.ends_with(cookie.domain) && host[host.size() - cookie.domain.size() - 1] == '.';
}

// The cookie path is the request path or a prefix of it that ends at a "/".
bool PathMatches(const std::string& cookiePath, const std::string& requestPath) {
  if (!requestPath.starts_with(cookiePath)) return false;
  return requestPath.size() == cookiePath.size() || cookiePath.ends_with('/') ||
         requestPath[cookiePath.size()] == '/';
}

bool IsAllowedCookieText(const GbkText& text, bool isName) {
  return std::none_of(text.begin(), text.end(), [isName](char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) return true;
    return isName && (c == '=' || c == ';' || c == ' ');
  });
}

}  // namespace

GbkText CookiesForUrl(const GbkText& url) {
  const GbkText host = UrlHostName(url);
  GbkText path = UrlObjectPath(url);
  path = path.substr(0, path.find_first_of("?#"));
  const bool https = UrlIsHttps(url);
  const long long now = static_cast<long long>(std::time(nullptr));

  auto easy = StoreHandle();
  if (!easy || host.empty()) return {};
  curl_slist* list = nullptr;
  if (curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &list) != CURLE_OK) return {};
  std::vector<StoredCookie> matching;
  for (curl_slist* item = list; item != nullptr; item = item->next) {
    std::optional<StoredCookie> cookie = ParseCookieLine(item->data);
    if (!cookie || !DomainMatches(*cookie, host) || !PathMatches(cookie->path, path)) continue;
    if ((cookie->secure && !https) || (cookie->expires != 0 && cookie->expires <= now)) continue;
    matching.push_back(std::move(*cookie));
  }
  curl_slist_free_all(list);

  std::stable_sort(
      matching.begin(), matching.end(),
      [](const StoredCookie& a, const StoredCookie& b) { return a.path.size() > b.path.size(); });
  GbkText text;
  for (const StoredCookie& cookie : matching) {
    if (!text.empty()) text += "; ";
    text += cookie.name + "=" + cookie.value;
  }
  return text;
}

bool SetSessionCookie(const GbkText& url, const GbkText& name, const GbkText& value) {
  const GbkText host = UrlHostName(url);
  if (host.empty() || name.empty() || !IsAllowedCookieText(name, true) ||
      !IsAllowedCookieText(value, false)) {
    return false;
  }
  auto easy = StoreHandle();
  if (!easy) return false;
  // Netscape cookie line: host only, path "/", not secure, expiry 0 (session).
  const std::string line = host + "\tFALSE\t/\tFALSE\t0\t" + name + "\t" + value;
  return curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, line.c_str()) == CURLE_OK;
}

void ClearCookies() {
  auto easy = StoreHandle();
  if (easy) curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
}
