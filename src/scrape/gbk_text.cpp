#include "scrape/gbk_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr bool IsLead(unsigned char b) {
  return b >= 0x80;
}
constexpr bool IsUpper(unsigned char b) {
  return b >= 'A' && b <= 'Z';
}
constexpr bool IsLower(unsigned char b) {
  return b >= 'a' && b <= 'z';
}
constexpr bool IsLetter(unsigned char b) {
  return IsUpper(b) || IsLower(b);
}
constexpr unsigned char Fold(unsigned char b) {
  return IsUpper(b) ? b + ('a' - 'A') : b;
}

// Whether `sought` equals the bytes of `text` at `at` (which must leave room).
// Latin letters of single-byte characters are folded when ignoring case;
// double-byte characters always compare exactly.
bool MatchesAt(std::string_view text, size_t at, std::string_view sought, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(text.data() + at, sought.data(), sought.size()) == 0;
  for (size_t j = 0; j < sought.size(); ++j) {
    const unsigned char s = sought[j];
    const unsigned char t = text[at + j];
    if (IsLead(s)) {
      if (s != t) return false;
      if (j + 1 < sought.size()) {
        ++j;
        if (static_cast<unsigned char>(sought[j]) != static_cast<unsigned char>(text[at + j]))
          return false;
      }
      continue;
    }
    if (Fold(s) != Fold(t)) return false;
  }
  return true;
}

// Tells whether positions are character starts, for a walk that began at a
// known start. Positions must be asked in increasing order. A byte below 0x80
// is always followed by a character start (it is a character of its own or
// the second half of one), so only the run of high bytes just before a
// position needs counting; each byte is looked at most once per search.
class BoundaryWalker {
 public:
  BoundaryWalker(std::string_view text, size_t from) : text_(text), known_(from) {}
  bool IsBoundary(size_t pos) {
    if (pos == known_) return true;
    size_t k = pos;
    while (k > known_ && IsLead(static_cast<unsigned char>(text_[k - 1]))) --k;
    const bool boundary = (pos - k) % 2 == 0;
    known_ = boundary ? pos : pos + 1;
    return boundary;
  }

 private:
  std::string_view text_;
  size_t known_;  // a character start at or before every position still to be asked
};

// First occurrence of `sought` (non-empty) in text[from, end) that starts on a
// character boundary counted from `from` and ends within `end`; npos if none.
size_t FindForward(std::string_view text, size_t from, size_t end, std::string_view sought,
                   bool ignoreCase) {
  const size_t n = sought.size();
  if (end < from || end - from < n) return std::string_view::npos;
  BoundaryWalker walker(text, from);
  const char* base = text.data();
  // Scan for an anchor byte that compares exactly: the first byte that is not
  // a Latin letter (or any byte when case matters), then verify around it.
  size_t anchor = 0;
  if (ignoreCase) {
    while (anchor < n && IsLetter(static_cast<unsigned char>(sought[anchor]))) ++anchor;
  }
  if (!ignoreCase) {
    size_t pos = from;
    while (pos + n <= end) {
      const void* hit = memmem(base + pos, end - pos, sought.data(), n);
      if (!hit) return std::string_view::npos;
      const size_t at = static_cast<const char*>(hit) - base;
      if (walker.IsBoundary(at)) return at;
      pos = at + 1;
    }
    return std::string_view::npos;
  }
  if (anchor == n) {
    // Letters only: compare folded bytes at every character start.
    for (size_t at = from; at + n <= end;) {
      if (MatchesAt(text, at, sought, true)) return at;
      at += IsLead(static_cast<unsigned char>(text[at])) ? 2 : 1;
    }
    return std::string_view::npos;
  }
  const char anchorByte = sought[anchor];
  size_t scan = from + anchor;
  while (scan + (n - anchor) <= end) {
    const void* hit = std::memchr(base + scan, anchorByte, end - scan - (n - anchor) + 1);
    if (!hit) return std::string_view::npos;
    const size_t anchorAt = static_cast<const char*>(hit) - base;
    const size_t at = anchorAt - anchor;
    if (MatchesAt(text, at, sought, true) && walker.IsBoundary(at)) return at;
    scan = anchorAt + 1;
  }
  return std::string_view::npos;
}

GbkText ChangeCase(std::string_view text, bool upper) {
  GbkText out(text);
  for (size_t i = 0; i < out.size();) {
    const unsigned char b = out[i];
    if (IsLead(b)) {
      i += 2;
      continue;
    }
    if (upper && IsLower(b)) out[i] = static_cast<char>(b - ('a' - 'A'));
    if (!upper && IsUpper(b)) out[i] = static_cast<char>(b + ('a' - 'A'));
    ++i;
  }
  return out;
}

}  // namespace

int TextLength(std::string_view text) {
  return static_cast<int>(text.size());
}

int FindText(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
  const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from >= text.size()) return -1;
  if (sought.empty()) return 1;
  const size_t at = FindForward(text, from, text.size(), sought, ignoreCase);
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

int FindTextReverse(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
  if (start <= 1) return -1;
  const size_t limit =
      static_cast<size_t>(start) - 1 >= text.size() ? text.size() : static_cast<size_t>(start) - 1;
  if (limit == 0) return -1;
  if (sought.empty()) return 1;
  // Walk forward from the first byte and keep the last hit that fits.
  int last = -1;
  size_t from = 0;
  while (true) {
    const size_t at = FindForward(text, from, limit, sought, ignoreCase);
    if (at == std::string_view::npos) break;
    last = static_cast<int>(at) + 1;
    from = at + (IsLead(static_cast<unsigned char>(text[at])) ? 2 : 1);
    if (from >= limit) break;
  }
  return last;
}

GbkText TextLeft(std::string_view text, long long count) {
  if (count <= 0) return {};
  return GbkText(text.substr(0, static_cast<size_t>(std::min<long long>(count, text.size()))));
}

GbkText TextRight(std::string_view text, long long count) {
  if (count <= 0) return {};
  const size_t n = static_cast<size_t>(std::min<long long>(count, text.size()));
  return GbkText(text.substr(text.size() - n));
}

GbkText TextMid(std::string_view text, long long position, long long count) {
  if (position < 1 || count <= 0 || position > static_cast<long long>(text.size())) return {};
  return GbkText(text.substr(static_cast<size_t>(position - 1),
                             static_cast<size_t>(std::min<long long>(count, text.size()))));
}

GbkText ReplaceSubtext(std::string_view text, std::string_view sought, std::string_view replacement,
                       int start, int maxReplacements, bool caseSensitive) {
  if (text.empty() || sought.empty()) return GbkText(text);
  const size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from >= text.size() || maxReplacements == 0) return GbkText(text);
  GbkText out;
  out.reserve(text.size());
  out.append(text.substr(0, from));
  size_t pos = from;
  int done = 0;
  while (maxReplacements < 0 || done < maxReplacements) {
    const size_t at = FindForward(text, pos, text.size(), sought, !caseSensitive);
    if (at == std::string_view::npos) break;
    out.append(text.substr(pos, at - pos));
    out.append(replacement);
    pos = at + sought.size();
    ++done;
  }
  out.append(text.substr(pos));
  return out;
}

GbkText ReplaceTextAt(std::string_view text, long long position, long long length,
                      std::string_view replacement) {
  const long long size = static_cast<long long>(text.size());
  long long p = position < 1 ? 1 : position;
  if (p > size + 1) p = size + 1;
  const long long removed = length <= 0 ? 0 : std::min(length, size - (p - 1));
  GbkText out;
  out.reserve(text.size() + replacement.size());
  out.append(text.substr(0, static_cast<size_t>(p - 1)));
  out.append(replacement);
  out.append(text.substr(static_cast<size_t>(p - 1 + removed)));
  return out;
}

GbkTextList SplitText(std::string_view text, std::string_view separator, int maxPieces) {
  GbkTextList pieces;
  if (text.empty()) return pieces;
  if (separator.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  auto full = [&] { return maxPieces > 0 && static_cast<int>(pieces.size()) >= maxPieces; };
  size_t pos = 0;
  while (!full()) {
    const size_t at = FindForward(text, pos, text.size(), separator, false);
    if (at == std::string_view::npos) {
      if (pos < text.size()) pieces.emplace_back(text.substr(pos));
      break;
    }
    pieces.emplace_back(text.substr(pos, at - pos));
    pos = at + separator.size();
  }
  return pieces;
}

int CompareText(std::string_view a, std::string_view b, bool caseSensitive) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = a[i], y = b[i];
    if (!caseSensitive) {
      x = Fold(x);
      y = Fold(y);
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

GbkText UpperCase(std::string_view text) {
  return ChangeCase(text, true);
}
GbkText LowerCase(std::string_view text) {
  return ChangeCase(text, false);
}

double TextToNumber(std::string_view text) {
  // Full-width forms (GBK 0xA3 row): digits A3B0-A3B9, + A3AB, - A3AD, . A3AE.
  std::string ascii;
  ascii.reserve(std::min<size_t>(text.size(), 64));
  for (size_t i = 0; i < text.size() && ascii.size() < 400;) {
    const unsigned char b = text[i];
    if (IsLead(b)) {
      if (i + 1 < text.size() && b == 0xA3) {
        const unsigned char t = text[i + 1];
        if (t >= 0xB0 && t <= 0xB9)
          ascii.push_back(static_cast<char>('0' + (t - 0xB0)));
        else if (t == 0xAB)
          ascii.push_back('+');
        else if (t == 0xAD)
          ascii.push_back('-');
        else if (t == 0xAE)
          ascii.push_back('.');
        else
          break;
      } else {
        break;
      }
      i += 2;
      continue;
    }
    ascii.push_back(static_cast<char>(b));
    ++i;
  }
  size_t p = 0;
  while (p < ascii.size() && (ascii[p] == ' ' || ascii[p] == '\t')) ++p;
  bool negative = false;
  if (p < ascii.size() && (ascii[p] == '+' || ascii[p] == '-')) {
    negative = ascii[p] == '-';
    ++p;
  }
  double value = 0;
  const char* first = ascii.data() + p;
  const char* last = ascii.data() + ascii.size();
  if (first == last || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '.'))
    return 0;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond the range of a double: a negative exponent means underflow (0),
    // anything else overflow (the largest double).
    const char* e = std::find_if(first, result.ptr, [](char c) { return c == 'e' || c == 'E'; });
    const bool underflow = e != result.ptr && e + 1 < result.ptr && e[1] == '-';
    value = underflow ? 0.0 : std::numeric_limits<double>::max();
  } else if (result.ec != std::errc()) {
    return 0;
  }
  return negative ? -value : value;
}

int TextToInteger(std::string_view text) {
  const double v = std::trunc(TextToNumber(text));
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(std::numeric_limits<int>::max()))
    return std::numeric_limits<int>::max();
  if (v <= static_cast<double>(std::numeric_limits<int>::min()))
    return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

GbkText NumberToText(long long number) {
  return std::to_string(number);
}

GbkText BytesToText(std::string_view bytes) {
  const size_t zero = bytes.find('\0');
  return GbkText(zero == std::string_view::npos ? bytes : bytes.substr(0, zero));
}
