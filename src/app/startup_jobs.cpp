#include "app/startup_jobs.h"

#include <QPointer>

#include "app/services/job.h"
#include "ui/main/main_window.h"
#include "ui/reader/bookmark_scan.h"

void StartStartupJobs(MainWindow* window) {
  // The jobs are added here as their windows' halves are built.
  // The bookmark list.
  StartJob([guard = QPointer<QObject>(window)] { ScanBookmarkFolder(guard); });
}
