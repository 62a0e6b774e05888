#pragma once

// Perl-syntax regular expressions on GBK byte strings (Boost.Regex).
// "." matches every byte including line breaks; "*?" is the shortest match.
// Patterns are compiled from the literal bytes: none of the program's GBK
// literals has a trail byte that is a regular-expression metacharacter.

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "scrape/gbk_text.h"

struct RegexMatch {
  int position = -1;            // 1-based position of the whole match
  GbkText whole;                // the matched text
  std::vector<GbkText> groups;  // groups 1..n ("" for a group that took no part)

  // Group n, counted from 1 (0 is the whole match); "" when there is none.
  const GbkText& Group(int n) const;
};

class RegexPattern final {
 public:
  // An invalid pattern gives a pattern that never matches (Valid() is false).
  explicit RegexPattern(std::string_view pattern, bool ignoreCase = false);
  ~RegexPattern();
  RegexPattern(RegexPattern&&) noexcept;
  RegexPattern& operator=(RegexPattern&&) noexcept;

  bool Valid() const;

  // All non-overlapping matches from left to right.
  std::vector<RegexMatch> FindAll(std::string_view text) const;

  // The first match at or after the 1-based `start` (below 1 counts as 1).
  std::optional<RegexMatch> FindFirst(std::string_view text, int start = 1) const;

  // Every match replaced by `replacement` (taken literally, no $n expansion).
  GbkText ReplaceAll(std::string_view text, std::string_view replacement) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
