#include "net/site_cookies.h"

#include <mutex>

#include "net/cookie_store.h"

namespace {

std::mutex siteCookieTextLock;
GbkText siteCookieText;

}  // namespace

GbkText SiteCookieText() {
  std::lock_guard<std::mutex> guard(siteCookieTextLock);
  return siteCookieText;
}

std::vector<std::pair<GbkText, GbkText>> CookiePairs(const GbkText& cookieText) {
  std::vector<std::pair<GbkText, GbkText>> pairs;
  for (const GbkText& piece : SplitText(cookieText, "; ")) {
    if (FindText(piece, "=") < 0) continue;
    const GbkTextList parts = SplitText(piece, "=");
    // "n=" splits into "n" alone (no empty last piece): its value is "".
    pairs.emplace_back(parts.empty() ? GbkText() : parts[0],
                       parts.size() > 1 ? parts[1] : GbkText());
  }
  return pairs;
}

void RefreshSiteCookies(const GbkText& siteBaseUrl) {
  GbkText cookieText = CookiesForUrl(siteBaseUrl);
  {
    std::lock_guard<std::mutex> guard(siteCookieTextLock);
    siteCookieText = cookieText;
  }
  for (const auto& [name, value] : CookiePairs(cookieText)) {
    SetSessionCookie(siteBaseUrl, name, value);
  }
}
