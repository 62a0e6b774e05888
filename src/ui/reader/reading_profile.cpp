#include "ui/reader/reading_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "store/known_folders.h"

namespace {

bool IsUnder(const QString& path, const QString& folder) {
  const QString cleanFolder = QDir::cleanPath(folder);
  return !cleanFolder.isEmpty() && QDir::cleanPath(path).startsWith(cleanFolder + "/");
}

// Every request of a reading page passes here: what is not ours is refused.
class ReadingRequestFilter final : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!IsReadingPageResource(info.requestUrl())) info.block(true);
  }
};

// Link clicks leave the view for the default browser; a link that opens a
// new window does the same through a page that never shows.
class ReadingPage final : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override {
    if (IsReadingPageResource(url)) return true;
    if (type == NavigationTypeLinkClicked && (url.scheme() == "http" || url.scheme() == "https"))
      Desktop().OpenUrl(FromQt(url.toString()));
    (void)isMainFrame;
    return false;
  }

  QWebEnginePage* createWindow(WebWindowType) override {
    auto* outside = new ReadingPage(profile(), this);
    // The first navigation of the new window is the link's address; the page
    // refuses it (handing http links to the browser) and goes away.
    connect(outside, &QWebEnginePage::loadFinished, outside, &QObject::deleteLater);
    return outside;
  }
};

QWebEngineProfile* ReadingProfile() {
  static QWebEngineProfile* profile = [] {
    // No storage name: nothing of it is written to disk.
    auto* created = new QWebEngineProfile(QCoreApplication::instance());
    created->setUrlRequestInterceptor(new ReadingRequestFilter(created));
    created->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    QWebEngineSettings* settings = created->settings();
    const bool remoteAssets = !QUrl(ToQt(Shared().ReadingAssetBaseUrl.Get())).isLocalFile();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, remoteAssets);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, true);
    return created;
  }();
  return profile;
}

}  // namespace

bool IsReadingPageResource(const QUrl& url) {
  if (url.isLocalFile()) {
    const QString path = url.toLocalFile();
    if (IsUnder(path, QString::fromStdString(ChapterCacheDir())) && !path.contains("/../"))
      return true;
  }
  const QUrl assets(ToQt(Shared().ReadingAssetBaseUrl.Get()));
  if (assets.isLocalFile())
    return url.isLocalFile() && IsUnder(url.toLocalFile(), assets.toLocalFile());
  const QString base = assets.toString();
  return !base.isEmpty() && url.toString().startsWith(base + "/") && !url.path().contains("/../");
}

QWebEnginePage* NewReadingPage(QObject* parent) {
  return new ReadingPage(ReadingProfile(), parent);
}
