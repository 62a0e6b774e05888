#pragma once

// Environment variables asked for by their Windows names.
//
// The program's folder table names variables as Windows has them (APPDATA,
// temp, USERPROFILE ...). On this platform most of them are not set, so each
// known name has a local counterpart that is used when the variable itself is
// not set.

#include <string_view>

#include "scrape/gbk_text.h"

// The value of the variable named `windowsName`, in this order:
//  1. the variable itself, when it is set and not empty;
//  2. the same name in upper case (Windows names ignore case: "temp" finds TEMP);
//  3. the local counterpart of the name (compared without case):
//       APPDATA, LOCALAPPDATA      $XDG_DATA_HOME, else $HOME/.local/share
//       TEMP, TMP                  $TMPDIR, else /tmp
//       USERPROFILE, HOMEPATH      $HOME
//       ALLUSERSPROFILE, PROGRAMDATA  the first folder of $XDG_DATA_DIRS, else /usr/share
//       PROGRAMFILES               /opt (where self-contained programs are installed)
//       COMMONPROGRAMFILES         /usr/lib (code shared between programs)
//       SYSTEMROOT, WINDIR         /usr (the system's own files)
//       SYSTEMDRIVE                "" (one root: "" followed by "/" is the root,
//                                  as "C:" followed by "\" is)
//  4. the empty text.
// XDG variables that hold a relative path are ignored, as the XDG rules ask.
// Thread-safe as long as nobody changes the environment at the same time.
GbkText EnvironmentVariable(std::string_view windowsName);

// The user's home folder ($HOME) without trailing "/" (except the root "/"),
// or "" when it is not set or not absolute.
GbkText HomeFolder();

// $XDG_DATA_HOME when absolute, else $HOME/.local/share, else "".
GbkText UserDataFolder();

// $XDG_CONFIG_HOME when absolute, else $HOME/.config, else "".
GbkText UserConfigFolder();

// $XDG_CACHE_HOME when absolute, else $HOME/.cache, else "".
GbkText UserCacheFolder();
