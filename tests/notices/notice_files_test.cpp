#include "notices/notice_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "notice_test_support.h"
#include "test_paths.h"

namespace {

ByteString ReadFixture(const std::string& name) {
  std::ifstream in(std::string(TAVELIN_TEST_DATA_DIR) + "/notices/" + name, std::ios::binary);
  return ByteString(std::istreambuf_iterator<char>(in), {});
}

TEST(CutTickerTexts, PiecesOfTextsAndTargets) {
  struct Case {
    const char* what;
    ByteString texts, targets;
    GbkTextList expectedTexts, expectedTargets;
  } cases[] = {
      {"three and three", "a|b|c", "ua|ub|uc", {"a", "b", "c"}, {"ua", "ub", "uc"}},
      {"single message", "only", "u", {"only"}, {"u"}},
      {"trailing separator adds no piece", "a|b|", "ua|ub|", {"a", "b"}, {"ua", "ub"}},
      {"two separators in a row", "a||b", "ua||ub", {"a", "", "b"}, {"ua", "", "ub"}},
      {"leading separator", "|a", "|ua", {"", "a"}, {"", "ua"}},
      {"a lone separator", "|", "|", {""}, {""}},
      {"targets shorter", "a|b|c", "ua", {"a", "b", "c"}, {"ua"}},
      {"targets missing", "a|b", "", {"a", "b"}, {}},
      {"line breaks stay in the text", "a\r\nb|c\n", "u\r\n", {"a\r\nb", "c\n"}, {"u\r\n"}},
      {"cut at the first zero byte",
       ByteString("a|b\0|c", 6),
       ByteString("u\0v", 3),
       {"a", "b"},
       {"u"}},
  };
  for (const Case& c : cases) {
    const std::optional<TickerTexts> cut = CutTickerTexts(c.texts, c.targets);
    ASSERT_TRUE(cut.has_value()) << c.what;
    EXPECT_EQ(cut->texts, c.expectedTexts) << c.what;
    EXPECT_EQ(cut->targets, c.expectedTargets) << c.what;
  }
}

TEST(CutTickerTexts, EmptyTextsFileGivesNothing) {
  EXPECT_FALSE(CutTickerTexts("", "ua|ub").has_value());
  EXPECT_FALSE(CutTickerTexts(ByteString("\0a|b", 4), "ua|ub").has_value())
      << "a file starting with a zero byte reads as empty";
}

TEST(CutTickerTexts, GbkFixtureWithSeparatorAsSecondByte) {
  // "亅" is 0x81 0x7C: its second byte is "|" and must not cut the message.
  const std::optional<TickerTexts> cut =
      CutTickerTexts(ReadFixture("ad2.txt"), ReadFixture("ad3.txt"));
  ASSERT_TRUE(cut.has_value());
  const GbkTextList expectedTexts = {Gbk("第一条消息"), Gbk("亅字收尾亅"), Gbk("第三条\r\n消息")};
  EXPECT_EQ(cut->texts, expectedTexts);
  const GbkTextList expectedTargets = {"http://notice.example/1", "http://notice.example/2",
                                       "http://notice.example/3"};
  EXPECT_EQ(cut->targets, expectedTargets);
}

TEST(CutNoticeLink, CaptionAndTargetTakenAsTheyAre) {
  const NoticeLinkTexts link = CutNoticeLink(Gbk("本站公告：新书上架\r\n"), "http://n.example/x");
  EXPECT_EQ(link.caption, Gbk("本站公告：新书上架\r\n"));
  EXPECT_EQ(link.target, "http://n.example/x");
  const NoticeLinkTexts cut = CutNoticeLink(ByteString("ab\0cd", 5), "");
  EXPECT_EQ(cut.caption, "ab");
  EXPECT_EQ(cut.target, "");
}

TEST(TickerFilesOf, EachTickerReadsItsOwnPair) {
  struct Case {
    TickerKind kind;
    std::string_view texts, targets;
  } cases[] = {
      {TickerKind::kMain, "/ad/bookwisp/ad2.txt", "/ad/bookwisp/ad3.txt"},
      {TickerKind::kInfo, "/ad/bookwisp/ad4.txt", "/ad/bookwisp/ad5.txt"},
      {TickerKind::kReader, "/ad/bookwisp/ad6.txt", "/ad/bookwisp/ad7.txt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TickerFilesOf(c.kind).textsPath, c.texts);
    EXPECT_EQ(TickerFilesOf(c.kind).targetsPath, c.targets);
  }
}

TEST(FetchNoticeFiles, FromTheNoticeServer) {
  NoticeServer server;
  server.Serve("/ad/bookwisp/gg1.txt", Gbk("欢迎使用Tavelin"));
  server.Serve("/ad/bookwisp/gg2.txt", "http://n.example/welcome");
  server.Serve("/ad/bookwisp/ad6.txt", ReadFixture("ad2.txt"));
  server.Serve("/ad/bookwisp/ad7.txt", ReadFixture("ad3.txt"));

  const NoticeLinkTexts link = FetchNoticeLink(server.BaseUrl());
  EXPECT_EQ(link.caption, Gbk("欢迎使用Tavelin"));
  EXPECT_EQ(link.target, "http://n.example/welcome");

  const std::optional<TickerTexts> reader = FetchTickerTexts(server.BaseUrl(), TickerKind::kReader);
  ASSERT_TRUE(reader.has_value());
  EXPECT_EQ(reader->texts.size(), 3u);
  EXPECT_EQ(reader->targets.size(), 3u);
  EXPECT_EQ(reader->texts[1], Gbk("亅字收尾亅"));

  // The texts file first, then the targets file.
  const std::vector<std::string> paths = server.RequestedPaths();
  const std::vector<std::string> expected = {"/ad/bookwisp/gg1.txt", "/ad/bookwisp/gg2.txt",
                                             "/ad/bookwisp/ad6.txt", "/ad/bookwisp/ad7.txt"};
  EXPECT_EQ(paths, expected);
}

TEST(FetchNoticeFiles, MissingFilesReadAsEmpty) {
  NoticeServer server;  // serves nothing: every file answers 404
  const NoticeLinkTexts link = FetchNoticeLink(server.BaseUrl());
  EXPECT_EQ(link.caption, "") << "an error page is not a caption";
  EXPECT_EQ(link.target, "");
  EXPECT_FALSE(FetchTickerTexts(server.BaseUrl(), TickerKind::kMain).has_value());

  server.Serve("/ad/bookwisp/ad4.txt", "a|b");  // targets file ad5.txt missing
  const std::optional<TickerTexts> info = FetchTickerTexts(server.BaseUrl(), TickerKind::kInfo);
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->texts, (GbkTextList{"a", "b"}));
  EXPECT_TRUE(info->targets.empty());

  const NoticeLinkTexts unreachable = FetchNoticeLink(UnreachableBaseUrl());
  EXPECT_EQ(unreachable.caption, "");
  EXPECT_EQ(unreachable.target, "");
}

}  // namespace
