// Fuzz target: the category list page.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/category_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const CategoryPage result = ScrapeCategoryPage(page);
  const std::vector<GbkText> blocks = CategoryRowBlocks(page);
  for (const GbkText& block : blocks) {
    FUZZ_CHECK(block.starts_with("book_news_style_img") && block.ends_with("</h3></div></div>"));
  }
  FUZZ_CHECK(result.siteError ? result.rows.empty() : result.rows.size() == blocks.size());
  return 0;
}
