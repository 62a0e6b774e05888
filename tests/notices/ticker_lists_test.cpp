#include "notices/ticker_lists.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "notice_test_support.h"

namespace {

std::vector<std::pair<GbkText, GbkText>> Take(TickerLists& lists, int count) {
  std::vector<std::pair<GbkText, GbkText>> taken;
  for (int i = 0; i < count; ++i) {
    const std::optional<TickerMessage> message = lists.NextMessage();
    if (!message) break;
    taken.emplace_back(message->text, message->target);
  }
  return taken;
}

TEST(TickerLists, NothingUntilTextsArrive) {
  TickerLists lists;
  EXPECT_FALSE(lists.NextMessage().has_value());
  EXPECT_EQ(lists.Position(), 0);
}

TEST(TickerLists, PositionSurvivesNewTexts) {
  TickerLists lists;
  lists.Replace({{"a", "b", "c"}, {"ua", "ub", "uc"}});
  ASSERT_EQ(Take(lists, 2).size(), 2u);
  EXPECT_EQ(lists.Position(), 2);

  // The same texts again (a new reader window): the next message is the third.
  lists.Replace({{"a", "b", "c"}, {"ua", "ub", "uc"}});
  EXPECT_EQ(lists.Position(), 2);
  EXPECT_EQ(Take(lists, 2), (std::vector<std::pair<GbkText, GbkText>>{{"c", "uc"}, {"a", "ua"}}));

  // Shorter texts than the position: the list starts over at its first message.
  Take(lists, 2);  // b, c: position 3
  lists.Replace({{"x", "y"}, {"ux", "uy"}});
  EXPECT_EQ(Take(lists, 3),
            (std::vector<std::pair<GbkText, GbkText>>{{"x", "ux"}, {"y", "uy"}, {"x", "ux"}}));
}

TEST(TickerLists, ProgramListsAreOnePerTicker) {
  EXPECT_EQ(&ProgramTickerLists(TickerKind::kReader), &ProgramTickerLists(TickerKind::kReader));
  EXPECT_NE(&ProgramTickerLists(TickerKind::kMain), &ProgramTickerLists(TickerKind::kInfo));
  EXPECT_NE(&ProgramTickerLists(TickerKind::kInfo), &ProgramTickerLists(TickerKind::kReader));
  EXPECT_NE(&ProgramTickerLists(TickerKind::kMain), &ProgramTickerLists(TickerKind::kReader));
}

TEST(TickerLists, ReplacedWhileMessagesAreTaken) {
  // A text job replaces the lists while the window thread takes messages:
  // every message taken is whole and belongs to one of the two lists.
  TickerLists lists;
  const TickerTexts first{{"a1", "a2", "a3"}, {"ua1", "ua2", "ua3"}};
  const TickerTexts second{{"b1", "b2"}, {"ub1", "ub2"}};
  lists.Replace(first);
  std::atomic<bool> done{false};
  std::thread replacer([&] {
    for (int i = 0; i < 2000; ++i) lists.Replace(i % 2 ? first : second);
    done = true;
  });
  int taken = 0;
  int broken = 0;
  while (!done || taken < 100) {
    const std::optional<TickerMessage> message = lists.NextMessage();
    if (!message || "u" + message->text != message->target) ++broken;
    ++taken;
  }
  replacer.join();
  EXPECT_EQ(broken, 0);
}

TEST(LoadTickerTexts, ReplacesOnlyWhenTheTextsFileGaveText) {
  NoticeServer server;
  TickerLists lists;
  lists.Replace({{"old"}, {"uold"}});

  // An empty texts file: the ticker keeps its lists.
  server.Serve("/ad/bookwisp/ad2.txt", "");
  server.Serve("/ad/bookwisp/ad3.txt", "unew");
  EXPECT_FALSE(LoadTickerTexts(server.BaseUrl(), TickerKind::kMain, lists));
  EXPECT_EQ(lists.Lists().texts, GbkTextList{"old"});

  // A missing texts file, likewise.
  server.Remove("/ad/bookwisp/ad2.txt");
  EXPECT_FALSE(LoadTickerTexts(server.BaseUrl(), TickerKind::kMain, lists));
  EXPECT_EQ(lists.Lists().texts, GbkTextList{"old"});

  server.Serve("/ad/bookwisp/ad2.txt", Gbk("新消息|第二条"));
  EXPECT_TRUE(LoadTickerTexts(server.BaseUrl(), TickerKind::kMain, lists));
  EXPECT_EQ(lists.Lists().texts, (GbkTextList{Gbk("新消息"), Gbk("第二条")}));
  EXPECT_EQ(lists.Lists().targets, GbkTextList{"unew"});
}

}  // namespace
