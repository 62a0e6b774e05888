// Fuzz target: the ranking list page.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "scrape/ranking_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const RankingPage result = ScrapeRankingPage(page);
  const std::vector<GbkText> blocks = RankingRowBlocks(page);
  for (const GbkText& block : blocks) {
    FUZZ_CHECK(block.starts_with("    <ul>") && block.ends_with("      </ul>"));
  }
  FUZZ_CHECK(result.siteError ? result.rows.empty() : result.rows.size() == blocks.size());
  return 0;
}
