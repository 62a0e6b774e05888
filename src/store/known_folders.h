#pragma once

// The user's special folders and the places of the program's local files.
//
// Nothing here is cached: every call asks the environment and the user-dirs
// file anew. Every function is thread-safe (it keeps no state; see
// environment.h for the one condition). Paths are byte strings handed to the
// operating system unchanged; the program's own parts of them are ASCII.

#include <string_view>

#include "scrape/gbk_text.h"

// The user's documents folder, always ending in exactly one "/":
//  1. XDG_DOCUMENTS_DIR from user-dirs.dirs ($XDG_CONFIG_HOME, else
//     $HOME/.config), with a leading "$HOME" expanded;
//  2. else $HOME/Documents when that folder exists;
//  3. else $HOME;
//  4. else "" (nothing is known).
GbkText DocumentsFolder();

// The path of special folder `number` (1 to 23); `displayName`, when given,
// receives the folder's display name for numbers 1 to 23 and is left as it
// was otherwise.
//  - 1 to 15 stand for the user's shell folders: those with a counterpart here
//    give it without a trailing "/" (documents, desktop, music, pictures and
//    videos from the XDG user folders; fonts, menu entries, autostart and the
//    cache folder under the XDG base folders); the others, a number below 1 and
//    a counterpart that is not known give "未找到".
//  - 16 to 23 give an environment variable (EnvironmentVariable) followed by
//    "/", so an unknown variable gives "/".
//  - 24 and above show "取特定目录提供的参数错误" (title "信息", information
//    icon) through the desktop seam and give "".
GbkText SpecialFolderPath(int number, GbkText* displayName = nullptr);

// Where reading pages are written: SpecialFolderPath(23) + "tavelin".
GbkText ChapterCacheDir();

// DocumentsFolder() + "bookwisp": the folder of UserIniFile().
GbkText SettingsFolder();

// SettingsFolder() + "/user.ini": the remembered login.
GbkText UserIniFile();

// DocumentsFolder() + "tvmarks", without a trailing "/".
GbkText BookmarkFolder();

// BookmarkFolder() + "/" + bookId + ".ini". An id holding "/" or a zero byte
// would name a file outside the bookmark folder and gives "" (no file).
GbkText BookmarkFile(std::string_view bookId);
