#include "store/local_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "store/gbk_chars.h"

namespace fs = std::filesystem;

namespace {

// The path as a C string, or nullopt when it is empty or holds a zero byte.
std::optional<std::string> CPath(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return std::nullopt;
  return std::string(path);
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor final {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded (a late write error
  // may show only here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// A name for a temporary file next to `target` that no other writer (thread
// or process) picks at the same time: hidden, and not ending in the target's
// extension, so folder scans for "*.ini" never see it.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  thread_local std::mt19937_64 random{std::random_device{}()};
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  return folder + "." + base + "." + std::to_string(::getpid()) + "-" +
         std::to_string(counter.fetch_add(1)) + "-" + std::to_string(random() % 1000000) + ".tmp";
}

// The file that a write to `path` should replace: the path itself, or the file
// a link at that path points to.
std::string WriteTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

// "." and ".." as the last part of a path (trailing slashes ignored).
bool EndsInDotPart(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  const std::string_view last = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return last == "." || last == "..";
}

}  // namespace

bool FileExists(std::string_view path) {
  const auto cpath = CPath(path);
  struct stat info {};
  return cpath && ::lstat(cpath->c_str(), &info) == 0;
}

bool CreateFolder(std::string_view path, unsigned mode) {
  const auto cpath = CPath(path);
  if (!cpath) return false;
  if (::mkdir(cpath->c_str(), static_cast<mode_t>(mode)) == 0) return true;
  struct stat info {};
  return errno == EEXIST && ::stat(cpath->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolderPath(std::string_view path, unsigned mode) {
  if (path.empty()) return false;
  // Each level from the top down; existing levels are passed over.
  for (size_t slash = path.find('/', 1); slash != std::string_view::npos;
       slash = path.find('/', slash + 1)) {
    CreateFolder(path.substr(0, slash), mode);
  }
  return CreateFolder(path, mode);
}

bool DeleteFolderTree(std::string_view path) {
  while (!path.empty() && (path.front() == ' ' || path.front() == '\t')) path.remove_prefix(1);
  auto cpath = CPath(path);
  if (!cpath || EndsInDotPart(*cpath)) return false;
  // Without trailing slashes a link names itself, not the folder it points to.
  while (cpath->size() > 1 && cpath->back() == '/') cpath->pop_back();

  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(fs::path(*cpath), error);
  if (error || resolved == resolved.root_path()) return false;

  struct stat info {};
  if (::lstat(cpath->c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  // remove_all looks at every entry without following links: a link is
  // removed as a link and what it points to stays.
  fs::remove_all(fs::path(*cpath), error);
  return !error;
}

bool WriteWholeFile(std::string_view path, std::string_view bytes, NewFileAccess access) {
  const auto cpath = CPath(path);
  if (!cpath) return false;
  const std::string target = WriteTarget(*cpath);

  std::optional<mode_t> keptMode;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return false;
    keptMode = info.st_mode & 07777;
  }
  const mode_t createMode = access == NewFileAccess::kOwnerOnly ? 0600 : 0666;

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = TemporaryName(target);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  FileDescriptor file(fd);

  const bool written = (!keptMode || ::fchmod(file.get(), *keptMode) == 0) &&
                       WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
  const bool closed = file.Close();
  if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  return true;
}

std::optional<ByteString> ReadWholeFile(std::string_view path, std::size_t maxBytes) {
  const auto cpath = CPath(path);
  if (!cpath) return std::nullopt;
  FileDescriptor file(::open(cpath->c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;

  ByteString content;
  if (info.st_size > 0) {
    content.reserve(std::min<std::size_t>(static_cast<std::size_t>(info.st_size), maxBytes) + 1);
  }
  char buffer[65536];
  while (true) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (got == 0) break;
    if (content.size() + static_cast<std::size_t>(got) > maxBytes) return std::nullopt;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

GbkTextList FindFolderEntries(std::string_view folder, std::string_view pattern, EntryKind kind) {
  GbkTextList names;
  const auto cfolder = folder.empty() ? std::optional<std::string>(".") : CPath(folder);
  if (!cfolder) return names;
  DIR* directory = ::opendir(cfolder->c_str());
  if (directory == nullptr) return names;
  const int directoryFd = ::dirfd(directory);
  while (const dirent* entry = ::readdir(directory)) {
    const std::string_view name = entry->d_name;
    if (!WildcardMatch(pattern, name)) continue;
    struct stat info {};
    if (::fstatat(directoryFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
    bool isFolder = S_ISDIR(info.st_mode);
    bool isFile = !isFolder;
    if (S_ISLNK(info.st_mode)) {
      // A link to a folder is neither: listing it as a file would have it read
      // as one, listing it as a folder could make a recursive scan loop.
      struct stat targetInfo {};
      isFile = ::fstatat(directoryFd, entry->d_name, &targetInfo, 0) != 0 ||
               !S_ISDIR(targetInfo.st_mode);
    }
    if (kind == EntryKind::kFolders ? isFolder : isFile) names.emplace_back(name);
  }
  ::closedir(directory);
  return names;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  // Cut both into characters first; then the usual star matcher with one
  // backtracking point.
  auto characters = [](std::string_view text) {
    std::vector<std::string_view> result;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t length = GbkCharLength(text, i);
      result.push_back(text.substr(i, length));
      i += length;
    }
    return result;
  };
  const auto p = characters(pattern);
  const auto n = characters(name);
  std::size_t pi = 0;
  std::size_t ni = 0;
  std::size_t starAt = std::string_view::npos;
  std::size_t starName = 0;
  while (ni < n.size()) {
    if (pi < p.size() && p[pi] == "*") {
      starAt = pi++;
      starName = ni;
    } else if (pi < p.size() && (p[pi] == "?" || GbkCharsEqualIgnoringCase(p[pi], n[ni]))) {
      ++pi;
      ++ni;
    } else if (starAt != std::string_view::npos) {
      pi = starAt + 1;
      ni = ++starName;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == "*") ++pi;
  return pi == p.size();
}
