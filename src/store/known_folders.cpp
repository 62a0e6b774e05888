#include "store/known_folders.h"

#include <sys/stat.h>

#include <array>

#include "app/services/desktop_seam.h"
#include "scrape/gbk_literal.h"
#include "store/environment.h"
#include "store/local_files.h"

namespace {

// user-dirs.dirs is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kUserDirsMaxBytes = 1 << 20;

bool IsFolder(const GbkText& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

GbkText WithoutTrailingSlashes(GbkText path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The value of XDG_<name>_DIR in user-dirs.dirs, or "" when the file or the
// line is missing or the value is neither "$HOME..." nor absolute. The file is
// a shell fragment of lines XDG_DOCUMENTS_DIR="$HOME/Documents"; the last
// valid line for a name wins, as when the shell reads it.
GbkText UserDirsEntry(std::string_view name) {
  const GbkText config = UserConfigFolder();
  if (config.empty()) return {};
  const std::optional<ByteString> file =
      ReadWholeFile(config + "/user-dirs.dirs", kUserDirsMaxBytes);
  if (!file) return {};
  const GbkText variable = "XDG_" + GbkText(name) + "_DIR";
  const GbkText home = HomeFolder();
  GbkText found;
  std::size_t lineStart = 0;
  while (lineStart < file->size()) {
    std::size_t lineEnd = file->find('\n', lineStart);
    if (lineEnd == ByteString::npos) lineEnd = file->size();
    std::string_view line(file->data() + lineStart, lineEnd - lineStart);
    lineStart = lineEnd + 1;

    auto skipBlanks = [&line] {
      while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    };
    skipBlanks();
    if (!line.starts_with(variable)) continue;
    line.remove_prefix(variable.size());
    skipBlanks();
    if (!line.starts_with('=')) continue;
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with('"')) continue;
    line.remove_prefix(1);
    const std::size_t closing = line.rfind('"');
    if (closing == std::string_view::npos) continue;
    line = line.substr(0, closing);

    GbkText value;
    if (line.starts_with("$HOME") && (line.size() == 5 || line[5] == '/')) {
      if (home.empty()) continue;
      value = (home == "/" ? GbkText() : home) + GbkText(line.substr(5));
      if (value.empty()) value = "/";
    } else if (line.starts_with('/')) {
      value = GbkText(line);
    } else {
      continue;
    }
    found = WithoutTrailingSlashes(std::move(value));
  }
  return found;
}

// An XDG user folder without a trailing "/": the user-dirs entry, else
// $HOME/<defaultName> when it exists, else $HOME, else "".
GbkText UserFolder(std::string_view entryName, std::string_view defaultName) {
  if (GbkText entry = UserDirsEntry(entryName); !entry.empty()) return entry;
  const GbkText home = HomeFolder();
  if (home.empty()) return {};
  GbkText candidate = (home == "/" ? GbkText() : home) + "/" + GbkText(defaultName);
  return IsFolder(candidate) ? candidate : home;
}

// `folder` + `tail`, or "" when the folder is not known.
GbkText Under(const GbkText& folder, std::string_view tail) {
  return folder.empty() ? GbkText() : folder + GbkText(tail);
}

// The counterpart of shell folder `number` (1 to 15), or "" when there is none.
GbkText ShellFolder(int number) {
  switch (number) {
    case 1:
      return UserFolder("DOCUMENTS", "Documents");  // Personal
    case 3:
      return UserFolder("DESKTOP", "Desktop");  // Desktop
    case 4:
      return Under(UserDataFolder(), "/fonts");  // Fonts
    case 5:                                      // Start Menu
    case 6:
      return Under(UserDataFolder(), "/applications");  // Programs
    case 7:
      return Under(UserConfigFolder(), "/autostart");  // Startup
    case 8:
      return UserFolder("MUSIC", "Music");  // My Music
    case 9:
      return UserFolder("PICTURES", "Pictures");  // My Pictures
    case 10:
      return UserFolder("VIDEOS", "Videos");  // My Video
    case 11:
      return UserCacheFolder();  // Cache
    default:
      return {};  // Favorites, Cookies, History, NetHood, SendTo: none here
  }
}

struct FolderEntry {
  const GbkText& displayName;
  const char* variable;  // environment variable for 16 to 23, else nullptr
};

const std::array<FolderEntry, 23>& FolderTable() {
  static const std::array<FolderEntry, 23> table{{
      {"我的文档"_gbk, nullptr},
      {"我的收藏夹"_gbk, nullptr},
      {"系统桌面"_gbk, nullptr},
      {"系统字体"_gbk, nullptr},
      {"开始菜单组"_gbk, nullptr},
      {"程序菜单组"_gbk, nullptr},
      {"启动菜单组"_gbk, nullptr},
      {"我的音乐"_gbk, nullptr},
      {"我的图片"_gbk, nullptr},
      {"我的视频"_gbk, nullptr},
      {"IE临时文件"_gbk, nullptr},
      {"Cookies目录"_gbk, nullptr},
      {"历史记录"_gbk, nullptr},
      {"NetHood目录"_gbk, nullptr},
      {"发送到目录"_gbk, nullptr},
      {"临时文件"_gbk, "temp"},
      {"系统盘"_gbk, "SystemDrive"},
      {"系统目录"_gbk, "SystemRoot"},
      {"程序安装目录"_gbk, "ProgramFiles"},
      {"公用程序目录"_gbk, "CommonProgramFiles"},
      {"当前用户目录"_gbk, "USERPROFILE"},
      {"所有用户目录"_gbk, "ALLUSERSPROFILE"},
      {"APPDATA目录"_gbk, "APPDATA"},
  }};
  return table;
}

}  // namespace

GbkText DocumentsFolder() {
  const GbkText folder = UserFolder("DOCUMENTS", "Documents");
  if (folder.empty()) return {};
  return folder == "/" ? folder : folder + "/";
}

GbkText SpecialFolderPath(int number, GbkText* displayName) {
  const auto& table = FolderTable();
  if (number >= 1 && number <= static_cast<int>(table.size()) && displayName != nullptr) {
    *displayName = table[number - 1].displayName;
  }
  if (number <= 15) {
    const GbkText path = number >= 1 ? ShellFolder(number) : GbkText();
    return path.empty() ? "未找到"_gbk : path;
  }
  if (number <= static_cast<int>(table.size())) {
    return EnvironmentVariable(table[number - 1].variable) + "/";
  }
  Desktop().ShowMessage("取特定目录提供的参数错误"_gbk, "信息"_gbk, MessageIcon::kInformation);
  return {};
}

GbkText ChapterCacheDir() {
  return SpecialFolderPath(23) + "tavelin";
}

GbkText SettingsFolder() {
  return DocumentsFolder() + "bookwisp";
}

GbkText UserIniFile() {
  return SettingsFolder() + "/user.ini";
}

GbkText BookmarkFolder() {
  return DocumentsFolder() + "tvmarks";
}

GbkText BookmarkFile(std::string_view bookId) {
  if (bookId.find('/') != std::string_view::npos || bookId.find('\0') != std::string_view::npos) {
    return {};
  }
  return BookmarkFolder() + "/" + GbkText(bookId) + ".ini";
}
