#pragma once

// Pieces shared by the page builders: the site's page head with its own
// scripts, pop-up code and advertising, the footer, and line-end handling.
// Page text is written with "\n" line ends and turned into CR LF at the end,
// as the site serves it.

#include <string_view>

#include "scrape/gbk_text.h"

namespace sample_site {

// Every lone "\n" becomes "\r\n" (GBK trail bytes are never 0x0A, so a plain
// byte walk is safe).
GbkText WithCrlf(std::string_view text);

// The document head and the top of the body up to and including the site's
// navigation bar, with a pop-up script and a banner advertisement. It holds
// no "<strong>", no "<ul>" and none of the markers the reader cuts pages by.
GbkText PageTop(std::string_view gbkTitle, std::string_view baseUrl);

// The bottom of a page: an advertising block, a statistics script, the
// copyright line and the closing tags.
GbkText PageBottom(std::string_view baseUrl);

// The site's pagination block for page `page` of `pageCount`, whose pages are
// at listBase + number + suffix: "<em id=\"pagestats\">page/count</em>", links,
// and "<strong>page</strong>" for the current page.
GbkText Pagination(std::string_view listBase, int page, int pageCount,
                   std::string_view suffix = ".html");

// Text with &, <, > and " written as entities (for attribute values).
GbkText EscapeAttribute(std::string_view text);

}  // namespace sample_site
