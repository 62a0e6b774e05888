#include "store/gbk_chars.h"

namespace {

char FoldLatin(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t GbkCharLength(std::string_view text, std::size_t position) {
  const auto byte = static_cast<unsigned char>(text[position]);
  return byte >= 0x80 && position + 1 < text.size() ? 2 : 1;
}

bool GbkCharsEqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a.size() == 1) return FoldLatin(a[0]) == FoldLatin(b[0]);
  return a == b;
}

bool GbkNamesEqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size()) {
    const std::size_t length = GbkCharLength(a, i);
    if (!GbkCharsEqualIgnoringCase(a.substr(i, length), b.substr(i, length))) return false;
    i += length;
  }
  return true;
}

std::string_view GbkCutAtCharBoundary(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t length = GbkCharLength(text, end);
    if (end + length > maxBytes) break;
    end += length;
  }
  return text.substr(0, end);
}
