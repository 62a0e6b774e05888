#pragma once

// Files and folders: the storage operations the program relies on.
//
// Paths are byte strings handed to the operating system unchanged. A path that
// holds a zero byte is refused by every function. Every function is
// thread-safe and reports failure through its result only.

#include <cstddef>
#include <optional>
#include <string_view>

#include "scrape/gbk_text.h"

// Who may read a file that a write creates. An existing file keeps its mode.
enum class NewFileAccess {
  kShared,     // the usual mode (0666 less the umask)
  kOwnerOnly,  // 0600: readable and writable by its owner only
};

// Which entries FindFolderEntries returns.
enum class EntryKind {
  kFiles,    // entries that are not folders (a link counts as what it points to)
  kFolders,  // real folders, "." and ".." included; links to folders are left out
             // so that a recursive scan cannot run in circles
};

// Larger files are not read whole.
inline constexpr std::size_t kReadWholeFileMaxBytes = 64u << 20;

// True when an entry of that name exists (file, folder, or a link, even a
// dangling one).
bool FileExists(std::string_view path);

// Creates one folder level with `mode` (less the umask). True when the folder
// exists afterwards (an existing folder is no error); false otherwise, for
// example when the parent is missing. An existing folder's mode is not changed.
bool CreateFolder(std::string_view path, unsigned mode = 0777);

// Creates the folder and every missing folder above it, each with `mode`
// (less the umask). True when the folder exists afterwards. For places whose
// parents a fresh account may not have yet (~/.local/share).
bool CreateFolderPath(std::string_view path, unsigned mode = 0777);

// Deletes a folder with everything in it, depth first. Leading blanks of the
// path are skipped. Refused (false, nothing touched): an empty path, a path
// whose last part is "." or "..", a path that resolves to the root "/", and a
// path that is not a real folder (a file, or a link even to a folder). Links
// inside the folder are removed as links; what they point to is never
// touched. True when the folder is gone.
bool DeleteFolderTree(std::string_view path);

// Writes `bytes` as the whole content of the file at `path`, replacing an
// older file; its folder must exist. The bytes go to a temporary file in the
// same folder which then replaces the file in one step, so readers see the old
// content or the new, never part of it, and a failed write leaves the old file
// as it was and no temporary file behind. An existing file keeps its mode; a
// new one gets the mode `access` asks for. A path that is a link writes the
// file it points to. True on success.
bool WriteWholeFile(std::string_view path, std::string_view bytes,
                    NewFileAccess access = NewFileAccess::kShared);

// The whole content of the file at `path`; nullopt when it cannot be read, is
// a folder, or is larger than `maxBytes`.
std::optional<ByteString> ReadWholeFile(std::string_view path,
                                        std::size_t maxBytes = kReadWholeFileMaxBytes);

// The names of the entries of `folder` that match the wildcard `pattern` and
// are of `kind`, in the order the file system gives them; empty when the
// folder cannot be read. An empty folder means the current folder.
// See WildcardMatch for the pattern.
GbkTextList FindFolderEntries(std::string_view folder, std::string_view pattern, EntryKind kind);

// Whether `name` matches `pattern`: "*" stands for any run of characters
// (none included), "?" for exactly one character, Latin letters match without
// regard to case, other characters match themselves; characters are GBK
// (a double-byte character is one character). "*.*" matches every name, also
// names without a dot.
bool WildcardMatch(std::string_view pattern, std::string_view name);
