#include "cover_image.h"

#include <algorithm>
#include <array>

#include "random.h"

namespace sample_site {
namespace {

void AppendBigEndian(ByteString& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

void AppendChunk(ByteString& png, std::string_view type, std::string_view data) {
  AppendBigEndian(png, static_cast<std::uint32_t>(data.size()));
  ByteString typed(type);
  typed += data;
  png += typed;
  AppendBigEndian(png, Crc32(typed));
}

// A zlib stream of stored (uncompressed) deflate blocks.
ByteString StoredZlib(std::string_view raw) {
  ByteString out = {'\x78', '\x01'};
  constexpr std::size_t kBlock = 65535;
  std::size_t pos = 0;
  do {
    std::size_t n = std::min(kBlock, raw.size() - pos);
    bool last = pos + n == raw.size();
    out.push_back(last ? '\x01' : '\x00');
    out.push_back(static_cast<char>(n & 0xFF));
    out.push_back(static_cast<char>(n >> 8));
    out.push_back(static_cast<char>(~n & 0xFF));
    out.push_back(static_cast<char>((~n >> 8) & 0xFF));
    out.append(raw.substr(pos, n));
    pos += n;
  } while (pos < raw.size());
  AppendBigEndian(out, Adler32(raw));
  return out;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFU;
  for (char ch : bytes) crc = table[(crc ^ static_cast<unsigned char>(ch)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFU;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (char ch : bytes) {
    a = (a + static_cast<unsigned char>(ch)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

ByteString CoverPng(std::uint64_t seed) {
  Random random(seed);
  std::array<int, 3> background = {random.Between(60, 230), random.Between(60, 230),
                                   random.Between(60, 230)};
  ByteString raw;
  raw.reserve(static_cast<std::size_t>(kCoverHeight) * (1 + 3 * kCoverWidth));
  for (int y = 0; y < kCoverHeight; ++y) {
    raw.push_back('\0');  // filter type: none
    for (int x = 0; x < kCoverWidth; ++x) {
      bool frame = x < 4 || y < 4 || x >= kCoverWidth - 4 || y >= kCoverHeight - 4;
      bool band = y >= 40 && y < 70 && x >= 12 && x < kCoverWidth - 12;
      for (int c : background) {
        int value = frame ? c / 2 : band ? 245 : c - (y * 40 / kCoverHeight);
        raw.push_back(static_cast<char>(std::clamp(value, 0, 255)));
      }
    }
  }
  ByteString png = "\x89PNG\r\n\x1a\n";
  ByteString header;
  AppendBigEndian(header, kCoverWidth);
  AppendBigEndian(header, kCoverHeight);
  header +=
      std::string_view("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", StoredZlib(raw));
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace sample_site
