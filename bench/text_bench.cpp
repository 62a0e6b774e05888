// Text primitive throughput over 1 MiB of mixed GBK text: FindText of an
// absent 10-byte marker (case-sensitive and ignoring case) and TextBetween
// with markers near the end of the text.
#include <benchmark/benchmark.h>

#include <random>

#include "scrape/gbk_text.h"
#include "scrape/markers.h"

namespace {

// Mixed page-like text: HTML tags, ASCII words and double-byte characters.
const GbkText& MixedText() {
  static const GbkText text = [] {
    std::mt19937 random(7);
    const char* pieces[] = {"<div class=\"row\">",
                            "</div>\r\n",
                            "<a href=\"/book/1.html\">",
                            "</a>",
                            "&nbsp;",
                            "chapter ",
                            "<br />"};
    GbkText t;
    while (t.size() < (1u << 20)) {
      if (random() % 3 == 0) {
        t += pieces[random() % 7];
      } else {
        for (int i = 0; i < 8; ++i) {
          t.push_back(static_cast<char>(0xB0 + random() % 0x40));
          t.push_back(static_cast<char>(0xA1 + random() % 0x5E));
        }
      }
    }
    return t;
  }();
  return text;
}

void BM_FindTextAbsent(benchmark::State& state) {
  const GbkText& text = MixedText();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, "<noMarker>"));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FindTextAbsent);

void BM_FindTextAbsentIgnoreCase(benchmark::State& state) {
  const GbkText& text = MixedText();
  for (auto _ : state) benchmark::DoNotOptimize(FindText(text, "<noMarker>", 1, true));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FindTextAbsentIgnoreCase);

void BM_TextBetween(benchmark::State& state) {
  const GbkText text = MixedText() + "<em id=\"pagestats\">1/250</em>";
  for (auto _ : state)
    benchmark::DoNotOptimize(TextBetween(text, "<em id=\"pagestats\">", "</em>"));
  state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_TextBetween);

}  // namespace

BENCHMARK_MAIN();
