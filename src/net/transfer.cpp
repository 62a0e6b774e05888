#include "net/transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>

#include "app/services/job.h"
#include "net/curl_shared.h"
#include "net/request_limits.h"
#include "net/url_parts.h"

namespace {

using Clock = std::chrono::steady_clock;

// How often the transfer loop wakes when no byte moves, to notice a stop
// request or a stalled transfer.
constexpr int kPollIntervalMs = 20;

// A body of unknown length starts with this much room.
constexpr std::size_t kInitialBodyReserve = 16 * 1024;

constexpr long kMaxRedirects = 10;

struct TransferState {
  CURL* easy = nullptr;
  bool wantHeaders = false;
  std::size_t bodyLimit = kMaxBodyBytes;
  TransferResult result;
  bool reserved = false;
  bool capped = false;
  bool connected = false;
  bool stopped = false;
  curl_off_t lastUploaded = 0;
  Clock::time_point lastActivity = Clock::now();
};

// Appends body bytes up to the body limit; past it, returns a short count,
// which makes libcurl end the transfer with a write error.
std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* state = static_cast<TransferState*>(user);
  const std::size_t length = size * count;
  state->lastActivity = Clock::now();
  ByteString& body = state->result.body;
  if (!state->reserved) {
    state->reserved = true;
    curl_off_t expected = -1;
    curl_easy_getinfo(state->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected);
    body.reserve(expected > 0
                     ? std::min<std::size_t>(static_cast<std::size_t>(expected), state->bodyLimit)
                     : kInitialBodyReserve);
  }
  const std::size_t room = state->bodyLimit - body.size();
  if (length > room) {
    body.append(data, room);
    state->capped = true;
    return room;
  }
  body.append(data, length);
  return length;
}

// Keeps the header block of the latest response (a redirect's headers are
// replaced by those of the answer it leads to), cut at kMaxResponseHeaderBytes.
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto* state = static_cast<TransferState*>(user);
  const std::size_t length = size * count;
  state->lastActivity = Clock::now();
  if (state->wantHeaders) {
    GbkText& headers = state->result.headers;
    if (std::string_view(data, length).starts_with("HTTP/")) headers.clear();
    headers.append(data, std::min(length, kMaxResponseHeaderBytes - headers.size()));
  }
  return length;
}

// Called once a connection stands, before the request is sent: from here on
// the stalled-transfer limit applies.
int OnConnected(void* user, char*, char*, int, int) {
  auto* state = static_cast<TransferState*>(user);
  state->connected = true;
  state->lastActivity = Clock::now();
  return CURL_PREREQFUNC_OK;
}

// Counts sent bytes as activity and aborts the transfer when the calling job
// has been asked to stop.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded) {
  auto* state = static_cast<TransferState*>(user);
  if (uploaded != state->lastUploaded) {
    state->lastUploaded = uploaded;
    state->lastActivity = Clock::now();
  }
  if (StopRequested()) {
    state->stopped = true;
    return 1;
  }
  return 0;
}

// Host names are letters, digits, "-", "." and "_"; anything else (a user
// name, a query, blanks) cannot name a host and is refused.
bool IsPlainHostName(const GbkText& host) {
  if (host.empty()) return false;
  return std::all_of(host.begin(), host.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
  });
}

// Blanks and control bytes, which libcurl refuses in an address, are sent
// percent-encoded; every other byte goes as it is.
GbkText EscapeObjectPath(const GbkText& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  GbkText escaped;
  escaped.reserve(path.size());
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7f) {
      escaped += '%';
      escaped += kHex[byte >> 4];
      escaped += kHex[byte & 0x0f];
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The address libcurl connects to: the scheme, UrlHostName, UrlPort (left out
// when it is the default; port 0 also means the default) and UrlObjectPath.
std::optional<std::string> ConnectAddress(const GbkText& url) {
  const bool https = UrlIsHttps(url);
  const GbkText host = UrlHostName(url);
  const int port = UrlPort(url);
  if (!IsPlainHostName(host) || port < 0 || port > 65535) return std::nullopt;
  std::string address = https ? "https://" : "http://";
  address += host;
  if (port != 0 && port != (https ? 443 : 80)) {
    address += ':';
    address += std::to_string(port);
  }
  address += EscapeObjectPath(UrlObjectPath(url));
  return address;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// The request's header lines, then two empty entries that only keep libcurl
// from adding its own Accept and Expect lines. (The Proxy-Connection line it
// would send to a proxy is kept off the same way, in the proxy header list.)
std::unique_ptr<curl_slist, ListDeleter> HeaderList(const std::vector<GbkText>& lines) {
  curl_slist* list = nullptr;
  auto add = [&list](const char* line) {
    curl_slist* longer = curl_slist_append(list, line);
    if (longer != nullptr) list = longer;
  };
  for (const GbkText& line : lines) add(line.c_str());
  add("Accept:");
  add("Expect:");
  return std::unique_ptr<curl_slist, ListDeleter>(list);
}

}  // namespace

TransferResult PerformTransfer(const TransferSpec& spec) {
  if (spec.url.find_first_of("\r\n") != GbkText::npos) return {};
  const std::optional<std::string> address = ConnectAddress(spec.url);
  if (!address) return {};
  CURLSH* const share = SharedCurlStore();

  // Declared in this order so that the multi handle goes first and the
  // header list last.
  const auto headerList = HeaderList(spec.headerLines);
  const std::unique_ptr<curl_slist, ListDeleter> proxyHeaderList(
      curl_slist_append(nullptr, "Proxy-Connection:"));
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
  if (!easy || !multi) return {};
  CURL* const e = easy.get();
  TransferState state;
  state.easy = e;
  state.bodyLimit = RequestBodyLimit();
  state.wantHeaders = spec.wantHeaders;

  curl_easy_setopt(e, CURLOPT_URL, address->c_str());
  curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
  // A redirected POST is sent again as a POST: its Content-Length line is
  // part of the caller's header text and must keep matching a body.
  curl_easy_setopt(e, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(e, CURLOPT_HTTP_VERSION,
                   spec.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
  curl_easy_setopt(e, CURLOPT_USERAGENT, kUserAgent.data());
  // An empty proxy also keeps libcurl from taking one from the environment.
  const bool useProxy = !spec.proxy.empty() && !UrlIsHttps(spec.url);
  curl_easy_setopt(e, CURLOPT_PROXY, useProxy ? spec.proxy.c_str() : "");
  curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get());
  curl_easy_setopt(e, CURLOPT_HEADEROPT, static_cast<long>(CURLHEADER_SEPARATE));
  curl_easy_setopt(e, CURLOPT_PROXYHEADER, proxyHeaderList.get());
  curl_easy_setopt(e, CURLOPT_SHARE, share);
  curl_easy_setopt(e, CURLOPT_COOKIEFILE, "");
  curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(RequestConnectTimeoutMs()));
  curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
  curl_easy_setopt(e, CURLOPT_WRITEDATA, &state);
  curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(e, CURLOPT_HEADERDATA, &state);
  curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, OnConnected);
  curl_easy_setopt(e, CURLOPT_PREREQDATA, &state);
  curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(e, CURLOPT_XFERINFODATA, &state);
  curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
  if (spec.post) {
    curl_easy_setopt(e, CURLOPT_POST, 1L);
    curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(spec.postData.size()));
    curl_easy_setopt(e, CURLOPT_POSTFIELDS, spec.postData.data());
  } else {
    curl_easy_setopt(e, CURLOPT_HTTPGET, 1L);
  }
  if (spec.method != (spec.post ? "POST" : "GET")) {
    curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, spec.method.c_str());
  }

  // The transfer runs in this thread; the loop wakes at least every
  // kPollIntervalMs to honour a stop request and the stalled-transfer limit.
  const auto idleLimit = std::chrono::milliseconds(RequestIdleTimeoutMs());
  bool stalled = false;
  curl_multi_add_handle(multi.get(), e);
  int running = 1;
  while (true) {
    if (curl_multi_perform(multi.get(), &running) != CURLM_OK || running == 0) break;
    if (StopRequested()) {
      state.stopped = true;
      break;
    }
    if (state.connected && Clock::now() - state.lastActivity > idleLimit) {
      stalled = true;
      break;
    }
    if (curl_multi_poll(multi.get(), nullptr, 0, kPollIntervalMs, nullptr) != CURLM_OK) break;
  }
  CURLcode code = CURLE_RECV_ERROR;  // the loop ended before the transfer did
  int pending = 0;
  while (CURLMsg* message = curl_multi_info_read(multi.get(), &pending)) {
    if (message->msg == CURLMSG_DONE) code = message->data.result;
  }
  curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &state.result.status);
  curl_multi_remove_handle(multi.get(), e);

  state.result.complete = code == CURLE_OK && !stalled && !state.stopped && !state.capped;
  state.result.headers = BytesToText(state.result.headers);
  return std::move(state.result);
}
