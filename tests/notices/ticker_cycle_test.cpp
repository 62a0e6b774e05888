#include "notices/ticker_cycle.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "notice_test_support.h"

namespace {

// A window with a ticker link and three timers on a virtual clock. Timers
// behave like the window system's: periodic, restarted by a new period,
// stopped by 0. Every event goes to the cycle and its actions are applied.
class TickerWindow final {
 public:
  struct Written {
    long atMs;
    GbkText text;
    GbkText target;
    int topWhenWritten;
  };

  explicit TickerWindow(TickerLists& lists, long startMs = 0)
      : cycle_(std::make_unique<TickerCycle>(lists)), nowMs_(startMs) {}

  void TextsArrived() { Apply(cycle_->OnTextsArrived()); }

  // Fires every timer that falls due up to `endMs`, in time order.
  void RunUntil(long endMs) {
    for (;;) {
      int next = -1;
      for (int t = 0; t < 3; ++t) {
        if (dueMs_[t] >= 0 && dueMs_[t] <= endMs && (next < 0 || dueMs_[t] < dueMs_[next])) {
          next = t;
        }
      }
      if (next < 0) break;
      nowMs_ = dueMs_[next];
      dueMs_[next] = nowMs_ + periodMs_[next];
      switch (static_cast<TickerTimer>(next)) {
        case TickerTimer::kShow:
          Apply(cycle_->OnShowTimer());
          break;
        case TickerTimer::kSlide:
          Apply(cycle_->OnSlideTimer());
          break;
        case TickerTimer::kWait:
          Apply(cycle_->OnWaitTimer());
          break;
      }
    }
    nowMs_ = endMs;
  }

  // Runs until `count` messages have been written (or a minute has passed).
  void RunUntilWritten(std::size_t count) {
    const long limit = nowMs_ + 60000;
    while (written_.size() < count && nowMs_ < limit) RunUntil(nowMs_ + 1);
  }

  const std::vector<Written>& written() const { return written_; }
  const std::vector<std::pair<long, int>>& tops() const { return tops_; }
  const GbkText& text() const { return text_; }
  const GbkText& target() const { return target_; }
  int top() const { return top_; }
  long now() const { return nowMs_; }
  const TickerCycle& cycle() const { return *cycle_; }
  bool AnyTimerRuns() const { return dueMs_[0] >= 0 || dueMs_[1] >= 0 || dueMs_[2] >= 0; }

 private:
  void Apply(const TickerActions& actions) {
    if (actions.message) {
      text_ = actions.message->text;
      target_ = actions.message->target;
      written_.push_back({nowMs_, text_, target_, top_});
    }
    if (actions.top) {
      top_ = *actions.top;
      tops_.emplace_back(nowMs_, top_);
    }
    const std::array<std::optional<int>, 3> periods = {actions.showTimerMs, actions.slideTimerMs,
                                                       actions.waitTimerMs};
    for (int t = 0; t < 3; ++t) {
      if (!periods[t]) continue;
      periodMs_[t] = *periods[t];
      dueMs_[t] = *periods[t] > 0 ? nowMs_ + *periods[t] : -1;
    }
    // What the cycle believes must be what the window runs.
    for (int t = 0; t < 3; ++t) {
      EXPECT_EQ(cycle_->TimerPeriod(static_cast<TickerTimer>(t)),
                dueMs_[t] >= 0 ? periodMs_[t] : 0);
    }
    EXPECT_EQ(cycle_->Top(), top_);
  }

  std::unique_ptr<TickerCycle> cycle_;
  long nowMs_;
  std::array<long, 3> dueMs_ = {-1, -1, -1};
  std::array<int, 3> periodMs_ = {0, 0, 0};
  GbkText text_ = TickerFormText();
  GbkText target_ = TickerFormTarget("http://notice.example");
  int top_ = kTickerFormTop;
  std::vector<Written> written_;
  std::vector<std::pair<long, int>> tops_;
};

TEST(TickerCycle, TimingOfTheCycle) {
  TickerLists lists;
  lists.Replace({{"a", "b", "c"}, {"ua", "ub", "uc"}});
  TickerWindow window(lists);
  window.TextsArrived();
  window.RunUntil(18000);

  // The first message replaces the form's text in place 100 ms after the
  // texts arrived; each later one is written 1 ms after the label left the
  // strip: 100 + 100 (one step to rest) + 3000 + 8 x 100 (leaving) + 1 ms
  // for the second, then every 8 x 100 + 3000 + 8 x 100 + 1 ms.
  const std::vector<long> expectedAt = {100, 4001, 8602, 13203, 17804};
  ASSERT_EQ(window.written().size(), expectedAt.size());
  for (std::size_t i = 0; i < expectedAt.size(); ++i) {
    EXPECT_EQ(window.written()[i].atMs, expectedAt[i]) << "message " << i;
    EXPECT_EQ(window.written()[i].topWhenWritten, i == 0 ? kTickerFormTop : 16) << "message " << i;
  }

  // The tops of the second message, from its writing to the third: eight
  // steps up to rest at 0, a rest of 3000 ms, eight steps out, the jump to 16.
  std::vector<std::pair<long, int>> expectedTops;
  for (int step = 1; step <= 8; ++step) expectedTops.emplace_back(4001 + step * 100, 16 - 2 * step);
  for (int step = 1; step <= 7; ++step) expectedTops.emplace_back(7801 + step * 100, -2 * step);
  expectedTops.emplace_back(8601, 16);
  std::vector<std::pair<long, int>> tops;
  for (const auto& top : window.tops()) {
    if (top.first > 4001 && top.first <= 8601) tops.push_back(top);
  }
  EXPECT_EQ(tops, expectedTops);
}

TEST(TickerCycle, MessagesFollowTheFilesInOrder) {
  // texts file, targets file, then the first seven messages as (text, target).
  struct Case {
    const char* what;
    ByteString texts, targets;
    std::vector<std::pair<GbkText, GbkText>> shown;
  } cases[] = {
      {"three messages, in order and again",
       "a|b|c",
       "ua|ub|uc",
       {{"a", "ua"}, {"b", "ub"}, {"c", "uc"}, {"a", "ua"}, {"b", "ub"}, {"c", "uc"}, {"a", "ua"}}},
      {"a single message every cycle",
       "only",
       "u",
       {{"only", "u"},
        {"only", "u"},
        {"only", "u"},
        {"only", "u"},
        {"only", "u"},
        {"only", "u"},
        {"only", "u"}}},
      {"a trailing separator adds no empty message",
       "a|b|",
       "ua|ub|",
       {{"a", "ua"}, {"b", "ub"}, {"a", "ua"}, {"b", "ub"}, {"a", "ua"}, {"b", "ub"}, {"a", "ua"}}},
      {"two separators in a row give an empty message",
       "a||b",
       "ua||ub",
       {{"a", "ua"}, {"", ""}, {"b", "ub"}, {"a", "ua"}, {"", ""}, {"b", "ub"}, {"a", "ua"}}},
      {"a message without target opens nothing",
       "a|b|c",
       "ua",
       {{"a", "ua"}, {"b", ""}, {"c", ""}, {"a", "ua"}, {"b", ""}, {"c", ""}, {"a", "ua"}}},
      {"no targets file",
       "a|b",
       "",
       {{"a", ""}, {"b", ""}, {"a", ""}, {"b", ""}, {"a", ""}, {"b", ""}, {"a", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TickerLists lists;
    std::optional<TickerTexts> cut = CutTickerTexts(c.texts, c.targets);
    ASSERT_TRUE(cut.has_value());
    lists.Replace(std::move(*cut));
    TickerWindow window(lists);
    window.TextsArrived();
    window.RunUntilWritten(c.shown.size());
    std::vector<std::pair<GbkText, GbkText>> shown;
    for (const auto& written : window.written()) shown.emplace_back(written.text, written.target);
    EXPECT_EQ(shown, c.shown);
  }
}

TEST(TickerCycle, EmptyTextsFileLeavesTheFormText) {
  TickerLists lists;
  TickerWindow window(lists);
  if (std::optional<TickerTexts> cut = CutTickerTexts("", "ua|ub")) {
    lists.Replace(std::move(*cut));
    window.TextsArrived();
  }
  window.RunUntil(60000);
  EXPECT_TRUE(window.written().empty());
  EXPECT_EQ(window.text(), TickerFormText());
  EXPECT_EQ(window.target(), "http://notice.example/?bookwisp");
  EXPECT_EQ(window.top(), kTickerFormTop);
  EXPECT_EQ(window.cycle().Phase(), TickerPhase::kIdle);
  EXPECT_FALSE(window.AnyTimerRuns());
}

TEST(TickerCycle, PhasesOfOneCycle) {
  TickerLists lists;
  lists.Replace({{"a", "b"}, {"ua", "ub"}});
  TickerCycle cycle(lists);
  EXPECT_EQ(cycle.Phase(), TickerPhase::kIdle);

  // Timer events before any timer runs change nothing.
  for (const TickerActions& late :
       {cycle.OnShowTimer(), cycle.OnSlideTimer(), cycle.OnWaitTimer()}) {
    EXPECT_FALSE(late.message || late.top || late.showTimerMs || late.slideTimerMs ||
                 late.waitTimerMs);
  }
  EXPECT_EQ(cycle.Top(), kTickerFormTop);
  EXPECT_EQ(lists.Position(), 0);

  TickerActions actions = cycle.OnTextsArrived();
  EXPECT_EQ(actions.showTimerMs, 100);
  EXPECT_EQ(cycle.Phase(), TickerPhase::kShowing);

  actions = cycle.OnShowTimer();
  ASSERT_TRUE(actions.message.has_value());
  EXPECT_EQ(actions.message->text, "a");
  EXPECT_EQ(actions.showTimerMs, 3000);
  EXPECT_EQ(actions.slideTimerMs, 100);
  EXPECT_FALSE(actions.top.has_value()) << "the first message is written in place";
  EXPECT_EQ(cycle.Phase(), TickerPhase::kEntering);

  actions = cycle.OnSlideTimer();
  EXPECT_EQ(actions.top, 0);
  EXPECT_EQ(actions.showTimerMs, 0);
  EXPECT_EQ(actions.slideTimerMs, 0);
  EXPECT_EQ(actions.waitTimerMs, 3000);
  EXPECT_EQ(cycle.Phase(), TickerPhase::kResting);

  actions = cycle.OnWaitTimer();
  EXPECT_EQ(actions.waitTimerMs, 0);
  EXPECT_EQ(actions.slideTimerMs, 100);
  EXPECT_EQ(cycle.Phase(), TickerPhase::kLeaving);

  for (int step = 1; step <= 7; ++step) {
    actions = cycle.OnSlideTimer();
    EXPECT_EQ(actions.top, -2 * step);
    EXPECT_FALSE(actions.slideTimerMs.has_value());
    EXPECT_EQ(cycle.Phase(), TickerPhase::kLeaving);
  }
  actions = cycle.OnSlideTimer();  // -16: out of view
  EXPECT_EQ(actions.top, 16);
  EXPECT_EQ(actions.showTimerMs, 1);
  EXPECT_EQ(actions.slideTimerMs, 0);
  EXPECT_EQ(cycle.Phase(), TickerPhase::kShowing);

  actions = cycle.OnShowTimer();
  ASSERT_TRUE(actions.message.has_value());
  EXPECT_EQ(actions.message->text, "b");
  EXPECT_EQ(cycle.Phase(), TickerPhase::kEntering);
}

TEST(TickerCycle, SecondReaderWindowContinuesThePositions) {
  // The reader tickers' lists outlive the window; a new window fetches the
  // same files again and carries on where the previous one stopped.
  TickerLists info;
  TickerLists reader;
  const TickerTexts infoTexts{{"i1", "i2", "i3"}, {"ui1", "ui2", "ui3"}};
  const TickerTexts readerTexts{{"r1", "r2"}, {"ur1", "ur2"}};

  auto first = [&](TickerLists& lists, const TickerTexts& texts, std::size_t count) {
    lists.Replace(texts);
    TickerWindow window(lists);
    window.TextsArrived();
    window.RunUntilWritten(count);
    window.RunUntil(window.now() + 1500);  // closed while the message rests
    return window.written().back().text;
  };
  EXPECT_EQ(first(info, infoTexts, 2), "i2");
  EXPECT_EQ(first(reader, readerTexts, 1), "r1");

  struct Expectation {
    TickerLists& lists;
    const TickerTexts& texts;
    std::vector<GbkText> next;
  } second[] = {{info, infoTexts, {"i3", "i1", "i2"}}, {reader, readerTexts, {"r2", "r1", "r2"}}};
  for (Expectation& e : second) {
    e.lists.Replace(e.texts);
    TickerWindow window(e.lists, 100000);
    window.TextsArrived();
    window.RunUntilWritten(3);
    std::vector<GbkText> shown;
    for (const auto& written : window.written()) shown.push_back(written.text);
    EXPECT_EQ(shown, e.next);
    EXPECT_EQ(window.written()[0].topWhenWritten, kTickerFormTop)
        << "the new window's first message replaces its form text in place";
  }
}

TEST(TickerCycle, FormTextAndTarget) {
  EXPECT_EQ(TickerFormText(), Gbk("文字广告位联系Tavelin"));
  EXPECT_EQ(TickerFormTarget("http://n.example:8080"), "http://n.example:8080/?bookwisp");
}

}  // namespace
