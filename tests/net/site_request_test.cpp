#include "net/site_request.h"

#include <gtest/gtest.h>

#include "loopback_server.h"
#include "net_test_support.h"

namespace {

using SiteRequestTest = NetTest;

TEST_F(SiteRequestTest, SendsExactGetWithDefaultLinesInOrder) {
  LoopbackServer server(HttpReply("200 OK", "hello", "X-Site: a\r\n"));
  const std::string url = server.BaseUrl() + "/book/list6/3.html";
  GbkText headers = "stale";

  EXPECT_EQ(SiteRequest(url, "", "", "", "", &headers), "hello");

  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            ExpectedSiteRequest("GET /book/list6/3.html HTTP/1.1", server.HostAndPort(), url));
  EXPECT_EQ(headers,
            "HTTP/1.1 200 OK\r\nX-Site: a\r\nContent-Length: 5\r\nConnection: close\r\n\r\n");
}

TEST_F(SiteRequestTest, CallerLinesInAnyLetterCaseKeepDefaultsAway) {
  struct Case {
    const char* extra;
    const char* sentLines;  // everything between User-Agent and the blank line
  };
  const Case cases[] = {
      {"referer: http://elsewhere/\r\nACCEPT: text/html\r\naccept-LANGUAGE: en\r\n",
       "referer: http://elsewhere/\r\nACCEPT: text/html\r\naccept-LANGUAGE: en\r\n"},
      // Only the Referer is given: Accept and Accept-Language follow it.
      {"X-Test: 1\r\nREFERER: http://r/\r\n",
       "X-Test: 1\r\nREFERER: http://r/\r\n"
       "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
       "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
       "application/msword, */*\r\nAccept-Language: zh-cn\r\n"},
  };
  LoopbackServer server(HttpReply("200 OK", "ok"));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i);
    EXPECT_EQ(SiteRequestText(server.BaseUrl() + "/p", "", "", cases[i].extra), "ok");
    ASSERT_EQ(server.Requests().size(), i + 1);
    EXPECT_EQ(server.Requests()[i], "GET /p HTTP/1.1\r\nHost: " + server.HostAndPort() + "\r\n" +
                                        kUserAgentLine + cases[i].sentLines + "\r\n");
  }
}

TEST_F(SiteRequestTest, PostInAnySpellingTakesTheBodyBranchOtherMethodsBecomeGet) {
  struct Case {
    const char* method;
    const char* postData;
    const char* requestLine;
    const char* closingLines;
    const char* body;
  };
  const Case cases[] = {
      {"pOsT", "a=1&b=%B6%B7", "pOsT /form HTTP/1.1",
       "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 12\r\n", "a=1&b=%B6%B7"},
      {"POST", "x", "POST /form HTTP/1.1",
       "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 1\r\n", "x"},
      // A POST without post data has neither the two lines nor a body.
      {"post", "", "post /form HTTP/1.1", "", ""},
      {"", "x=1", "GET /form HTTP/1.1", "", ""},
      {"get", "x=1", "GET /form HTTP/1.1", "", ""},
      {"PUT", "x=1", "GET /form HTTP/1.1", "", ""},
      {"HEAD", "", "GET /form HTTP/1.1", "", ""},
      {"POSTX", "x=1", "GET /form HTTP/1.1", "", ""},
  };
  LoopbackServer server(HttpReply("200 OK", "answer"));
  const std::string url = server.BaseUrl() + "/form";
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(testing::Message() << "case " << i << ": method \"" << c.method << "\"");
    EXPECT_EQ(SiteRequest(url, c.method, "", "", c.postData), "answer");
    ASSERT_EQ(server.Requests().size(), i + 1);
    EXPECT_EQ(server.Requests()[i], ExpectedSiteRequest(c.requestLine, server.HostAndPort(), url,
                                                        "", c.closingLines, c.body));
  }
}

TEST_F(SiteRequestTest, ConnectsToHostPortAndObjectPathOfEveryAddressForm) {
  LoopbackServer server(HttpReply("200 OK", "ok"));
  const std::string port = std::to_string(server.Port());
  struct Case {
    std::string url;
    std::string requestLine;
    std::string hostLine;
  };
  const Case cases[] = {
      {"127.0.0.1:" + port + "/list/2.html", "GET /list/2.html HTTP/1.1", server.HostAndPort()},
      {"http://127.0.0.1:" + port, "GET / HTTP/1.1", server.HostAndPort()},
      {"HTTP://LOCALHOST:" + port + "/Book/A.html?X=1", "GET /Book/A.html?X=1 HTTP/1.1",
       "localhost:" + port},
      // Blanks are percent-encoded; GBK bytes of the query go as they are.
      {server.BaseUrl() + "/s?k=\xB6\xB7 z", "GET /s?k=\xB6\xB7%20z HTTP/1.1",
       server.HostAndPort()},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << cases[i].url);
    EXPECT_EQ(SiteRequest(cases[i].url), "ok");
    ASSERT_EQ(server.Requests().size(), i + 1);
    EXPECT_EQ(server.Requests()[i],
              ExpectedSiteRequest(cases[i].requestLine, cases[i].hostLine, cases[i].url));
  }
}

TEST_F(SiteRequestTest, FollowsRedirectAndReportsTheFinalHeadersCutAt1024Bytes) {
  const std::string longHeader = "X-Long: " + std::string(2000, 'h') + "\r\n";
  LoopbackServer server([&](const std::string&, int index) {
    if (index == 0) return CannedReply{HttpReply("302 Found", "moved", "Location: /b\r\n")};
    return CannedReply{HttpReply("200 OK", "final", longHeader)};
  });
  const std::string url = server.BaseUrl() + "/a";
  GbkText headers;

  EXPECT_EQ(SiteRequest(url, "", "", "", "", &headers), "final");

  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1],
            ExpectedSiteRequest("GET /b HTTP/1.1", server.HostAndPort(), url));
  EXPECT_EQ(headers, ("HTTP/1.1 200 OK\r\n" + longHeader).substr(0, 1024));
}

// The Content-Length line is part of the header text, so a redirected POST
// goes on as a POST with its body (a GET carrying that line would leave the
// server waiting for a body that never comes).
TEST_F(SiteRequestTest, RedirectedPostIsSentAgainWithItsBody) {
  LoopbackServer server([](const std::string&, int index) {
    if (index == 0) return CannedReply{HttpReply("302 Found", "", "Location: /done\r\n")};
    return CannedReply{HttpReply("200 OK", "done")};
  });
  const std::string url = server.BaseUrl() + "/login.php";
  EXPECT_EQ(SiteRequestText(url, "Post", "", "", "u=a"), "done");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1],
            ExpectedSiteRequest(
                "Post /done HTTP/1.1", server.HostAndPort(), url, "",
                "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n", "u=a"));
}

TEST_F(SiteRequestTest, ReturnsTheBodyOfAnErrorStatus) {
  LoopbackServer server(HttpReply("404 Not Found", "<html>no such page</html>"));
  EXPECT_EQ(SiteRequest(server.BaseUrl() + "/gone.html"), "<html>no such page</html>");
  EXPECT_EQ(SiteRequestText(server.BaseUrl() + "/gone.html"), "<html>no such page</html>");
}

TEST_F(SiteRequestTest, ZeroByteIsKeptInBytesAndEndsTheText) {
  const std::string body("ab\0cd", 5);
  LoopbackServer server(HttpReply("200 OK", body));
  EXPECT_EQ(SiteRequest(server.BaseUrl() + "/z"), body);
  EXPECT_EQ(SiteRequestText(server.BaseUrl() + "/z"), "ab");
}

TEST_F(SiteRequestTest, SendsThroughAGivenProxy) {
  LoopbackServer proxy(HttpReply("200 OK", "via proxy"));
  EXPECT_EQ(SiteRequest("http://example.invalid/x.html", "", proxy.HostAndPort()), "via proxy");
  ASSERT_EQ(proxy.Requests().size(), 1u);
  EXPECT_EQ(proxy.Requests()[0],
            ExpectedSiteRequest("GET http://example.invalid/x.html HTTP/1.1", "example.invalid",
                                "http://example.invalid/x.html"));
}

TEST_F(SiteRequestTest, RefusesAddressesThatCannotBeRequested) {
  LoopbackServer server(HttpReply("200 OK", "ok"));
  const std::string cases[] = {
      "",
      server.BaseUrl() + "/a\r\nX-Injected: 1",  // would add a header line
      "http://user@127.0.0.1:" + std::to_string(server.Port()) + "/",
  };
  for (const std::string& url : cases) {
    SCOPED_TRACE(url);
    EXPECT_EQ(SiteRequest(url), "");
  }
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
