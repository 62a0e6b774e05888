#include "net/request_limits.h"

#include <atomic>

namespace {

constexpr int kDefaultTimeoutMs = 18000;

std::atomic<int> connectTimeoutMs{kDefaultTimeoutMs};
std::atomic<int> idleTimeoutMs{kDefaultTimeoutMs};
std::atomic<std::size_t> bodyLimit{kMaxBodyBytes};

}  // namespace

int RequestConnectTimeoutMs() {
  return connectTimeoutMs.load();
}

int RequestIdleTimeoutMs() {
  return idleTimeoutMs.load();
}

std::size_t RequestBodyLimit() {
  return bodyLimit.load();
}

void SetRequestTimeoutsForTesting(int connectMs, int idleMs) {
  connectTimeoutMs.store(connectMs > 0 ? connectMs : kDefaultTimeoutMs);
  idleTimeoutMs.store(idleMs > 0 ? idleMs : kDefaultTimeoutMs);
}

void SetRequestBodyLimitForTesting(long long bytes) {
  bodyLimit.store(bytes > 0 ? static_cast<std::size_t>(bytes) : kMaxBodyBytes);
}
