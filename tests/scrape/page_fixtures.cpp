#include "page_fixtures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "scrape/charset.h"
#include "test_paths.h"

GbkText ReadFixturePage(std::string_view name) {
  const std::string path = std::string(TAVELIN_TEST_DATA_DIR) + "/pages/" + std::string(name);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ADD_FAILURE() << "cannot read " << path;
    return {};
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Utf8(std::string_view gbk) {
  return GbkToUtf8(gbk);
}
