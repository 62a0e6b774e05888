#pragma once

// Test helpers of the account tests: a private home for every test (HOME and
// the XDG folders point into a fresh temporary folder, restored afterwards, so
// the real home is never touched), and a desktop seam that records message
// boxes instead of showing them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/services/desktop_seam.h"

// Records message boxes and opened addresses.
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

class AccountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) {
      const char* value = std::getenv(name);
      saved_[name] = value == nullptr ? std::nullopt : std::optional<std::string>(value);
      ::unsetenv(name);
    }
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tavelin-account-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    home_ = root_ + "/home";
    std::filesystem::create_directories(home_ + "/Documents");
    ::setenv("HOME", home_.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root_ + "/cache").c_str(), 1);
    seam_ = std::make_shared<RecordingSeam>();
    previousSeam_ = SetDesktopSeam(seam_);
  }

  void TearDown() override {
    SetDesktopSeam(previousSeam_);
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

  // The folder and file the remembered login lives in, for this test's home.
  std::string SettingsDir() const { return home_ + "/Documents/bookwisp"; }
  std::string UserIni() const { return SettingsDir() + "/user.ini"; }

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
  std::string home_;  // root_ + "/home", the test's HOME, with a Documents folder
  std::shared_ptr<RecordingSeam> seam_;

 private:
  static constexpr const char* kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                               "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"};
  std::map<std::string, std::optional<std::string>> saved_;
  std::shared_ptr<DesktopSeam> previousSeam_;
};
