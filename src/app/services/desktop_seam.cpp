#include "app/services/desktop_seam.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "scrape/charset.h"

namespace {

// Without windows: messages go to standard error, addresses are printed, and
// ending the program exits at once.
class ConsoleSeam final : public DesktopSeam {
 public:
  void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon) override {
    std::fprintf(stderr, "%s%s%s\n", GbkToUtf8(title).c_str(), title.empty() ? "" : ": ",
                 GbkToUtf8(text).c_str());
  }
  void OpenUrl(const GbkText& url) override {
    std::fprintf(stderr, "open %s\n", GbkToUtf8(url).c_str());
  }
  void EndProgram(int exitCode) override { std::_Exit(exitCode); }
};

std::shared_ptr<DesktopSeam>& DefaultSeam() {
  static std::shared_ptr<DesktopSeam> seam = std::make_shared<ConsoleSeam>();
  return seam;
}

std::atomic<std::shared_ptr<DesktopSeam>>& CurrentSeam() {
  static std::atomic<std::shared_ptr<DesktopSeam>> seam{DefaultSeam()};
  return seam;
}

}  // namespace

DesktopSeam& Desktop() {
  // Seams live for the whole run once installed (the holder below keeps each
  // one), so the reference stays valid for a caller on another thread.
  return *CurrentSeam().load();
}

std::shared_ptr<DesktopSeam> SetDesktopSeam(std::shared_ptr<DesktopSeam> seam) {
  static std::mutex keepMutex;
  static std::vector<std::shared_ptr<DesktopSeam>> kept;
  if (!seam) seam = DefaultSeam();
  {
    std::lock_guard lock(keepMutex);
    kept.push_back(seam);
  }
  return CurrentSeam().exchange(std::move(seam));
}
