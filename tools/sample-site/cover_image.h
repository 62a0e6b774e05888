#pragma once

// Book covers: small real PNG pictures made without any image library (the
// pixel rows go into "stored" deflate blocks, so no compressor is needed).

#include <cstdint>

#include "scrape/gbk_text.h"

namespace sample_site {

inline constexpr int kCoverWidth = 120;
inline constexpr int kCoverHeight = 150;

// A kCoverWidth x kCoverHeight 24-bit PNG: a background colour drawn from
// `seed`, a darker frame and a light title band, so that covers of different
// books look different.
ByteString CoverPng(std::uint64_t seed);

// CRC-32 (the one PNG and zip use) and Adler-32 (zlib) of some bytes.
std::uint32_t Crc32(std::string_view bytes);
std::uint32_t Adler32(std::string_view bytes);

}  // namespace sample_site
