#include "scrape/lazy_match.h"

std::optional<LazyMatch> FindLazyMatch(std::string_view text, std::string_view open,
                                       std::string_view close, size_t from) {
  if (from > text.size()) return std::nullopt;
  const size_t start = text.find(open, from);
  if (start == std::string_view::npos) return std::nullopt;
  const size_t innerStart = start + open.size();
  const size_t end = text.find(close, innerStart);
  if (end == std::string_view::npos) return std::nullopt;
  return LazyMatch{text.substr(start, end + close.size() - start),
                   text.substr(innerStart, end - innerStart)};
}

std::vector<LazyMatch> FindLazyMatches(std::string_view text, std::string_view open,
                                       std::string_view close) {
  std::vector<LazyMatch> matches;
  size_t from = 0;
  while (const std::optional<LazyMatch> match = FindLazyMatch(text, open, close, from)) {
    from = static_cast<size_t>(match->whole.data() - text.data()) + match->whole.size();
    // Empty markers would match empty text at every place; move on by one byte.
    if (match->whole.empty()) ++from;
    matches.push_back(*match);
  }
  return matches;
}
