#include "scrape/category_page.h"

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "scrape/gbk_literal.h"

namespace {

void ExpectRow(const CategoryRow& row, const CategoryRow& expected) {
  SCOPED_TRACE(Utf8(expected.title));
  EXPECT_EQ(row.bookId, expected.bookId);
  EXPECT_EQ(row.title, expected.title) << Utf8(row.title);
  EXPECT_EQ(row.latestChapter, expected.latestChapter) << Utf8(row.latestChapter);
  EXPECT_EQ(row.author, expected.author) << Utf8(row.author);
  EXPECT_EQ(row.updateTime, expected.updateTime) << Utf8(row.updateTime);
  EXPECT_EQ(row.state, expected.state) << Utf8(row.state);
}

TEST(CategoryPage, CutsCounterAndEveryRowOfTheListRegion) {
  const CategoryPage page = ScrapeCategoryPage(ReadFixturePage("category.html"));
  EXPECT_EQ(page.pageNumber, "3");
  EXPECT_EQ(page.pageCount, "40");
  EXPECT_FALSE(page.siteError);
  // The row after "\"main m_foot\">" lies outside the list region.
  ASSERT_EQ(page.rows.size(), 3u);
  ExpectRow(page.rows[0], {"10001", "斗破苍穹"_gbk, "第一千章 终章"_gbk, "天蚕土豆"_gbk,
                           "2011-12-05", "连载中"_gbk});
  ExpectRow(page.rows[1], {"10002", "青灯夜雨录"_gbk, "第八十章 夜雨"_gbk, "听泉居士"_gbk,
                           "2011-12-04", "已完成"_gbk});
  ExpectRow(page.rows[2],
            {"10003", "石上听泉"_gbk, "第三十章 风起"_gbk, "千縷"_gbk, "2011-12-03", "连载中"_gbk});
}

TEST(CategoryPage, RowBlocksOneAtATimeGiveTheSameRows) {
  const GbkText page = ReadFixturePage("category.html");
  const std::vector<GbkText> blocks = CategoryRowBlocks(page);
  const CategoryPage whole = ScrapeCategoryPage(page);
  ASSERT_EQ(blocks.size(), whole.rows.size());
  for (size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_TRUE(blocks[i].starts_with("book_news_style_img"));
    EXPECT_TRUE(blocks[i].ends_with("</h3></div></div>"));
    EXPECT_EQ(CutCategoryRow(blocks[i]).bookId, whole.rows[i].bookId);
  }
}

TEST(CategoryPage, RowFieldsAtTheirEdges) {
  struct Case {
    const char* what;
    GbkText block;
    CategoryRow expected;
  } cases[] = {
      {"author after the last 作者：, state between the first 【 and 】",
       "book_news_style_img<h1><a href=\"http://h/book/4711.html\" target=\"_blank\">书名</a></h1>"
       "<h2>作者：甲【乙】作者：丙【丁】</h2><h4>更新时间：t</h4><h5>最新章节：<a href=\"x\" "
       "target=\"_blank\">章</a></h5><h3></h3></div></div>"_gbk,
       {"4711", "书名"_gbk, "章"_gbk, "丙"_gbk, "t", "乙"_gbk}},
      {"latest chapter after the last target anywhere in the block",
       "book_news_style_img<h1><a href=\"/book/5.html\" "
       "target=\"_blank\">A</a></h1><h2>作者：B【C】"
       "</h2><h3> target=\"_blank\">late</a></h5><h3></h3></div></div>"_gbk,
       {"5", "A", "late", "B", "", "C"}},
      {"no heading: no id, no title; the rest still cut",
       "book_news_style_img<h2>作者：B【C】</h2><h4>更新时间：t</h4><h5>最新章节：</h5><h3></h3></div></div>"_gbk,
       {"", "", "", "B", "t", "C"}},
      {"markers present without their ends give the rest of the block",
       "book_news_style_img 作者：甲 target=\"_blank\">乙"_gbk,
       {"", "", "乙"_gbk, "甲 target=\"_blank\">乙"_gbk, "", ""}},
      {"empty block", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectRow(CutCategoryRow(c.block), c.expected);
  }
}

TEST(CategoryPage, ErrorPageEmptyPageAndPageWithoutRegion) {
  const CategoryPage error = ScrapeCategoryPage(ReadFixturePage("site_error.html"));
  EXPECT_TRUE(error.siteError);
  EXPECT_TRUE(error.rows.empty());
  EXPECT_EQ(error.pageNumber, "1");

  const CategoryPage empty = ScrapeCategoryPage("");
  EXPECT_FALSE(empty.siteError);
  EXPECT_TRUE(empty.pageNumber.empty() && empty.pageCount.empty() && empty.rows.empty());

  // Rows without the region markers around them are not rows.
  GbkText noRegion = ReadFixturePage("category.html");
  noRegion = ReplaceSubtext(noRegion, "当前位置："_gbk, "位置："_gbk);
  EXPECT_TRUE(ScrapeCategoryPage(noRegion).rows.empty());
}

}  // namespace
