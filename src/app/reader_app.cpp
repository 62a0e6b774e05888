#include "app/reader_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/app_options.h"
#include "app/demo_site.h"
#include "app/qt_desktop_seam.h"
#include "app/services/shared_state.h"
#include "ui/main/main_window.h"
#include "ui/reader/open_reader.h"

namespace {

// Qt WebEngine's browser process refuses to run as root with its sandbox.
void PrepareWebEngine() {
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

std::string ExecutableDir(const char* argv0) {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path = n > 0 ? std::string(buffer, n) : std::string(argv0);
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

int RunReader(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  int exitCode = 0;
  std::optional<AppOptions> options = ParseAppOptions(args, &exitCode);
  if (!options) return exitCode;

  PrepareWebEngine();
  QApplication app(argc, argv);
  QApplication::setApplicationName("tavelin");
  QApplication::setApplicationVersion("0.9.3");
  const std::string exeDir = ExecutableDir(argv[0]);
  for (const std::string& icon : {exeDir + "/assets/icons/tavelin.png",
                                  exeDir + "/../share/tavelin/assets/icons/tavelin.png"}) {
    if (QFile::exists(QString::fromStdString(icon))) {
      QApplication::setWindowIcon(QIcon(QString::fromStdString(icon)));
      break;
    }
  }

  if (options->demo) {
    const std::string url = StartDemoSite();
    if (url.empty()) {
      std::fputs("tavelin: the sample site could not be started\n", stderr);
      return 1;
    }
    options->siteUrl = options->noticeUrl = url;
  }
  if (options->assetUrl.empty()) options->assetUrl = DefaultAssetUrl(exeDir);
  Shared().SiteBaseUrl.Set(options->siteUrl);
  Shared().NoticeBaseUrl.Set(options->noticeUrl);
  Shared().ReadingAssetBaseUrl.Set(options->assetUrl);

  SetDesktopSeam(std::make_shared<QtDesktopSeam>());
  auto* window = new MainWindow;
  OpenReadersFrom(window);
  window->move(50, 50);
  window->show();
  return app.exec();
}
