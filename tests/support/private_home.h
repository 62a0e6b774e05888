#pragma once

// Test support shared by the core tests: a private home for each test (HOME,
// the XDG folders, TMPDIR and the Windows-named variables point into a fresh
// temporary folder or are unset, and are put back afterwards, so the real
// home is never touched), a desktop seam that records message boxes instead
// of showing them, and whole-file helpers.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/services/desktop_seam.h"

class PrivateHomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_[name] = value == nullptr ? std::nullopt : std::optional<std::string>(value);
      ::unsetenv(name);
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "tavelin-test-XXXXXX").string();
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

  // Writes a file, creating its folder.
  static void WriteFile(const std::string& path, const std::string& content) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
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

// Records message boxes instead of showing them; opens nothing, ends nothing.
class RecordingSeam final : public DesktopSeam {
 public:
  struct Message {
    GbkText text, title;
    MessageIcon icon;
  };
  void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) override {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, title, icon});
  }
  void OpenUrl(const GbkText&) override {}
  void EndProgram(int) override {}
  std::vector<Message> Messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }

 private:
  std::mutex mutex_;
  std::vector<Message> messages_;
};
