#include "catalogue.h"

#include <algorithm>
#include <cstdio>

#include "made_up_text.h"
#include "random.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "site_facts.h"

namespace sample_site {
namespace {

struct RankingInfo final {
  Ranking ranking;
  std::string_view pathName;
  std::string_view caption;
};

constexpr std::array<RankingInfo, kRankingCount> kRankings = {{
    {Ranking::kAllVisit, "Topallvisit", "总排行榜"},
    {Ranking::kAllVote, "Topallvote", "总推荐榜"},
    {Ranking::kMonthVisit, "Topmonthvisit", "月排行榜"},
    {Ranking::kMonthVote, "Topmonthvote", "月推荐榜"},
    {Ranking::kWeekVisit, "Topweekvisit", "周排行榜"},
    {Ranking::kWeekVote, "Topweekvote", "周推荐榜"},
    {Ranking::kPostDate, "Toppostdate", "最新入库"},
    {Ranking::kLastUpdate, "toplastupdate", "最近更新"},
    {Ranking::kAuthorUpdate, "Topauthorupdate", "原创更新"},
    {Ranking::kMasterUpdate, "Topmasterupdate", "转载更新"},
    {Ranking::kGoodNum, "Topgoodnum", "总收藏榜"},
    {Ranking::kSize, "Topsize", "字数排行"},
}};

// Counters in Book::counters.
enum Counter { kAllVisits, kMonthVisits, kWeekVisits, kAllVotes, kMonthVotes, kWeekVotes, kShelf };

// The day the catalogue was last updated: every update time lies before it.
const int kNewestDay = DayNumber(2011, 7, 22);

// Every chapter number of the catalogue must fit in an int.
constexpr long long kHighestChapterNumber = 2'000'000'000;
constexpr int kFirstChapterNumber = 1'000'000;

// The site-wide number of chapter `index` of a book: every eighth number is
// skipped, so that consecutive chapters do not always have consecutive numbers.
int ChapterNumber(const Book& book, int index) {
  return book.firstChapterNumber + index + index / 7;
}

CatalogueOptions Normalised(CatalogueOptions options) {
  options.books =
      std::clamp(options.books, kSpecialBookCount, kLastPossibleBookId - kFirstBookId + 1);
  options.chapters = std::max(options.chapters, 3);
  long long perBook = kHighestChapterNumber / options.books - 60;
  long long mostChapters = perBook * 7 / 8;
  if (options.chapters > mostChapters) options.chapters = static_cast<int>(mostChapters);
  options.categoryPageSize = std::max(options.categoryPageSize, 1);
  options.rankingPageSize = std::max(options.rankingPageSize, 1);
  return options;
}

void MakeSpecial(Book& book, int chapters) {
  switch (book.id) {
    case kLongBookId:
      book.chapterCount = chapters;
      break;
    case kHostileBookId:
      book.chapterCount = std::max(book.chapterCount, kHostileChapterIndex + 2);
      book.hostileChapter = kHostileChapterIndex;
      break;
    case kTitleKeywordBookId:
      book.title = "青灯夜雨录"_gbk;
      break;
    case kAuthorKeywordBookId:
      book.author = "石上听泉"_gbk;
      break;
    case kTrailByteBookId:
      book.title = "赤誠剑心"_gbk;
      book.author = "顾千縷"_gbk;
      break;
    case kShortIntroBookId:
      book.shortIntroduction = true;
      break;
    case kEmptyBookId:
      book.chapterCount = 0;
      break;
    default:
      break;
  }
}

}  // namespace

const std::array<Ranking, kRankingCount>& AllRankings() {
  static const std::array<Ranking, kRankingCount> all = [] {
    std::array<Ranking, kRankingCount> rankings{};
    for (std::size_t i = 0; i < kRankings.size(); ++i) rankings[i] = kRankings[i].ranking;
    return rankings;
  }();
  return all;
}

std::string_view RankingPathName(Ranking ranking) {
  return kRankings[static_cast<std::size_t>(ranking)].pathName;
}

std::optional<Ranking> RankingFromPathName(std::string_view name) {
  for (const RankingInfo& info : kRankings) {
    if (info.pathName == name) return info.ranking;
  }
  return std::nullopt;
}

std::string_view RankingCaption(Ranking ranking) {
  return kRankings[static_cast<std::size_t>(ranking)].caption;
}

Catalogue::Catalogue(const CatalogueOptions& options) : options_(Normalised(options)) {
  books_.reserve(static_cast<std::size_t>(options_.books));
  long long nextChapterNumber = kFirstChapterNumber;
  for (int i = 0; i < options_.books; ++i) {
    Book book;
    book.id = kFirstBookId + i;
    book.textSeed = MixSeed(options_.seed, static_cast<std::uint64_t>(book.id));
    Random random(book.textSeed);
    book.title = MadeUpTitle(random);
    book.author = MadeUpAuthor(random);
    book.category = i % kCategoryCount + 1;
    book.finished = random.Chance(30);
    book.original = random.Chance(60);
    book.firstHere = random.Chance(70);
    book.licensed = random.Chance(40);
    book.chapterCount = random.Between((options_.chapters + 1) / 2, options_.chapters);
    MakeSpecial(book, options_.chapters);
    int perVolume = book.chapterCount / random.Between(2, 4);
    book.volumeLength = std::clamp(perVolume, 4, random.Between(150, 300));
    book.firstChapterNumber = static_cast<int>(nextChapterNumber);
    nextChapterNumber += book.chapterCount + book.chapterCount / 7 + random.Between(1, 50);
    book.postDay = kNewestDay - random.Between(30, 1500);
    int updateDay = kNewestDay - random.Between(0, 29);
    book.updateMinute = updateDay * 1440 + random.Below(1440);
    book.words = static_cast<long long>(book.chapterCount) * random.Between(2000, 4000);
    long long visits = random.Between(1000, 5'000'000);
    long long votes = visits / random.Between(20, 200);
    book.counters[kAllVisits] = visits;
    book.counters[kMonthVisits] = visits / random.Between(5, 40);
    book.counters[kWeekVisits] = book.counters[kMonthVisits] / random.Between(3, 6);
    book.counters[kAllVotes] = votes;
    book.counters[kMonthVotes] = votes / random.Between(5, 40);
    book.counters[kWeekVotes] = book.counters[kMonthVotes] / random.Between(3, 6);
    book.counters[kShelf] = visits / random.Between(10, 100);
    books_.push_back(std::move(book));
  }

  std::vector<const Book*> all;
  all.reserve(books_.size());
  for (const Book& book : books_) all.push_back(&book);
  auto newestFirst = [](const Book* a, const Book* b) {
    return a->updateMinute != b->updateMinute ? a->updateMinute > b->updateMinute : a->id < b->id;
  };
  for (const Book* book : all)
    categories_[static_cast<std::size_t>(book->category - 1)].push_back(book);
  for (auto& list : categories_) std::stable_sort(list.begin(), list.end(), newestFirst);

  for (Ranking ranking : AllRankings()) {
    std::vector<const Book*> list;
    auto byCounter = [](int counter) {
      return [counter](const Book* a, const Book* b) {
        auto i = static_cast<std::size_t>(counter);
        return a->counters[i] != b->counters[i] ? a->counters[i] > b->counters[i] : a->id < b->id;
      };
    };
    switch (ranking) {
      case Ranking::kAuthorUpdate:
      case Ranking::kMasterUpdate:
        for (const Book* book : all) {
          if (book->original == (ranking == Ranking::kAuthorUpdate)) list.push_back(book);
        }
        std::stable_sort(list.begin(), list.end(), newestFirst);
        break;
      case Ranking::kLastUpdate:
        list = all;
        std::stable_sort(list.begin(), list.end(), newestFirst);
        break;
      case Ranking::kPostDate:
        list = all;
        std::stable_sort(list.begin(), list.end(), [](const Book* a, const Book* b) {
          return a->postDay != b->postDay ? a->postDay > b->postDay : a->id > b->id;
        });
        break;
      case Ranking::kSize:
        list = all;
        std::stable_sort(list.begin(), list.end(), [](const Book* a, const Book* b) {
          return a->words != b->words ? a->words > b->words : a->id < b->id;
        });
        break;
      default: {
        static constexpr std::array<int, kRankingCount> counterOf = {
            kAllVisits, kAllVotes, kMonthVisits, kMonthVotes, kWeekVisits, kWeekVotes, 0, 0, 0, 0,
            kShelf,     0};
        list = all;
        std::stable_sort(list.begin(), list.end(),
                         byCounter(counterOf[static_cast<std::size_t>(ranking)]));
        break;
      }
    }
    rankings_[static_cast<std::size_t>(ranking)] = std::move(list);
  }
}

const Book* Catalogue::FindBook(int id) const {
  if (id < kFirstBookId || id >= kFirstBookId + static_cast<int>(books_.size())) return nullptr;
  return &books_[static_cast<std::size_t>(id - kFirstBookId)];
}

const std::vector<const Book*>& Catalogue::CategoryBooks(int category) const {
  static const std::vector<const Book*> none;
  if (category < 1 || category > kCategoryCount) return none;
  return categories_[static_cast<std::size_t>(category - 1)];
}

const std::vector<const Book*>& Catalogue::RankingBooks(Ranking ranking) const {
  return rankings_[static_cast<std::size_t>(ranking)];
}

int Catalogue::PageCount(std::size_t count, int pageSize) {
  if (pageSize < 1) pageSize = 1;
  auto pages =
      (count + static_cast<std::size_t>(pageSize) - 1) / static_cast<std::size_t>(pageSize);
  return std::max(1, static_cast<int>(pages));
}

std::vector<const Book*> Catalogue::PageOf(const std::vector<const Book*>& list, int page,
                                           int pageSize) {
  if (page < 1 || pageSize < 1) return {};
  std::size_t first = static_cast<std::size_t>(page - 1) * static_cast<std::size_t>(pageSize);
  if (first >= list.size()) return {};
  std::size_t last = std::min(list.size(), first + static_cast<std::size_t>(pageSize));
  return {list.begin() + static_cast<std::ptrdiff_t>(first),
          list.begin() + static_cast<std::ptrdiff_t>(last)};
}

std::vector<const Book*> Catalogue::Search(SearchField field, std::string_view key) const {
  std::vector<const Book*> found;
  if (key.empty()) return found;
  for (const Book& book : books_) {
    const GbkText& text = field == SearchField::kTitle ? book.title : book.author;
    if (FindText(text, key, 1, true) != -1) found.push_back(&book);
  }
  return found;
}

Chapter Catalogue::ChapterAt(const Book& book, int index) const {
  Random random(MixSeed(book.textSeed, 0x100000000ULL + static_cast<std::uint64_t>(index)));
  Chapter chapter;
  chapter.index = index;
  chapter.number = ChapterNumber(book, index);
  chapter.volume = index / book.volumeLength;
  chapter.title = MadeUpChapterTitle(random, index + 1);
  return chapter;
}

int Catalogue::ChapterIndexOfNumber(const Book& book, int number) {
  long long offset = static_cast<long long>(number) - book.firstChapterNumber;
  if (offset < 0) return -1;
  long long index = offset - offset / 8;
  if (index >= book.chapterCount || ChapterNumber(book, static_cast<int>(index)) != number) {
    return -1;
  }
  return static_cast<int>(index);
}

int Catalogue::VolumeCount(const Book& book) {
  return (book.chapterCount + book.volumeLength - 1) / book.volumeLength;
}

GbkText Catalogue::VolumeTitle(const Book& book, int volume) const {
  Random random(MixSeed(book.textSeed, 0x200000000ULL + static_cast<std::uint64_t>(volume)));
  return MadeUpVolumeTitle(random, volume + 1);
}

GbkText Catalogue::Introduction(const Book& book) const {
  if (book.shortIntroduction) return "<b>短篇</b>&nbsp;一句话简介。"_gbk;
  Random random(MixSeed(book.textSeed, 0x300000000ULL));
  return MadeUpIntroduction(random);
}

GbkTextList Catalogue::ChapterParagraphs(const Book& book, int index) const {
  Random random(MixSeed(book.textSeed, 0x400000000ULL + static_cast<std::uint64_t>(index)));
  return MadeUpParagraphs(random, 4, 12);
}

namespace {

// Days since 1970-01-01 to a calendar date (proleptic Gregorian calendar).
void CivilFromDays(int days, int& year, int& month, int& day) {
  int z = days + 719468;
  int era = (z >= 0 ? z : z - 146096) / 146097;
  int doe = z - era * 146097;
  int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int mp = (5 * doy + 2) / 153;
  day = doy - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = yoe + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

int DayNumber(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  int era = (year >= 0 ? year : year - 399) / 400;
  int yoe = year - era * 400;
  int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

GbkText DateText(int day) {
  int y = 0, m = 0, d = 0;
  CivilFromDays(day, y, m, d);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  return text;
}

GbkText ShortDateText(int day) {
  return DateText(day).substr(2);
}

GbkText DateTimeText(int minute) {
  char text[32];
  std::snprintf(text, sizeof text, " %02d:%02d", minute % 1440 / 60, minute % 60);
  return DateText(minute / 1440) + text;
}

}  // namespace sample_site
