#include "net/curl_shared.h"

#include <array>
#include <cstdlib>
#include <mutex>

namespace {

// One lock per kind of shared data (cookies, DNS, the share itself ...).
std::array<std::mutex, CURL_LOCK_DATA_LAST> shareLocks;

void LockShared(CURL*, curl_lock_data data, curl_lock_access, void*) {
  shareLocks[static_cast<std::size_t>(data)].lock();
}

void UnlockShared(CURL*, curl_lock_data data, void*) {
  shareLocks[static_cast<std::size_t>(data)].unlock();
}

CURLSH* CreateSharedStore() {
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) std::abort();
  CURLSH* share = curl_share_init();
  if (share == nullptr) std::abort();
  curl_share_setopt(share, CURLSHOPT_LOCKFUNC, LockShared);
  curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, UnlockShared);
  curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
  curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
  return share;
}

}  // namespace

CURLSH* SharedCurlStore() {
  // Thread-safe one-time initialisation; the handle is never released, since
  // detached jobs may still be using it while the process ends.
  static CURLSH* const share = CreateSharedStore();
  return share;
}
