#pragma once

// Percent-encoding of form values put into a query string, and decoding of
// the site's percent-encoded answers. Both work byte by byte, so a double-byte
// GBK character is encoded as its two bytes.

#include "scrape/gbk_text.h"

// Letters and digits pass; every other byte becomes "%" and two upper-case
// hexadecimal digits (a space is %20, never "+").
GbkText FormEncode(std::string_view text);

// "%" and the two bytes after it become one byte; everything else is copied
// ("+" stays "+"). See the definition for malformed escapes.
GbkText FormDecode(std::string_view text);
