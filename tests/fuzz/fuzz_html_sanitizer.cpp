// Fuzz target: the chapter HTML sanitizer on its own. What it leaves must
// read as the same tags when read again (sanitizing twice changes nothing),
// and it never adds bytes except the "&lt;" of an escaped "<".

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/html_sanitizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view html(reinterpret_cast<const char*>(data), size);
  const GbkText once = SanitizeChapterHtml(html);
  FUZZ_CHECK(once.size() <= 4 * html.size());
  FUZZ_CHECK(SanitizeChapterHtml(once) == once);
  return 0;
}
