// Fuzz target: the book information page and CleanHtmlText on its own.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/book_info_page.h"
#include "scrape/clean_html_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const std::string_view site = "http://127.0.0.1:18080";
  const BookInfo info = ScrapeBookInfoPage(page, site);
  FUZZ_CHECK(info.txtDownloadUrl.starts_with(site));
  const GbkText cleaned = CleanHtmlText(page);
  FUZZ_CHECK(cleaned.size() <= page.size());
  return 0;
}
