#pragma once

// A fixture that gives each test its own home: HOME, the XDG folders, TMPDIR
// and the Windows-named variables point into a fresh temporary folder (or are
// unset), and everything is put back afterwards. Nothing touches the real
// home folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_[name] = value == nullptr ? std::nullopt : std::optional<std::string>(value);
      ::unsetenv(name);
    }
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tavelin-store-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    home_ = root_ + "/home";
    std::filesystem::create_directories(home_);
    std::filesystem::create_directories(root_ + "/tmp");
    Set("HOME", home_);
    Set("XDG_CONFIG_HOME", root_ + "/config");
    Set("XDG_DATA_HOME", root_ + "/data");
    Set("XDG_CACHE_HOME", root_ + "/cache");
    Set("TMPDIR", root_ + "/tmp");
  }

  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  static void Set(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }
  static void Unset(const char* name) { ::unsetenv(name); }

  // Writes user-dirs.dirs into the test's config folder.
  void WriteUserDirs(const std::string& content) const {
    std::filesystem::create_directories(root_ + "/config");
    WriteFile(root_ + "/config/user-dirs.dirs", content);
  }

  static void WriteFile(const std::string& path, const std::string& content) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
  }

  static std::string ReadFile(const std::string& path) {
    std::string content;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
      char buffer[4096];
      std::size_t got;
      while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
      std::fclose(file);
    }
    return content;
  }

  std::string root_;  // the test's temporary folder
  std::string home_;  // root_ + "/home", the test's HOME

 private:
  static constexpr const char* kVariables[] = {"HOME",
                                               "XDG_CONFIG_HOME",
                                               "XDG_DATA_HOME",
                                               "XDG_CACHE_HOME",
                                               "XDG_DATA_DIRS",
                                               "XDG_DOCUMENTS_DIR",
                                               "TMPDIR",
                                               "TEMP",
                                               "TMP",
                                               "temp",
                                               "APPDATA",
                                               "LOCALAPPDATA",
                                               "USERPROFILE",
                                               "ALLUSERSPROFILE",
                                               "SystemDrive",
                                               "SYSTEMDRIVE",
                                               "SystemRoot",
                                               "SYSTEMROOT",
                                               "ProgramFiles",
                                               "PROGRAMFILES",
                                               "CommonProgramFiles",
                                               "COMMONPROGRAMFILES"};
  std::map<std::string, std::optional<std::string>> saved_;
};
