// Cost of one request over loopback to the sample site: a category list page,
// a large body, the plain GET of a notice file, and reading the cookie text of
// a site.

#include <benchmark/benchmark.h>

#include <string>

#include "net/cookie_store.h"
#include "net/http_read_file.h"
#include "net/site_request.h"
#include "sample_site.h"

namespace {

sample_site::SampleSite& Site() {
  static sample_site::SampleSite site;
  static const int port = site.Start();
  (void)port;
  return site;
}

void BM_SiteRequestListPage(benchmark::State& state) {
  const std::string url = Site().BaseUrl() + sample_site::CategoryPagePath(3, 1);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const ByteString body = SiteRequest(url);
    if (body.empty()) state.SkipWithError("empty answer");
    bytes += body.size();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_SiteRequestListPage)->UseRealTime();

void BM_SiteRequestLargeBody(benchmark::State& state) {
  const std::string path = "/book/list4/1.html";
  sample_site::Misbehaviour huge;
  huge.hugeBodyBytes = static_cast<std::size_t>(state.range(0));
  Site().SetMisbehaviour(path, huge);
  const std::string url = Site().BaseUrl() + path;
  for (auto _ : state) {
    const ByteString body = SiteRequest(url);
    if (body.size() < static_cast<std::size_t>(state.range(0))) state.SkipWithError("short body");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  Site().ClearMisbehaviour(path);
}
BENCHMARK(BM_SiteRequestLargeBody)->Arg(4 << 20)->Arg(32 << 20)->UseRealTime();

void BM_HttpReadFileNotice(benchmark::State& state) {
  const std::string url = Site().BaseUrl() + "/ad/bookwisp/gg1.txt";
  for (auto _ : state) {
    if (HttpReadFile(url).empty()) state.SkipWithError("empty answer");
  }
}
BENCHMARK(BM_HttpReadFileNotice)->UseRealTime();

void BM_CookiesForUrl(benchmark::State& state) {
  ClearCookies();
  for (int i = 0; i < state.range(0); ++i) {
    SetSessionCookie("http://site.test", "name" + std::to_string(i), "value" + std::to_string(i));
  }
  for (auto _ : state) benchmark::DoNotOptimize(CookiesForUrl("http://site.test/book/1.html"));
  ClearCookies();
}
BENCHMARK(BM_CookiesForUrl)->Arg(5)->Arg(50);

}  // namespace

BENCHMARK_MAIN();
