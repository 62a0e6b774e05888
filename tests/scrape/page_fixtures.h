#pragma once

// Fixture pages of the scraper tests (tests/data/pages, GBK bytes as a site
// would send them) and a readable form of GBK texts for failure messages.

#include <string>
#include <string_view>

#include "scrape/gbk_text.h"

// The bytes of tests/data/pages/<name>; fails the running test when the file
// cannot be read.
GbkText ReadFixturePage(std::string_view name);

// The text in UTF-8, for messages.
std::string Utf8(std::string_view gbk);
