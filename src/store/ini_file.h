#pragma once

// INI (profile) files: one value per key, keys grouped in [sections].
//
// Names of sections and keys are compared without regard to the case of Latin
// letters; double-byte GBK characters are compared exactly. Files are GBK
// bytes with CR LF line ends; files with LF line ends are read as well and
// keep them when written.

#include <cstddef>
#include <string_view>

#include "scrape/gbk_text.h"
#include "store/local_files.h"

// At most this many bytes of a value are read (never half a character).
inline constexpr std::size_t kIniValueMaxBytes = 10239;

// The value of `key` in `section` of `file`, or "" when the file, the section
// or the key is missing.
//  - Each argument ends at a zero byte, if it holds one. Leading blanks and
//    control characters of the file name, the section and the key are
//    skipped (and trailing blanks of the section and the key); when any of
//    the three is then empty the result is "".
//  - The first section of that name is looked in, and the first key of that
//    name in it.
//  - The value is the text after the first "=" with surrounding blanks
//    removed, then one pair of matching quotes ("..." or '...') around it
//    removed; a line without "=" has an empty value.
//  - At most kIniValueMaxBytes bytes are returned.
// Thread-safe: a write replaces a file in one step, so a read sees the file
// before or after it.
GbkText ReadIniValue(std::string_view file, std::string_view section, std::string_view key);

// Sets `key` in `section` of `file` to `value`, with the names cleaned as for
// ReadIniValue, and reports success.
//  - Creates the file (not its folder), the section and the key as needed:
//    a new section goes at the end of the file, a new key after the last line
//    of its section; an existing key keeps its place, and the rest of the file
//    stays as it was.
//  - Refused (false, file untouched): an empty name, a section or key holding
//    a line break, a key holding "=" or starting with "[", and a file that
//    exists but cannot be read.
//  - The value is kept on one line (CR and LF become blanks) and is put in
//    double quotes when it has surrounding blanks or is itself quoted, so that
//    ReadIniValue gives back exactly what was written.
//  - The file is written whole (WriteWholeFile): never half written. A new
//    file gets the mode `access` asks for; an existing one keeps its mode.
//  - Writes from several threads of this process are made one after another,
//    so none loses the keys of another.
bool WriteIniValue(std::string_view file, std::string_view section, std::string_view key,
                   std::string_view value, NewFileAccess access = NewFileAccess::kShared);
