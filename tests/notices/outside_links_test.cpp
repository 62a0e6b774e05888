#include "notices/outside_links.h"

#include <gtest/gtest.h>

#include "app/services/shared_state.h"
#include "notice_test_support.h"

namespace {

TEST(OutsideLinks, EachLinkOpensItsAddress) {
  SharedState shared;
  shared.TxtDownloadUrl.Set("http://s.example/modules/article/packdown.php?id=7&type=txt");
  shared.UdmDownloadUrl.Set("http://s.example/modules/article/packdown.php?id=7&type=umd");
  shared.JarDownloadUrl.Set("http://s.example/modules/article/packdown.php?id=7&type=jar");
  ScopedRecordingSeam seam;
  OpenBlog("http://n.example:8080");
  OpenBookDownload(BookDownload::kTxt, shared);
  OpenBookDownload(BookDownload::kUdm, shared);
  OpenBookDownload(BookDownload::kJar, shared);
  const std::vector<GbkText> expected = {
      "http://n.example:8080", "http://s.example/modules/article/packdown.php?id=7&type=txt",
      "http://s.example/modules/article/packdown.php?id=7&type=umd",
      "http://s.example/modules/article/packdown.php?id=7&type=jar"};
  EXPECT_EQ(seam->OpenedUrls(), expected);
  EXPECT_TRUE(seam->Messages().empty());
}

TEST(OutsideLinks, DownloadBeforeAnyBookOpensWhatIsThere) {
  SharedState shared;  // no book opened yet
  EXPECT_EQ(BookDownloadUrl(BookDownload::kTxt, shared), "");
  shared.JarDownloadUrl.Set("http://s.example/previous.jar");
  EXPECT_EQ(BookDownloadUrl(BookDownload::kJar, shared), "http://s.example/previous.jar");
}

}  // namespace
