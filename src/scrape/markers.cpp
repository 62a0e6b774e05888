#include "scrape/markers.h"

GbkText TextBetween(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                    bool caseSensitive, BetweenMode mode) {
  const int s = FindText(text, startMarker, 1, !caseSensitive);
  // The end marker is searched from where the start marker begins, not after it.
  const int e = FindText(text, endMarker, s == -1 ? 1 : s, !caseSensitive);
  GbkText cut;
  if (s != -1 && e != -1) cut = TextMid(text, s, static_cast<long long>(e) - s);
  switch (mode) {
    case BetweenMode::kInner:
      return ReplaceSubtext(cut, startMarker, {}, 1, 1, true);
    case BetweenMode::kBothMarkers:
      return cut + GbkText(endMarker);
    case BetweenMode::kStartMarker:
      return cut;
    case BetweenMode::kEndMarker:
      return ReplaceSubtext(cut, startMarker, {}, 1, 1, true) + GbkText(endMarker);
  }
  return cut;
}

GbkText BookLinkTail(std::string_view text) {
  const long long p = FindTextReverse(text, "/");
  const long long length = TextLength(text);
  // With no "/" (p = -1) the count exceeds the length and the whole text is kept.
  return TextRight(text, length - p + 6);
}

GbkText TextAfterLast(std::string_view text, std::string_view marker, std::string_view endMarker) {
  const GbkTextList pieces = SplitText(text, marker);
  if (pieces.size() < 2) return {};
  const GbkTextList tail = SplitText(pieces.back(), endMarker);
  return tail.empty() ? GbkText() : tail.front();
}
