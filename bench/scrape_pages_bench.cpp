// The page scrapers on sample-site pages: a 50-row ranking page, a 30-row
// category page, a 10,000-chapter list, a chapter page, CleanHtmlText of a
// 20 KB introduction and the chapter sanitizer.
//
// With TAVELIN_BENCH_PAGE_DIR set, the ranking page is also written there
// (ranking50.html), so that bench/scrape_lxml_compare.py can time lxml on the
// very same bytes.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

#include "pages.h"
#include "sample_site.h"
#include "scrape/book_info_page.h"
#include "scrape/category_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/clean_html_text.h"
#include "scrape/html_sanitizer.h"
#include "scrape/ranking_page.h"
#include "scrape/reading_page.h"

namespace {

using namespace sample_site;

constexpr std::string_view kBase = "http://127.0.0.1:18080";

const Catalogue& BenchCatalogue() {
  static const Catalogue catalogue = [] {
    CatalogueOptions options;
    options.books = 600;
    options.chapters = 10000;
    options.rankingPageSize = 50;
    options.categoryPageSize = 30;
    return Catalogue(options);
  }();
  return catalogue;
}

const GbkText& RankingPage50() {
  static const GbkText page = [] {
    GbkText bytes = RankingListPage(BenchCatalogue(), Ranking::kAllVisit, 1, kBase);
    if (const char* dir = std::getenv("TAVELIN_BENCH_PAGE_DIR"))
      std::ofstream(std::string(dir) + "/ranking50.html", std::ios::binary) << bytes;
    return bytes;
  }();
  return page;
}

void RankingPage50Rows(benchmark::State& state) {
  const GbkText& page = RankingPage50();
  if (ScrapeRankingPage(page).rows.size() != 50) state.SkipWithError("not 50 rows");
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeRankingPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(RankingPage50Rows)->Unit(benchmark::kMicrosecond);

void CategoryPage30Rows(benchmark::State& state) {
  const GbkText page = CategoryListPage(BenchCatalogue(), 1, 1, kBase);
  if (ScrapeCategoryPage(page).rows.size() != 30) state.SkipWithError("not 30 rows");
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeCategoryPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(CategoryPage30Rows)->Unit(benchmark::kMicrosecond);

void ChapterList10000(benchmark::State& state) {
  const Book& book = *BenchCatalogue().FindBook(kLongBookId);
  const GbkText page = ChapterListPage(BenchCatalogue(), book, kBase);
  if (ScrapeChapterListPage(page).size() != 10000) state.SkipWithError("not 10,000 chapters");
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeChapterListPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(ChapterList10000)->Unit(benchmark::kMillisecond);

void BookInfoPageFields(benchmark::State& state) {
  const Book& book = *BenchCatalogue().FindBook(kLongBookId);
  const GbkText page = BookInfoPage(BenchCatalogue(), book, kBase);
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeBookInfoPage(page, kBase));
}
BENCHMARK(BookInfoPageFields)->Unit(benchmark::kMicrosecond);

// The chapter page to the whole reading page: cut, sanitize, wrap.
void ChapterToReadingPage(benchmark::State& state) {
  const Book& book = *BenchCatalogue().FindBook(kLongBookId);
  const GbkText page = ChapterPage(BenchCatalogue(), book, 3, false, kBase);
  for (auto _ : state)
    benchmark::DoNotOptimize(ReadingPage(ScrapeChapterText(page), "file:///a", "http://n"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(ChapterToReadingPage)->Unit(benchmark::kMicrosecond);

void SanitizeHostileChapter(benchmark::State& state) {
  const Book& book = *BenchCatalogue().FindBook(kHostileBookId);
  const GbkText text = ChapterTextHtml(BenchCatalogue(), book, 0, true);
  for (auto _ : state) benchmark::DoNotOptimize(SanitizeChapterHtml(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(SanitizeHostileChapter)->Unit(benchmark::kMicrosecond);

// Introductions of the catalogue's books, joined to 20 KB of the site's HTML.
void CleanHtmlText20K(benchmark::State& state) {
  GbkText intro;
  for (const Book& book : BenchCatalogue().books()) {
    if (intro.size() >= 20 * 1024) break;
    intro += BenchCatalogue().Introduction(book) + "<br />\r\n";
  }
  intro.resize(20 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(CleanHtmlText(intro));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * intro.size()));
}
BENCHMARK(CleanHtmlText20K)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
