#pragma once

// Character walking on GBK names, shared by the INI reader and the wildcard
// matcher: a byte of 0x80 or above starts a double-byte character whose
// second byte is never read as a letter of its own.

#include <cstddef>
#include <string_view>

// Length in bytes (1 or 2) of the character that starts at `position`
// (which must lie inside `text`); a lead byte at the very end counts as 1.
std::size_t GbkCharLength(std::string_view text, std::size_t position);

// Whether two characters (as GbkCharLength cuts them) are equal, Latin letters
// compared without regard to case.
bool GbkCharsEqualIgnoringCase(std::string_view a, std::string_view b);

// Whether two names are equal, Latin letters compared without regard to case
// and double-byte characters compared exactly.
bool GbkNamesEqualIgnoringCase(std::string_view a, std::string_view b);

// The longest start of `text` of at most `maxBytes` bytes that does not end
// in the middle of a double-byte character.
std::string_view GbkCutAtCharBoundary(std::string_view text, std::size_t maxBytes);
