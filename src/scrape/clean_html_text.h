#pragma once

// Plain text from the HTML of a book's introduction.

#include "scrape/gbk_text.h"

// The introduction without scripts, comments, style sheets, tags, named
// character references and tabs, with each run of blank lines shrunk to one
// line break. A text shorter than 100 bytes is returned unchanged, tags and
// entities included; an empty text gives "".
//
// The removals run in this order, each on the result of the previous one, and
// each finds what its regular expression finds ("." matching line breaks,
// "*?" the shortest text):
//   1. "<script[^\f]*?/script>", letter case ignored;
//   2. "<!--[^\f]*?-->";
//   3. "<STYLE[^\f]*?/STYLE>", letter case ignored;
//   4. "<.*?>": every stretch from a "<" to the next ">";
//   5. "&[a-z|A-Z]{2,5};": named references go, numeric ones stay;
//   6. every "<td style=\"border-color:Silver;border-width:1px;border-style:so",
//      letter case ignored;
//   7. every tab;
//   8. "\n\s*\r": a line feed, the white space after it and the last carriage
//      return of that white space.
// Each step is a single linear scan, so hostile input cannot make it slow.
GbkText CleanHtmlText(std::string_view text);
