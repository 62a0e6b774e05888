// Every page kind of the sample site, cut by the scrapers and checked against
// the catalogue the site generated them from.

#include <gtest/gtest.h>

#include "page_fixtures.h"
#include "pages.h"
#include "sample_site.h"
#include "scrape/book_info_page.h"
#include "scrape/category_page.h"
#include "scrape/chapter_list_page.h"
#include "scrape/chapter_page.h"
#include "scrape/gbk_literal.h"
#include "scrape/html_sanitizer.h"
#include "scrape/ranking_page.h"
#include "scrape/search_page.h"

namespace {

using namespace sample_site;

constexpr std::string_view kBase = "http://127.0.0.1:18080";

const Catalogue& TestCatalogue() {
  static const Catalogue catalogue{CatalogueOptions{}};
  return catalogue;
}

GbkText StateOf(const Book& book) {
  return book.finished ? "已完成"_gbk : "连载中"_gbk;
}

TEST(SampleSitePages, EveryRankingFirstPage) {
  const Catalogue& catalogue = TestCatalogue();
  for (Ranking ranking : AllRankings()) {
    SCOPED_TRACE(std::string(RankingPathName(ranking)));
    const RankingPage page = ScrapeRankingPage(RankingListPage(catalogue, ranking, 1, kBase));
    const auto& books = catalogue.RankingBooks(ranking);
    const auto expected = Catalogue::PageOf(books, 1, catalogue.options().rankingPageSize);
    EXPECT_FALSE(page.siteError);
    EXPECT_EQ(page.pageNumber, "1");
    EXPECT_EQ(page.pageCount, NumberToText(Catalogue::PageCount(
                                  books.size(), catalogue.options().rankingPageSize)));
    ASSERT_EQ(page.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      const Book& book = *expected[i];
      const RankingRow& row = page.rows[i];
      EXPECT_EQ(row.bookId, NumberToText(book.id));
      EXPECT_EQ(row.title, book.title) << Utf8(row.title);
      EXPECT_EQ(row.author, book.author) << Utf8(row.author);
      EXPECT_EQ(row.state, StateOf(book));
      EXPECT_FALSE(row.updateTime.empty());
      if (book.chapterCount > 0) {
        EXPECT_EQ(row.latestChapter, catalogue.ChapterAt(book, book.chapterCount - 1).title)
            << Utf8(row.latestChapter);
      }
    }
  }
}

TEST(SampleSitePages, EveryCategoryFirstAndLastPage) {
  const Catalogue& catalogue = TestCatalogue();
  const int pageSize = catalogue.options().categoryPageSize;
  for (int category = 1; category <= 10; ++category) {
    const auto& books = catalogue.CategoryBooks(category);
    const int pageCount = Catalogue::PageCount(books.size(), pageSize);
    for (int pageNumber : {1, pageCount}) {
      SCOPED_TRACE("list" + std::to_string(category) + " page " + std::to_string(pageNumber));
      const CategoryPage page =
          ScrapeCategoryPage(CategoryListPage(catalogue, category, pageNumber, kBase));
      const auto expected = Catalogue::PageOf(books, pageNumber, pageSize);
      EXPECT_EQ(page.pageNumber, NumberToText(pageNumber));
      EXPECT_EQ(page.pageCount, NumberToText(pageCount));
      ASSERT_EQ(page.rows.size(), expected.size());
      for (size_t i = 0; i < expected.size(); ++i) {
        const Book& book = *expected[i];
        const CategoryRow& row = page.rows[i];
        EXPECT_EQ(row.bookId, NumberToText(book.id));
        EXPECT_EQ(row.title, book.title) << Utf8(row.title);
        EXPECT_EQ(row.author, book.author) << Utf8(row.author);
        EXPECT_EQ(row.state, StateOf(book)) << Utf8(row.state);
        EXPECT_FALSE(row.updateTime.empty());
        if (book.chapterCount > 0) {
          EXPECT_EQ(row.latestChapter, catalogue.ChapterAt(book, book.chapterCount - 1).title)
              << Utf8(row.latestChapter);
        }
      }
    }
  }
}

TEST(SampleSitePages, SearchInBothShapes) {
  const Catalogue& catalogue = TestCatalogue();
  struct Case {
    SearchField field;
    std::string_view keyword;
    int bookId;
  } singles[] = {
      {SearchField::kTitle, kTitleKeyword, kTitleKeywordBookId},
      {SearchField::kAuthor, kAuthorKeyword, kAuthorKeywordBookId},
      {SearchField::kTitle, kTrailByteTitleKeyword, kTrailByteBookId},
      {SearchField::kAuthor, kTrailByteAuthorKeyword, kTrailByteBookId},
  };
  for (const Case& c : singles) {
    SCOPED_TRACE(std::string(c.keyword));
    const SearchPage page =
        ScrapeSearchPage(SearchAnswerPage(catalogue, c.field, Utf8ToGbk(c.keyword), 1, kBase));
    ASSERT_EQ(page.shape, SearchShape::kSingleBook);
    ASSERT_EQ(page.rows.size(), 1u);
    const Book& book = *catalogue.FindBook(c.bookId);
    EXPECT_EQ(page.rows[0].bookId, NumberToText(book.id));
    EXPECT_EQ(page.rows[0].title, book.title);
    EXPECT_EQ(page.rows[0].author, book.author);
    EXPECT_EQ(page.rows[0].state, StateOf(book));
    EXPECT_EQ(page.rows[0].updateTime, DateTimeText(book.updateMinute));
  }
  const GbkText common = Utf8ToGbk(kCommonTitleKeyword);
  const SearchPage list =
      ScrapeSearchPage(SearchAnswerPage(catalogue, SearchField::kTitle, common, 1, kBase));
  EXPECT_EQ(list.shape, SearchShape::kResultList);
  const auto found = catalogue.Search(SearchField::kTitle, common);
  ASSERT_GT(found.size(), 1u);
  const auto firstPage = Catalogue::PageOf(found, 1, catalogue.options().categoryPageSize);
  ASSERT_EQ(list.rows.size(), firstPage.size());
  for (size_t i = 0; i < firstPage.size(); ++i)
    EXPECT_EQ(list.rows[i].bookId, NumberToText(firstPage[i]->id));
  EXPECT_EQ(list.pageNumber, "1");

  const SearchPage tooSoon = ScrapeSearchPage(SearchTooSoonPage(kBase));
  EXPECT_TRUE(tooSoon.siteError);
  EXPECT_TRUE(tooSoon.rows.empty());
}

TEST(SampleSitePages, BookInformationOfEverySpecialBook) {
  const Catalogue& catalogue = TestCatalogue();
  const GbkText base(kBase);
  for (int id = kFirstBookId; id < kFirstBookId + kSpecialBookCount; ++id) {
    SCOPED_TRACE(id);
    const Book& book = *catalogue.FindBook(id);
    const BookInfo info = ScrapeBookInfoPage(BookInfoPage(catalogue, book, kBase), kBase);
    EXPECT_EQ(info.coverUrl, base + CoverPath(id));
    EXPECT_EQ(info.title, book.title);
    EXPECT_EQ(info.author, book.author);
    EXPECT_EQ(info.length, NumberToText(book.words) + "字"_gbk);
    EXPECT_EQ(info.state, StateOf(book));
    EXPECT_EQ(info.lastUpdate, DateTimeText(book.updateMinute));
    for (const GbkText* field : {&info.category, &info.firstPublish, &info.authorisation})
      EXPECT_FALSE(field->empty());
    EXPECT_EQ(info.chapterListUrl, base + ChapterListPath(id));
    EXPECT_EQ(info.txtDownloadUrl, base + DownloadPath(id, DownloadKind::kTxt));
    EXPECT_EQ(info.udmDownloadUrl, base + DownloadPath(id, DownloadKind::kUdm));
    EXPECT_EQ(info.jarDownloadUrl, base + DownloadPath(id, DownloadKind::kJar));
    if (book.chapterCount > 0) {
      EXPECT_EQ(info.latestChapter, catalogue.ChapterAt(book, book.chapterCount - 1).title);
    }
    const GbkText intro = catalogue.Introduction(book);
    if (book.shortIntroduction) {
      // Cut up to "<br />\n<span class=...": the site's own "<br />" ends it.
      EXPECT_EQ(info.intro, intro + "<br />\r\n");
    } else {
      EXPECT_FALSE(info.intro.empty());
      EXPECT_EQ(info.intro.find('<'), std::string::npos) << Utf8(info.intro);
      EXPECT_EQ(info.intro.find("&nbsp;"), std::string::npos) << Utf8(info.intro);
    }
  }
}

TEST(SampleSitePages, ChapterListsInPageOrder) {
  const Catalogue& catalogue = TestCatalogue();
  for (int id : {kLongBookId, kHostileBookId, kEmptyBookId}) {
    SCOPED_TRACE(id);
    const Book& book = *catalogue.FindBook(id);
    const std::vector<ChapterLink> chapters =
        ScrapeChapterListPage(ChapterListPage(catalogue, book, kBase));
    ASSERT_EQ(chapters.size(), static_cast<size_t>(book.chapterCount));
    for (int i = 0; i < book.chapterCount; ++i) {
      const Chapter chapter = catalogue.ChapterAt(book, i);
      EXPECT_EQ(chapters[i].number, chapter.number);
      EXPECT_EQ(chapters[i].title, chapter.title);
    }
  }
}

TEST(SampleSitePages, ChapterTextCleanAndHostile) {
  const Catalogue& catalogue = TestCatalogue();
  const Book& book = *catalogue.FindBook(kHostileBookId);
  // A clean chapter comes out byte for byte as the site wrote it.
  for (int index : {0, 2, book.chapterCount - 1}) {
    const GbkText page = ChapterPage(catalogue, book, index, false, kBase);
    EXPECT_EQ(ScrapeChapterText(page), ChapterTextHtml(catalogue, book, index, false)) << index;
  }
  // The hostile chapter keeps its paragraphs and text and loses what runs.
  const GbkText hostile =
      ScrapeChapterText(ChapterPage(catalogue, book, kHostileChapterIndex, false, kBase));
  EXPECT_EQ(CutRawChapterText(ChapterPage(catalogue, book, kHostileChapterIndex, false, kBase)),
            ChapterTextHtml(catalogue, book, kHostileChapterIndex, false));
  const std::string lower = LowerCase(hostile);
  for (const char* gone :
       {"<script", "<iframe", "<object", "<embed", "<form", "<input", "<meta", "<base", "<svg",
        "javascript:", "onerror", "onclick", "onmouseover", "onload", "etc/passwd", "evil.example"})
    EXPECT_EQ(lower.find(gone), std::string::npos) << gone << " in " << Utf8(hostile);
  for (const GbkText& kept :
       {"点我有惊喜"_gbk, "点这里"_gbk, "再点这里"_gbk, GbkText("<img src=\"x.gif\"")})
    EXPECT_NE(hostile.find(kept), std::string::npos) << Utf8(kept);
  for (const GbkText& paragraph : catalogue.ChapterParagraphs(book, kHostileChapterIndex))
    EXPECT_NE(hostile.find(paragraph), std::string::npos);
}

}  // namespace
