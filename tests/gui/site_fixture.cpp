#include "site_fixture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

#include "app/services/shared_state.h"
#include "sample_site.h"
#include "test_paths.h"

SiteFixture::SiteFixture() : site_(std::make_unique<sample_site::SampleSite>()) {
  // Every folder the reader may touch lies in the temporary home.
  const QByteArray home = home_.path().toLocal8Bit();
  setenv("HOME", home.constData(), 1);
  setenv("XDG_CONFIG_HOME", (home + "/config").constData(), 1);
  setenv("XDG_DATA_HOME", (home + "/data").constData(), 1);
  setenv("XDG_CACHE_HOME", (home + "/cache").constData(), 1);
  // The reader makes the reading-page folder and its missing parents itself.
  setenv("APPDATA", (home + "/appdata/Roaming").constData(), 1);
  setenv("XDG_DOCUMENTS_DIR", (home + "/Documents").constData(), 1);
  QDir().mkpath(home_.path() + "/Documents");

  site_->Start(0);
  const std::string base = site_->BaseUrl();
  Shared().SiteBaseUrl.Set(base);
  Shared().NoticeBaseUrl.Set(base);
  Shared().ReadingAssetBaseUrl.Set("file://" TAVELIN_SOURCE_DIR "/assets");
  seam_ = RecordingSeam::Install();
}

SiteFixture::~SiteFixture() {
  site_->Stop();
  SetDesktopSeam(nullptr);
}

QString SiteFixture::BaseUrl() const {
  return QString::fromStdString(site_->BaseUrl());
}

QStringList SiteFixture::RequestedPaths() const {
  QStringList paths;
  for (const sample_site::LoggedRequest& request : site_->RequestLog()) {
    QString target = QString::fromStdString(request.path);
    if (!request.query.empty()) target += "?" + QString::fromStdString(request.query);
    paths << target;
  }
  return paths;
}

void SiteFixture::ClearRequestLog() {
  site_->ClearRequestLog();
}

void SiteFixture::UseDeadSite() {
  // A port that was free a moment ago and has nothing listening now.
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  const int port = ntohs(address.sin_port);
  close(probe);
  const std::string dead = "http://127.0.0.1:" + std::to_string(port);
  Shared().SiteBaseUrl.Set(dead);
  Shared().NoticeBaseUrl.Set(dead);
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(2);
  }
  return true;
}
