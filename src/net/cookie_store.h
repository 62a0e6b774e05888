#pragma once

// The cookie store shared by every request (SiteRequest, SiteRequestText,
// HttpReadFile): cookies that an answer sets are kept there and sent with
// later requests to the same site, from any thread.

#include "scrape/gbk_text.h"

// All cookies that a request to `url` would carry, as "name=value" pairs
// joined by "; " (cookies with longer paths first); ""
// when there are none. Domain, path, the secure flag and expiry are matched
// as for a request.
GbkText CookiesForUrl(const GbkText& url);

// Sets a session cookie (no expiry) of `name` for the host of `url` (that
// host only, path "/"), replacing one of the same name, host and path. An
// empty name, or a name or value holding a control byte, or a name holding
// "=", ";" or a blank, is refused (false).
bool SetSessionCookie(const GbkText& url, const GbkText& name, const GbkText& value);

// Forgets every cookie (tests).
void ClearCookies();
