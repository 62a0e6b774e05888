// The notices against the sample site: its notice files and version document
// as the reader meets them at start and in a reader window.

#include <gtest/gtest.h>

#include "notice_test_support.h"
#include "notices/notice_files.h"
#include "notices/ticker_cycle.h"
#include "notices/ticker_lists.h"
#include "notices/update_check.h"
#include "sample_site.h"

namespace {

class SampleSiteNotices : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_GT(site_.Start(), 0); }
  GbkText Base() const { return site_.BaseUrl(); }

  sample_site::SampleSite site_;
};

TEST_F(SampleSiteNotices, NoticeLink) {
  const NoticeLinkTexts link = FetchNoticeLink(Base());
  EXPECT_EQ(link.caption, Gbk("欢迎使用Tavelin小说阅读器！示例书站的全部书籍均为随机生成。"));
  EXPECT_EQ(link.target, Base() + "/?bookwisp");
}

TEST_F(SampleSiteNotices, MainTickerRunsThroughItsMessages) {
  TickerLists lists;
  ASSERT_TRUE(LoadTickerTexts(Base(), TickerKind::kMain, lists));
  TickerCycle cycle(lists);
  TickerActions actions = cycle.OnTextsArrived();
  ASSERT_EQ(actions.showTimerMs, 100);

  // The site's ad2.txt ends in "|" and its third message holds a character
  // whose second byte is "|": three messages, then the first again.
  std::vector<TickerMessage> shown;
  while (shown.size() < 4) {
    if (cycle.TimerPeriod(TickerTimer::kWait) != 0) {
      actions = cycle.OnWaitTimer();
    } else if (cycle.TimerPeriod(TickerTimer::kSlide) != 0) {
      actions = cycle.OnSlideTimer();
    } else {
      actions = cycle.OnShowTimer();
    }
    if (actions.message) shown.push_back(*actions.message);
  }
  EXPECT_EQ(shown[0].text, Gbk("示例书站已启动，点击查看最近更新"));
  EXPECT_EQ(shown[1].text, Gbk("新书《青灯夜雨录》已上架"));
  EXPECT_EQ(shown[1].target, Base() + "/book/10003.html");
  EXPECT_EQ(shown[2].text, Gbk("千絲萬縷，尽在书中"));
  EXPECT_EQ(shown[2].target, Base() + "/?bookwisp");
  EXPECT_EQ(shown[3].text, shown[0].text);
  EXPECT_EQ(shown[3].target, shown[0].target);
}

TEST_F(SampleSiteNotices, ReaderTickersHaveTheirOwnFiles) {
  const std::optional<TickerTexts> info = FetchTickerTexts(Base(), TickerKind::kInfo);
  const std::optional<TickerTexts> reader = FetchTickerTexts(Base(), TickerKind::kReader);
  ASSERT_TRUE(info && reader);
  EXPECT_EQ(info->texts.size(), 2u);
  EXPECT_EQ(info->targets, (GbkTextList{Base() + "/?bookwisp", Base() + "/login.php"}));
  EXPECT_EQ(reader->texts.size(), 3u);
  EXPECT_EQ(reader->texts[0], Gbk("阅读愉快！"));
  EXPECT_EQ(reader->targets.size(), 3u);
}

TEST_F(SampleSiteNotices, UpdateCheck) {
  {
    ScopedRecordingSeam seam;  // the site names the program's own version
    EXPECT_EQ(CheckForUpdate(Base()), UpdateCheckResult::kCurrent);
    EXPECT_TRUE(seam->CallOrder().empty());
  }
  {
    site_.SetVersionInfo({.version = "1.0.0",
                          .name = "正式版",
                          .notes = "第一行#HHF第二行",
                          .downloadUrl = "http://127.0.0.1/tavelin-1.0.0.zip"});
    ScopedRecordingSeam seam;
    EXPECT_EQ(CheckForUpdate(Base()), UpdateCheckResult::kAnnounced);
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].text,
              Gbk("\r\n发现有新的版本 1.0.0 正式版\r\n更新说明：\r\n第一行\r\n第二行"));
    EXPECT_EQ(seam->OpenedUrls(), std::vector<GbkText>{"http://127.0.0.1/tavelin-1.0.0.zip"});
    EXPECT_EQ(seam->EndCodes(), std::vector<int>{0});
  }
  {
    sample_site::VersionInfo withoutVersion;
    withoutVersion.version = std::nullopt;
    site_.SetVersionInfo(withoutVersion);
    ScopedRecordingSeam seam;
    EXPECT_EQ(CheckForUpdate(Base()), UpdateCheckResult::kFailed);
    EXPECT_EQ(seam->CallOrder(), std::vector<std::string>{"message"});
    EXPECT_EQ(seam->Messages()[0].text, UpdateCheckFailedText());
  }
  {
    site_.SetVersionInfo({});
    sample_site::Misbehaviour serverError;
    serverError.status = 500;
    site_.SetMisbehaviour("/ad/bookwisp/up/update.xml", serverError);
    ScopedRecordingSeam seam;
    EXPECT_EQ(CheckForUpdate(Base()), UpdateCheckResult::kFailed);
    EXPECT_EQ(seam->CallOrder(), std::vector<std::string>{"message"});
  }
}

}  // namespace
