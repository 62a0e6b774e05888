// The remembered login in user.ini: read at start, saved at a login.

#include "account/remembered_login.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "account_test_env.h"
#include "scrape/gbk_literal.h"
#include "store/ini_file.h"

namespace {

using RememberedLoginTest = AccountTest;

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0xFFFF;
  return st.st_mode & 0777;
}

TEST_F(RememberedLoginTest, ReadFillsWhatTheFileHolds) {
  EXPECT_FALSE(ReadRememberedCredentials().has_value())
      << "no file: the edit boxes stay as they are";

  WriteFile(UserIni(), "[user]\r\nusername=reader\r\npassword=p@ss word&1\r\n");
  auto both = ReadRememberedCredentials();
  ASSERT_TRUE(both.has_value());
  EXPECT_EQ(both->userName, "reader");
  EXPECT_EQ(both->password, "p@ss word&1");

  WriteFile(UserIni(), "[User]\nUserName="_gbk + "读者"_gbk + "\n");
  auto nameOnly = ReadRememberedCredentials();
  ASSERT_TRUE(nameOnly.has_value());
  EXPECT_EQ(nameOnly->userName, "读者"_gbk);
  EXPECT_EQ(nameOnly->password, "") << "a missing key empties the password box";

  WriteFile(UserIni(), "");
  auto empty = ReadRememberedCredentials();
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(empty->userName, "");
  EXPECT_EQ(empty->password, "");
}

TEST_F(RememberedLoginTest, SaveCreatesAPrivateFolderAndFile) {
  ::umask(022);
  ASSERT_TRUE(SaveRememberedCredentials({"reader", "secret"}));
  EXPECT_EQ(ModeOf(SettingsDir()), 0700u);
  EXPECT_EQ(ModeOf(UserIni()), 0600u);
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "username"), "reader");
  EXPECT_EQ(ReadIniValue(UserIni(), "user", "password"), "secret");
}

TEST_F(RememberedLoginTest, ValuesComeBackExactlyAsTyped) {
  const RememberedCredentials cases[] = {
      {"ab c", "a&b#c+d e%"},
      {"读者"_gbk, "密码=1;x"_gbk},
      {" lead", "trail "},
      {"\"quoted\"", "[user]"},
      {"", ""},
  };
  for (const RememberedCredentials& c : cases) {
    ASSERT_TRUE(SaveRememberedCredentials(c)) << c.userName;
    const auto read = ReadRememberedCredentials();
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->userName, c.userName);
    EXPECT_EQ(read->password, c.password);
  }
}

TEST_F(RememberedLoginTest, SaveReplacesBothValuesAndKeepsTheRest) {
  WriteFile(UserIni(),
            "[other]\r\nkey=kept\r\n[USER]\r\nPassword=old\r\nUsername=old\r\ntheme=dark\r\n");
  ::chmod(UserIni().c_str(), 0644);
  ASSERT_TRUE(SaveRememberedCredentials({"new", "pw"}));
  EXPECT_EQ(ReadFile(UserIni()),
            "[other]\r\nkey=kept\r\n[USER]\r\nPassword=pw\r\nUsername=new\r\ntheme=dark\r\n");
  EXPECT_EQ(ModeOf(UserIni()), 0600u) << "the file holds a password in plain text";
  // The private draft the values were put into is gone.
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SettingsDir())) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "user.ini");
  }
  EXPECT_EQ(entries, 1);
}

TEST_F(RememberedLoginTest, SaveFailsWithoutAPlaceAndLeavesTheOldFile) {
  // The settings "folder" is a file: nothing can be written into it.
  WriteFile(SettingsDir(), "not a folder");
  EXPECT_FALSE(SaveRememberedCredentials({"reader", "secret"}));
  EXPECT_EQ(ReadFile(SettingsDir()), "not a folder");

  // Without a home there is no documents folder: nothing is written anywhere,
  // in particular not into a "bookwisp" folder below the working folder.
  ::unsetenv("HOME");
  ::unsetenv("XDG_CONFIG_HOME");
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(root_);
  EXPECT_FALSE(SaveRememberedCredentials({"reader", "secret"}));
  EXPECT_FALSE(ReadRememberedCredentials().has_value());
  EXPECT_FALSE(std::filesystem::exists(root_ + "/bookwisp"));
  std::filesystem::current_path(cwd);
}

}  // namespace
