#pragma once

// The program's request routine for the novel site.
//
// One call sends one request: the method rule (a POST in any spelling is sent
// as spelled with its body, anything else as "GET"), the object path of the
// URL, HTTP/1.1, the caller's header lines followed by the default Accept,
// Referer (the URL itself) and Accept-Language lines where the caller gave
// none. Cookies come from and go to the shared store (cookie_store.h),
// redirects are followed, nothing is cached and the HTTP status is not
// examined: an error page's body is returned like any other. Connecting and a
// stalled transfer are limited to 18 s each (request_limits.h); a stop
// request of the calling job ends the transfer promptly. Any number of calls
// may run at once on different threads.

#include "net/request_limits.h"
#include "scrape/gbk_text.h"

// Performs the request and returns the body bytes (zero bytes included). A
// request that cannot be made gives "", a transfer that fails part-way, is
// stopped or exceeds 64 MiB gives the bytes read so far (at most 64 MiB).
// `extraHeaders` are whole lines each ending in "\r\n". When `responseHeaders`
// is given it receives the raw header block of the final response (status
// line included, cut at 1024 bytes), "" when none arrived.
ByteString SiteRequest(const GbkText& url, const GbkText& method = {}, const GbkText& proxy = {},
                       const GbkText& extraHeaders = {}, const ByteString& postData = {},
                       GbkText* responseHeaders = nullptr);

// The same request; returns the body up to, not including, its first zero
// byte.
GbkText SiteRequestText(const GbkText& url, const GbkText& method = {}, const GbkText& proxy = {},
                        const GbkText& extraHeaders = {}, const ByteString& postData = {},
                        GbkText* responseHeaders = nullptr);
