#include "net_test_support.h"

#include "net/cookie_store.h"
#include "net/request_limits.h"

void NetTest::SetUp() {
  ClearCookies();
  SetRequestTimeoutsForTesting(0, 0);
  SetRequestBodyLimitForTesting(0);
}

void NetTest::TearDown() {
  SetRequestTimeoutsForTesting(0, 0);
  SetRequestBodyLimitForTesting(0);
}

const std::string kUserAgentLine =
    "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n";
const std::string kDefaultAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";

std::string ExpectedSiteRequest(const std::string& requestLine, const std::string& hostAndPort,
                                const std::string& referer, const std::string& middleLines,
                                const std::string& closingLines, const std::string& body) {
  return requestLine + "\r\nHost: " + hostAndPort + "\r\n" + kUserAgentLine + middleLines +
         kDefaultAcceptLine + "Referer: " + referer + "\r\nAccept-Language: zh-cn\r\n" +
         closingLines + "\r\n" + body;
}

std::string ExpectedReadFileRequest(const std::string& path, const std::string& hostAndPort,
                                    const std::string& cookieLine) {
  return "GET " + path + " HTTP/1.0\r\nHost: " + hostAndPort + "\r\n" + kUserAgentLine +
         cookieLine + "Accept: */*\r\n\r\n";
}
