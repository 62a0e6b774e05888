// The cookie store shared by every request, its two operations, and the
// re-writing of the site's cookies after login and logout.

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

#include "loopback_server.h"
#include "net/cookie_store.h"
#include "net/curl_shared.h"
#include "net/http_read_file.h"
#include "net/site_cookies.h"
#include "net/site_request.h"
#include "net_test_support.h"

namespace {

using CookiesTest = NetTest;

// Answers the first request with `setCookieLines`, every later one plainly.
LoopbackServer::Responder SetCookiesFirst(const std::string& setCookieLines) {
  return [setCookieLines](const std::string&, int index) {
    return CannedReply{HttpReply("200 OK", "ok", index == 0 ? setCookieLines : "")};
  };
}

GbkTextList Sorted(GbkTextList texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Puts a line in the store's own (Netscape) format straight into the store.
void StoreCookieLine(const std::string& line) {
  CURL* easy = curl_easy_init();
  curl_easy_setopt(easy, CURLOPT_SHARE, SharedCurlStore());
  curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str());
  curl_easy_cleanup(easy);
}

TEST_F(CookiesTest, CookieSetByOneEntryPointIsSentByTheOther) {
  using Fetch = std::function<ByteString(const std::string&)>;
  const Fetch siteText = [](const std::string& url) { return SiteRequestText(url); };
  const Fetch readFile = [](const std::string& url) { return HttpReadFile(url); };
  struct Case {
    Fetch first;
    Fetch second;
    bool secondIsReadFile;
  };
  for (const Case& c : {Case{siteText, readFile, true}, Case{readFile, siteText, false}}) {
    SCOPED_TRACE(c.secondIsReadFile ? "SiteRequestText, then HttpReadFile"
                                    : "HttpReadFile, then SiteRequestText");
    ClearCookies();
    LoopbackServer server(SetCookiesFirst("Set-Cookie: sid=abc123; Path=/\r\n"));
    EXPECT_EQ(c.first(server.BaseUrl() + "/login.php"), "ok");
    EXPECT_EQ(c.second(server.BaseUrl() + "/blockshow.php"), "ok");
    ASSERT_EQ(server.Requests().size(), 2u);
    const std::string cookieLine = "Cookie: sid=abc123\r\n";
    EXPECT_EQ(server.Requests()[1],
              c.secondIsReadFile
                  ? ExpectedReadFileRequest("/blockshow.php", server.HostAndPort(), cookieLine)
                  : ExpectedSiteRequest("GET /blockshow.php HTTP/1.1", server.HostAndPort(),
                                        server.BaseUrl() + "/blockshow.php", cookieLine));
  }
}

TEST_F(CookiesTest, CookiesForUrlMatchesHostDomainPathSecureAndExpiry) {
  // host (with "." for a domain cookie), subdomains, path, secure, expiry, name, value
  const char* lines[] = {
      "site.test\tFALSE\t/\tFALSE\t0\ta\t1",
      "site.test\tFALSE\t/book\tFALSE\t0\tb\t2",
      ".site.test\tTRUE\t/\tFALSE\t0\tc\t3",
      "other.test\tFALSE\t/\tFALSE\t0\td\t4",
      "site.test\tFALSE\t/\tTRUE\t0\te\t5",
      "#HttpOnly_site.test\tFALSE\t/\tFALSE\t0\tf\t6",
      "site.test\tFALSE\t/\tFALSE\t4102444800\tg\t7",  // expires in 2100
      "site.test\tFALSE\t/\tFALSE\t946684800\th\t8",   // expired in 2000
  };
  for (const char* line : lines) StoreCookieLine(line);

  struct Case {
    const char* url;
    GbkTextList cookies;  // in any order, except that b (path /book) comes first
  };
  const Case cases[] = {
      {"http://site.test", {"a=1", "c=3", "f=6", "g=7"}},
      {"http://SITE.test:8080/index.html", {"a=1", "c=3", "f=6", "g=7"}},
      {"http://site.test/book/1.html?x=/", {"b=2", "a=1", "c=3", "f=6", "g=7"}},
      {"http://site.test/book", {"b=2", "a=1", "c=3", "f=6", "g=7"}},
      {"http://site.test/bookshelf", {"a=1", "c=3", "f=6", "g=7"}},
      {"https://site.test/", {"a=1", "c=3", "e=5", "f=6", "g=7"}},
      {"http://www.site.test/", {"c=3"}},
      {"http://xsite.test/", {}},
      {"http://other.test/", {"d=4"}},
      {"http://none.test/", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    const GbkTextList got = SplitText(CookiesForUrl(c.url), "; ");
    EXPECT_EQ(Sorted(got), Sorted(c.cookies));
    if (!c.cookies.empty() && c.cookies[0] == "b=2") {
      EXPECT_EQ(got[0], "b=2");
    }
  }
}

TEST_F(CookiesTest, SessionCookieIsSentAndReplacesTheSitesOwn) {
  LoopbackServer server(SetCookiesFirst("Set-Cookie: sid=old; Path=/\r\n"));
  const std::string url = server.BaseUrl() + "/p";
  SiteRequest(url);
  EXPECT_TRUE(SetSessionCookie(server.BaseUrl(), "sid", "new"));
  EXPECT_TRUE(SetSessionCookie(server.BaseUrl(), "lang", "\xD6\xD0"));  // a GBK value
  EXPECT_TRUE(SetSessionCookie(server.BaseUrl(), "empty", ""));
  // Refused: they would break the cookie line or the Cookie header.
  EXPECT_FALSE(SetSessionCookie(server.BaseUrl(), "", "v"));
  EXPECT_FALSE(SetSessionCookie(server.BaseUrl(), "a b", "v"));
  EXPECT_FALSE(SetSessionCookie(server.BaseUrl(), "a=b", "v"));
  EXPECT_FALSE(SetSessionCookie(server.BaseUrl(), "x", "line\nbreak"));
  EXPECT_FALSE(SetSessionCookie(server.BaseUrl(), "x", "tab\there"));
  EXPECT_FALSE(SetSessionCookie("", "x", "v"));

  SiteRequest(url);
  ASSERT_EQ(server.Requests().size(), 2u);
  const std::string sent = server.Requests()[1];
  const std::size_t at = sent.find("Cookie: ");
  ASSERT_NE(at, std::string::npos) << sent;
  const GbkText cookieLine = sent.substr(at + 8, sent.find("\r\n", at) - at - 8);
  EXPECT_EQ(Sorted(SplitText(cookieLine, "; ")),
            (GbkTextList{"empty=", "lang=\xD6\xD0", "sid=new"}));
}

TEST_F(CookiesTest, CookiePairsTakeTheTextBetweenTheFirstAndSecondEquals) {
  using Pairs = std::vector<std::pair<GbkText, GbkText>>;
  struct Case {
    const char* text;
    Pairs pairs;
  };
  const Case cases[] = {
      {"a=1; b=2", {{"a", "1"}, {"b", "2"}}},
      {"k=x=y", {{"k", "x"}}},
      {"n=", {{"n", ""}}},
      {"n=; m=2", {{"n", ""}, {"m", "2"}}},
      {"junk; a=1", {{"a", "1"}}},
      {"a=1; ", {{"a", "1"}}},
      {"a=1;b=2", {{"a", "1;b"}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CookiePairs(c.text), c.pairs);
  }
}

TEST_F(CookiesTest, RefreshSiteCookiesRewritesEachCookieAsASessionCookie) {
  LoopbackServer server(
      SetCookiesFirst("Set-Cookie: a=1; Path=/; Expires=Wed, 01 Jan 2098 00:00:00 GMT\r\n"
                      "Set-Cookie: k=x=y; Path=/\r\n"
                      "Set-Cookie: n=; Path=/\r\n"));
  RefreshSiteCookies(server.BaseUrl());  // an empty store: nothing to read or set
  EXPECT_EQ(SiteCookieText(), "");

  SiteRequest(server.BaseUrl() + "/login.php");
  RefreshSiteCookies(server.BaseUrl());

  EXPECT_EQ(Sorted(SplitText(SiteCookieText(), "; ")), (GbkTextList{"a=1", "k=x=y", "n="}));
  EXPECT_EQ(Sorted(SplitText(CookiesForUrl(server.BaseUrl()), "; ")),
            (GbkTextList{"a=1", "k=x", "n="}));

  // Every cookie of the site now has no expiry date.
  CURL* easy = curl_easy_init();
  curl_easy_setopt(easy, CURLOPT_SHARE, SharedCurlStore());
  curl_slist* list = nullptr;
  curl_easy_getinfo(easy, CURLINFO_COOKIELIST, &list);
  int cookies = 0;
  for (curl_slist* item = list; item != nullptr; item = item->next, ++cookies) {
    EXPECT_NE(std::string(item->data).find("\t/\tFALSE\t0\t"), std::string::npos) << item->data;
  }
  curl_slist_free_all(list);
  curl_easy_cleanup(easy);
  EXPECT_EQ(cookies, 3);
}

// The thread and request numbers of a request for "/t<thread>/<number>".
std::pair<std::string, std::string> ThreadAndNumber(const std::string& request) {
  const std::size_t start = request.find(" /t") + 3;
  const std::size_t slash = request.find('/', start);
  const std::size_t end = request.find(' ', slash);
  return {request.substr(start, slash - start), request.substr(slash + 1, end - slash - 1)};
}

// Many jobs at once: each sends a run of requests through both entry points,
// every answer sets that job's cookie, and each request must carry the value
// set by the job's previous answer; meanwhile another thread reads and writes
// the store.
TEST_F(CookiesTest, ManyThreadsShareTheStoreSafely) {
  constexpr int kThreads = 8;
  constexpr int kRequestsEach = 12;
  LoopbackServer server([](const std::string& request, int) {
    const auto [thread, number] = ThreadAndNumber(request);
    return CannedReply{
        HttpReply("200 OK", "body " + thread + "/" + number,
                  "Set-Cookie: t" + thread + "=" + number + "; Path=/t" + thread + "\r\n")};
  });
  std::atomic<int> wrong{0};
  std::atomic<bool> done{false};
  std::thread meddler([&] {
    for (int i = 0; !done; ++i) {
      SetSessionCookie(server.BaseUrl(), "m", std::to_string(i));
      CookiesForUrl(server.BaseUrl() + "/t1/");
    }
  });
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kRequestsEach; ++i) {
        const std::string path = "/t" + std::to_string(t) + "/" + std::to_string(i);
        const ByteString body = i % 2 == 0 ? SiteRequest(server.BaseUrl() + path)
                                           : HttpReadFile(server.BaseUrl() + path);
        if (body != "body " + std::to_string(t) + "/" + std::to_string(i)) ++wrong;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  done = true;
  meddler.join();

  EXPECT_EQ(wrong, 0);
  const std::vector<std::string> requests = server.Requests();
  ASSERT_EQ(requests.size(), static_cast<std::size_t>(kThreads * kRequestsEach));
  for (const std::string& request : requests) {
    const auto [thread, number] = ThreadAndNumber(request);
    const int previous = std::stoi(number) - 1;
    if (previous < 0) continue;
    EXPECT_NE(request.find("t" + thread + "=" + std::to_string(previous)), std::string::npos)
        << request;
  }
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(CookiesForUrl(server.BaseUrl() + "/t" + std::to_string(t) + "/x").substr(0, 5),
              "t" + std::to_string(t) + "=" + std::to_string(kRequestsEach - 1));
  }
}

}  // namespace
