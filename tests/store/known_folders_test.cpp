#include "store/known_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/services/desktop_seam.h"
#include "scrape/gbk_literal.h"
#include "store/environment.h"
#include "store_test_env.h"

namespace {

class SpecialFoldersTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    seam_ = std::make_shared<RecordingSeam>();
    previous_ = SetDesktopSeam(seam_);
  }
  void TearDown() override {
    SetDesktopSeam(previous_);
    StoreTest::TearDown();
  }
  std::shared_ptr<RecordingSeam> seam_;
  std::shared_ptr<DesktopSeam> previous_;
};

TEST_F(SpecialFoldersTest, EnvironmentNamesFallBackToLocalCounterparts) {
  Set("XDG_DATA_DIRS", "relative/share:/opt/share/:/usr/share");
  struct Case {
    const char* name;
    std::string expected;
  } cases[] = {
      {"APPDATA", root_ + "/data"},
      {"appdata", root_ + "/data"},
      {"temp", root_ + "/tmp"},
      {"TMP", root_ + "/tmp"},
      {"USERPROFILE", home_},
      {"ALLUSERSPROFILE", "/opt/share"},  // first absolute folder, no trailing "/"
      {"ProgramFiles", "/opt"},
      {"CommonProgramFiles", "/usr/lib"},
      {"SystemRoot", "/usr"},
      {"SystemDrive", ""},
      {"NoSuchWindowsName", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EnvironmentVariable(c.name), c.expected) << c.name;
}

TEST_F(SpecialFoldersTest, EnvironmentVariableItselfWinsWhenSet) {
  Set("APPDATA", "/srv/appdata");
  Set("TEMP", "/var/tmp");  // "temp" finds TEMP, as Windows names ignore case
  Set("SystemDrive", "/mnt/c");
  EXPECT_EQ(EnvironmentVariable("APPDATA"), "/srv/appdata");
  EXPECT_EQ(EnvironmentVariable("temp"), "/var/tmp");
  EXPECT_EQ(EnvironmentVariable("SystemDrive"), "/mnt/c");

  // An empty variable counts as unset; relative XDG folders are ignored.
  Set("APPDATA", "");
  Set("XDG_DATA_HOME", "relative/data");
  EXPECT_EQ(EnvironmentVariable("APPDATA"), home_ + "/.local/share");
  Unset("HOME");
  EXPECT_EQ(EnvironmentVariable("APPDATA"), "");
  EXPECT_EQ(EnvironmentVariable("USERPROFILE"), "");
  Unset("TEMP");
  Unset("TMPDIR");
  EXPECT_EQ(EnvironmentVariable("temp"), "/tmp");
}

TEST_F(SpecialFoldersTest, TableOfNumbersNamesAndPaths) {
  WriteUserDirs(
      "# written by xdg-user-dirs-update\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desk/\"\n"
      "XDG_MUSIC_DIR=\"/srv/music\"\n");
  std::filesystem::create_directories(home_ + "/Pictures");  // no entry, but the folder exists
  // No Videos entry and no Videos folder: the home folder.
  Set("XDG_DATA_DIRS", "/usr/local/share:/usr/share");

  const std::string notFound = "未找到"_gbk;
  struct Case {
    int number;
    const GbkText& name;
    std::string path;
  } cases[] = {
      {1, "我的文档"_gbk, home_ + "/Docs"},
      {2, "我的收藏夹"_gbk, notFound},
      {3, "系统桌面"_gbk, home_ + "/Desk"},
      {4, "系统字体"_gbk, root_ + "/data/fonts"},
      {5, "开始菜单组"_gbk, root_ + "/data/applications"},
      {6, "程序菜单组"_gbk, root_ + "/data/applications"},
      {7, "启动菜单组"_gbk, root_ + "/config/autostart"},
      {8, "我的音乐"_gbk, "/srv/music"},
      {9, "我的图片"_gbk, home_ + "/Pictures"},
      {10, "我的视频"_gbk, home_},
      {11, "IE临时文件"_gbk, root_ + "/cache"},
      {12, "Cookies目录"_gbk, notFound},
      {13, "历史记录"_gbk, notFound},
      {14, "NetHood目录"_gbk, notFound},
      {15, "发送到目录"_gbk, notFound},
      {16, "临时文件"_gbk, root_ + "/tmp/"},
      {17, "系统盘"_gbk, "/"},
      {18, "系统目录"_gbk, "/usr/"},
      {19, "程序安装目录"_gbk, "/opt/"},
      {20, "公用程序目录"_gbk, "/usr/lib/"},
      {21, "当前用户目录"_gbk, home_ + "/"},
      {22, "所有用户目录"_gbk, "/usr/local/share/"},
      {23, "APPDATA目录"_gbk, root_ + "/data/"},
  };
  for (const auto& c : cases) {
    GbkText name = "unchanged";
    EXPECT_EQ(SpecialFolderPath(c.number, &name), c.path) << "number " << c.number;
    EXPECT_EQ(name, c.name) << "number " << c.number;
    EXPECT_EQ(SpecialFolderPath(c.number), c.path) << "number " << c.number << " without a name";
  }
  for (int number : {0, -1}) {
    GbkText name = "unchanged";
    EXPECT_EQ(SpecialFolderPath(number, &name), notFound) << number;
    EXPECT_EQ(name, "unchanged") << number;
  }
  EXPECT_TRUE(seam_->Messages().empty());
}

TEST_F(SpecialFoldersTest, AppDataFolderAndChapterCache) {
  Set("APPDATA", "/home/u/AppData/Roaming");
  EXPECT_EQ(SpecialFolderPath(23), "/home/u/AppData/Roaming/");
  EXPECT_EQ(ChapterCacheDir(), "/home/u/AppData/Roaming/tavelin");

  Unset("APPDATA");
  EXPECT_EQ(ChapterCacheDir(), root_ + "/data/tavelin");
  Unset("XDG_DATA_HOME");
  EXPECT_EQ(ChapterCacheDir(), home_ + "/.local/share/tavelin");
  // Nothing known at all: a lone "/" as the folder, as for an unset variable.
  Unset("HOME");
  EXPECT_EQ(SpecialFolderPath(23), "/");
  EXPECT_EQ(ChapterCacheDir(), "/tavelin");
}

TEST_F(SpecialFoldersTest, NumbersAboveTheTableShowOneMessageEach) {
  for (int number : {24, 1000}) {
    GbkText name = "unchanged";
    EXPECT_EQ(SpecialFolderPath(number, &name), "");
    EXPECT_EQ(name, "unchanged");
  }
  const auto messages = seam_->Messages();
  ASSERT_EQ(messages.size(), 2u);
  for (const auto& message : messages) {
    EXPECT_EQ(message.text, "取特定目录提供的参数错误"_gbk);
    EXPECT_EQ(message.title, "信息"_gbk);
    EXPECT_EQ(message.icon, MessageIcon::kInformation);
  }
}

TEST_F(SpecialFoldersTest, DocumentsFolderEndsInExactlyOneSlash) {
  struct Case {
    const char* what;
    std::string userDirs;  // "" for no file
    bool documentsFolderExists;
    std::string expected;
  } cases[] = {
      {"no file, no Documents folder: home", "", false, home_ + "/"},
      {"no file, Documents folder", "", true, home_ + "/Documents/"},
      {"entry under home", "XDG_DOCUMENTS_DIR=\"$HOME/Texts\"\n", true, home_ + "/Texts/"},
      {"entry with trailing slashes", "XDG_DOCUMENTS_DIR=\"$HOME/Texts//\"\n", false,
       home_ + "/Texts/"},
      {"absolute entry", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n", false, "/srv/docs/"},
      {"entry is the home folder", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", true, home_ + "/"},
      {"blanks, comments, last line wins",
       "# XDG_DOCUMENTS_DIR=\"/commented\"\n"
       "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\r\n"
       "  XDG_DOCUMENTS_DIR = \"/first\"\n"
       "\tXDG_DOCUMENTS_DIR=\"$HOME/second\"\n",
       false, home_ + "/second/"},
      {"relative entry ignored", "XDG_DOCUMENTS_DIR=\"docs\"\n", true, home_ + "/Documents/"},
      {"unquoted entry ignored", "XDG_DOCUMENTS_DIR=$HOME/docs\n", false, home_ + "/"},
      {"$HOMEdocs is not under home", "XDG_DOCUMENTS_DIR=\"$HOMEdocs\"\n", false, home_ + "/"},
      {"other names do not count", "XDG_DOCUMENTS_DIR_OLD=\"/old\"\n", false, home_ + "/"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(root_ + "/config");
    std::filesystem::remove_all(home_ + "/Documents");
    if (!c.userDirs.empty()) WriteUserDirs(c.userDirs);
    if (c.documentsFolderExists) std::filesystem::create_directories(home_ + "/Documents");
    EXPECT_EQ(DocumentsFolder(), c.expected) << c.what;
    // The shell folder Personal is the same folder without the trailing "/".
    EXPECT_EQ(SpecialFolderPath(1) + "/", c.expected) << c.what;
  }
}

TEST_F(SpecialFoldersTest, DocumentsFolderFindsTheDefaultConfigFolderAndNeedsAHome) {
  Unset("XDG_CONFIG_HOME");
  std::filesystem::create_directories(home_ + "/.config");
  WriteFile(home_ + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n");
  EXPECT_EQ(DocumentsFolder(), home_ + "/文档/");

  // Without HOME, an entry relative to it and the fallbacks are unknown.
  Set("XDG_CONFIG_HOME", root_ + "/config");
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
  Unset("HOME");
  EXPECT_EQ(DocumentsFolder(), "");
  EXPECT_EQ(SpecialFolderPath(1), "未找到"_gbk);
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
  EXPECT_EQ(DocumentsFolder(), "/srv/docs/");
}

TEST_F(SpecialFoldersTest, ProgramFilePlaces) {
  WriteUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
  const std::string docs = home_ + "/Docs/";
  EXPECT_EQ(SettingsFolder(), docs + "bookwisp");
  EXPECT_EQ(UserIniFile(), docs + "bookwisp/user.ini");
  EXPECT_EQ(BookmarkFolder(), docs + "tvmarks");
  EXPECT_EQ(BookmarkFile("1234"), docs + "tvmarks/1234.ini");
  // An id that would leave the bookmark folder names no file.
  EXPECT_EQ(BookmarkFile("../../.bashrc"), "");
  EXPECT_EQ(BookmarkFile(std::string("12\0/x", 5)), "");

  // Nothing known: the places lose their first part and stay relative.
  Unset("HOME");
  EXPECT_EQ(BookmarkFile("7"), "tvmarks/7.ini");
  EXPECT_EQ(UserIniFile(), "bookwisp/user.ini");
}

}  // namespace
