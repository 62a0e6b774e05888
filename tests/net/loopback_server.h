#pragma once

// A small HTTP test server on 127.0.0.1 (ephemeral port), in the manner of
// curl's test servers: it records the raw bytes of every request and answers
// each with canned bytes, so that tests can assert the exact request on the
// wire. Each connection carries one request and is closed after the answer.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the server does once it has read a request.
struct CannedReply {
  std::string bytes;  // sent as they are (may be empty)
  int holdMs = 0;     // then the connection stays open, silent, this long
                      // (or until the server stops), before it is closed
};

// A whole answer: status line, the given header lines, Content-Length and
// "Connection: close", then the body.
std::string HttpReply(const std::string& status, const std::string& body,
                      const std::string& headerLines = {});

// A loopback port on which nothing listens (bound, then released).
int UnusedPort();

// A loopback port whose connection attempts never complete: it listens with
// no room in its queue, which one connection of its own fills, so that the
// system drops further connection requests unanswered.
class StalledListener final {
 public:
  StalledListener();
  ~StalledListener();
  StalledListener(const StalledListener&) = delete;
  StalledListener& operator=(const StalledListener&) = delete;
  int Port() const { return port_; }

 private:
  int listener_ = -1;
  int filler_ = -1;
  int port_ = 0;
};

class LoopbackServer final {
 public:
  // Receives the raw request and its 0-based number in arrival order.
  using Responder = std::function<CannedReply(const std::string& request, int index)>;

  explicit LoopbackServer(Responder responder);
  // Answers every request with the same bytes.
  explicit LoopbackServer(const std::string& reply);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int Port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string BaseUrl() const;
  // "127.0.0.1:<port>", as a Host line carries it.
  std::string HostAndPort() const;

  // The raw requests received so far (request line, headers, body).
  std::vector<std::string> Requests() const;
  // Waits until `count` answers have been sent in full (false on time-out).
  bool WaitForReplies(int count, int timeoutMs) const;

 private:
  void AcceptLoop();
  void Serve(int connection);

  Responder responder_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<std::string> requests_;
  int repliesSent_ = 0;
  std::vector<std::thread> connections_;
  std::thread acceptThread_;
};
