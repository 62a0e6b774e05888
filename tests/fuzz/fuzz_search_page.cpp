// Fuzz target: the search answer in both shapes, and the search address
// built from the input as a keyword.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/search_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const SearchPage result = ScrapeSearchPage(page);
  if (result.shape == SearchShape::kSingleBook) {
    FUZZ_CHECK(result.rows.size() == (result.siteError ? 0u : 1u));
    FUZZ_CHECK(result.pageNumber.empty() && result.pageCount.empty());
  }
  const GbkText address = SearchAddress("http://h", "articlename", page);
  // Every keyword byte becomes itself or a three-byte escape.
  FUZZ_CHECK(address.size() <=
             SearchAddress("http://h", "articlename", "").size() + 3 * page.size());
  return 0;
}
