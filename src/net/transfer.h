#pragma once

// The request engine under SiteRequest and HttpReadFile: one libcurl easy
// handle per call, sending exactly the request described (no header of
// libcurl's own beyond Host, User-Agent and the shared store's Cookie), with
// the shared cookie store, the request time limits, redirects followed and a
// stop request of the calling job honoured.

#include <string>
#include <vector>

#include "net/request_limits.h"
#include "scrape/gbk_text.h"

// The user agent of every request.
inline constexpr std::string_view kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The response header block is cut at this size.
inline constexpr std::size_t kMaxResponseHeaderBytes = 1024;

struct TransferSpec {
  GbkText url;                       // split with UrlHostName, UrlPort, UrlObjectPath
  GbkText method = "GET";            // sent as spelled
  bool post = false;                 // send postData as the body
  GbkText proxy;                     // HTTP proxy address for http:// requests, or none
  std::vector<GbkText> headerLines;  // in order, without their line ends
  ByteString postData;
  bool http10 = false;       // HTTP/1.0 instead of HTTP/1.1
  bool wantHeaders = false;  // fill TransferResult::headers
};

struct TransferResult {
  ByteString body;        // what arrived, up to RequestBodyLimit()
  GbkText headers;        // the final response's raw header block, when asked for
  long status = 0;        // the final HTTP status, 0 when none arrived
  bool complete = false;  // the whole body arrived (no error, cut or stop)
};

// Performs one request. Never throws; a request that cannot be made gives an
// empty, incomplete result. A URL holding a line break is refused.
TransferResult PerformTransfer(const TransferSpec& spec);
