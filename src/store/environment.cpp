#include "store/environment.h"

#include <cstdlib>
#include <string>

namespace {

// The variable's value, or "" when it is unset.
GbkText Variable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value == nullptr ? GbkText() : GbkText(value);
}

// An XDG base folder: the variable when it holds an absolute path, else the
// home folder followed by `fallbackUnderHome`, else "".
GbkText XdgFolder(const char* variable, const char* fallbackUnderHome) {
  GbkText value = Variable(variable);
  if (!value.empty() && value.front() == '/') return value;
  const GbkText home = HomeFolder();
  if (home.empty()) return {};
  return (home == "/" ? GbkText() : home) + fallbackUnderHome;
}

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The first absolute folder of $XDG_DATA_DIRS, else /usr/share.
GbkText SharedDataFolder() {
  const GbkText dirs = Variable("XDG_DATA_DIRS");
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == GbkText::npos) end = dirs.size();
    GbkText folder = dirs.substr(start, end - start);
    if (!folder.empty() && folder.front() == '/') {
      while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
      return folder;
    }
    start = end + 1;
  }
  return "/usr/share";
}

// The local counterpart of a Windows variable name given in upper case.
GbkText LocalCounterpart(const std::string& upperName) {
  if (upperName == "APPDATA" || upperName == "LOCALAPPDATA") return UserDataFolder();
  if (upperName == "TEMP" || upperName == "TMP") {
    const GbkText tmpdir = Variable("TMPDIR");
    return tmpdir.empty() ? GbkText("/tmp") : tmpdir;
  }
  if (upperName == "USERPROFILE" || upperName == "HOMEPATH") return HomeFolder();
  if (upperName == "ALLUSERSPROFILE" || upperName == "PROGRAMDATA") return SharedDataFolder();
  if (upperName == "PROGRAMFILES") return "/opt";
  if (upperName == "COMMONPROGRAMFILES") return "/usr/lib";
  if (upperName == "SYSTEMROOT" || upperName == "WINDIR") return "/usr";
  return {};
}

}  // namespace

GbkText EnvironmentVariable(std::string_view windowsName) {
  if (windowsName.empty() || windowsName.find('\0') != std::string_view::npos) return {};
  const std::string name(windowsName);
  if (GbkText value = Variable(name); !value.empty()) return value;
  const std::string upperName = AsciiUpper(windowsName);
  if (upperName != name) {
    if (GbkText value = Variable(upperName); !value.empty()) return value;
  }
  return LocalCounterpart(upperName);
}

GbkText HomeFolder() {
  GbkText home = Variable("HOME");
  if (home.empty() || home.front() != '/') return {};
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return home;
}

GbkText UserDataFolder() {
  return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

GbkText UserConfigFolder() {
  return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

GbkText UserCacheFolder() {
  return XdgFolder("XDG_CACHE_HOME", "/.cache");
}
