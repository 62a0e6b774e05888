#include "store/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "scrape/gbk_literal.h"
#include "store_test_env.h"

namespace {

class IniFileTest : public StoreTest {
 protected:
  std::string Path() const { return root_ + "/test.ini"; }
};

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsEmpty) {
  EXPECT_EQ(ReadIniValue(Path(), "user", "username"), "");
  ASSERT_TRUE(WriteIniValue(Path(), "user", "username", "alice"));
  EXPECT_EQ(ReadIniValue(Path(), "user", "username"), "alice");
  EXPECT_EQ(ReadIniValue(Path(), "user", "password"), "");
  EXPECT_EQ(ReadIniValue(Path(), "other", "username"), "");
  EXPECT_EQ(ReadIniValue(root_ + "/missing.ini", "user", "username"), "");
  EXPECT_EQ(ReadIniValue(root_, "user", "username"), "");  // a folder is no file
}

TEST_F(IniFileTest, BookmarkFileHasTheFourKeysInOrderWithCrLf) {
  const std::string file = root_ + "/1234.ini";
  ASSERT_TRUE(WriteIniValue(file, "0", "书名"_gbk, "斗破苍穹"_gbk));
  ASSERT_TRUE(WriteIniValue(file, "0", "章节名"_gbk, "第三章 云岚"_gbk));
  ASSERT_TRUE(WriteIniValue(file, "0", "ID", "1234"));
  ASSERT_TRUE(WriteIniValue(file, "0", "章节数"_gbk, "2"));
  EXPECT_EQ(ReadFile(file), "[0]\r\n" + "书名"_gbk + "=" + "斗破苍穹"_gbk + "\r\n" + "章节名"_gbk +
                                "=" + "第三章 云岚"_gbk + "\r\nID=1234\r\n" + "章节数"_gbk +
                                "=2\r\n");

  // Setting the bookmark again replaces the values in place.
  ASSERT_TRUE(WriteIniValue(file, "0", "章节名"_gbk, "第一章"_gbk));
  ASSERT_TRUE(WriteIniValue(file, "0", "章节数"_gbk, "0"));
  EXPECT_EQ(ReadFile(file), "[0]\r\n" + "书名"_gbk + "=" + "斗破苍穹"_gbk + "\r\n" + "章节名"_gbk +
                                "=" + "第一章"_gbk + "\r\nID=1234\r\n" + "章节数"_gbk + "=0\r\n");
  EXPECT_EQ(ReadIniValue(file, "0", "章节名"_gbk), "第一章"_gbk);
}

TEST_F(IniFileTest, KeysKeepTheirPlaceNewKeysGoAtTheEndOfTheirSection) {
  WriteFile(Path(),
            "; settings\r\n"
            "[First]\r\n"
            "a=1\r\n"
            "B = 2\r\n"
            "\r\n"
            "[second]\r\n"
            "c=3\r\n");
  ASSERT_TRUE(WriteIniValue(Path(), "first", "b", "two"));  // existing key, other case
  ASSERT_TRUE(WriteIniValue(Path(), "FIRST", "new", "x"));  // new key: end of [First]
  ASSERT_TRUE(WriteIniValue(Path(), "second", "d", "4"));   // new key: end of the file
  ASSERT_TRUE(WriteIniValue(Path(), "third", "e", "5"));    // new section at the end
  EXPECT_EQ(ReadFile(Path()),
            "; settings\r\n"
            "[First]\r\n"
            "a=1\r\n"
            "B=two\r\n"
            "new=x\r\n"
            "\r\n"
            "[second]\r\n"
            "c=3\r\n"
            "d=4\r\n"
            "[third]\r\n"
            "e=5\r\n");
  EXPECT_EQ(ReadIniValue(Path(), "First", "B"), "two");
  EXPECT_EQ(ReadIniValue(Path(), "fIrSt", "NEW"), "x");
}

TEST_F(IniFileTest, LfFilesAreReadAndStayLf) {
  WriteFile(Path(), "[user]\nusername=bob\n[other]\nk=v");
  EXPECT_EQ(ReadIniValue(Path(), "user", "username"), "bob");
  EXPECT_EQ(ReadIniValue(Path(), "other", "k"), "v");
  ASSERT_TRUE(WriteIniValue(Path(), "user", "password", "pw"));
  EXPECT_EQ(ReadFile(Path()), "[user]\nusername=bob\npassword=pw\n[other]\nk=v\n");
}

TEST_F(IniFileTest, HandWrittenLinesAreReadAsProfileFilesAre) {
  WriteFile(Path(),
            "orphan=before any section\r\n"
            "  [ Sec ]  \r\n"
            "  spaced   =   value with blanks inside  \r\n"
            "dq=\"quoted\"\r\n"
            "sq='single'\r\n"
            "half=\"open\r\n"
            "bare\r\n"
            "eq=a=b\r\n"
            "dup=first\r\n"
            "dup=second\r\n"
            "[sec]\r\n"
            "other=in the second section of that name\r\n");
  struct Case {
    const char* section;
    const char* key;
    std::string expected;
  } cases[] = {
      {"Sec", "spaced", "value with blanks inside"},
      {"sec", "dq", "quoted"},
      {"sec", "sq", "single"},
      {"sec", "half", "\"open"},
      {"sec", "bare", ""},
      {"sec", "eq", "a=b"},
      {"sec", "dup", "first"},
      {"sec", "other", ""},  // only the first section of a name is looked in
      {"sec", "orphan", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadIniValue(Path(), c.section, c.key), c.expected) << c.key;
  }
}

TEST_F(IniFileTest, LeadingBlanksAndControlCharactersOfNamesAreSkipped) {
  ASSERT_TRUE(WriteIniValue(" \t" + Path(), " \x01sec", "\t key ", "v"));
  EXPECT_EQ(ReadIniValue(Path(), "sec", "key"), "v");
  EXPECT_EQ(ReadIniValue("  " + Path(), "\n\tsec  ", "  key\t"), "v");
  EXPECT_EQ(ReadIniValue(Path(), std::string("sec\0junk", 8), "key"), "v");  // ends at a zero byte

  for (const std::string& blank : {std::string(), std::string(" \t\x02")}) {
    EXPECT_EQ(ReadIniValue(blank, "sec", "key"), "");
    EXPECT_EQ(ReadIniValue(Path(), blank, "key"), "");
    EXPECT_EQ(ReadIniValue(Path(), "sec", blank), "");
    EXPECT_FALSE(WriteIniValue(Path(), blank, "key", "w"));
    EXPECT_FALSE(WriteIniValue(Path(), "sec", blank, "w"));
  }
  EXPECT_EQ(ReadIniValue(Path(), "sec", "key"), "v");
}

TEST_F(IniFileTest, NamesThatWouldBreakTheFileAreRefused) {
  ASSERT_TRUE(WriteIniValue(Path(), "s", "k", "v"));
  const std::string before = ReadFile(Path());
  EXPECT_FALSE(WriteIniValue(Path(), "s", "a=b", "v"));
  EXPECT_FALSE(WriteIniValue(Path(), "s", "[x]", "v"));
  EXPECT_FALSE(WriteIniValue(Path(), "s", "a\nb", "v"));
  EXPECT_FALSE(WriteIniValue(Path(), "s\r\n[t", "k", "v"));
  EXPECT_EQ(ReadFile(Path()), before);
}

TEST_F(IniFileTest, GbkNamesMatchByteForByteLatinLettersIgnoreCase) {
  // B0 41 and B0 61 are two different characters whose second bytes are the
  // letters A and a: they must not be taken for each other.
  const std::string upperTrail = "\xB0\x41", lowerTrail = "\xB0\x61";
  ASSERT_TRUE(WriteIniValue(Path(), "用户"_gbk + "Ab", upperTrail, "one"));
  EXPECT_EQ(ReadIniValue(Path(), "用户"_gbk + "aB", upperTrail), "one");
  EXPECT_EQ(ReadIniValue(Path(), "用户"_gbk + "aB", lowerTrail), "");
  ASSERT_TRUE(WriteIniValue(Path(), "用户"_gbk + "AB", lowerTrail, "two"));
  EXPECT_EQ(ReadIniValue(Path(), "用户"_gbk + "ab", upperTrail), "one");
  EXPECT_EQ(ReadIniValue(Path(), "用户"_gbk + "ab", lowerTrail), "two");

  // A section name whose last character has "]" as its second byte.
  const std::string bracketTrail = "\x81]";
  ASSERT_TRUE(WriteIniValue(Path(), bracketTrail, "k", "three"));
  EXPECT_EQ(ReadIniValue(Path(), bracketTrail, "k"), "three");
}

TEST_F(IniFileTest, ValuesReadBackAsWritten) {
  const std::string values[] = {
      "",
      "plain",
      " leading blank",
      "trailing blank\t",
      "\"quoted\"",
      "'single'",
      "\"",
      "a=b;c",
      "[not a section]",
      "斗破苍穹 第一章"_gbk,
      "\xB0\x5C\xB0\x7C",  // second bytes "\" and "|"
  };
  for (const auto& value : values) {
    ASSERT_TRUE(WriteIniValue(Path(), "s", "k", value)) << value;
    EXPECT_EQ(ReadIniValue(Path(), "s", "k"), value) << value;
  }
  // A value stays on one line: line breaks become blanks, nothing else is added.
  ASSERT_TRUE(WriteIniValue(Path(), "s", "k", "line\r\n[s]\nk=injected"));
  EXPECT_EQ(ReadIniValue(Path(), "s", "k"), "line  [s] k=injected");
  EXPECT_EQ(ReadFile(Path()), "[s]\r\nk=line  [s] k=injected\r\n");
}

TEST_F(IniFileTest, LongValuesAreCutAt10239BytesOnACharacterBoundary) {
  ASSERT_TRUE(WriteIniValue(Path(), "s", "ascii", std::string(10239, 'a') + "bc"));
  EXPECT_EQ(ReadIniValue(Path(), "s", "ascii"), std::string(10239, 'a'));
  ASSERT_TRUE(WriteIniValue(Path(), "s", "exact", std::string(10239, 'x')));
  EXPECT_EQ(ReadIniValue(Path(), "s", "exact"), std::string(10239, 'x'));

  // 5120 double-byte characters: the 5120th would end at byte 10240.
  std::string chinese;
  for (int i = 0; i < 5120; ++i) chinese += "中"_gbk;
  ASSERT_TRUE(WriteIniValue(Path(), "s", "gbk", chinese));
  EXPECT_EQ(ReadIniValue(Path(), "s", "gbk"), chinese.substr(0, 10238));
}

TEST_F(IniFileTest, FileIsCreatedButNotItsFolder) {
  const std::string file = root_ + "/no-such-folder/user.ini";
  EXPECT_FALSE(WriteIniValue(file, "user", "username", "x"));
  EXPECT_FALSE(std::filesystem::exists(root_ + "/no-such-folder"));
}

TEST_F(IniFileTest, OwnerOnlyFilesAndKeptModes) {
  auto modeOf = [](const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  };
  const std::string secret = root_ + "/user.ini";
  ASSERT_TRUE(WriteIniValue(secret, "user", "password", "pw", NewFileAccess::kOwnerOnly));
  EXPECT_EQ(modeOf(secret), 0600u);
  ASSERT_TRUE(WriteIniValue(secret, "user", "username", "u", NewFileAccess::kOwnerOnly));
  EXPECT_EQ(modeOf(secret), 0600u);

  const mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteIniValue(Path(), "s", "k", "v"));
  EXPECT_EQ(modeOf(Path()), 0644u);
  ASSERT_EQ(::chmod(Path().c_str(), 0640), 0);
  ASSERT_TRUE(WriteIniValue(Path(), "s", "k", "w", NewFileAccess::kOwnerOnly));
  EXPECT_EQ(modeOf(Path()), 0640u);  // an existing file keeps its mode
  ::umask(mask);
}

TEST_F(IniFileTest, WritesFromManyThreadsLoseNoKey) {
  constexpr int kThreads = 4, kKeys = 40;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      for (int k = 0; k < kKeys; ++k) {
        WriteIniValue(Path(), "s", "t" + std::to_string(t) + "k" + std::to_string(k),
                      std::to_string(t * 1000 + k));
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    for (int k = 0; k < kKeys; ++k) {
      EXPECT_EQ(ReadIniValue(Path(), "s", "t" + std::to_string(t) + "k" + std::to_string(k)),
                std::to_string(t * 1000 + k));
    }
  }
}

TEST_F(IniFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "a read-only folder does not stop root";
  const std::string folder = root_ + "/locked";
  std::filesystem::create_directories(folder);
  const std::string file = folder + "/user.ini";
  ASSERT_TRUE(WriteIniValue(file, "user", "username", "old"));
  const std::string before = ReadFile(file);
  ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
  EXPECT_FALSE(WriteIniValue(file, "user", "username", "new"));
  ::chmod(folder.c_str(), 0700);
  EXPECT_EQ(ReadFile(file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
