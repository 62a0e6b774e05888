// Scrapers on 5 MiB pages of repeated near-matches: openings of the row,
// volume, link, script and tag patterns with no closing after them. A scraper
// that tried each opening against the rest of the page would take quadratic
// time here; these runs show linear time (compare the 1 MiB and 5 MiB
// figures), and the regex engine's time on a small page of the same kind for
// contrast.

#include <benchmark/benchmark.h>

#include "app/services/regex_pattern.h"
#include "scrape/book_info_page.h"
#include "scrape/category_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/clean_html_text.h"
#include "scrape/gbk_literal.h"
#include "scrape/html_sanitizer.h"
#include "scrape/ranking_page.h"
#include "scrape/search_page.h"

namespace {

GbkText Repeat(std::string_view head, std::string_view unit, std::string_view tail, size_t bytes) {
  GbkText page(head);
  while (page.size() < bytes) page += unit;
  return page + GbkText(tail);
}

size_t Size(const benchmark::State& state) {
  return static_cast<size_t>(state.range(0)) << 20;
}

void CategoryNearMatches(benchmark::State& state) {
  const GbkText page = Repeat("当前位置："_gbk, "<div class=\"book_news_style_img\"><h1>x</h1>",
                              "\"main m_foot\">", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeCategoryPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(CategoryNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void RankingNearMatches(benchmark::State& state) {
  const GbkText page = Repeat(">状态</li>"_gbk, "    <ul><li class=\"t4\">a</li>\r\n",
                              "<div id=\"Page\">", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeRankingPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(RankingNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// Many rows that do close, each with markers missing: the per-row cuts.
void RankingManyBrokenRows(benchmark::State& state) {
  const GbkText page =
      Repeat(">状态</li>"_gbk, "    <ul><li class=\"t4\">a<li class=\"t5\">      </ul>",
             "<div id=\"Page\">", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeRankingPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(RankingManyBrokenRows)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void ChapterListNearMatches(benchmark::State& state) {
  const GbkText page = Repeat("到雅虎收藏</a><ul>"_gbk, "<li><a href=\"1.html\">x",
                              "</ul><div class=\"bottom\">", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeChapterListPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(ChapterListNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void InfoPageNearMatches(benchmark::State& state) {
  const GbkText page = Repeat("height: 150%内容简介：</span>"_gbk, "<script <!-- <STYLE &nbsp <a\f",
                              "<span class=\"hottext\">最近章节：作品关键字："_gbk, Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeBookInfoPage(page, "http://h"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(InfoPageNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void SearchNearMatches(benchmark::State& state) {
  const GbkText page = Repeat("管理</a>height: 150%"_gbk, "height: 150%\">最近章节：</span>"_gbk,
                              "作品关键字："_gbk, Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeSearchPage(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(SearchNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void ChapterNearMatches(benchmark::State& state) {
  const GbkText page =
      Repeat("<div id=\"BookText\">\r", "<a title='x' <script <iframe <!-- <p onclick=",
             "<br><br>&nbsp;&nbsp;<div class=\"downloads t1\">", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(ScrapeChapterText(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(ChapterNearMatches)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void SanitizeManyScriptOpenings(benchmark::State& state) {
  const GbkText text = Repeat("", "<script></scrip <style></styl ", "", Size(state));
  for (auto _ : state) benchmark::DoNotOptimize(SanitizeChapterHtml(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(SanitizeManyScriptOpenings)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// For contrast: the regex engine on the category row pattern over a page of
// openings without a closing, at 64 KB and 128 KB (quadratic: four times the
// time for twice the page).
void RegexCategoryNearMatches(benchmark::State& state) {
  const GbkText page = Repeat("", "<div class=\"book_news_style_img\"><h1>x</h1>", "",
                              static_cast<size_t>(state.range(0)) << 10);
  const RegexPattern pattern("book_news_style_img.*?</h3></div></div>");
  for (auto _ : state) benchmark::DoNotOptimize(pattern.FindAll(page));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page.size()));
}
BENCHMARK(RegexCategoryNearMatches)->Arg(64)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
