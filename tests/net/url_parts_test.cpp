#include "net/url_parts.h"

#include <gtest/gtest.h>

namespace {

struct UrlCase {
  const char* url;
  const char* host;
  int port;
  const char* path;
};

// Each row: a URL and the host, port and object path a request to it uses.
const UrlCase kUrlCases[] = {
    {"http://www.example.com/book/list6/3.html", "www.example.com", 80, "/book/list6/3.html"},
    {"http://www.example.com:8080/book/list6/3.html", "www.example.com", 8080,
     "/book/list6/3.html"},
    {"HTTP://WWW.Example.COM/Book/Index.html", "www.example.com", 80, "/Book/Index.html"},
    {"www.example.com/list/2.html", "www.example.com", 80, "/list/2.html"},
    {"www.example.com", "www.example.com", 80, "/"},
    {"http://www.example.com", "www.example.com", 80, "/"},
    {"http://www.example.com:8080", "www.example.com", 8080, "/"},
    {"http://127.0.0.1:18080/modules/article/search.php?searchkey=%B6%B7&x=1", "127.0.0.1", 18080,
     "/modules/article/search.php?searchkey=%B6%B7&x=1"},
    {"http://host:/a", "host", 0, "/a"},
    {"http://host:12ab/a", "host", 12, "/a"},
    {"http://host:x/a", "host", 0, "/a"},
    {"localhost:8080/x", "localhost", 8080, "/x"},
    {"https://secure.example.com/a/b?c", "secure.example.com", 443, "/a/b?c"},
    {"HTTPS://Secure.Example.com:8443", "secure.example.com", 8443, "/"},
    // A host that also occurs in the scheme word is still found after it.
    {"http://t/x/y.html", "t", 80, "/x/y.html"},
    {"http://p:81/q", "p", 81, "/q"},
    {"", "", 80, "/"},
};

TEST(UrlPartsTest, SplitsHostPortAndObjectPath) {
  for (std::size_t i = 0; i < std::size(kUrlCases); ++i) {
    const UrlCase& c = kUrlCases[i];
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << c.url);
    EXPECT_EQ(UrlHostName(c.url), c.host);
    EXPECT_EQ(UrlPort(c.url), c.port);
    EXPECT_EQ(UrlObjectPath(c.url), c.path);
  }
}

TEST(UrlPartsTest, HugePortSaturatesInsteadOfOverflowing) {
  EXPECT_GT(UrlPort("http://host:99999999999999999999/"), 65535);
}

}  // namespace
