#pragma once

// The remembered login: the user name and password that the login panel saves
// in UserIniFile() (section "user", keys "username" and "password", in plain
// text) when "记住密码" is ticked, and puts back into its edit boxes at start.

#include <optional>

#include "scrape/gbk_text.h"

struct RememberedCredentials {
  GbkText userName;
  GbkText password;
};

// The remembered values; a missing key gives "". nullopt when UserIniFile()
// does not exist, so that the edit boxes are left as they are.
std::optional<RememberedCredentials> ReadRememberedCredentials();

// Saves both values in UserIniFile(). Its folder is created readable by its
// owner only (0700) when missing; the file is left readable by its owner only
// (0600) and is replaced whole with both values in one step, so a failure
// leaves the old file intact. Other sections and keys of the file are kept.
// False, with nothing written, when no documents folder is known or the
// file cannot be written.
bool SaveRememberedCredentials(const RememberedCredentials& credentials);
