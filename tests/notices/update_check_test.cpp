#include "notices/update_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "notice_test_support.h"
#include "notices/program_version.h"
#include "test_paths.h"

namespace {

const std::string kVersionPath = "/ad/bookwisp/up/update.xml";

// A version file in GBK; `attributes` is the UTF-8 attribute text of 版本信息.
ByteString VersionFile(const std::string& attributes) {
  return Gbk("<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<最新版本>\r\n  <版本信息 " +
             attributes + "/>\r\n</最新版本>\r\n");
}

ByteString ReadFixture(const std::string& name) {
  std::ifstream in(std::string(TAVELIN_TEST_DATA_DIR) + "/notices/" + name, std::ios::binary);
  return ByteString(std::istreambuf_iterator<char>(in), {});
}

TEST(CheckForUpdate, SameVersionShowsNothing) {
  NoticeServer server;
  server.Serve(kVersionPath, VersionFile("版本号=\"0.9.3\" 版本名称=\"夏季版\" 升级说明=\"无\" "
                                         "下载地址=\"http://n.example/d.zip\""));
  ScopedRecordingSeam seam;
  EXPECT_EQ(CheckForUpdate(server.BaseUrl()), UpdateCheckResult::kCurrent);
  EXPECT_TRUE(seam->CallOrder().empty());
  EXPECT_EQ(server.RequestedPaths(), std::vector<std::string>{kVersionPath});
}

TEST(CheckForUpdate, AnotherVersionIsAnnouncedOpenedAndEndsTheProgram) {
  NoticeServer server;
  server.Serve(kVersionPath, ReadFixture("update_newer.xml"));
  ScopedRecordingSeam seam;
  EXPECT_EQ(CheckForUpdate(server.BaseUrl()), UpdateCheckResult::kAnnounced);

  ASSERT_EQ(seam->Messages().size(), 1u);
  const RecordingSeam::Message message = seam->Messages()[0];
  // "#HHF" becomes a line break; the same marker in lower case stays.
  EXPECT_EQ(message.text, Gbk("\r\n发现有新的版本 0.9.4 秋季版\r\n更新说明：\r\n"
                              "修正了章节列表的错误。\r\n新增书签同步。#hhf保持原样"));
  EXPECT_EQ(message.title, "") << "the program's caption is the title";
  EXPECT_EQ(message.icon, MessageIcon::kInformation);
  EXPECT_EQ(seam->OpenedUrls(),
            std::vector<GbkText>{"http://notice.example/down/tavelin-0.9.4.zip"});
  EXPECT_EQ(seam->EndCodes(), std::vector<int>{0});
  EXPECT_EQ(seam->CallOrder(), (std::vector<std::string>{"message", "open", "end"}));
}

TEST(CheckForUpdate, DifferenceNotOrderCounts) {
  // An older version is announced all the same; so is one that differs only
  // in letter case or by a blank, since versions are compared byte for byte.
  for (const std::string version : {"0.9.2", "0.9.3 ", "0.9.30", "V0.9.3"}) {
    SCOPED_TRACE(version);
    NoticeServer server;
    server.Serve(kVersionPath,
                 VersionFile("版本号=\"" + version + "\" 下载地址=\"http://n.example/old\""));
    ScopedRecordingSeam seam;
    EXPECT_EQ(CheckForUpdate(server.BaseUrl()), UpdateCheckResult::kAnnounced);
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].text,
              Gbk("\r\n发现有新的版本 " + version + " \r\n更新说明：\r\n"));
    EXPECT_EQ(seam->OpenedUrls(), std::vector<GbkText>{"http://n.example/old"});
    EXPECT_EQ(seam->EndCodes(), std::vector<int>{0});
  }
}

TEST(CheckForUpdate, FailuresShowOneMessageAndTheProgramGoesOn) {
  struct Case {
    const char* what;
    std::optional<ByteString> body;  // nothing: the file is missing (404)
  } cases[] = {
      {"missing file", std::nullopt},
      {"empty body", ByteString()},
      {"not XML", ByteString("<html><body>503 busy")},
      {"an error page that is well-formed", ByteString("<html><body>error</body></html>")},
      {"no version attribute",
       VersionFile("版本名称=\"秋季版\" 升级说明=\"说明\" 下载地址=\"http://n.example/d\"")},
      {"an empty version", VersionFile("版本号=\"\" 下载地址=\"http://n.example/d\"")},
      {"no version element", Gbk("<?xml version=\"1.0\" encoding=\"gb2312\"?><最新版本/>")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NoticeServer server;
    if (c.body) server.Serve(kVersionPath, *c.body);
    ScopedRecordingSeam seam;
    EXPECT_EQ(CheckForUpdate(server.BaseUrl()), UpdateCheckResult::kFailed);
    ASSERT_EQ(seam->Messages().size(), 1u);
    EXPECT_EQ(seam->Messages()[0].text, Gbk("更新检测失败!!"));
    EXPECT_EQ(seam->Messages()[0].title, "");
    EXPECT_EQ(seam->Messages()[0].icon, MessageIcon::kNone);
    EXPECT_TRUE(seam->OpenedUrls().empty());
    EXPECT_TRUE(seam->EndCodes().empty());
  }
}

TEST(CheckForUpdate, NoServer) {
  ScopedRecordingSeam seam;
  EXPECT_EQ(CheckForUpdate(UnreachableBaseUrl()), UpdateCheckResult::kFailed);
  EXPECT_EQ(seam->CallOrder(), std::vector<std::string>{"message"});
  EXPECT_EQ(seam->Messages()[0].text, UpdateCheckFailedText());
}

TEST(CheckForUpdate, AsAJobItHoldsNothingUp) {
  // The server holds the answer back: starting the check returns at once and
  // the failure comes only once the fetch has failed.
  NoticeServer server;
  server.Serve(kVersionPath, "not xml");
  server.Hold(kVersionPath);
  ScopedRecordingSeam seam;
  const JobHandle job = StartCheckForUpdate(server.BaseUrl());
  EXPECT_FALSE(job.Finished());
  EXPECT_TRUE(seam->CallOrder().empty());
  server.Release();
  ASSERT_TRUE(job.WaitFinished(10000));
  EXPECT_EQ(seam->CallOrder(), std::vector<std::string>{"message"});
  EXPECT_EQ(seam->Messages()[0].text, UpdateCheckFailedText());
}

TEST(CheckForUpdate, AStoppedCheckShowsNothing) {
  // Asked to stop while the server holds the answer back: the fetch is cut
  // short, and that is not reported as a failed check.
  NoticeServer server;
  server.Serve(kVersionPath, VersionFile("版本号=\"2.0\" 下载地址=\"http://n.example/d\""));
  server.Hold(kVersionPath);
  ScopedRecordingSeam seam;
  const JobHandle job = StartCheckForUpdate(server.BaseUrl());
  job.RequestStop();
  ASSERT_TRUE(job.WaitFinished(10000));
  EXPECT_TRUE(seam->CallOrder().empty());
}

TEST(UpdateAnnouncement, LineBreakMarkers) {
  struct Case {
    const char* what;
    std::string notes, expectedNotes;
  } cases[] = {
      {"one marker between two sentences", "第一句。#HHF第二句。", "第一句。\r\n第二句。"},
      {"lower case stays", "第一句。#hhf第二句。", "第一句。#hhf第二句。"},
      {"mixed case stays", "a#Hhf#HHf b", "a#Hhf#HHf b"},
      {"every marker, at both ends and in a row", "#HHFa#HHF#HHFb#HHF", "\r\na\r\n\r\nb\r\n"},
      {"no notes", "", ""},
  };
  for (const Case& c : cases) {
    const VersionInfo info{"1.0", Gbk("新版"), Gbk(c.notes), "http://n.example/d"};
    EXPECT_EQ(UpdateAnnouncement(info),
              Gbk("\r\n发现有新的版本 1.0 新版\r\n更新说明：\r\n" + c.expectedNotes))
        << c.what;
  }
}

TEST(ReadVersionFile, FieldsOfTheVersionElement) {
  const std::optional<VersionInfo> info = ReadVersionFile(ReadFixture("update_newer.xml"));
  ASSERT_TRUE(info.has_value());
  EXPECT_EQ(info->version, "0.9.4");
  EXPECT_EQ(info->name, Gbk("秋季版"));
  EXPECT_EQ(info->notes, Gbk("修正了章节列表的错误。#HHF新增书签同步。#hhf保持原样"));
  EXPECT_EQ(info->downloadUrl, "http://notice.example/down/tavelin-0.9.4.zip");
  EXPECT_EQ(kProgramVersion, "0.9.3");
}

}  // namespace
