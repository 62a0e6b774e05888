#include "notice_test_support.h"

#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "scrape/charset.h"

NoticeServer::NoticeServer() : server_(std::make_unique<httplib::Server>()) {
  server_->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
    std::unique_lock lock(mutex_);
    requested_.push_back(request.path);
    if (holding_ && request.path == heldPath_) {
      released_.wait(lock, [this] { return !holding_; });
    }
    auto file = files_.find(request.path);
    if (file == files_.end()) {
      response.status = 404;
      response.set_content("<html>not found</html>", "text/html");
      return;
    }
    response.set_content(file->second.data(), file->second.size(), "text/plain");
  });
  const int port = server_->bind_to_any_port("127.0.0.1");
  baseUrl_ = "http://127.0.0.1:" + std::to_string(port);
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // The socket already listens; wait for the accept loop so that Stop in the
  // destructor cannot come before it.
  while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

NoticeServer::~NoticeServer() {
  Release();
  server_->stop();
  thread_.join();
}

void NoticeServer::Serve(const std::string& path, const ByteString& body) {
  std::lock_guard lock(mutex_);
  files_[path] = body;
}

void NoticeServer::Remove(const std::string& path) {
  std::lock_guard lock(mutex_);
  files_.erase(path);
}

void NoticeServer::Hold(const std::string& path) {
  std::lock_guard lock(mutex_);
  heldPath_ = path;
  holding_ = true;
}

void NoticeServer::Release() {
  {
    std::lock_guard lock(mutex_);
    holding_ = false;
  }
  released_.notify_all();
}

std::vector<std::string> NoticeServer::RequestedPaths() const {
  std::lock_guard lock(mutex_);
  return requested_;
}

GbkText UnreachableBaseUrl() {
  // Bind a port and close it again: nothing listens there afterwards.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  int port = 9;  // discard: refused on a machine without it
  if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  if (fd >= 0) ::close(fd);
  return "http://127.0.0.1:" + std::to_string(port);
}

void RecordingSeam::ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) {
  std::lock_guard lock(mutex_);
  messages_.push_back({text, title, icon});
  order_.push_back("message");
}

void RecordingSeam::OpenUrl(const GbkText& url) {
  std::lock_guard lock(mutex_);
  urls_.push_back(url);
  order_.push_back("open");
}

void RecordingSeam::EndProgram(int exitCode) {
  std::lock_guard lock(mutex_);
  endCodes_.push_back(exitCode);
  order_.push_back("end");
}

std::vector<RecordingSeam::Message> RecordingSeam::Messages() const {
  std::lock_guard lock(mutex_);
  return messages_;
}

std::vector<GbkText> RecordingSeam::OpenedUrls() const {
  std::lock_guard lock(mutex_);
  return urls_;
}

std::vector<int> RecordingSeam::EndCodes() const {
  std::lock_guard lock(mutex_);
  return endCodes_;
}

std::vector<std::string> RecordingSeam::CallOrder() const {
  std::lock_guard lock(mutex_);
  return order_;
}

ScopedRecordingSeam::ScopedRecordingSeam()
    : seam_(std::make_shared<RecordingSeam>()), previous_(SetDesktopSeam(seam_)) {}

ScopedRecordingSeam::~ScopedRecordingSeam() {
  SetDesktopSeam(previous_);
}

GbkText Gbk(const std::string& utf8) {
  return Utf8ToGbk(utf8);
}
