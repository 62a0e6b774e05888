#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr int kPollMs = 20;
// A client that has not sent a whole request by then is given up.
constexpr auto kRequestReadLimit = std::chrono::seconds(5);

int BindLoopback(int* port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) throw std::runtime_error("socket");
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    throw std::runtime_error("bind");
  }
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  *port = ntohs(address.sin_port);
  return fd;
}

// Length of the request so far when it is whole (header block and, with a
// Content-Length line, that many body bytes); 0 while incomplete.
std::size_t CompleteRequestLength(const std::string& data) {
  const std::size_t headerEnd = data.find("\r\n\r\n");
  if (headerEnd == std::string::npos) return 0;
  std::size_t bodyLength = 0;
  std::size_t lineStart = data.find("\r\n") + 2;
  while (lineStart < headerEnd) {
    const std::size_t lineEnd = data.find("\r\n", lineStart);
    const std::string line = data.substr(lineStart, lineEnd - lineStart);
    constexpr std::string_view kLength = "content-length:";
    if (line.size() > kLength.size()) {
      std::string name = line.substr(0, kLength.size());
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (name == kLength) bodyLength = std::strtoul(line.c_str() + kLength.size(), nullptr, 10);
    }
    lineStart = lineEnd + 2;
  }
  const std::size_t total = headerEnd + 4 + bodyLength;
  return data.size() >= total ? total : 0;
}

bool SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return false;
    sent += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

std::string HttpReply(const std::string& status, const std::string& body,
                      const std::string& headerLines) {
  return "HTTP/1.1 " + status + "\r\n" + headerLines +
         "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

int UnusedPort() {
  int port = 0;
  ::close(BindLoopback(&port));
  return port;
}

StalledListener::StalledListener() {
  listener_ = BindLoopback(&port_);
  if (::listen(listener_, 0) != 0) throw std::runtime_error("listen");
  filler_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port_));
  if (::connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("connect");
  }
}

StalledListener::~StalledListener() {
  ::close(filler_);
  ::close(listener_);
}

LoopbackServer::LoopbackServer(Responder responder) : responder_(std::move(responder)) {
  listener_ = BindLoopback(&port_);
  if (::listen(listener_, 64) != 0) throw std::runtime_error("listen");
  acceptThread_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::LoopbackServer(const std::string& reply)
    : LoopbackServer([reply](const std::string&, int) { return CannedReply{reply}; }) {}

LoopbackServer::~LoopbackServer() {
  {
    std::lock_guard<std::mutex> guard(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  acceptThread_.join();
  std::vector<std::thread> connections;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    connections.swap(connections_);
  }
  for (std::thread& connection : connections) connection.join();
  ::close(listener_);
}

std::string LoopbackServer::BaseUrl() const {
  return "http://" + HostAndPort();
}

std::string LoopbackServer::HostAndPort() const {
  return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> LoopbackServer::Requests() const {
  std::lock_guard<std::mutex> guard(mutex_);
  return requests_;
}

bool LoopbackServer::WaitForReplies(int count, int timeoutMs) const {
  std::unique_lock<std::mutex> lock(mutex_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [&] { return repliesSent_ >= count; });
}

void LoopbackServer::AcceptLoop() {
  while (!stopping_) {
    pollfd waiting{listener_, POLLIN, 0};
    if (::poll(&waiting, 1, kPollMs) <= 0) continue;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard<std::mutex> guard(mutex_);
    connections_.emplace_back([this, connection] { Serve(connection); });
  }
}

void LoopbackServer::Serve(int connection) {
  std::string data;
  std::size_t requestLength = 0;
  const auto giveUp = std::chrono::steady_clock::now() + kRequestReadLimit;
  while (!stopping_ && requestLength == 0 && std::chrono::steady_clock::now() < giveUp) {
    pollfd waiting{connection, POLLIN, 0};
    if (::poll(&waiting, 1, kPollMs) <= 0) continue;
    char buffer[16384];
    const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    data.append(buffer, static_cast<std::size_t>(n));
    requestLength = CompleteRequestLength(data);
  }
  if (requestLength != 0) {
    int index = 0;
    {
      std::lock_guard<std::mutex> guard(mutex_);
      index = static_cast<int>(requests_.size());
      requests_.push_back(data.substr(0, requestLength));
    }
    const CannedReply reply = responder_(data.substr(0, requestLength), index);
    const bool sent = SendAll(connection, reply.bytes);
    {
      std::lock_guard<std::mutex> guard(mutex_);
      if (sent) ++repliesSent_;
    }
    changed_.notify_all();
    if (reply.holdMs > 0) {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait_for(lock, std::chrono::milliseconds(reply.holdMs),
                        [this] { return stopping_.load(); });
    }
  }
  ::shutdown(connection, SHUT_WR);
  ::close(connection);
}
