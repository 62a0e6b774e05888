#include "account/remembered_login.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "store/ini_file.h"
#include "store/known_folders.h"
#include "store/local_files.h"

namespace {

constexpr std::string_view kSection = "user";
constexpr std::string_view kUserNameKey = "username";
constexpr std::string_view kPasswordKey = "password";

// Without a documents folder the settings folder would be a relative path,
// that is a folder wherever the program happens to run: nothing is read or
// written then.
bool SettingsPlaceKnown() {
  return !DocumentsFolder().empty();
}

}  // namespace

std::optional<RememberedCredentials> ReadRememberedCredentials() {
  if (!SettingsPlaceKnown()) return std::nullopt;
  const GbkText file = UserIniFile();
  if (!FileExists(file)) return std::nullopt;
  return RememberedCredentials{ReadIniValue(file, kSection, kUserNameKey),
                               ReadIniValue(file, kSection, kPasswordKey)};
}

bool SaveRememberedCredentials(const RememberedCredentials& credentials) {
  if (!SettingsPlaceKnown()) return false;
  const GbkText folder = SettingsFolder();
  CreateFolder(folder, 0700);  // an existing folder is no error; the draft below fails without it
  const GbkText file = folder + "/user.ini";

  // Both values go into a private draft (created 0600 under a unique name, so
  // two saves at once cannot meet) that then replaces the file in one step:
  // the file never holds the new user name beside the old password, and other
  // sections of an existing file are carried over.
  GbkText draft = file + ".XXXXXX";
  const int fd = mkstemp(draft.data());
  if (fd == -1) return false;
  close(fd);
  bool ok = true;
  if (FileExists(file)) {
    const std::optional<ByteString> old = ReadWholeFile(file);
    ok = old.has_value() && WriteWholeFile(draft, *old);
  }
  ok = ok &&
       WriteIniValue(draft, kSection, kUserNameKey, credentials.userName,
                     NewFileAccess::kOwnerOnly) &&
       WriteIniValue(draft, kSection, kPasswordKey, credentials.password,
                     NewFileAccess::kOwnerOnly) &&
       std::rename(draft.c_str(), file.c_str()) == 0;
  if (!ok) std::remove(draft.c_str());
  return ok;
}
