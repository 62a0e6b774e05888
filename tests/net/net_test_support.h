#pragma once

// Shared pieces of the request engine tests: a fixture that starts every test
// with an empty cookie store and the default limits, and the exact
// request bytes the engine is expected to send.

#include <gtest/gtest.h>

#include <string>

class NetTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

extern const std::string kUserAgentLine;
extern const std::string kDefaultAcceptLine;

// A site request as sent: the request line ("GET /path HTTP/1.1"), Host,
// User-Agent, `middleLines` (a Cookie line, the caller's lines), then the
// default Accept, Referer and Accept-Language lines, `closingLines` (the
// body lines of a POST), the blank line and the body.
std::string ExpectedSiteRequest(const std::string& requestLine, const std::string& hostAndPort,
                                const std::string& referer, const std::string& middleLines = {},
                                const std::string& closingLines = {}, const std::string& body = {});

// An HttpReadFile request as sent: "GET <path> HTTP/1.0", Host, User-Agent,
// `cookieLine` (with its line end, or empty), "Accept: */*".
std::string ExpectedReadFileRequest(const std::string& path, const std::string& hostAndPort,
                                    const std::string& cookieLine = {});
