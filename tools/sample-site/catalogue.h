#pragma once

// The sample site's catalogue, generated from a seed: books with made-up
// titles, authors, introductions, chapters, update times, states and
// counters, the ten category lists and the twelve rankings.
//
// Only what lists, sorting and searching need is held per book (a few dozen
// bytes and two short texts); introductions, chapter titles and chapter texts
// are generated on demand from the book's own seed, so a catalogue of tens of
// thousands of books with ten thousand chapters each costs little memory and
// every request for the same page gives the same bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "scrape/gbk_text.h"

namespace sample_site {

struct CatalogueOptions final {
  std::uint64_t seed = 20110722;
  // Number of books (at least the special books of site_facts.h, at most
  // 89999, so that every id has five digits).
  int books = 60;
  // The most chapters a book has; the long book has exactly this many, the
  // others between half and all of it. Lowered when the chapter numbers of
  // all books would not fit in a 32-bit integer.
  int chapters = 40;
  // Rows per page of a category list (and of a search result list) and of a
  // ranking list.
  int categoryPageSize = 4;
  int rankingPageSize = 15;
};

// The twelve rankings, in the order of the reader's labels.
enum class Ranking {
  kAllVisit,
  kAllVote,
  kMonthVisit,
  kMonthVote,
  kWeekVisit,
  kWeekVote,
  kPostDate,
  kLastUpdate,
  kAuthorUpdate,
  kMasterUpdate,
  kGoodNum,
  kSize,
};
inline constexpr int kRankingCount = 12;
inline constexpr int kCategoryCount = 10;

// Every ranking, in enum order.
const std::array<Ranking, kRankingCount>& AllRankings();

// The path segment under "/book/" ("Topallvisit", ..., "toplastupdate").
std::string_view RankingPathName(Ranking ranking);

// The ranking whose path segment is exactly `name` (case-sensitive).
std::optional<Ranking> RankingFromPathName(std::string_view name);

// The ranking's caption in UTF-8 ("总排行榜", ...).
std::string_view RankingCaption(Ranking ranking);

enum class SearchField { kTitle, kAuthor };

struct Book final {
  int id = 0;
  GbkText title;
  GbkText author;
  int category = 1;       // 1 to 10: the list it appears in
  bool finished = false;  // 已完成 / 连载中
  bool original = true;   // original work (原创) or reprint (转载)
  bool firstHere = true;  // first published on this site
  bool licensed = false;  // authorisation level
  int chapterCount = 0;
  int firstChapterNumber = 0;  // the site-wide number of chapter 0
  int volumeLength = 1;        // chapters per volume (the last volume may be shorter)
  int hostileChapter = -1;     // index of a chapter with hostile HTML, or -1
  bool shortIntroduction = false;
  int postDay = 0;       // days since 1970-01-01
  int updateMinute = 0;  // minutes since 1970-01-01 of the last update
  long long words = 0;
  std::array<long long, 7> counters{};  // visits and votes (all, month, week), shelf count
  std::uint64_t textSeed = 0;
};

struct Chapter final {
  int index = 0;   // 0-based, in page order
  int number = 0;  // site-wide chapter number, the file name of its page
  int volume = 0;  // 0-based volume
  GbkText title;
};

class Catalogue final {
 public:
  explicit Catalogue(const CatalogueOptions& options);

  // The options as used (after the limits were applied).
  const CatalogueOptions& options() const { return options_; }

  // All books, by id from kFirstBookId on.
  const std::vector<Book>& books() const { return books_; }

  // The book with this id, or nullptr.
  const Book* FindBook(int id) const;

  // Books of a category (1 to 10), newest update first; empty outside 1-10.
  const std::vector<const Book*>& CategoryBooks(int category) const;

  // Books of a ranking, in ranking order.
  const std::vector<const Book*>& RankingBooks(Ranking ranking) const;

  // Number of pages of a list of `count` rows with `pageSize` rows each
  // (at least 1, so that an empty list still has its first page).
  static int PageCount(std::size_t count, int pageSize);

  // The rows of page `page` (1-based) of a list; empty beyond the last page.
  static std::vector<const Book*> PageOf(const std::vector<const Book*>& list, int page,
                                         int pageSize);

  // Books whose title (or author) holds `key` (GBK, Latin letters without
  // regard to case); an empty key finds nothing.
  std::vector<const Book*> Search(SearchField field, std::string_view key) const;

  // Chapter `index` of the book (0-based; the caller keeps it in range).
  Chapter ChapterAt(const Book& book, int index) const;

  // The index of the chapter with this site-wide number, or -1.
  static int ChapterIndexOfNumber(const Book& book, int number);

  // Number of volumes (0 for a book without chapters).
  static int VolumeCount(const Book& book);

  // The title of volume `volume` (0-based).
  GbkText VolumeTitle(const Book& book, int volume) const;

  // The introduction in the site's HTML.
  GbkText Introduction(const Book& book) const;

  // The paragraphs of a chapter's text (plain text, no HTML).
  GbkTextList ChapterParagraphs(const Book& book, int index) const;

 private:
  CatalogueOptions options_;
  std::vector<Book> books_;
  std::array<std::vector<const Book*>, kCategoryCount> categories_;
  std::array<std::vector<const Book*>, kRankingCount> rankings_;
};

// "2011-07-20" for a day number (days since 1970-01-01).
GbkText DateText(int day);
// "11-07-20".
GbkText ShortDateText(int day);
// "2011-07-20 18:32" for a minute number (minutes since 1970-01-01).
GbkText DateTimeText(int minute);
// The day number of a calendar date.
int DayNumber(int year, int month, int day);

}  // namespace sample_site
