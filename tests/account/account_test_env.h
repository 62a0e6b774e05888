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
#include "support/private_home.h"

class AccountTest : public PrivateHomeTest {
 protected:
  void SetUp() override {
    PrivateHomeTest::SetUp();
    std::filesystem::create_directories(home_ + "/Documents");
    seam_ = std::make_shared<RecordingSeam>();
    previousSeam_ = SetDesktopSeam(seam_);
  }

  void TearDown() override {
    SetDesktopSeam(previousSeam_);
    PrivateHomeTest::TearDown();
  }

  // The folder and file the remembered login lives in, for this test's home.
  std::string SettingsDir() const { return home_ + "/Documents/bookwisp"; }
  std::string UserIni() const { return SettingsDir() + "/user.ini"; }

  std::shared_ptr<RecordingSeam> seam_;

 private:
  std::shared_ptr<DesktopSeam> previousSeam_;
};
