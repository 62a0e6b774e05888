#pragma once

// The sample site: a real HTTP server on loopback (cpp-httplib) that speaks
// every page format the reader reads, in GBK, from a catalogue generated from
// a seed. Tests start it in-process on an ephemeral port; the binary
// `tavelin-sample-site --port N` runs it alone; the reader's --demo starts it
// inside the program.
//
//   sample_site::SampleSite site;              // default catalogue, seed 20110722
//   int port = site.Start();                   // ephemeral port, -1 on failure
//   std::string base = site.BaseUrl();         // "http://127.0.0.1:<port>"
//   ... requests to base + "/book/toplastupdate/1.html" ...
//   site.SetMisbehaviour("/book/10001.html", {.errorPage = true});
//   auto log = site.RequestLog();
//   site.Stop();                               // also done by the destructor
//
// What tests can rely on, whatever the seed (constants in site_facts.h):
// - Book ids are five digits from 10001 on; paths are in site_paths.h.
// - 10001 has exactly CatalogueOptions::chapters chapters (the long book: run
//   with chapters = 10000 for a 10,000-chapter list page).
// - 10002: its second chapter (index 1) carries hostile HTML; the "hostile"
//   switch does the same to any chapter.
// - Search by title "夜雨" finds only 10003 ("青灯夜雨录"); by author "听泉"
//   only 10004 ("石上听泉"); title "赤誠" and author "千縷" only 10005, whose
//   title and author hold characters whose second byte is "\" and "|". A
//   single match answers with that book's information page; "天" finds many.
// - 10006 has an introduction shorter than 100 bytes; 10007 has no chapters.
// - Chapter lists: volumes in "<ul>" blocks; the latest chapter is also linked
//   outside the volumes; every second volume ends in an item with an empty
//   href. Chapter numbers skip every eighth number.
// - The member "reader" with the password "p@ss word&1" exists from the
//   start; login answers "登录成功" and sets the cookie "tavelin_session"; the
//   member block shows "<li><strong>reader</strong></li>      <li>头衔：书童</li>    <li>"
//   only with that cookie. Sign-up creates members (level "头衔：新手上路")
//   and logs them in; refusals list reasons after "<br />错误原因：".
// - Query values are read with FormDecode, so a password with "&", "#", "+"
//   or a blank must be sent percent-encoded.
// - The version document names "0.9.3" unless SetVersionInfo says otherwise.
// - The search interval rule (a second search within the interval gets the
//   error page) is off unless searchIntervalSeconds is set.

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "catalogue.h"
#include "misbehaviour.h"
#include "pages.h"
#include "site_facts.h"
#include "site_paths.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace sample_site {

struct SampleSiteOptions final {
  CatalogueOptions catalogue;
  // The address to listen on.
  std::string host = "127.0.0.1";
  // A second search within this many seconds of the last one gets the site's
  // error page; 0 turns the rule off.
  int searchIntervalSeconds = 0;
  // Login, member block and sign-up answers are sent percent-encoded (the
  // reader FormDecodes them).
  bool percentEncodeAccountAnswers = false;
  // Worker threads answering requests (slow answers each hold one).
  int threads = 16;
};

// One request as it arrived.
struct LoggedRequest final {
  std::string method;
  std::string path;     // as sent, still percent-encoded
  std::string query;    // after "?", as sent; "" when there is none
  std::string version;  // "HTTP/1.1", "HTTP/1.0"
  // Header values as the server library hands them over: cpp-httplib 0.11
  // decodes percent-escapes in every value but Location's, so a Referer of
  // ".../search.php?searchkey=ab%20c" is logged as "...searchkey=ab c".
  std::vector<std::pair<std::string, std::string>> headers;

  // The value of the first header of that name (letter case ignored), or "".
  std::string Header(std::string_view name) const;
};

// An answer as the site gives it before any misbehaviour.
struct SiteAnswer final {
  int status = 200;
  std::string contentType;
  ByteString body;
  std::vector<std::pair<std::string, std::string>> headers;  // e.g. Set-Cookie
};

class SampleSite final {
 public:
  explicit SampleSite(SampleSiteOptions options = {});
  ~SampleSite();
  SampleSite(const SampleSite&) = delete;
  SampleSite& operator=(const SampleSite&) = delete;

  // Starts listening on `port` (0: any free port) and answering on threads of
  // its own. Returns the bound port once connections are accepted, or -1
  // when the address cannot be bound. Starting a running site returns its port.
  int Start(int port = 0);

  // Stops listening, ends slow answers in progress and joins every thread.
  // Safe to call twice; the site can be started again afterwards.
  void Stop();

  bool Running() const;
  int Port() const;

  // "http://<host>:<port>", no trailing slash.
  std::string BaseUrl() const;

  // Misbehaviour for the paths matching `pathPattern` (see PathMatches). An
  // exact path wins over patterns, a longer pattern over a shorter one.
  void SetMisbehaviour(std::string pathPattern, Misbehaviour misbehaviour);
  void ClearMisbehaviour(std::string_view pathPattern);
  void ClearAllMisbehaviour();

  void SetSearchInterval(int seconds);
  void SetPercentEncodeAccountAnswers(bool on);
  void SetVersionInfo(VersionInfo info);

  // Every request since the start (or the last ClearRequestLog), in order.
  std::vector<LoggedRequest> RequestLog() const;
  void ClearRequestLog();

  const Catalogue& catalogue() const { return catalogue_; }

  // The answer to a request target (path and query, as sent) with the given
  // Cookie header, for the given base address; the site's state (sessions,
  // members, the last search) changes as for a real request. No misbehaviour
  // except `hostile` applies.
  SiteAnswer Answer(std::string_view target, std::string_view cookieHeader,
                    std::string_view baseUrl, bool hostile = false);

 private:
  struct Member final {
    GbkText password;
    GbkText level;
  };

  void Handle(const httplib::Request& request, httplib::Response& response);
  std::optional<Misbehaviour> MisbehaviourFor(std::string_view path) const;
  // Waits up to `duration`; false when the site is stopping.
  bool Pause(std::chrono::milliseconds duration);

  SiteAnswer AnswerLogin(const std::map<std::string, GbkText>& query, std::string_view baseUrl);
  SiteAnswer AnswerMemberBlock(std::string_view cookieHeader, std::string_view baseUrl);
  SiteAnswer AnswerSignUp(const std::map<std::string, GbkText>& query, std::string_view baseUrl);
  SiteAnswer AnswerSearch(const std::map<std::string, GbkText>& query, std::string_view baseUrl);
  std::string NewSession(const GbkText& userName);
  SiteAnswer AccountAnswer(GbkText page) const;

  const SampleSiteOptions options_;
  const Catalogue catalogue_;

  mutable std::mutex mutex_;  // guards everything below
  std::vector<std::pair<std::string, Misbehaviour>> misbehaviours_;
  std::vector<LoggedRequest> log_;
  std::map<GbkText, Member> members_;
  std::map<std::string, GbkText> sessions_;  // cookie value -> user name
  std::uint64_t sessionCounter_ = 0;
  std::optional<std::chrono::steady_clock::time_point> lastSearch_;
  int searchIntervalSeconds_ = 0;
  bool percentEncodeAccountAnswers_ = false;
  VersionInfo versionInfo_;

  std::mutex runMutex_;  // serialises Start and Stop
  std::mutex pauseMutex_;
  std::condition_variable stopSignal_;  // wakes pauses when the site stops
  std::atomic<bool> stopping_{false};
  std::atomic<int> port_{-1};
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
};

}  // namespace sample_site
