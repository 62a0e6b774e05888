#include "net/request_timeouts.h"

#include <atomic>

namespace {

constexpr int kDefaultTimeoutMs = 18000;

std::atomic<int> connectTimeoutMs{kDefaultTimeoutMs};
std::atomic<int> idleTimeoutMs{kDefaultTimeoutMs};

}  // namespace

int RequestConnectTimeoutMs() {
  return connectTimeoutMs.load();
}

int RequestIdleTimeoutMs() {
  return idleTimeoutMs.load();
}

void SetRequestTimeoutsForTesting(int connectMs, int idleMs) {
  connectTimeoutMs.store(connectMs > 0 ? connectMs : kDefaultTimeoutMs);
  idleTimeoutMs.store(idleMs > 0 ? idleMs : kDefaultTimeoutMs);
}
