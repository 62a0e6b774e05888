#include "net/http_read_file.h"

#include <gtest/gtest.h>

#include "loopback_server.h"
#include "net/site_request.h"
#include "net_test_support.h"

namespace {

using HttpReadFileTest = NetTest;

TEST_F(HttpReadFileTest, SendsHttp10WithAcceptAnyAsTheOnlyAcceptLine) {
  LoopbackServer server(HttpReply("200 OK", std::string("notice\0text", 11)));
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/ad/bookwisp/n1.txt"),
            std::string("notice\0text", 11));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            ExpectedReadFileRequest("/ad/bookwisp/n1.txt", server.HostAndPort()));
}

TEST_F(HttpReadFileTest, FollowsRedirects) {
  LoopbackServer server([](const std::string&, int index) {
    if (index == 0) {
      return CannedReply{HttpReply("301 Moved Permanently", "", "Location: /new.xml\r\n")};
    }
    return CannedReply{HttpReply("200 OK", "<update/>")};
  });
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/old.xml"), "<update/>");
  ASSERT_EQ(server.Requests().size(), 2u);
  EXPECT_EQ(server.Requests()[1], ExpectedReadFileRequest("/new.xml", server.HostAndPort()));
}

// An error page must not be taken for a notice text or a cover picture, while
// the site request hands it to its caller.
TEST_F(HttpReadFileTest, ErrorStatusGivesEmptyBytes) {
  for (const char* status : {"404 Not Found", "400 Bad Request", "500 Internal Server Error"}) {
    SCOPED_TRACE(status);
    LoopbackServer server(HttpReply(status, "<html>error page</html>"));
    EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/cover.jpg"), "");
    EXPECT_EQ(SiteRequest(server.BaseUrl() + "/cover.jpg"), "<html>error page</html>");
  }
}

TEST_F(HttpReadFileTest, EmptyAddressGivesEmptyBytes) {
  EXPECT_EQ(HttpReadFile(""), "");
}

}  // namespace
