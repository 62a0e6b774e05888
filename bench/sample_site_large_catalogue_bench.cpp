// The sample site with a large catalogue (20,000 books, book 10001 with
// 10,000 chapters, category lists of 500 pages, rankings of 1,334 pages):
// building the catalogue, building the 10,000-chapter list page, and serving
// it (and a deep list page and a chapter) over loopback through the reader's
// request engine. The served 10,000-chapter list must take well under a
// second.
#include <benchmark/benchmark.h>

#include "net/site_request.h"
#include "pages.h"
#include "sample_site.h"

namespace {

sample_site::SampleSiteOptions LargeOptions() {
  sample_site::SampleSiteOptions options;
  options.catalogue.books = 20000;
  options.catalogue.chapters = 10000;
  return options;
}

sample_site::SampleSite& LargeSite() {
  static sample_site::SampleSite* site = [] {
    auto* s = new sample_site::SampleSite(LargeOptions());
    s->Start();
    return s;
  }();
  return *site;
}

void BM_BuildLargeCatalogue(benchmark::State& state) {
  for (auto _ : state) {
    sample_site::Catalogue catalogue(LargeOptions().catalogue);
    benchmark::DoNotOptimize(catalogue.books().data());
  }
}
BENCHMARK(BM_BuildLargeCatalogue)->Unit(benchmark::kMillisecond);

void BM_BuildChapterListPage10k(benchmark::State& state) {
  const auto& catalogue = LargeSite().catalogue();
  const auto& book = *catalogue.FindBook(sample_site::kLongBookId);
  std::size_t bytes = 0;
  for (auto _ : state) {
    GbkText page = sample_site::ChapterListPage(catalogue, book, "http://127.0.0.1:18080");
    bytes = page.size();
    benchmark::DoNotOptimize(page.data());
  }
  state.counters["page_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_BuildChapterListPage10k)->Unit(benchmark::kMillisecond);

// One SiteRequest of `path` on the large site per iteration.
void ServePath(benchmark::State& state, const std::string& path) {
  sample_site::SampleSite& site = LargeSite();
  GbkText url = site.BaseUrl() + path;
  std::size_t bytes = 0;
  for (auto _ : state) {
    ByteString body = SiteRequest(url);
    if (body.empty()) {
      state.SkipWithError("empty answer");
      return;
    }
    bytes = body.size();
  }
  state.counters["page_bytes"] = static_cast<double>(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_ServeChapterListPage10k(benchmark::State& state) {
  ServePath(state, sample_site::ChapterListPath(sample_site::kLongBookId));
}
BENCHMARK(BM_ServeChapterListPage10k)->Unit(benchmark::kMillisecond);

void BM_ServeDeepCategoryPage(benchmark::State& state) {
  ServePath(state, sample_site::CategoryPagePath(7, 480));
}
BENCHMARK(BM_ServeDeepCategoryPage)->Unit(benchmark::kMillisecond);

void BM_ServeDeepRankingPage(benchmark::State& state) {
  ServePath(state, sample_site::RankingPagePath(sample_site::Ranking::kAllVisit, 1200));
}
BENCHMARK(BM_ServeDeepRankingPage)->Unit(benchmark::kMillisecond);

void BM_ServeLastChapterOfLongBook(benchmark::State& state) {
  const auto& catalogue = LargeSite().catalogue();
  const auto& book = *catalogue.FindBook(sample_site::kLongBookId);
  ServePath(state, sample_site::ChapterPath(
                       book.id, catalogue.ChapterAt(book, book.chapterCount - 1).number));
}
BENCHMARK(BM_ServeLastChapterOfLongBook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
