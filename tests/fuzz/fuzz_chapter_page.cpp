// Fuzz target: the chapter page, its mended text and the reading page.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/chapter_page.h"
#include "scrape/html_sanitizer.h"
#include "scrape/reading_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const GbkText text = ScrapeChapterText(page);
  FUZZ_CHECK(SanitizeChapterHtml(text) == text);
  const GbkText reading = ReadingPage(text, "file:///a", "http://n");
  FUZZ_CHECK(reading.ends_with("</html>"));
  ChapterAddress(page, static_cast<long long>(size) - 1);
  return 0;
}
