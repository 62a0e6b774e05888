#include "scrape/clean_html_text.h"

#include "scrape/lazy_match.h"

namespace {

constexpr unsigned char Fold(unsigned char b) {
  return b >= 'A' && b <= 'Z' ? b + 32 : b;
}

// Byte offset of the first occurrence of `sought` at or after `from`, Latin
// letters compared without case; npos when there is none.
size_t FindIgnoringCase(std::string_view text, std::string_view sought, size_t from) {
  if (sought.empty() || from > text.size() || text.size() - from < sought.size())
    return std::string_view::npos;
  const size_t last = text.size() - sought.size();
  for (size_t i = from; i <= last; ++i) {
    size_t j = 0;
    while (j < sought.size() && Fold(text[i + j]) == Fold(sought[j])) ++j;
    if (j == sought.size()) return i;
  }
  return std::string_view::npos;
}

// Remembers its last answer, so that asking again from a later place that
// does not pass that answer costs nothing. Asked with growing offsets, it
// reads every byte of the text about once.
class ForwardFinder {
 public:
  ForwardFinder(std::string_view text, std::string_view sought, bool ignoreCase)
      : text_(text), sought_(sought), ignoreCase_(ignoreCase) {}

  size_t From(size_t from) {
    if (asked_ && from >= lastFrom_ && (hit_ == std::string_view::npos || from <= hit_))
      return hit_;
    asked_ = true;
    lastFrom_ = from;
    hit_ = ignoreCase_ ? FindIgnoringCase(text_, sought_, from) : text_.find(sought_, from);
    return hit_;
  }

 private:
  std::string_view text_;
  std::string_view sought_;
  bool ignoreCase_;
  bool asked_ = false;
  size_t lastFrom_ = 0;
  size_t hit_ = std::string_view::npos;
};

// Removes every match of open[^\f]*?close, letter case ignored.
GbkText RemoveBlocks(std::string_view text, std::string_view open, std::string_view close) {
  ForwardFinder opens(text, open, true);
  ForwardFinder closes(text, close, true);
  ForwardFinder formFeeds(text, "\f", false);
  GbkText out;
  size_t copied = 0;
  size_t search = 0;
  for (;;) {
    const size_t a = opens.From(search);
    if (a == std::string_view::npos) break;
    const size_t innerStart = a + open.size();
    const size_t b = closes.From(innerStart);
    // No closing after this opening: none after any later opening either.
    if (b == std::string_view::npos) break;
    const size_t f = formFeeds.From(innerStart);
    if (f != std::string_view::npos && f < b) {
      // Every opening before the form feed would have to cross it.
      search = f + 1;
      continue;
    }
    out.append(text.substr(copied, a - copied));
    copied = b + close.size();
    search = copied;
  }
  out.append(text.substr(copied));
  return out;
}

// Removes every match of open.*?close (case-sensitive).
GbkText RemoveLazyMatches(std::string_view text, std::string_view open, std::string_view close) {
  GbkText out;
  size_t copied = 0;
  for (const LazyMatch& match : FindLazyMatches(text, open, close)) {
    const size_t at = static_cast<size_t>(match.whole.data() - text.data());
    out.append(text.substr(copied, at - copied));
    copied = at + match.whole.size();
  }
  out.append(text.substr(copied));
  return out;
}

bool IsReferenceLetter(unsigned char b) {
  return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '|';
}

// Removes every match of &[a-z|A-Z]{2,5};  As ";" is not in the class, a
// match is an "&", a run of two to five class bytes and a ";" right after it.
GbkText RemoveNamedReferences(std::string_view text) {
  GbkText out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '&') {
      size_t run = 0;
      while (run < 6 && i + 1 + run < text.size() && IsReferenceLetter(text[i + 1 + run])) ++run;
      const size_t semicolon = i + 1 + run;
      if (run >= 2 && run <= 5 && semicolon < text.size() && text[semicolon] == ';') {
        i = semicolon + 1;
        continue;
      }
    }
    out.push_back(text[i]);
    ++i;
  }
  return out;
}

bool IsRegexSpace(unsigned char b) {
  return b == ' ' || (b >= '\t' && b <= '\r');
}

// Removes every match of \n\s*\r: at a line feed, the white space run that
// follows is taken back to its last carriage return. A run without one
// cannot match from any line feed inside it either, so the scan skips it.
GbkText RemoveBlankLineRuns(std::string_view text) {
  GbkText out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\n') {
      out.push_back(text[i]);
      ++i;
      continue;
    }
    size_t runEnd = i + 1;
    size_t lastCr = std::string_view::npos;
    while (runEnd < text.size() && IsRegexSpace(text[runEnd])) {
      if (text[runEnd] == '\r') lastCr = runEnd;
      ++runEnd;
    }
    if (lastCr != std::string_view::npos) {
      i = lastCr + 1;
    } else {
      out.append(text.substr(i, runEnd - i));
      i = runEnd;
    }
  }
  return out;
}

}  // namespace

GbkText CleanHtmlText(std::string_view text) {
  if (text.size() < 100) return GbkText(text);
  GbkText result = RemoveBlocks(text, "<script", "/script>");
  result = RemoveBlocks(result, "<!--", "-->");
  result = RemoveBlocks(result, "<STYLE", "/STYLE>");
  result = RemoveLazyMatches(result, "<", ">");
  result = RemoveNamedReferences(result);
  result = ReplaceSubtext(
      result, "<td style=\"border-color:Silver;border-width:1px;border-style:so", {}, 1, -1, false);
  result = ReplaceSubtext(result, "\t", {}, 1, -1, true);
  return RemoveBlankLineRuns(result);
}
