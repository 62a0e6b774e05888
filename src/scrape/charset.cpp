#include "scrape/charset.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

namespace {

// Length of the UTF-8 sequence that starts with byte b (1 for a stray byte).
size_t Utf8SequenceLength(std::string_view rest) {
  const unsigned char b = rest.front();
  size_t n = 1;
  if (b >= 0xF0 && b <= 0xF4)
    n = 4;
  else if (b >= 0xE0 && b <= 0xEF)
    n = 3;
  else if (b >= 0xC2 && b <= 0xDF)
    n = 2;
  return std::min(n, rest.size());
}

size_t OneByte(std::string_view) {
  return 1;
}

// One iconv conversion. Where a sequence cannot be converted, `replacement`
// is written and `skip` tells how many input bytes to pass over.
std::string Convert(std::string_view in, const char* to, const char* from,
                    std::string_view replacement, size_t (*skip)(std::string_view)) {
  std::string out;
  if (in.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  out.reserve(in.size() * 3 / 2 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[4096];
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int error = errno;
    out.append(buffer, dst - buffer);
    if (r != static_cast<size_t>(-1) || error == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut off at the end of the input.
    out.append(replacement);
    const size_t n = error == EINVAL ? srcLeft : skip(std::string_view(src, srcLeft));
    src += n;
    srcLeft -= n;
  }
  char* dst = buffer;
  size_t dstLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &dst, &dstLeft);
  out.append(buffer, dst - buffer);
  iconv_close(cd);
  return out;
}

}  // namespace

GbkText Utf8ToGbk(std::string_view utf8) {
  return Convert(utf8, "GBK", "UTF-8", "?", Utf8SequenceLength);
}

std::string GbkToUtf8(std::string_view gbk) {
  return Convert(gbk, "UTF-8", "GB18030", "\xEF\xBF\xBD", OneByte);
}
