#pragma once

// tavelin-scrape: reads a saved site page and prints what the reader cuts
// from it, as UTF-8 JSON.
//
//   tavelin-scrape [--site-url URL] [--asset-url URL] [--notice-url URL] KIND [FILE]
//
// KIND is ranking, category, search, info, chapters, chapter or page; FILE a
// path or "-" for standard input (the default). `page` prints the whole
// reading page as raw GBK bytes instead of JSON.

#include <iosfwd>
#include <string>
#include <vector>

// Runs the tool with the arguments after the program name. Returns the exit
// code: 0 on success, 1 when the file cannot be read, 2 for a usage error
// (with a one-line message on `err`).
int RunScrapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err);
