// How a request ends when the other side fails it: no listener, a connection
// that never completes, an answer that never comes or stops half-way, a body
// beyond the size limit, and a stop request of the calling job.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "app/services/job.h"
#include "loopback_server.h"
#include "net/http_read_file.h"
#include "net/request_limits.h"
#include "net/site_request.h"
#include "net_test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Headers promising 100 bytes, then only the first three.
const std::string kPartialAnswer =
    "HTTP/1.1 200 OK\r\nContent-Length: 100\r\nConnection: close\r\n\r\nabc";

using TransferLimitsTest = NetTest;

TEST_F(TransferLimitsTest, NoListenerGivesEmptyResultAtOnce) {
  const std::string url = "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/list/1.html";
  const auto start = Clock::now();
  EXPECT_EQ(SiteRequest(url), "");
  EXPECT_EQ(SiteRequestText(url), "");
  EXPECT_EQ(HttpReadFile(url), "");
  EXPECT_LT(MillisecondsSince(start), 1000);
}

TEST_F(TransferLimitsTest, ConnectionThatNeverCompletesEndsAtTheConnectLimit) {
  StalledListener listener;
  SetRequestTimeoutsForTesting(150, 5000);
  const std::string url = "http://127.0.0.1:" + std::to_string(listener.Port()) + "/";
  const auto start = Clock::now();
  EXPECT_EQ(SiteRequest(url), "");
  const long long elapsed = MillisecondsSince(start);
  EXPECT_GE(elapsed, 140);
  EXPECT_LT(elapsed, 1000);
}

TEST_F(TransferLimitsTest, AnswerThatNeverComesEndsAtTheStallLimit) {
  LoopbackServer server([](const std::string&, int) { return CannedReply{"", 5000}; });
  SetRequestTimeoutsForTesting(1000, 150);
  const auto start = Clock::now();
  EXPECT_EQ(SiteRequest(server.BaseUrl() + "/slow"), "");
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/slow"), "");
  const long long elapsed = MillisecondsSince(start);
  EXPECT_GE(elapsed, 2 * 140);
  EXPECT_LT(elapsed, 1500);
}

TEST_F(TransferLimitsTest, BodyStalledHalfWayIsReturnedBySiteRequestOnly) {
  LoopbackServer server([](const std::string&, int) { return CannedReply{kPartialAnswer, 5000}; });
  SetRequestTimeoutsForTesting(1000, 150);
  EXPECT_EQ(SiteRequest(server.BaseUrl() + "/part"), "abc");
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/part"), "");
}

TEST_F(TransferLimitsTest, ConnectionClosedHalfWayKeepsWhatArrived) {
  LoopbackServer server(kPartialAnswer);
  EXPECT_EQ(SiteRequest(server.BaseUrl() + "/cut"), "abc");
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/cut"), "");
}

TEST_F(TransferLimitsTest, StopRequestEndsASlowBodyPromptly) {
  LoopbackServer server([](const std::string&, int) { return CannedReply{kPartialAnswer, 10000}; });
  auto body = std::make_shared<ByteString>("unset");
  const std::string url = server.BaseUrl() + "/chapter";
  const JobHandle job = StartJob([body, url] { *body = SiteRequest(url); });
  ASSERT_TRUE(server.WaitForReplies(1, 2000));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // let "abc" arrive
  ASSERT_FALSE(job.Finished());

  const auto stoppedAt = Clock::now();
  job.RequestStop();
  ASSERT_TRUE(job.WaitFinished(2000));
  EXPECT_LT(MillisecondsSince(stoppedAt), 500);
  EXPECT_EQ(*body, "abc");
}

// The limit is 64 MiB; the test lowers it to keep the transfer small.
TEST_F(TransferLimitsTest, BodyBeyondTheLimitIsCutThere) {
  EXPECT_EQ(RequestBodyLimit(), 64u * 1024u * 1024u);
  SetRequestBodyLimitForTesting(100000);
  std::string body;
  for (int i = 0; body.size() < 300000; ++i) body += std::to_string(i) + ",";
  // With and without a Content-Length line (the body then ends with the connection).
  const std::string withLength = HttpReply("200 OK", body);
  const std::string withoutLength = "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body;
  for (const std::string& answer : {withLength, withoutLength}) {
    LoopbackServer server(answer);
    EXPECT_EQ(SiteRequest(server.BaseUrl() + "/huge"), body.substr(0, 100000));
    EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/huge"), "");
  }
  SetRequestBodyLimitForTesting(0);
  LoopbackServer server(withoutLength);
  EXPECT_EQ(HttpReadFile(server.BaseUrl() + "/whole"), body);
}

}  // namespace
