#include "misbehaviour.h"

#include <charconv>

namespace sample_site {
namespace {

bool ReadNumber(std::string_view text, long long& value) {
  if (text.empty()) return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

}  // namespace

std::optional<Misbehaviour> ParseMisbehaviour(std::string_view switches, std::string* error) {
  Misbehaviour result;
  auto fail = [&](std::string message) -> std::optional<Misbehaviour> {
    if (error != nullptr) *error = std::move(message);
    return std::nullopt;
  };
  while (!switches.empty()) {
    std::size_t comma = switches.find(',');
    std::string_view item = switches.substr(0, comma);
    switches = comma == std::string_view::npos ? std::string_view() : switches.substr(comma + 1);
    if (item.empty()) continue;
    std::size_t equals = item.find('=');
    std::string_view name = item.substr(0, equals);
    std::string_view value =
        equals == std::string_view::npos ? std::string_view() : item.substr(equals + 1);
    long long number = 0;
    bool needsNumber = name == "delay" || name == "status" || name == "huge" ||
                       name == "chunk-delay" || name == "chunk-bytes";
    if (needsNumber && !ReadNumber(value, number)) {
      return fail("'" + std::string(name) + "' needs a number, not '" + std::string(value) + "'");
    }
    if (name == "delay") {
      result.delay = std::chrono::milliseconds(number);
    } else if (name == "redirect") {
      if (value.empty()) return fail("'redirect' needs a target");
      result.redirectTo = std::string(value);
    } else if (name == "error-page") {
      result.errorPage = true;
    } else if (name == "hostile") {
      result.hostile = true;
    } else if (name == "empty") {
      result.emptyBody = true;
    } else if (name == "status") {
      if (number < 100 || number > 599) return fail("'status' must lie between 100 and 599");
      result.status = static_cast<int>(number);
    } else if (name == "huge") {
      result.hugeBodyBytes = static_cast<std::size_t>(number);
    } else if (name == "chunk-delay") {
      result.chunkDelay = std::chrono::milliseconds(number);
    } else if (name == "chunk-bytes") {
      if (number < 1) return fail("'chunk-bytes' must be at least 1");
      result.chunkBytes = static_cast<std::size_t>(number);
    } else if (name == "close-mid-body") {
      result.closeMidBody = true;
    } else {
      return fail("unknown switch '" + std::string(name) + "'");
    }
  }
  return result;
}

bool PathMatches(std::string_view pattern, std::string_view path) {
  if (!pattern.empty() && pattern.back() == '*') {
    pattern.remove_suffix(1);
    return path.substr(0, pattern.size()) == pattern;
  }
  return pattern == path;
}

}  // namespace sample_site
