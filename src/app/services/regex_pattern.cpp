#include "app/services/regex_pattern.h"

#include <boost/regex.hpp>

namespace {

// Fixed patterns on hostile pages must never throw out of a scraper: Boost
// reports runaway matching with exceptions, which end the search as "no
// (further) match".
template <typename F>
auto Guarded(F&& f, decltype(f()) fallback) -> decltype(f()) {
  try {
    return f();
  } catch (const std::runtime_error&) {
    return fallback;
  }
}

RegexMatch ToMatch(const boost::match_results<std::string_view::const_iterator>& m,
                   std::string_view text) {
  RegexMatch match;
  match.position = static_cast<int>(m[0].first - text.begin()) + 1;
  match.whole.assign(m[0].first, m[0].second);
  match.groups.reserve(m.size() > 0 ? m.size() - 1 : 0);
  for (size_t i = 1; i < m.size(); ++i) {
    if (m[i].matched)
      match.groups.emplace_back(m[i].first, m[i].second);
    else
      match.groups.emplace_back();
  }
  return match;
}

}  // namespace

const GbkText& RegexMatch::Group(int n) const {
  static const GbkText kEmpty;
  if (n == 0) return whole;
  if (n < 0 || static_cast<size_t>(n) > groups.size()) return kEmpty;
  return groups[static_cast<size_t>(n) - 1];
}

struct RegexPattern::Impl {
  boost::regex regex;
  bool valid = false;
};

RegexPattern::RegexPattern(std::string_view pattern, bool ignoreCase) : impl_(new Impl) {
  boost::regex::flag_type flags = boost::regex::perl;
  if (ignoreCase) flags |= boost::regex::icase;
  try {
    impl_->regex.assign(pattern.begin(), pattern.end(), flags);
    impl_->valid = true;
  } catch (const boost::regex_error&) {
    impl_->valid = false;
  }
}

RegexPattern::~RegexPattern() = default;
RegexPattern::RegexPattern(RegexPattern&&) noexcept = default;
RegexPattern& RegexPattern::operator=(RegexPattern&&) noexcept = default;

bool RegexPattern::Valid() const {
  return impl_ && impl_->valid;
}

std::vector<RegexMatch> RegexPattern::FindAll(std::string_view text) const {
  std::vector<RegexMatch> matches;
  if (!Valid()) return matches;
  try {
    // "." matches line breaks: match_default without match_not_dot_newline.
    boost::regex_iterator<std::string_view::const_iterator> it(text.begin(), text.end(),
                                                               impl_->regex);
    for (const boost::regex_iterator<std::string_view::const_iterator> end; it != end; ++it)
      matches.push_back(ToMatch(*it, text));
  } catch (const std::runtime_error&) {
    // Keep what was found before the engine gave up.
  }
  return matches;
}

std::optional<RegexMatch> RegexPattern::FindFirst(std::string_view text, int start) const {
  if (!Valid()) return std::nullopt;
  const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from > text.size()) return std::nullopt;
  return Guarded(
      [&]() -> std::optional<RegexMatch> {
        boost::match_results<std::string_view::const_iterator> m;
        auto flags = boost::match_default;
        if (from > 0) flags |= boost::match_prev_avail;
        if (!boost::regex_search(text.begin() + from, text.end(), m, impl_->regex, flags))
          return std::nullopt;
        return ToMatch(m, text);
      },
      std::nullopt);
}

GbkText RegexPattern::ReplaceAll(std::string_view text, std::string_view replacement) const {
  if (!Valid()) return GbkText(text);
  return Guarded(
      [&]() -> GbkText {
        GbkText out;
        boost::regex_replace(std::back_inserter(out), text.begin(), text.end(), impl_->regex,
                             std::string(replacement), boost::regex_constants::format_literal);
        return out;
      },
      GbkText(text));
}
