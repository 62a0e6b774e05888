#include "scrape/search_page.h"

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

TEST(SearchPage, AddressEncodesTheKeyword) {
  EXPECT_EQ(SearchAddress("http://h", "articlename", "ab c"),
            "http://h/modules/article/search.php?searchtype=articlename&searchkey=ab%20c");
  EXPECT_EQ(SearchAddress("http://h", "author", "斗"_gbk),
            "http://h/modules/article/search.php?searchtype=author&searchkey=%B6%B7");
}

TEST(SearchPage, ResultListIsCutLikeACategoryPage) {
  const GbkText page = ReadFixturePage("search_list.html");
  const SearchPage result = ScrapeSearchPage(page);
  EXPECT_EQ(result.shape, SearchShape::kResultList);
  EXPECT_FALSE(result.siteError);
  EXPECT_EQ(result.pageNumber, "3");
  EXPECT_EQ(result.pageCount, "40");
  const CategoryPage asCategory = ScrapeCategoryPage(page);
  ASSERT_EQ(result.rows.size(), asCategory.rows.size());
  ASSERT_EQ(result.rows.size(), 3u);
  for (size_t i = 0; i < result.rows.size(); ++i) {
    EXPECT_EQ(result.rows[i].bookId, asCategory.rows[i].bookId);
    EXPECT_EQ(result.rows[i].title, asCategory.rows[i].title);
  }
}

TEST(SearchPage, SingleBookGivesOneRowFromTheInformationPage) {
  const SearchPage result = ScrapeSearchPage(ReadFixturePage("search_book.html"));
  EXPECT_EQ(result.shape, SearchShape::kSingleBook);
  EXPECT_FALSE(result.siteError);
  EXPECT_EQ(result.pageNumber, "");
  EXPECT_EQ(result.pageCount, "");
  ASSERT_EQ(result.rows.size(), 1u);
  const CategoryRow& row = result.rows[0];
  EXPECT_EQ(row.title, "斗破苍穹"_gbk);
  EXPECT_EQ(row.latestChapter, "第一千章 终章"_gbk);
  EXPECT_EQ(row.author, "天蚕土豆"_gbk);
  EXPECT_EQ(row.updateTime, "2011-12-05 08:30") << "the last update";
  EXPECT_EQ(row.state, "连载中"_gbk);
  // The read link ends in /10001/index.html: its own id rule keeps
  // "index.html" and only drops the "/" (the five bytes before the last "/"
  // are "10001").
  EXPECT_EQ(row.bookId, "10001index.html");
}

TEST(SearchPage, SingleBookIdRule) {
  const GbkText before =
      "管理</a>height: 150%\"><td bgcolor=\"#000000\" height=\"1\"></td>\r<a href=\""_gbk;
  const GbkText after = "\">点击阅读</a></li>作品关键字："_gbk;
  struct Case {
    GbkText readLink, id;
  } cases[] = {
      {"http://h/html/12345/", "12345"},
      {"http://h/html/123456/", "23456"},
      {"http://h/book/12345.html", "book12345.html"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CutSingleBookRow(before + c.readLink + after).bookId, c.id) << c.readLink;
}

TEST(SearchPage, ShapesErrorsAndEmptyAnswers) {
  struct Case {
    const char* what;
    GbkText page;
    SearchShape shape;
    bool siteError;
    size_t rows;
  } cases[] = {
      {"empty answer is an empty result list", "", SearchShape::kResultList, false, 0},
      {"single book with the error text: no row", ReadFixturePage("site_error.html"),
       SearchShape::kSingleBook, true, 0},
      {"result list with the error text: no rows",
       ReplaceSubtext(ReadFixturePage("search_list.html"), "</body>", "出现错误！</body>"_gbk),
       SearchShape::kResultList, true, 0},
      {"single book without any of its markers: one empty row", "文章管理</a>"_gbk,
       SearchShape::kSingleBook, false, 1},
      {"\"管理</a>\" is found by exact bytes", "管理</A>"_gbk, SearchShape::kResultList, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SearchPage result = ScrapeSearchPage(c.page);
    EXPECT_EQ(result.shape, c.shape);
    EXPECT_EQ(result.siteError, c.siteError);
    EXPECT_EQ(result.rows.size(), c.rows);
  }
  const CategoryRow empty = CutSingleBookRow("文章管理</a>"_gbk);
  EXPECT_TRUE(empty.bookId.empty() && empty.title.empty() && empty.latestChapter.empty() &&
              empty.author.empty() && empty.updateTime.empty() && empty.state.empty());
}

}  // namespace
