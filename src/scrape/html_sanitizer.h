#pragma once

// Makes the site's chapter HTML safe to put into a local reading page that
// runs our own script.

#include "scrape/gbk_text.h"

// The chapter HTML without anything that could run code, load a frame or a
// plug-in, submit data or change the page's head:
// - script, style and iframe elements go with their content;
// - the tags (not the content) of frame, frameset, object, embed, applet,
//   param, form, input, button, textarea, select, option, optgroup,
//   datalist, keygen, isindex, meta, link, base, svg, math, noscript,
//   noembed, noframes, xmp, plaintext, title and portal go;
// - in the tags that stay, every attribute whose name begins with "on"
//   (any letter case) and every attribute whose value, once character
//   references are decoded and blanks and control characters are dropped,
//   holds "javascript:" or "vbscript:" (any letter case) goes, and so does
//   an attribute whose name begins with "=" (a stray "=" that could join the
//   attribute before a removed one).
// Text, character references, comments, "<br />", paragraphs and simple
// formatting stay byte for byte: HTML without such content comes back
// unchanged.
//
// The text is read the way a browser's HTML tokenizer reads it in its data
// state (tags with quoted and unquoted attributes, comments, bogus comments,
// the GBK decoder's character boundaries), so that what the browser will
// see as a tag is judged as a tag. A double-byte character is walked as one:
// its second byte is never taken for markup. To keep the result unambiguous
// for every decoder and for what follows it in the page:
// - a lead byte that starts no valid GBK or GB18030 sequence and is followed
//   by an ASCII byte (or ends the text) is dropped;
// - a tag, comment or declaration that the text leaves unterminated at its
//   end is dropped with everything after it;
// - a "<" that would come to stand right before what followed a removed part
//   is written as "&lt;".
// Linear in the length of the text.
GbkText SanitizeChapterHtml(std::string_view html);
