#include "notices/outside_links.h"

#include "app/services/desktop_seam.h"

GbkText BlogUrl(const GbkText& noticeBaseUrl) {
  return noticeBaseUrl;
}

GbkText BookDownloadUrl(BookDownload which, const SharedState& shared) {
  switch (which) {
    case BookDownload::kTxt:
      return shared.TxtDownloadUrl.Get();
    case BookDownload::kUdm:
      return shared.UdmDownloadUrl.Get();
    case BookDownload::kJar:
      break;
  }
  return shared.JarDownloadUrl.Get();
}

void OpenBlog(const GbkText& noticeBaseUrl) {
  Desktop().OpenUrl(BlogUrl(noticeBaseUrl));
}

void OpenBookDownload(BookDownload which, const SharedState& shared) {
  Desktop().OpenUrl(BookDownloadUrl(which, shared));
}
