#pragma once

// Linear scans that find exactly what the regular expression open.*?close
// finds (case-sensitive, "." matching every byte, non-overlapping matches from
// left to right). A regex engine tries every occurrence of `open` against the
// rest of the text, which costs quadratic time on a page with many openings
// and no closing; the scan finds an opening, then the first closing after it,
// and stops for good when there is none, since no later opening can have one.
//
// Like the regex, the scans compare raw bytes: they do not walk double-byte
// characters, so a marker may be found inside one.

#include <optional>
#include <string_view>
#include <vector>

struct LazyMatch {
  std::string_view whole;  // from the opening to the end of the closing
  std::string_view inner;  // between them (group 1 of open(.*?)close)
};

// The first match starting at or after byte offset `from`, if any.
std::optional<LazyMatch> FindLazyMatch(std::string_view text, std::string_view open,
                                       std::string_view close, size_t from = 0);

// All non-overlapping matches from left to right. Views into `text`.
std::vector<LazyMatch> FindLazyMatches(std::string_view text, std::string_view open,
                                       std::string_view close);
