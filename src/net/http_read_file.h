#pragma once

// The plain GET with which the notice texts, the version file and covers are
// fetched.

#include "scrape/gbk_text.h"

// Fetches `url` with HTTP/1.0 and "Accept: */*" as its only Accept line,
// never from a cache, following redirects and using the shared cookie store,
// and returns the body bytes. Gives "" on any failure: an empty address, no
// connection, a transfer that fails part-way or is stopped, a body over
// 64 MiB, and an answer with an HTTP error status (400 and above), so that an
// error page is never taken for the file asked for.
ByteString HttpReadFile(const GbkText& url);
