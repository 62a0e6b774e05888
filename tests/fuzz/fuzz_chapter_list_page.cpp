// Fuzz target: the chapter list page.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/chapter_list_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  size_t total = 0;
  for (const GbkText& volume : ChapterListVolumes(page)) total += CutChapterLinks(volume).size();
  FUZZ_CHECK(ScrapeChapterListPage(page).size() == total);
  return 0;
}
