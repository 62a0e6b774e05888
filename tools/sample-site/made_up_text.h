#pragma once

// Made-up Chinese text for the generated catalogue: titles, authors,
// introductions, chapter titles and chapter paragraphs, all in GBK. Every
// function draws only from the random source it is given, so the same seed
// gives the same text.
//
// The generated titles never contain 夜, 雨, 誠, 听 or 泉, and the generated
// authors neither, so the special books of the catalogue (catalogue.h) are the
// only ones that a search for "夜雨", "听泉" or "赤誠" finds.

#include <string_view>
#include <vector>

#include "random.h"
#include "scrape/gbk_text.h"

namespace sample_site {

// A book title of four or more characters.
GbkText MadeUpTitle(Random& random);

// An author name: a surname and a two-character given name.
GbkText MadeUpAuthor(Random& random);

// An introduction in the site's HTML: paragraphs indented with "&nbsp;",
// separated by "<br />", with now and then a bold phrase, an HTML comment, a
// numeric character reference or a small script. Longer than 100 bytes.
GbkText MadeUpIntroduction(Random& random);

// "第" + the ordinal in Chinese numerals + "章 " + a short phrase.
GbkText MadeUpChapterTitle(Random& random, int ordinal);

// "第" + the ordinal in Chinese numerals + "卷 " + a short phrase.
GbkText MadeUpVolumeTitle(Random& random, int ordinal);

// Between `fewest` and `most` paragraphs of plain text (no HTML), each a few
// sentences long.
GbkTextList MadeUpParagraphs(Random& random, int fewest, int most);

// The number in Chinese numerals (一, 十二, 一百零五, 三万零二十); 0 gives 零.
// Numbers above 99999999 are written in decimal digits.
GbkText ChineseNumeral(int number);

// The category name of list 1 to 10 (list1 玄幻魔法 ... list10 其他类型);
// "" outside that range.
const GbkText& CategoryName(int category);

}  // namespace sample_site
