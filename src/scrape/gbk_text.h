#pragma once

// Text operations on GBK (code page 936) byte strings.
//
// Lengths and positions count bytes; positions are 1-based; a search that
// finds nothing gives -1. Searches respect double-byte characters: after a
// byte of 0x80 or above, the next byte is that character's second half and
// never the start of a match. Every operation accepts any bytes (a lone lead
// byte at the end, empty texts, out-of-range positions and counts) and never
// reads past its input.

#include <climits>
#include <string>
#include <string_view>
#include <vector>

// A byte string in code page 936. The site's pages and every literal of the
// program are held in this form; conversion to UTF-8 happens only where text
// meets the screen or JSON (charset.h).
using GbkText = std::string;
using GbkTextList = std::vector<GbkText>;
// Raw bytes as a transfer delivered them (may hold zero bytes).
using ByteString = std::string;

// Number of bytes.
int TextLength(std::string_view text);

// Position of the first occurrence of `sought` at or after `start`, or -1.
// A start that is 0, negative or 1 means the first byte; a start beyond the
// text gives -1. The walk starts at `start` and moves character by character.
// An empty `sought` gives 1 when the searched part is not empty, else -1.
int FindText(std::string_view text, std::string_view sought, int start = 1,
             bool ignoreCase = false);

// Position of the last occurrence lying wholly within the first start-1 bytes
// (the whole text when `start` is omitted or beyond the text; -1 when `start`
// is 1 or less). Characters are walked from the beginning of the text.
int FindTextReverse(std::string_view text, std::string_view sought, int start = INT_MAX,
                    bool ignoreCase = false);

// The first / last `count` bytes (may split a double-byte character).
// A count of 0 or less gives ""; a count beyond the length gives the whole text.
GbkText TextLeft(std::string_view text, long long count);
GbkText TextRight(std::string_view text, long long count);

// At most `count` bytes from `position`; "" for a position below 1 or beyond
// the text, or a count of 0 or less.
GbkText TextMid(std::string_view text, long long position, long long count);

// Replaces occurrences of `sought` from `start` on, left to right, without
// overlap, at character boundaries, up to `maxReplacements` (negative: all).
// With `caseSensitive` false, Latin letters match without regard to case.
// An empty text or empty `sought` returns the text unchanged.
GbkText ReplaceSubtext(std::string_view text, std::string_view sought,
                       std::string_view replacement = {}, int start = 1, int maxReplacements = -1,
                       bool caseSensitive = false);

// Removes `length` bytes at `position` (below 1 counts as 1, beyond the end as
// the end; none when length <= 0) and inserts `replacement` there.
GbkText ReplaceTextAt(std::string_view text, long long position, long long length,
                      std::string_view replacement = {});

// Cuts the text at every occurrence of `separator` (exact bytes, character
// boundaries). Empty pieces between separators and a leading empty piece are
// kept; the rest after the last separator only when it is not empty. An empty
// text gives an empty list; an empty separator a list with the whole text.
// With `maxPieces` > 0 at most that many pieces are made, the rest dropped.
GbkTextList SplitText(std::string_view text, std::string_view separator, int maxPieces = -1);

// 0 when equal; negative or positive otherwise (byte order, Latin letters
// folded when not case-sensitive).
int CompareText(std::string_view a, std::string_view b, bool caseSensitive);

// Latin letters changed; other bytes and double-byte characters unchanged.
GbkText UpperCase(std::string_view text);
GbkText LowerCase(std::string_view text);

// Full-width digits, signs and points become ASCII; leading blanks are
// skipped; the longest leading decimal number (sign, digits, point, exponent)
// is read. A text without one gives 0.
double TextToNumber(std::string_view text);

// TextToNumber truncated toward zero and clamped to the int range.
int TextToInteger(std::string_view text);

// Decimal, with a minus sign when negative.
GbkText NumberToText(long long number);

// The bytes up to, not including, the first zero byte.
GbkText BytesToText(std::string_view bytes);

// Two numbers read from texts count as equal when they differ by less than this.
inline constexpr double kNumberTolerance = 0.0000001;
