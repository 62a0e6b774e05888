#include "store/local_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "scrape/gbk_literal.h"
#include "store_test_env.h"

namespace fs = std::filesystem;

namespace {

class LocalFilesTest : public StoreTest {
 protected:
  static std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    return Sorted(names);
  }
  static mode_t ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }
};

TEST_F(LocalFilesTest, FileExistsForFilesFoldersAndLinks) {
  WriteFile(root_ + "/file", "x");
  fs::create_symlink(root_ + "/nowhere", root_ + "/dangling");
  EXPECT_TRUE(FileExists(root_ + "/file"));
  EXPECT_TRUE(FileExists(root_));
  EXPECT_TRUE(FileExists(root_ + "/dangling"));
  EXPECT_FALSE(FileExists(root_ + "/nowhere"));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(std::string("/\0", 2)));
}

TEST_F(LocalFilesTest, CreateFolderMakesOneLevel) {
  const mode_t mask = ::umask(022);
  EXPECT_TRUE(CreateFolder(root_ + "/a"));
  EXPECT_EQ(ModeOf(root_ + "/a"), 0755u);
  EXPECT_TRUE(CreateFolder(root_ + "/a"));  // already there
  EXPECT_FALSE(CreateFolder(root_ + "/missing/b"));
  EXPECT_FALSE(fs::exists(root_ + "/missing"));
  EXPECT_TRUE(CreateFolder(root_ + "/settings", 0700));
  EXPECT_EQ(ModeOf(root_ + "/settings"), 0700u);
  WriteFile(root_ + "/file", "x");
  EXPECT_FALSE(CreateFolder(root_ + "/file"));  // a file of that name is no folder
  EXPECT_FALSE(CreateFolder(""));
  ::umask(mask);
}

TEST_F(LocalFilesTest, CreateFolderPathMakesTheMissingParents) {
  const mode_t mask = ::umask(022);
  const std::string deep = root_ + "/fresh/.local/share/tavelin";
  EXPECT_TRUE(CreateFolderPath(deep, 0700));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_EQ(ModeOf(deep), 0700u);
  EXPECT_TRUE(CreateFolderPath(deep + "/", 0700)) << "a trailing slash and an existing folder";
  WriteFile(root_ + "/plain", "x");
  EXPECT_FALSE(CreateFolderPath(root_ + "/plain/below"));
  EXPECT_FALSE(CreateFolderPath(""));
  ::umask(mask);
}

TEST_F(LocalFilesTest, DeleteFolderTreeRemovesEverythingButNeverFollowsLinks) {
  const std::string cache = root_ + "/data/tavelin";
  fs::create_directories(cache + "/sub/deeper");
  WriteFile(cache + "/1.html", "<html>");
  WriteFile(cache + "/sub/2.html", "<html>");
  WriteFile(cache + "/sub/deeper/3.html", "<html>");
  const std::string outside = root_ + "/outside";
  fs::create_directories(outside + "/folder");
  WriteFile(outside + "/keep.txt", "keep");
  WriteFile(outside + "/folder/keep.txt", "keep");
  fs::create_symlink(outside + "/keep.txt", cache + "/link-to-file");
  fs::create_symlink(outside + "/folder", cache + "/sub/link-to-folder");
  fs::create_symlink(outside, cache + "/sub/deeper/link-to-outside");

  EXPECT_TRUE(DeleteFolderTree("  " + cache));  // leading blanks skipped
  EXPECT_FALSE(fs::exists(cache));
  EXPECT_TRUE(fs::exists(root_ + "/data"));
  EXPECT_EQ(ReadFile(outside + "/keep.txt"), "keep");
  EXPECT_EQ(ReadFile(outside + "/folder/keep.txt"), "keep");
  EXPECT_FALSE(DeleteFolderTree(cache));  // already gone
}

TEST_F(LocalFilesTest, DeleteFolderTreeRefusesWhatIsNotAFolderOfItsOwn) {
  WriteFile(root_ + "/file", "x");
  fs::create_directories(root_ + "/real/inner");
  WriteFile(root_ + "/real/inner/keep", "k");
  fs::create_symlink(root_ + "/real", root_ + "/link");
  for (const std::string& path :
       {std::string(), std::string("   "), std::string("\t"), root_ + "/file", root_ + "/link",
        root_ + "/link/", root_ + "/real/inner/..", root_ + "/real/.", std::string("/"),
        std::string("//"), std::string("  /"), std::string("/..")}) {
    EXPECT_FALSE(DeleteFolderTree(path)) << "'" << path << "'";
  }
  EXPECT_EQ(ReadFile(root_ + "/file"), "x");
  EXPECT_EQ(ReadFile(root_ + "/real/inner/keep"), "k");
  EXPECT_TRUE(fs::is_symlink(root_ + "/link"));
}

// Paths that resolve to the root are checked inside a child process whose
// root is a scratch folder, so that a fault can only ever reach that folder.
TEST_F(LocalFilesTest, DeleteFolderTreeRefusesPathsThatResolveToTheRoot) {
  const std::string jail = root_ + "/jail";
  fs::create_directories(jail + "/a/b");
  WriteFile(jail + "/sentinel", "s");
  fs::create_symlink("/", jail + "/a/to-root");
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (::chroot(jail.c_str()) != 0 || ::chdir("/") != 0) ::_exit(100);
    int refused = 0;
    for (const char* path : {"/", "//", "/a/..", "/a/b/../..", "a/b/../..", "/a/to-root",
                             "/a/to-root/", "/./", "/a/to-root/a/.."}) {
      if (!DeleteFolderTree(path)) ++refused;
    }
    ::_exit(::access("/sentinel", F_OK) == 0 ? refused : 101);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 100) GTEST_SKIP() << "no permission to change the root";
  EXPECT_EQ(WEXITSTATUS(status), 9) << "101 means the scratch root lost its files";
  EXPECT_EQ(ReadFile(jail + "/sentinel"), "s");
}

TEST_F(LocalFilesTest, WriteWholeFileReplacesAndKeepsTheMode) {
  const std::string file = root_ + "/page.html";
  const std::string bytes("GBK \xD6\xD0 and a zero \0 byte", 26);
  ASSERT_TRUE(WriteWholeFile(file, bytes));
  EXPECT_EQ(ReadFile(file), bytes);
  ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
  ASSERT_TRUE(WriteWholeFile(file, "short"));
  EXPECT_EQ(ReadFile(file), "short");
  EXPECT_EQ(ModeOf(file), 0604u);
  ASSERT_TRUE(WriteWholeFile(file, ""));
  EXPECT_EQ(ReadFile(file), "");

  ASSERT_TRUE(WriteWholeFile(root_ + "/secret", "pw", NewFileAccess::kOwnerOnly));
  EXPECT_EQ(ModeOf(root_ + "/secret"), 0600u);

  // A link is written through: the file it points to changes, the link stays.
  ASSERT_TRUE(WriteWholeFile(root_ + "/target", "old"));
  fs::create_symlink(root_ + "/target", root_ + "/link");
  ASSERT_TRUE(WriteWholeFile(root_ + "/link", "new"));
  EXPECT_TRUE(fs::is_symlink(root_ + "/link"));
  EXPECT_EQ(ReadFile(root_ + "/target"), "new");

  EXPECT_EQ(Entries(root_),
            (std::vector<std::string>{"home", "link", "page.html", "secret", "target", "tmp"}));
}

TEST_F(LocalFilesTest, WriteWholeFileFailures) {
  EXPECT_FALSE(WriteWholeFile(root_ + "/missing/file", "x"));
  EXPECT_FALSE(fs::exists(root_ + "/missing"));
  EXPECT_FALSE(WriteWholeFile(root_ + "/home", "x"));  // a folder
  EXPECT_TRUE(fs::is_directory(root_ + "/home"));
  EXPECT_FALSE(WriteWholeFile("", "x"));
  EXPECT_EQ(Entries(root_), (std::vector<std::string>{"home", "tmp"}));
}

// A write that fails part-way (here: past the file size limit, which also
// stops root) leaves the old file whole and no temporary file behind.
TEST_F(LocalFilesTest, WriteThatFailsPartWayLeavesTheOldFile) {
  const std::string file = root_ + "/1234.ini";
  ASSERT_TRUE(WriteWholeFile(file, "[0]\r\nID=1234\r\n"));

  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  const auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteWholeFile(file, std::string(1 << 20, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFile(file), "[0]\r\nID=1234\r\n");
  EXPECT_EQ(Entries(root_), (std::vector<std::string>{"1234.ini", "home", "tmp"}));
}

TEST_F(LocalFilesTest, WriteIntoAReadOnlyFolderFails) {
  if (::geteuid() == 0) GTEST_SKIP() << "a read-only folder does not stop root";
  const std::string folder = root_ + "/locked";
  fs::create_directories(folder);
  ASSERT_TRUE(WriteWholeFile(folder + "/f", "old"));
  ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
  EXPECT_FALSE(WriteWholeFile(folder + "/f", "new"));
  ::chmod(folder.c_str(), 0700);
  EXPECT_EQ(ReadFile(folder + "/f"), "old");
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"f"});
}

TEST_F(LocalFilesTest, ReadWholeFile) {
  const std::string bytes("a\0b\r\n", 5);
  WriteFile(root_ + "/f", bytes);
  EXPECT_EQ(ReadWholeFile(root_ + "/f"), bytes);
  EXPECT_EQ(ReadWholeFile(root_ + "/f", 5), bytes);
  EXPECT_EQ(ReadWholeFile(root_ + "/f", 4), std::nullopt);  // larger than allowed
  WriteFile(root_ + "/empty", "");
  EXPECT_EQ(ReadWholeFile(root_ + "/empty"), "");
  EXPECT_EQ(ReadWholeFile(root_ + "/missing"), std::nullopt);
  EXPECT_EQ(ReadWholeFile(root_), std::nullopt);
}

TEST_F(LocalFilesTest, FindFolderEntriesByKindAndPattern) {
  const std::string folder = root_ + "/tvmarks";
  fs::create_directories(folder + "/sub");
  fs::create_directories(folder + "/.hidden");
  fs::create_directories(folder + "/folder.ini");
  for (const char* name : {"1.ini", "2.INI", "notes.txt", ".3.ini", "4.ini.bak", "noext"}) {
    WriteFile(folder + "/" + name, "x");
  }
  fs::create_symlink(folder + "/1.ini", folder + "/link.ini");
  fs::create_symlink(root_ + "/nowhere", folder + "/dangling.ini");
  fs::create_symlink(folder, folder + "/sub/loop");  // a link to a folder: in neither list
  fs::create_symlink(root_, folder + "/up.ini");

  struct Case {
    const char* pattern;
    EntryKind kind;
    std::vector<std::string> expected;
  } cases[] = {
      {"*.ini", EntryKind::kFiles, {".3.ini", "1.ini", "2.INI", "dangling.ini", "link.ini"}},
      {"?.ini", EntryKind::kFiles, {"1.ini", "2.INI"}},
      {"*.*",
       EntryKind::kFiles,
       {".3.ini", "1.ini", "2.INI", "4.ini.bak", "dangling.ini", "link.ini", "noext", "notes.txt"}},
      {"*.*", EntryKind::kFolders, {".", "..", ".hidden", "folder.ini", "sub"}},
      {"*", EntryKind::kFolders, {".", "..", ".hidden", "folder.ini", "sub"}},
      {"*.ini", EntryKind::kFolders, {"folder.ini"}},
      {"nothing*", EntryKind::kFiles, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sorted(FindFolderEntries(folder, c.pattern, c.kind)), c.expected) << c.pattern;
  }
  EXPECT_TRUE(FindFolderEntries(root_ + "/missing", "*.*", EntryKind::kFolders).empty());
  EXPECT_TRUE(FindFolderEntries(folder + "/1.ini", "*.*", EntryKind::kFiles).empty());

  // The order is the file system's, as reading the folder gives it.
  std::vector<std::string> readOrder;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && !entry.is_symlink() && WildcardMatch("*.ini", name)) {
      readOrder.push_back(name);
    }
  }
  std::vector<std::string> found;
  for (const auto& name : FindFolderEntries(folder, "*.ini", EntryKind::kFiles)) {
    if (!fs::is_symlink(folder + "/" + name)) found.push_back(name);
  }
  EXPECT_EQ(found, readOrder);
}

TEST(WildcardMatch, Patterns) {
  const std::string shu = "书"_gbk;
  struct Case {
    std::string pattern, name;
    bool matches;
  } cases[] = {
      {"*.ini", "1234.ini", true},
      {"*.ini", "1234.INI", true},
      {"*.INI", "a.ini", true},
      {"*.ini", "a.ini.bak", false},
      {"*.ini", ".ini", true},
      {"*.ini", "ini", false},
      {"?.ini", "ab.ini", false},
      {"?.ini", shu + ".ini", true},  // "?" is one character, double-byte or not
      {"??.ini", shu + ".ini", false},
      {"a*b*c", "axxbyyc", true},
      {"a*b*c", "axxbyy", false},
      {"*b", "abab", true},
      {"*", "", true},
      {"", "", true},
      {"", "a", false},
      {"*.*", "noext", true},
      {"*.*", ".", true},
      {"x.*", "x", false},
      {"\xB0\x41*", "\xB0\x61x", false},  // a second byte is no letter
      {"\xB0\x41*", "\xB0\x41x", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
  }
}

}  // namespace
