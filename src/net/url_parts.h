#pragma once

// Splitting a site address into the parts a connection needs: host name,
// port and object path. Addresses may start with "http://" or "https://"
// (any letter case) or with the host name itself ("host/list/2.html").

#include "scrape/gbk_text.h"

// The host, lower-cased, without a port: the text after the scheme (or from
// the start when there is none) up to the first "/", cut at its first ":".
GbkText UrlHostName(const GbkText& url);

// The decimal number after the first ":" of the host part (its leading
// digits, 0 when there are none); 80 without a ":" (443 for "https://").
int UrlPort(const GbkText& url);

// The rest of the address from the first "/" after the start of the host
// name (path and query), or "/" when there is none.
GbkText UrlObjectPath(const GbkText& url);

// Whether the address starts with "https://" in any letter case.
bool UrlIsHttps(const GbkText& url);
