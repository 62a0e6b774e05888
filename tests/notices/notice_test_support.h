#pragma once

// Test support for the notices tests: a loopback notice server that serves
// canned files, and a desktop seam that records what the program asks for.

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/services/desktop_seam.h"
#include "scrape/gbk_text.h"

namespace httplib {
class Server;
}

// Serves files by path on 127.0.0.1 at an ephemeral port; every other path
// answers 404. A held path answers only once released.
class NoticeServer final {
 public:
  NoticeServer();
  ~NoticeServer();

  // The base address, "http://127.0.0.1:<port>", without a trailing slash.
  GbkText BaseUrl() const { return baseUrl_; }

  void Serve(const std::string& path, const ByteString& body);
  void Remove(const std::string& path);
  // Answers to `path` wait until Release() is called.
  void Hold(const std::string& path);
  void Release();
  // The paths requested so far, in order.
  std::vector<std::string> RequestedPaths() const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  GbkText baseUrl_;
  mutable std::mutex mutex_;
  std::condition_variable released_;
  std::map<std::string, ByteString> files_;
  std::string heldPath_;
  bool holding_ = false;
  std::vector<std::string> requested_;
};

// An address on which nothing listens.
GbkText UnreachableBaseUrl();

// Records every call; message boxes are answered at once, and ending the
// program is only recorded.
class RecordingSeam final : public DesktopSeam {
 public:
  struct Message {
    GbkText text;
    GbkText title;
    MessageIcon icon;
  };

  void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) override;
  void OpenUrl(const GbkText& url) override;
  void EndProgram(int exitCode) override;

  std::vector<Message> Messages() const;
  std::vector<GbkText> OpenedUrls() const;
  std::vector<int> EndCodes() const;
  // "message", "open" and "end" in the order the calls came.
  std::vector<std::string> CallOrder() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Message> messages_;
  std::vector<GbkText> urls_;
  std::vector<int> endCodes_;
  std::vector<std::string> order_;
};

// Installs a fresh RecordingSeam for the lifetime of the object and puts the
// previous seam back afterwards.
class ScopedRecordingSeam final {
 public:
  ScopedRecordingSeam();
  ~ScopedRecordingSeam();
  RecordingSeam& operator*() const { return *seam_; }
  RecordingSeam* operator->() const { return seam_.get(); }

 private:
  std::shared_ptr<RecordingSeam> seam_;
  std::shared_ptr<DesktopSeam> previous_;
};

// UTF-8 source text as GBK bytes (not cached, unlike the _gbk literal).
GbkText Gbk(const std::string& utf8);
