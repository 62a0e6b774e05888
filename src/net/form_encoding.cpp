#include "net/form_encoding.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Value of one escape digit, or -1 for a byte that is no hexadecimal digit.
int DigitValue(unsigned char b) {
  if (b >= '0' && b <= '9') return b - '0';
  if (b >= 'A' && b <= 'F') return b - 'A' + 10;
  if (b >= 'a' && b <= 'f') return b - 'a' + 10;
  return -1;
}

}  // namespace

GbkText FormEncode(std::string_view text) {
  GbkText out;
  out.reserve(text.size() * 3);
  for (const unsigned char b : text) {
    const bool plain = (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    if (plain) {
      out.push_back(static_cast<char>(b));
    } else {
      out.push_back('%');
      out.push_back(kHexDigits[b >> 4]);
      out.push_back(kHexDigits[b & 0x0F]);
    }
  }
  return out;
}

// "%" always consumes itself and the two bytes after it (fewer at the end of
// the text). A missing digit counts as 0, so a "%" at the very end is dropped
// and "%4" at the end gives the byte 0x40. When either of the two bytes is
// present but no hexadecimal digit (as in a page's "width: 100%;"), nothing
// stands in for the three bytes: they are dropped, since no byte value can be
// derived from them and a made-up byte would corrupt the decoded text. A
// decoded zero byte is dropped as well (a text holds no zero bytes).
GbkText FormDecode(std::string_view text) {
  GbkText out;
  out.reserve(text.size());
  const size_t length = text.size();
  size_t i = 0;
  while (i < length) {
    const char c = text[i];
    if (c != '%') {
      out.push_back(c);
      ++i;
      continue;
    }
    int value = 0;
    bool valid = true;
    for (size_t k = 1; k <= 2; ++k) {
      int digit = 0;
      if (i + k < length) digit = DigitValue(static_cast<unsigned char>(text[i + k]));
      if (digit < 0) valid = false;
      value = value * 16 + (digit < 0 ? 0 : digit);
    }
    if (valid && value != 0) out.push_back(static_cast<char>(value));
    i += 3;
  }
  return out;
}
