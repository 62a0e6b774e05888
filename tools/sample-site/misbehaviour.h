#pragma once

// Ways the sample site misbehaves on purpose, set per path from the command
// line ("--misbehave PATH:SWITCHES") or from the in-process API. Several
// switches may be combined; they apply in the order of the fields below.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "scrape/gbk_text.h"

namespace sample_site {

struct Misbehaviour final {
  // Wait this long before answering.
  std::chrono::milliseconds delay{0};
  // Answer "302 Found" with this Location (a path on this site or an
  // absolute address) instead of the page.
  std::string redirectTo;
  // Serve these bytes instead of the page.
  std::optional<ByteString> body;
  // Serve the site's error page ("出现错误！", the 30-second search message).
  bool errorPage = false;
  // Chapter pages carry the hostile HTML (scripts, frames, objects, event
  // handlers, javascript: links, a script reading a local file).
  bool hostile = false;
  // Serve an empty body (Content-Length: 0).
  bool emptyBody = false;
  // Answer with this status (for example 500) and the body all the same.
  int status = 0;
  // Pad the body with filler up to this many bytes.
  std::size_t hugeBodyBytes = 0;
  // Send the body in chunks of chunkBytes with this pause between them.
  std::chrono::milliseconds chunkDelay{0};
  std::size_t chunkBytes = 512;
  // Announce the whole length, send the first half of the body, then close
  // the connection.
  bool closeMidBody = false;
};

// Parses switches separated by ",": "delay=MS", "redirect=TARGET",
// "error-page", "hostile", "empty", "status=CODE", "huge=BYTES",
// "chunk-delay=MS", "chunk-bytes=N", "close-mid-body". Unknown switches or
// bad numbers give nothing and a message in `error`.
std::optional<Misbehaviour> ParseMisbehaviour(std::string_view switches, std::string* error);

// Whether a request path matches a path pattern: "*" matches every path, a
// pattern ending in "*" every path that begins with the rest, any other
// pattern only the same path (case-sensitive).
bool PathMatches(std::string_view pattern, std::string_view path);

}  // namespace sample_site
