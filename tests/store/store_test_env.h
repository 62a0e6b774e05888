#pragma once

// The store tests' fixture: a private home (support/private_home.h) and a
// way to write the test's user-dirs.dirs.

#include "support/private_home.h"

class StoreTest : public PrivateHomeTest {
 protected:
  // Writes user-dirs.dirs into the test's config folder.
  void WriteUserDirs(const std::string& content) const {
    WriteFile(root_ + "/config/user-dirs.dirs", content);
  }
};
