#include "scrape_tool.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "scrape/book_info_page.h"
#include "scrape/category_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/charset.h"
#include "scrape/ranking_page.h"
#include "scrape/reading_page.h"
#include "scrape/search_page.h"

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kUsage =
    "usage: tavelin-scrape [--site-url URL] [--asset-url URL] [--notice-url URL] "
    "ranking|category|search|info|chapters|chapter|page [FILE|-]";

// The reader's built-in addresses.
constexpr const char* kDefaultSiteUrl = "http://127.0.0.1:18080";
constexpr const char* kDefaultAssetUrl = "file:///usr/share/tavelin/assets";

struct Options {
  std::string siteUrl = kDefaultSiteUrl;
  std::string assetUrl = kDefaultAssetUrl;
  std::string noticeUrl = kDefaultSiteUrl;
  std::string kind;
  std::string file = "-";
};

// The arguments, or nullopt with a message in `error`.
std::optional<Options> ParseArguments(const std::vector<std::string>& args, std::string& error) {
  Options options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string* target = nullptr;
    std::string name = arg;
    std::optional<std::string> value;
    if (const size_t eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
      name = arg.substr(0, eq);
      value = arg.substr(eq + 1);
    }
    if (name == "--site-url")
      target = &options.siteUrl;
    else if (name == "--asset-url")
      target = &options.assetUrl;
    else if (name == "--notice-url")
      target = &options.noticeUrl;
    if (target != nullptr) {
      if (!value) {
        if (i + 1 >= args.size()) {
          error = name + " needs a URL";
          return std::nullopt;
        }
        value = args[++i];
      }
      *target = *value;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
      error = "unknown option " + arg;
      return std::nullopt;
    }
    positional.push_back(arg);
  }
  if (positional.empty() || positional.size() > 2) {
    error = positional.empty() ? "no KIND given" : "too many arguments";
    return std::nullopt;
  }
  options.kind = positional[0];
  static const char* const kKinds[] = {"ranking",  "category", "search", "info",
                                       "chapters", "chapter",  "page"};
  if (std::find(std::begin(kKinds), std::end(kKinds), options.kind) == std::end(kKinds)) {
    error = "unknown KIND " + options.kind;
    return std::nullopt;
  }
  if (positional.size() == 2) options.file = positional[1];
  return options;
}

std::string U(const GbkText& text) {
  return GbkToUtf8(text);
}

// A ranking or category row (both have the same fields).
template <typename Row>
Json RowJson(const Row& row) {
  return {{"id", U(row.bookId)},
          {"title", U(row.title)},
          {"latest_chapter", U(row.latestChapter)},
          {"author", U(row.author)},
          {"update_time", U(row.updateTime)},
          {"state", U(row.state)}};
}

template <typename Page, typename RowToJson>
Json ListJson(const Page& page, RowToJson rowToJson) {
  Json rows = Json::array();
  for (const auto& row : page.rows) rows.push_back(rowToJson(row));
  return {{"page_number", U(page.pageNumber)},
          {"page_count", U(page.pageCount)},
          {"site_error", page.siteError},
          {"rows", std::move(rows)}};
}

Json SearchJson(const SearchPage& page) {
  Json rows = Json::array();
  for (const CategoryRow& row : page.rows) rows.push_back(RowJson(row));
  return {{"shape", page.shape == SearchShape::kSingleBook ? "book" : "list"},
          {"site_error", page.siteError},
          {"page_number", U(page.pageNumber)},
          {"page_count", U(page.pageCount)},
          {"rows", std::move(rows)}};
}

Json InfoJson(const BookInfo& info) {
  return {{"cover_url", U(info.coverUrl)},
          {"title", U(info.title)},
          {"category", U(info.category)},
          {"author", U(info.author)},
          {"length", U(info.length)},
          {"state", U(info.state)},
          {"first_publish", U(info.firstPublish)},
          {"authorisation", U(info.authorisation)},
          {"intro", U(info.intro)},
          {"last_update", U(info.lastUpdate)},
          {"latest_chapter", U(info.latestChapter)},
          {"chapter_list_url", U(info.chapterListUrl)},
          {"txt_url", U(info.txtDownloadUrl)},
          {"udm_url", U(info.udmDownloadUrl)},
          {"jar_url", U(info.jarDownloadUrl)}};
}

Json ChaptersJson(const std::vector<ChapterLink>& chapters) {
  Json list = Json::array();
  for (const ChapterLink& chapter : chapters)
    list.push_back({{"title", U(chapter.title)}, {"number", chapter.number}});
  return {{"chapters", std::move(list)}};
}

// The page's bytes up to the first zero byte, as the reader takes a body.
std::optional<GbkText> ReadPage(const std::string& file, std::istream& in) {
  std::ostringstream bytes;
  if (file == "-") {
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
  } else {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) return std::nullopt;
    // An empty file leaves the buffer copy without characters; that is an
    // empty page, not a failure.
    if (stream.peek() != std::ifstream::traits_type::eof()) bytes << stream.rdbuf();
    if (stream.bad()) return std::nullopt;
  }
  return BytesToText(bytes.str());
}

}  // namespace

int RunScrapeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                  std::ostream& err) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << kUsage << "\n";
      return 0;
    }
  }
  std::string error;
  const std::optional<Options> options = ParseArguments(args, error);
  if (!options) {
    err << "tavelin-scrape: " << error << " (" << kUsage << ")\n";
    return 2;
  }
  const std::optional<GbkText> page = ReadPage(options->file, in);
  if (!page) {
    err << "tavelin-scrape: cannot read " << options->file << "\n";
    return 1;
  }
  const std::string& kind = options->kind;
  if (kind == "page") {
    out << ReadingPage(ScrapeChapterText(*page), options->assetUrl, options->noticeUrl);
    out.flush();
    return 0;
  }
  Json json;
  if (kind == "ranking")
    json = ListJson(ScrapeRankingPage(*page), RowJson<RankingRow>);
  else if (kind == "category")
    json = ListJson(ScrapeCategoryPage(*page), RowJson<CategoryRow>);
  else if (kind == "search")
    json = SearchJson(ScrapeSearchPage(*page));
  else if (kind == "info")
    json = InfoJson(ScrapeBookInfoPage(*page, options->siteUrl));
  else if (kind == "chapters")
    json = ChaptersJson(ScrapeChapterListPage(*page));
  else
    json = Json{{"text", U(ScrapeChapterText(*page))}};
  // Every string comes from GbkToUtf8, which gives valid UTF-8; replacing
  // instead of throwing keeps the tool from dying on anything it missed.
  out << json.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
  out.flush();
  return 0;
}
