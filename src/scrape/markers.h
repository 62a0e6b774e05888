#pragma once

// The three scraping primitives that the page scrapers are built from.

#include "scrape/gbk_text.h"

// How much of the markers TextBetween keeps around the cut.
enum class BetweenMode {
  kInner = 0,        // the cut with the first occurrence of the start marker removed
  kBothMarkers = 1,  // the cut followed by the end marker
  kStartMarker = 2,  // the cut
  kEndMarker = 3,    // the inner text followed by the end marker
};

// The cut runs from the first occurrence of `startMarker` up to, not
// including, the first `endMarker` found from where the start marker begins.
// Markers are found ignoring the case of Latin letters unless `caseSensitive`.
// When either marker is missing the cut is "": modes kInner and kStartMarker
// give "", the other two the end marker alone.
GbkText TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                    bool caseSensitive = false, BetweenMode mode = BetweenMode::kInner);

// The text from five bytes before its last "/" to its end; the whole text when
// it has no "/" or fewer than five bytes before it. ".../book/12345.html"
// gives "/book/12345.html".
GbkText BookLinkTail(std::string_view text);

// What follows the last occurrence of `marker`, cut at the first `endMarker`.
// "" when the text splits into fewer than two pieces at the marker.
GbkText TextAfterLast(std::string_view text, std::string_view marker, std::string_view endMarker);
