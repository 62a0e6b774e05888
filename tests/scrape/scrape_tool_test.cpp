// Runs the built tavelin-scrape over saved pages of every kind of the sample
// site and checks that what the site filled comes back filled.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "pages.h"
#include "sample_site.h"
#include "scrape/chapter_page.h"
#include "scrape/charset.h"
#include "scrape/reading_page.h"
#include "scrape_tool_path.h"

namespace {

using namespace sample_site;
using Json = nlohmann::json;
namespace fs = std::filesystem;

constexpr std::string_view kBase = "http://127.0.0.1:18080";

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class ScrapeTool : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tavelin-scrape-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(dir_, error);
  }

  std::string Save(const std::string& name, const GbkText& bytes) {
    const std::string path = (dir_ / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  // Runs the tool with `arguments` (already quoted for the shell).
  ToolRun Tool(const std::string& arguments) {
    const fs::path out = dir_ / "out", err = dir_ / "err";
    const std::string command = std::string("'") + TAVELIN_SCRAPE_TOOL + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = Slurp(out);
    run.err = Slurp(err);
    return run;
  }

  Json ToolJson(const std::string& arguments) {
    const ToolRun run = Tool(arguments);
    EXPECT_EQ(run.exitCode, 0) << arguments << ": " << run.err;
    EXPECT_EQ(run.err, "");
    return Json::parse(run.out, nullptr, false);
  }

  fs::path dir_;
};

const Catalogue& TestCatalogue() {
  static const Catalogue catalogue{CatalogueOptions{}};
  return catalogue;
}

void ExpectRowsFilled(const Json& rows, const std::vector<const Book*>& books) {
  ASSERT_TRUE(rows.is_array());
  ASSERT_EQ(rows.size(), books.size());
  for (size_t i = 0; i < books.size(); ++i) {
    EXPECT_EQ(rows[i]["id"], std::to_string(books[i]->id));
    EXPECT_EQ(rows[i]["title"], GbkToUtf8(books[i]->title));
    for (const char* key : {"author", "update_time", "state"})
      EXPECT_NE(rows[i][key], "") << key << " of row " << i;
    if (books[i]->chapterCount > 0) {
      EXPECT_NE(rows[i]["latest_chapter"], "") << "row " << i;
    }
  }
}

TEST_F(ScrapeTool, EveryPageKindOfTheSampleSite) {
  const Catalogue& catalogue = TestCatalogue();
  const Book& book = *catalogue.FindBook(kLongBookId);

  const Json ranking =
      ToolJson("ranking " +
               Save("ranking.html", RankingListPage(catalogue, Ranking::kLastUpdate, 1, kBase)));
  EXPECT_EQ(ranking["page_number"], "1");
  EXPECT_NE(ranking["page_count"], "");
  EXPECT_EQ(ranking["site_error"], false);
  ExpectRowsFilled(ranking["rows"], Catalogue::PageOf(catalogue.RankingBooks(Ranking::kLastUpdate),
                                                      1, catalogue.options().rankingPageSize));

  const Json category =
      ToolJson("category " + Save("category.html", CategoryListPage(catalogue, 1, 1, kBase)));
  EXPECT_EQ(category["page_number"], "1");
  EXPECT_NE(category["page_count"], "");
  ExpectRowsFilled(category["rows"], Catalogue::PageOf(catalogue.CategoryBooks(1), 1,
                                                       catalogue.options().categoryPageSize));

  const GbkText common = Utf8ToGbk(kCommonTitleKeyword);
  const Json list =
      ToolJson("search " + Save("list.html", SearchAnswerPage(catalogue, SearchField::kTitle,
                                                              common, 1, kBase)));
  EXPECT_EQ(list["shape"], "list");
  EXPECT_EQ(list["page_number"], "1");
  ExpectRowsFilled(list["rows"], Catalogue::PageOf(catalogue.Search(SearchField::kTitle, common), 1,
                                                   catalogue.options().categoryPageSize));

  const Json single = ToolJson(
      "search " + Save("single.html", SearchAnswerPage(catalogue, SearchField::kTitle,
                                                       Utf8ToGbk(kTitleKeyword), 1, kBase)));
  EXPECT_EQ(single["shape"], "book");
  EXPECT_EQ(single["page_number"], "");
  ExpectRowsFilled(single["rows"], {catalogue.FindBook(kTitleKeywordBookId)});

  // Read from standard input this time.
  const Json info = ToolJson("info - <" + Save("info.html", BookInfoPage(catalogue, book, kBase)));
  ASSERT_TRUE(info.is_object());
  EXPECT_EQ(info.size(), 15u);
  for (const auto& [key, value] : info.items()) EXPECT_NE(value, "") << key;
  EXPECT_EQ(info["title"], GbkToUtf8(book.title));
  EXPECT_EQ(info["txt_url"], std::string(kBase) + DownloadPath(book.id, DownloadKind::kTxt));

  const Json chapters =
      ToolJson("chapters " + Save("chapters.html", ChapterListPage(catalogue, book, kBase)));
  ASSERT_EQ(chapters["chapters"].size(), static_cast<size_t>(book.chapterCount));
  for (int i = 0; i < book.chapterCount; ++i) {
    EXPECT_EQ(chapters["chapters"][i]["number"], catalogue.ChapterAt(book, i).number);
    EXPECT_EQ(chapters["chapters"][i]["title"], GbkToUtf8(catalogue.ChapterAt(book, i).title));
  }

  const std::string chapterFile =
      Save("chapter.html", ChapterPage(catalogue, book, 0, false, kBase));
  const Json chapter = ToolJson("chapter " + chapterFile);
  EXPECT_EQ(chapter["text"], GbkToUtf8(ChapterTextHtml(catalogue, book, 0, false)));

  const ToolRun page = Tool("--asset-url file:///a --notice-url=http://n page " + chapterFile);
  EXPECT_EQ(page.exitCode, 0);
  EXPECT_EQ(page.out,
            ReadingPage(ChapterTextHtml(catalogue, book, 0, false), "file:///a", "http://n"))
      << "raw GBK bytes of the whole reading page";

  const Json hostile = ToolJson(
      "chapter " + Save("hostile.html", ChapterPage(catalogue, *catalogue.FindBook(kHostileBookId),
                                                    kHostileChapterIndex, false, kBase)));
  EXPECT_EQ(hostile["text"].get<std::string>().find("<script"), std::string::npos);
}

TEST_F(ScrapeTool, SiteUrlNamesTheDownloadPrefix) {
  const Catalogue& catalogue = TestCatalogue();
  const Book& book = *catalogue.FindBook(kLongBookId);
  const std::string file = Save("info.html", BookInfoPage(catalogue, book, "http://other:1"));
  EXPECT_EQ(ToolJson("info " + file)["txt_url"],
            "http://127.0.0.1:18080/modules/article/packdown.php")
      << "another site's links do not match the default prefix";
  EXPECT_EQ(ToolJson("--site-url http://other:1 info " + file)["txt_url"],
            "http://other:1" + DownloadPath(book.id, DownloadKind::kTxt));
}

TEST_F(ScrapeTool, ErrorsAndExitCodes) {
  struct Case {
    const char* arguments;
    int exitCode;
  } cases[] = {
      {"", 2},           {"bogus ", 2},           {"ranking a b", 2},
      {"--site-url", 2}, {"--colour ranking", 2}, {"info /nonexistent/page.html", 1},
      {"info /", 1},
  };
  for (const Case& c : cases) {
    const ToolRun run = Tool(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
    EXPECT_EQ(run.out, "") << c.arguments;
    EXPECT_FALSE(run.err.empty()) << c.arguments;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
  }
  // An empty page is a page: everything comes back empty.
  const Json empty = ToolJson("ranking " + Save("empty.html", ""));
  EXPECT_EQ(empty["rows"].size(), 0u);
  EXPECT_EQ(empty["page_number"], "");
}

}  // namespace
