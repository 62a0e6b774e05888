// Timing of MainWindow against the in-process sample site (50-row ranking
// pages): start to first row shown, label release to last row shown (median
// of 20 loads), the longest stall of the window thread during those loads,
// and the resident memory with only MainWindow open.
//
// Run: QT_QPA_PLATFORM=offscreen build/bench/main_window_timing
#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "sample_site.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

bool Idle(MainWindow& w) {
  return !w.ListLoadRunning() && w.form().SearchButton->isEnabled() &&
         w.form().LoadingPanel->isHidden();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
  return done();
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

class SilentSeam final : public DesktopSeam {
 public:
  void ShowMessage(const GbkText&, const GbkText&, MessageIcon) override {}
  void OpenUrl(const GbkText&) override {}
  void EndProgram(int) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  sample_site::SampleSiteOptions options;
  options.catalogue.books = 2000;
  options.catalogue.rankingPageSize = 50;
  sample_site::SampleSite site(options);
  site.Start(0);
  Shared().SiteBaseUrl.Set(site.BaseUrl());
  Shared().NoticeBaseUrl.Set(site.BaseUrl());
  SetDesktopSeam(std::make_shared<SilentSeam>());

  // The window thread's longest gap between two 1 ms timer ticks.
  QElapsedTimer sinceTick;
  qint64 longestStall = 0;
  bool measuring = false;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    if (measuring) longestStall = std::max(longestStall, sinceTick.elapsed());
    sinceTick.restart();
  });
  ticker.start(1);

  QElapsedTimer clock;
  clock.start();
  MainWindow window;
  window.show();
  WaitFor([&] { return window.form().BookListView->topLevelItemCount() > 0; });
  const qint64 firstRowMs = clock.elapsed();
  WaitFor([&] { return Idle(window); });
  const int rowsPerPage = window.form().BookListView->topLevelItemCount();

  const ListLabel* label = nullptr;
  for (const ListLabel& l : MainWindow::ListLabels()) {
    if (std::string_view(l.path) == "/book/Topallvisit/") label = &l;
  }
  std::vector<double> loadsMs;
  sinceTick.restart();
  measuring = true;
  for (int i = 0; i < 20; ++i) {
    QElapsedTimer load;
    load.start();
    QTest::mouseRelease(window.Label(*label), Qt::LeftButton, {}, QPoint(4, 4));
    WaitFor([&] {
      return Idle(window) && window.form().BookListView->topLevelItemCount() == rowsPerPage;
    });
    loadsMs.push_back(load.nsecsElapsed() / 1e6);
  }
  measuring = false;
  std::sort(loadsMs.begin(), loadsMs.end());

  std::printf("rows per page: %d\n", rowsPerPage);
  std::printf("start to first row shown: %lld ms\n", static_cast<long long>(firstRowMs));
  std::printf("label release to last row: median %.1f ms, max %.1f ms (20 loads)\n",
              loadsMs[loadsMs.size() / 2], loadsMs.back());
  std::printf("longest window-thread stall during the loads: %lld ms\n",
              static_cast<long long>(longestStall));
  std::printf("resident memory with MainWindow open: %.1f MiB\n", ResidentKiB() / 1024.0);
  site.Stop();
  return 0;
}
