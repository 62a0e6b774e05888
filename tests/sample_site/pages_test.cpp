// The sample site's catalogue and page builders, without a server: every page
// kind is cut with the reader's markers and must give back the catalogue.

#include <gtest/gtest.h>

#include <set>

#include "app/services/xml_document.h"
#include "cover_image.h"
#include "made_up_text.h"
#include "misbehaviour.h"
#include "page_cuts.h"
#include "pages.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "scrape/markers.h"
#include "site_facts.h"

using namespace sample_site;
using site_test::ListRow;

namespace {

const GbkText kBase = "http://127.0.0.1:4321";

const Catalogue& DefaultCatalogue() {
  static const Catalogue catalogue{CatalogueOptions{}};
  return catalogue;
}

GbkText StateOf(const Book& book) {
  return book.finished ? "已完成"_gbk : "连载中"_gbk;
}

GbkText LatestTitle(const Catalogue& catalogue, const Book& book) {
  return book.chapterCount > 0 ? catalogue.ChapterAt(book, book.chapterCount - 1).title : GbkText();
}

// Every line ends in CR LF and the bytes are valid GBK.
void ExpectWellFormed(const GbkText& page, const std::string& what) {
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\n') {
      ASSERT_TRUE(i > 0 && page[i - 1] == '\r') << what << ": lone line feed at byte " << i;
    }
  }
  std::string utf8 = GbkToUtf8(page);
  EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << what << ": bytes that are not GBK";
  EXPECT_EQ(Utf8ToGbk(utf8), page) << what << ": does not survive GBK -> UTF-8 -> GBK";
}

}  // namespace

TEST(SampleCatalogue, SameSeedGivesSameCatalogueOtherSeedAnother) {
  Catalogue a{CatalogueOptions{}};
  Catalogue b{CatalogueOptions{}};
  CatalogueOptions other;
  other.seed = 7;
  Catalogue c{other};
  int differentTitles = 0;
  for (std::size_t i = 0; i < a.books().size(); ++i) {
    EXPECT_EQ(a.books()[i].title, b.books()[i].title);
    EXPECT_EQ(a.books()[i].firstChapterNumber, b.books()[i].firstChapterNumber);
    if (a.books()[i].title != c.books()[i].title) ++differentTitles;
  }
  EXPECT_GT(differentTitles, 20);
  const Book& book = a.books()[20];
  EXPECT_EQ(ChapterPage(a, book, 3, false, kBase), ChapterPage(b, b.books()[20], 3, false, kBase));
}

TEST(SampleCatalogue, SpecialBooksHaveTheirProperties) {
  for (std::uint64_t seed : {1ULL, 2ULL, 20110722ULL}) {
    CatalogueOptions options;
    options.seed = seed;
    options.chapters = 50;
    Catalogue catalogue{options};
    ASSERT_GE(catalogue.books().size(), static_cast<std::size_t>(kSpecialBookCount));
    EXPECT_EQ(catalogue.FindBook(kLongBookId)->chapterCount, 50);
    const Book& hostile = *catalogue.FindBook(kHostileBookId);
    EXPECT_EQ(hostile.hostileChapter, kHostileChapterIndex);
    EXPECT_GT(hostile.chapterCount, kHostileChapterIndex);
    EXPECT_EQ(catalogue.FindBook(kTitleKeywordBookId)->title, "青灯夜雨录"_gbk);
    EXPECT_EQ(catalogue.FindBook(kAuthorKeywordBookId)->author, "石上听泉"_gbk);
    const Book& trail = *catalogue.FindBook(kTrailByteBookId);
    EXPECT_NE(trail.title.find('\\'), std::string::npos);
    EXPECT_NE(trail.author.find('|'), std::string::npos);
    EXPECT_LT(catalogue.Introduction(*catalogue.FindBook(kShortIntroBookId)).size(), 100u);
    EXPECT_EQ(catalogue.FindBook(kEmptyBookId)->chapterCount, 0);
    for (const Book& book : catalogue.books()) {
      if (book.id != kShortIntroBookId) {
        EXPECT_GE(catalogue.Introduction(book).size(), 100u) << book.id;
      }
      if (book.id > kEmptyBookId) {
        EXPECT_GE(book.chapterCount, 25) << book.id;
        EXPECT_LE(book.chapterCount, 50) << book.id;
      }
    }
  }
}

TEST(SampleCatalogue, SearchKeywordsFindExactlyTheirBookWhateverTheSeed) {
  struct Case {
    SearchField field;
    std::string_view keyword;
    int id;
  };
  const Case cases[] = {
      {SearchField::kTitle, kTitleKeyword, kTitleKeywordBookId},
      {SearchField::kAuthor, kAuthorKeyword, kAuthorKeywordBookId},
      {SearchField::kTitle, kTrailByteTitleKeyword, kTrailByteBookId},
      {SearchField::kAuthor, kTrailByteAuthorKeyword, kTrailByteBookId},
  };
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    CatalogueOptions options;
    options.seed = seed;
    options.books = 400;
    Catalogue catalogue{options};
    for (const Case& c : cases) {
      auto found = catalogue.Search(c.field, Utf8ToGbk(c.keyword));
      ASSERT_EQ(found.size(), 1u) << "seed " << seed << " keyword " << c.keyword;
      EXPECT_EQ(found.front()->id, c.id);
    }
    EXPECT_GT(catalogue.Search(SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword)).size(), 1u);
    EXPECT_TRUE(catalogue.Search(SearchField::kTitle, "").empty());
    // A title keyword is not an author keyword.
    EXPECT_TRUE(catalogue.Search(SearchField::kAuthor, Utf8ToGbk(kTitleKeyword)).empty());
  }
}

TEST(SampleCatalogue, ChapterNumbersAreUniqueAndMapBackToTheirChapter) {
  const Catalogue& catalogue = DefaultCatalogue();
  long long previousLast = 0;
  for (const Book& book : catalogue.books()) {
    int previous = 0;
    for (int index = 0; index < book.chapterCount; ++index) {
      int number = catalogue.ChapterAt(book, index).number;
      ASSERT_GT(number, previous);
      ASSERT_GT(number, previousLast) << "chapter numbers of two books overlap";
      ASSERT_EQ(Catalogue::ChapterIndexOfNumber(book, number), index);
      for (int gap = previous + 1; index > 0 && gap < number; ++gap) {
        ASSERT_EQ(Catalogue::ChapterIndexOfNumber(book, gap), -1);
      }
      previous = number;
    }
    EXPECT_EQ(Catalogue::ChapterIndexOfNumber(book, previous + 1), -1);
    EXPECT_EQ(Catalogue::ChapterIndexOfNumber(book, book.firstChapterNumber - 1), -1);
    if (previous > 0) previousLast = previous;
  }
}

TEST(SampleCatalogue, LimitsKeepIdsAtFiveDigitsAndChapterNumbersInAnInt) {
  CatalogueOptions options;
  options.books = 200000;
  options.chapters = 100000;
  Catalogue catalogue{options};
  EXPECT_EQ(catalogue.books().size(), 89999u);
  EXPECT_EQ(catalogue.books().back().id, 99999);
  const Book& last = catalogue.books().back();
  long long lastNumber =
      static_cast<long long>(last.firstChapterNumber) + last.chapterCount + last.chapterCount / 7;
  EXPECT_LT(lastNumber, 2147483647LL);
  EXPECT_EQ(catalogue.FindBook(kLongBookId)->chapterCount, catalogue.options().chapters);

  options.books = 1;
  EXPECT_EQ(Catalogue{options}.books().size(), static_cast<std::size_t>(kSpecialBookCount));
}

TEST(SampleCatalogue, ListsHoldEveryBookInOrder) {
  const Catalogue& catalogue = DefaultCatalogue();
  std::set<int> seen;
  for (int category = 1; category <= kCategoryCount; ++category) {
    const auto& list = catalogue.CategoryBooks(category);
    EXPECT_FALSE(list.empty());
    for (std::size_t i = 0; i < list.size(); ++i) {
      EXPECT_EQ(list[i]->category, category);
      EXPECT_TRUE(seen.insert(list[i]->id).second);
      if (i > 0) {
        EXPECT_GE(list[i - 1]->updateMinute, list[i]->updateMinute);
      }
    }
  }
  EXPECT_EQ(seen.size(), catalogue.books().size());
  const auto& latest = catalogue.RankingBooks(Ranking::kLastUpdate);
  EXPECT_EQ(latest.size(), catalogue.books().size());
  for (std::size_t i = 1; i < latest.size(); ++i)
    EXPECT_GE(latest[i - 1]->updateMinute, latest[i]->updateMinute);
  EXPECT_EQ(catalogue.RankingBooks(Ranking::kAuthorUpdate).size() +
                catalogue.RankingBooks(Ranking::kMasterUpdate).size(),
            catalogue.books().size());
  EXPECT_TRUE(catalogue.CategoryBooks(0).empty());
  EXPECT_TRUE(catalogue.CategoryBooks(11).empty());
}

TEST(SamplePages, RankingPagesCarryCounterAndRowsOfTheRanking) {
  const Catalogue& catalogue = DefaultCatalogue();
  for (Ranking ranking : AllRankings()) {
    const auto& list = catalogue.RankingBooks(ranking);
    int pageSize = catalogue.options().rankingPageSize;
    int pages = Catalogue::PageCount(list.size(), pageSize);
    for (int page = 1; page <= pages + 1; ++page) {
      GbkText html = RankingListPage(catalogue, ranking, page, kBase);
      auto [number, count] = site_test::CutPageCounter(html);
      EXPECT_EQ(number, NumberToText(page));
      EXPECT_EQ(count, NumberToText(pages));
      std::vector<ListRow> rows = site_test::CutRankingRows(html);
      auto expected = Catalogue::PageOf(list, page, pageSize);
      ASSERT_EQ(rows.size(), expected.size()) << RankingPathName(ranking) << " page " << page;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const Book& book = *expected[i];
        EXPECT_EQ(rows[i].id, NumberToText(book.id));
        EXPECT_EQ(rows[i].title, book.title);
        EXPECT_EQ(rows[i].latestChapter, LatestTitle(catalogue, book));
        EXPECT_EQ(rows[i].author, book.author);
        EXPECT_EQ(rows[i].updateTime, ShortDateText(book.updateMinute / 1440));
        EXPECT_EQ(rows[i].state, StateOf(book));
      }
    }
  }
}

TEST(SamplePages, CategoryPagesCarryCounterAndRowsOfTheCategory) {
  const Catalogue& catalogue = DefaultCatalogue();
  for (int category = 1; category <= kCategoryCount; ++category) {
    const auto& list = catalogue.CategoryBooks(category);
    int pageSize = catalogue.options().categoryPageSize;
    int pages = Catalogue::PageCount(list.size(), pageSize);
    for (int page = 1; page <= pages + 1; ++page) {
      GbkText html = CategoryListPage(catalogue, category, page, kBase);
      auto [number, count] = site_test::CutPageCounter(html);
      EXPECT_EQ(number, NumberToText(page));
      EXPECT_EQ(count, NumberToText(pages));
      std::vector<ListRow> rows = site_test::CutCategoryRows(html);
      auto expected = Catalogue::PageOf(list, page, pageSize);
      ASSERT_EQ(rows.size(), expected.size()) << "list" << category << " page " << page;
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const Book& book = *expected[i];
        EXPECT_EQ(rows[i].id, NumberToText(book.id));
        EXPECT_EQ(rows[i].title, book.title);
        EXPECT_EQ(rows[i].author, book.author);
        EXPECT_EQ(rows[i].updateTime, DateText(book.updateMinute / 1440));
        EXPECT_EQ(rows[i].state, StateOf(book));
        if (book.chapterCount > 0) {
          EXPECT_EQ(rows[i].latestChapter, LatestTitle(catalogue, book));
        }
      }
    }
  }
  // A page number below 1 shows the first page.
  EXPECT_EQ(CategoryListPage(catalogue, 3, 0, kBase), CategoryListPage(catalogue, 3, 1, kBase));
}

TEST(SamplePages, OnlyInformationPagesHoldTheManageLinkAndNoPageTheErrorText) {
  const Catalogue& catalogue = DefaultCatalogue();
  std::vector<GbkText> lists = {
      CategoryListPage(catalogue, 1, 1, kBase),
      RankingListPage(catalogue, Ranking::kLastUpdate, 1, kBase),
      SearchAnswerPage(catalogue, SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword), 1, kBase),
      ChapterListPage(catalogue, *catalogue.FindBook(kLongBookId), kBase),
      ChapterPage(catalogue, *catalogue.FindBook(kLongBookId), 0, false, kBase)};
  for (const GbkText& page : lists) {
    EXPECT_EQ(FindText(page, "管理</a>"_gbk), -1);
    EXPECT_EQ(FindText(page, "出现错误！"_gbk), -1);
  }
  GbkText info = BookInfoPage(catalogue, *catalogue.FindBook(kLongBookId), kBase);
  EXPECT_NE(FindText(info, "管理</a>"_gbk), -1);
  EXPECT_EQ(FindText(info, "出现错误！"_gbk), -1);
  EXPECT_NE(FindText(SearchTooSoonPage(kBase), "出现错误！"_gbk), -1);
}

TEST(SamplePages, SearchAnswersASingleMatchWithItsInformationPage) {
  const Catalogue& catalogue = DefaultCatalogue();
  struct Case {
    SearchField field;
    std::string_view keyword;
    int id;
  };
  for (const Case& c : {Case{SearchField::kTitle, kTitleKeyword, kTitleKeywordBookId},
                        Case{SearchField::kAuthor, kAuthorKeyword, kAuthorKeywordBookId},
                        Case{SearchField::kTitle, kTrailByteTitleKeyword, kTrailByteBookId}}) {
    GbkText page = SearchAnswerPage(catalogue, c.field, Utf8ToGbk(c.keyword), 1, kBase);
    ASSERT_NE(FindText(page, "管理</a>"_gbk), -1) << c.keyword;
    const Book& book = *catalogue.FindBook(c.id);
    ListRow row = site_test::CutSingleBookRow(page);
    EXPECT_EQ(row.id, NumberToText(c.id));
    EXPECT_EQ(row.title, book.title);
    EXPECT_EQ(row.author, book.author);
    EXPECT_EQ(row.latestChapter, LatestTitle(catalogue, book));
    EXPECT_EQ(row.updateTime, DateTimeText(book.updateMinute));
    EXPECT_EQ(row.state, StateOf(book));
  }
  GbkText many =
      SearchAnswerPage(catalogue, SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword), 1, kBase);
  auto found = catalogue.Search(SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword));
  std::vector<ListRow> rows = site_test::CutCategoryRows(many);
  ASSERT_EQ(rows.size(), std::min<std::size_t>(found.size(), catalogue.options().categoryPageSize));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].id, NumberToText(found[i]->id));
  EXPECT_EQ(site_test::CutPageCounter(many).second,
            NumberToText(Catalogue::PageCount(found.size(), catalogue.options().categoryPageSize)));
  GbkText none = SearchAnswerPage(catalogue, SearchField::kAuthor, "zzz", 1, kBase);
  EXPECT_TRUE(site_test::CutCategoryRows(none).empty());
  EXPECT_EQ(site_test::CutPageCounter(none), std::make_pair(GbkText("1"), GbkText("1")));
}

TEST(SamplePages, InformationPageCarriesEveryField) {
  const Catalogue& catalogue = DefaultCatalogue();
  for (const Book& book : catalogue.books()) {
    GbkText page = BookInfoPage(catalogue, book, kBase);
    site_test::InfoFields f = site_test::CutInfoPage(page, kBase);
    EXPECT_EQ(f.coverUrl, kBase + CoverPath(book.id));
    EXPECT_EQ(f.title, book.title);
    EXPECT_EQ(f.category, CategoryName(book.category));
    EXPECT_EQ(f.author, book.author);
    EXPECT_EQ(f.length, NumberToText(book.words) + "字"_gbk);
    EXPECT_EQ(f.state, StateOf(book));
    EXPECT_FALSE(f.firstPublish.empty());
    EXPECT_FALSE(f.licence.empty());
    EXPECT_EQ(f.introduction, catalogue.Introduction(book) + "<br />\r\n");
    EXPECT_EQ(f.lastUpdate, DateTimeText(book.updateMinute));
    EXPECT_EQ(f.latestChapter, LatestTitle(catalogue, book));
    EXPECT_EQ(f.chapterListUrl, kBase + ChapterListPath(book.id));
    EXPECT_EQ(f.txtTail, "?id=" + NumberToText(book.id) + "&type=txt");
    EXPECT_NE(f.udmTail.find("type=udm"), std::string::npos);
    EXPECT_NE(f.jarTail.find("type=jar"), std::string::npos);
  }
  // The short introduction stays under the 100 bytes below which the reader
  // keeps it unchanged.
  GbkText shortPage = BookInfoPage(catalogue, *catalogue.FindBook(kShortIntroBookId), kBase);
  EXPECT_LT(site_test::CutInfoPage(shortPage, kBase).introduction.size(), 100u);
}

TEST(SamplePages, ChapterAddressesFollowFromTheChapterListAddress) {
  const Catalogue& catalogue = DefaultCatalogue();
  const Book& book = *catalogue.FindBook(kLongBookId);
  GbkText listUrl =
      site_test::CutInfoPage(BookInfoPage(catalogue, book, kBase), kBase).chapterListUrl;
  // The id of a book found by search comes from the same address.
  EXPECT_EQ(ReplaceSubtext(BookLinkTail(listUrl), "/", {}, 1, -1, true), NumberToText(book.id));
  for (int index : {0, 6, 7, book.chapterCount - 1}) {
    int number = catalogue.ChapterAt(book, index).number;
    GbkText address =
        ReplaceSubtext(listUrl, "index.html", {}, 1, -1, true) + NumberToText(number) + ".html";
    EXPECT_EQ(address, kBase + ChapterPath(book.id, number));
  }
}

TEST(SamplePages, ChapterListHoldsEveryChapterInVolumesInOrder) {
  const Catalogue& catalogue = DefaultCatalogue();
  int booksWithEmptyHref = 0;
  for (const Book& book : catalogue.books()) {
    GbkText page = ChapterListPage(catalogue, book, kBase);
    auto items = site_test::CutChapterList(page);
    ASSERT_EQ(items.size(), static_cast<std::size_t>(book.chapterCount)) << book.id;
    for (int index = 0; index < book.chapterCount; ++index) {
      Chapter chapter = catalogue.ChapterAt(book, index);
      EXPECT_EQ(items[static_cast<std::size_t>(index)].first, chapter.title);
      EXPECT_EQ(items[static_cast<std::size_t>(index)].second, chapter.number);
    }
    if (book.chapterCount > 0) {
      // The latest chapter is linked once more outside the volumes.
      GbkText latest = "<li><a href=\"" +
                       NumberToText(catalogue.ChapterAt(book, book.chapterCount - 1).number) +
                       ".html\">";
      int first = FindText(page, latest);
      EXPECT_NE(first, -1);
      EXPECT_NE(FindText(page, latest, first + 1), -1);
    }
    if (FindText(page, "<li><a href=\"\">") != -1) ++booksWithEmptyHref;
  }
  EXPECT_GT(booksWithEmptyHref, 10);
}

TEST(SamplePages, ChapterTextEndsBeforeTheSiteNotice) {
  const Catalogue& catalogue = DefaultCatalogue();
  const Book& book = *catalogue.FindBook(kLongBookId);
  for (int index : {0, 1, book.chapterCount - 1}) {
    GbkText page = ChapterPage(catalogue, book, index, false, kBase);
    GbkText text = site_test::CutChapterText(page);
    EXPECT_EQ(text, ChapterTextHtml(catalogue, book, index, false));
    GbkTextList paragraphs = catalogue.ChapterParagraphs(book, index);
    EXPECT_NE(FindText(text, "&nbsp;&nbsp;&nbsp;&nbsp;" + paragraphs.front()), -1);
    EXPECT_NE(FindText(text, paragraphs.back()), -1);
    EXPECT_EQ(SplitText(text, "<br />\r\n<br />\r\n").size(), paragraphs.size());
    EXPECT_EQ(FindText(text, "本站公告"_gbk), -1);
    EXPECT_NE(FindText(page, "<br><br>&nbsp;&nbsp;本站公告"_gbk), -1);
    EXPECT_EQ(FindText(text, "<script", 1, true), -1);
  }
}

TEST(SamplePages, HostileChapterCarriesEveryKindOfActiveContent) {
  const Catalogue& catalogue = DefaultCatalogue();
  const Book& hostileBook = *catalogue.FindBook(kHostileBookId);
  const Book& plainBook = *catalogue.FindBook(kLongBookId);
  for (const GbkText& page :
       {ChapterPage(catalogue, hostileBook, kHostileChapterIndex, false, kBase),
        ChapterPage(catalogue, plainBook, 0, true, kBase)}) {
    GbkText text = site_test::CutChapterText(page);
    for (const char* piece :
         {"<script", "<iframe", "<object", "<embed", "onerror=", "onclick=", "onmouseover=",
          "href=\"javascript:", "file:///", "<meta http-equiv=\"refresh\"", "<base ", "onload="}) {
      EXPECT_NE(FindText(text, piece, 1, true), -1) << piece;
    }
  }
  EXPECT_EQ(
      FindText(site_test::CutChapterText(ChapterPage(catalogue, hostileBook, 0, false, kBase)),
               "<script", 1, true),
      -1);
}

TEST(SamplePages, EveryPageUsesCrLfAndValidGbk) {
  const Catalogue& catalogue = DefaultCatalogue();
  const Book& book = *catalogue.FindBook(kTrailByteBookId);
  std::vector<std::pair<std::string, GbkText>> pages = {
      {"home", HomePage(catalogue, kBase)},
      {"category", CategoryListPage(catalogue, 2, 1, kBase)},
      {"ranking", RankingListPage(catalogue, Ranking::kSize, 1, kBase)},
      {"search",
       SearchAnswerPage(catalogue, SearchField::kTitle, Utf8ToGbk(kCommonTitleKeyword), 1, kBase)},
      {"info", BookInfoPage(catalogue, book, kBase)},
      {"chapter list", ChapterListPage(catalogue, book, kBase)},
      {"chapter", ChapterPage(catalogue, book, 0, false, kBase)},
      {"hostile chapter", ChapterPage(catalogue, book, 0, true, kBase)},
      {"error", SiteErrorPage({"一"_gbk, "二"_gbk}, kBase)},
      {"login", LoginSuccessPage("reader", kBase)},
      {"member block",
       MemberBlock(std::make_pair(GbkText("reader"), Utf8ToGbk(kMemberLevel)), kBase)},
      {"sign-up", SignUpSuccessPage("reader", kBase)},
      {"version", VersionDocument(VersionInfo{}, kBase)},
      {"not found", NotFoundPage(kBase)},
      {"whole book", WholeBookText(catalogue, book)},
  };
  for (const char* name :
       {"gg1.txt", "gg2.txt", "ad2.txt", "ad3.txt", "ad4.txt", "ad5.txt", "ad6.txt", "ad7.txt"}) {
    pages.emplace_back(name, NoticeFile(name, kBase).value_or(""));
  }
  for (const auto& [name, page] : pages) {
    EXPECT_FALSE(page.empty()) << name;
    ExpectWellFormed(page, name);
  }
}

TEST(SamplePages, AccountAnswersCarryTheirMarkers) {
  GbkText level = Utf8ToGbk(kMemberLevel);
  GbkText block = MemberBlock(std::make_pair("顾千縷"_gbk, level), kBase);
  GbkText name = TextBetween(block, "<li><strong>", "</strong></li>");
  EXPECT_EQ(name, "顾千縷"_gbk);
  EXPECT_EQ(TextBetween(block, name + "</strong></li>      <li>", "</li>    <li>"), level);
  EXPECT_EQ(FindText(MemberBlock(std::nullopt, kBase), "<li><strong>"), -1);

  GbkText refusal = SiteErrorPage({"两次输入的密码不一致！"_gbk, "Email格式不正确！"_gbk}, kBase);
  GbkText reason =
      ReplaceSubtext(TextBetween(refusal, "<br />错误原因："_gbk, "<br /><br />请"_gbk), "<br />",
                     "\r\n", 1, -1, true);
  EXPECT_EQ(reason, "两次输入的密码不一致！\r\nEmail格式不正确！"_gbk);

  EXPECT_NE(FindText(LoginSuccessPage("reader", kBase), "登录成功"_gbk), -1);
  EXPECT_EQ(FindText(LoginFailurePage(kBase), "登录成功"_gbk), -1);
  EXPECT_NE(FindText(SignUpSuccessPage("reader", kBase), "注册成功"_gbk), -1);
  // The reader FormDecodes these answers; plain ones must come through unchanged.
  for (const GbkText& page :
       {LoginSuccessPage("reader", kBase), LoginFailurePage(kBase), block, refusal,
        SignUpSuccessPage("reader", kBase), MemberBlock(std::nullopt, kBase)}) {
    EXPECT_EQ(page.find('%'), std::string::npos);
  }
}

TEST(SamplePages, NoticeFilesPairTextsWithTargets) {
  struct Pair {
    const char* texts;
    const char* targets;
    std::size_t count;
  };
  for (const Pair& p : {Pair{"ad2.txt", "ad3.txt", 3}, Pair{"ad4.txt", "ad5.txt", 2},
                        Pair{"ad6.txt", "ad7.txt", 3}}) {
    GbkTextList texts = SplitText(*NoticeFile(p.texts, kBase), "|");
    GbkTextList targets = SplitText(*NoticeFile(p.targets, kBase), "|");
    EXPECT_EQ(texts.size(), p.count) << p.texts;
    EXPECT_EQ(targets.size(), p.count) << p.targets;
    for (const GbkText& target : targets) EXPECT_EQ(target.rfind(kBase, 0), 0u) << target;
  }
  // 縷 ends in the byte "|" and does not split its message.
  EXPECT_EQ(SplitText(*NoticeFile("ad2.txt", kBase), "|")[2], "千絲萬縷，尽在书中"_gbk);
  EXPECT_EQ(*NoticeFile("gg2.txt", kBase), kBase + "/?bookwisp");
  EXPECT_FALSE(NoticeFile("ad8.txt", kBase).has_value());
  EXPECT_FALSE(NoticeFile("gg1.txt", kBase)->empty());
}

TEST(SamplePages, VersionDocumentNamesTheVersionOrLeavesItOut) {
  XmlDocument document;
  ASSERT_TRUE(document.Load(VersionDocument(VersionInfo{}, kBase)));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "0.9.3");
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "下载地址"_gbk), kBase + "/?bookwisp");
  EXPECT_NE(document.Attribute("最新版本/版本信息"_gbk, "升级说明"_gbk).find("#HHF"),
            std::string::npos);
  EXPECT_NE(FindText(VersionDocument(VersionInfo{}, kBase), "encoding=\"gb2312\""), -1);

  VersionInfo newer;
  newer.version = "1.0.0";
  newer.name = "正式版 \"A&B\"";
  newer.downloadUrl = "http://example.invalid/get";
  ASSERT_TRUE(document.Load(VersionDocument(newer, kBase)));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "1.0.0");
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本名称"_gbk), "正式版 \"A&B\""_gbk);
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "下载地址"_gbk),
            "http://example.invalid/get");

  VersionInfo without;
  without.version.reset();
  ASSERT_TRUE(document.Load(VersionDocument(without, kBase)));
  EXPECT_EQ(document.Attribute("最新版本/版本信息"_gbk, "版本号"_gbk), "");
  EXPECT_NE(document.Attribute("最新版本/版本信息"_gbk, "版本名称"_gbk), "");
}

TEST(SampleCover, CoversAreValidPngsThatDifferPerBook) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
  const Catalogue& catalogue = DefaultCatalogue();
  ByteString png = BookCover(*catalogue.FindBook(kFirstBookId));
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  // Walk the chunks: lengths add up and every CRC is right.
  std::size_t pos = 8;
  std::vector<std::string> types;
  auto read32 = [&](std::size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at])) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at + 1])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at + 2])) << 8) |
           static_cast<unsigned char>(png[at + 3]);
  };
  while (pos + 12 <= png.size()) {
    std::uint32_t length = read32(pos);
    ASSERT_LE(pos + 12 + length, png.size());
    EXPECT_EQ(read32(pos + 8 + length), Crc32(std::string_view(png).substr(pos + 4, 4 + length)));
    types.push_back(png.substr(pos + 4, 4));
    pos += 12 + length;
  }
  EXPECT_EQ(pos, png.size());
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  EXPECT_EQ(read32(16), static_cast<std::uint32_t>(kCoverWidth));
  EXPECT_EQ(read32(20), static_cast<std::uint32_t>(kCoverHeight));
  EXPECT_NE(png, BookCover(*catalogue.FindBook(kFirstBookId + 1)));
}

TEST(SampleText, ChineseNumerals) {
  struct Case {
    int number;
    const char* text;
  };
  for (const Case& c : {Case{0, "零"}, Case{1, "一"}, Case{10, "十"}, Case{11, "十一"},
                        Case{20, "二十"}, Case{105, "一百零五"}, Case{110, "一百一十"},
                        Case{1001, "一千零一"}, Case{10000, "一万"}, Case{10010, "一万零一十"},
                        Case{30020, "三万零二十"}, Case{123456, "十二万三千四百五十六"}}) {
    EXPECT_EQ(GbkToUtf8(ChineseNumeral(c.number)), c.text) << c.number;
  }
}

TEST(SampleMisbehaviour, SwitchesParse) {
  std::string error;
  auto all = ParseMisbehaviour(
      "delay=250,redirect=/book/10001.html,error-page,hostile,empty,status=503,huge=1000,"
      "chunk-delay=5,chunk-bytes=64,close-mid-body",
      &error);
  ASSERT_TRUE(all.has_value()) << error;
  EXPECT_EQ(all->delay, std::chrono::milliseconds(250));
  EXPECT_EQ(all->redirectTo, "/book/10001.html");
  EXPECT_TRUE(all->errorPage && all->hostile && all->emptyBody && all->closeMidBody);
  EXPECT_EQ(all->status, 503);
  EXPECT_EQ(all->hugeBodyBytes, 1000u);
  EXPECT_EQ(all->chunkDelay, std::chrono::milliseconds(5));
  EXPECT_EQ(all->chunkBytes, 64u);
  EXPECT_TRUE(ParseMisbehaviour("", &error).has_value());
  EXPECT_EQ(ParseMisbehaviour("redirect=http://x:1/a", &error)->redirectTo, "http://x:1/a");
  for (const char* bad :
       {"delay", "delay=-1", "delay=1x", "status=42", "chunk-bytes=0", "redirect=", "sleep=3"}) {
    error.clear();
    EXPECT_FALSE(ParseMisbehaviour(bad, &error).has_value()) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

TEST(SampleMisbehaviour, PathPatterns) {
  EXPECT_TRUE(PathMatches("*", "/anything"));
  EXPECT_TRUE(PathMatches("/book/*", "/book/10001.html"));
  EXPECT_FALSE(PathMatches("/book/*", "/html/10/10001/"));
  EXPECT_TRUE(PathMatches("/book/10001.html", "/book/10001.html"));
  EXPECT_FALSE(PathMatches("/book/10001.html", "/book/10001.htm"));
  EXPECT_FALSE(PathMatches("/book/Topsize/*", "/book/topsize/1.html"));
}
