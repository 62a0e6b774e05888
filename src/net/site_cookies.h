#pragma once

// Re-writing the site's cookies as session cookies after login and logout.

#include <utility>
#include <vector>

#include "scrape/gbk_text.h"

// The cookie text last read by RefreshSiteCookies ("" before the first
// refresh). Safe from any thread; the text is replaced as a whole.
GbkText SiteCookieText();

// The (name, value) pairs of a cookie text "a=1; b=2": pieces cut at "; ",
// each cut at "="; the value is the text between the first and the second
// "=" ("k=x=y" gives k and x), "n=" gives n and "", a piece without "=" is
// skipped.
std::vector<std::pair<GbkText, GbkText>> CookiePairs(const GbkText& cookieText);

// Reads all cookies of `siteBaseUrl` from the shared store into
// SiteCookieText, then sets each pair of CookiePairs, in order, as a session
// cookie of that site.
void RefreshSiteCookies(const GbkText& siteBaseUrl);
