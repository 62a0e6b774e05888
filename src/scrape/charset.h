#pragma once

// Conversion between GBK bytes and UTF-8, used only where text meets the
// screen, JSON or UTF-8 source literals.

#include <string>
#include <string_view>

#include "scrape/gbk_text.h"

// UTF-8 to code page 936. Characters that GBK cannot hold become "?".
GbkText Utf8ToGbk(std::string_view utf8);

// GBK to UTF-8, decoded as GB18030 (the superset) so that no valid page byte
// becomes a replacement character. Invalid sequences become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
