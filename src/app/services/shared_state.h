#pragma once

// The program-wide values shared by the windows and the jobs.
//
// Each value is read and replaced as a whole (a text under its own lock, a
// number atomically); no consistency between two values is relied on.

#include <atomic>
#include <mutex>

#include "scrape/gbk_text.h"

class SharedText final {
 public:
  GbkText Get() const {
    std::lock_guard lock(mutex_);
    return value_;
  }
  void Set(GbkText value) {
    std::lock_guard lock(mutex_);
    value_.swap(value);
  }

 private:
  mutable std::mutex mutex_;
  GbkText value_;
};

struct SharedState {
  // Configured base addresses (scheme and host, no trailing slash).
  SharedText SiteBaseUrl;
  SharedText NoticeBaseUrl;
  SharedText ReadingAssetBaseUrl;
  // The caption of MainWindow, also the title of message boxes without one.
  SharedText ProgramCaption;

  // The list shown in MainWindow.
  SharedText BrowseMode;
  std::atomic<int> CurrentPage{0};
  SharedText PageNumberText;
  SharedText PageCountText;

  // The book open in the reader.
  SharedText CurrentBookId;
  SharedText CurrentBookUrl;
  SharedText TxtDownloadUrl;
  SharedText UdmDownloadUrl;
  SharedText JarDownloadUrl;
  SharedText ChapterListUrl;
  SharedText CurrentChapterId;
};

// The one instance, alive for the whole run.
SharedState& Shared();
