#include "ui/reader/bookmark_scan.h"

#include <QListWidget>

#include "app/services/job.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "scrape/gbk_literal.h"
#include "store/ini_file.h"
#include "store/known_folders.h"
#include "store/local_files.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

// Returns false when the scan should end (window gone, stop requested).
bool ScanFolder(const QPointer<QObject>& window, const GbkText& folder) {
  for (const GbkText& name : FindFolderEntries(folder, "*.ini", EntryKind::kFiles)) {
    if (StopRequested()) return false;
    const GbkText file = folder + "/" + name;
    const GbkText title = ReadIniValue(file, "0", "书名"_gbk);
    const int id = TextToInteger(ReadIniValue(file, "0", "ID"));
    bool added = false;
    OnWindowThread(window, [&] {
      auto* main = qobject_cast<MainWindow*>(window.data());
      if (!main) return;
      auto* item = new QListWidgetItem(ToQt(title));
      item->setData(Qt::UserRole, id);
      main->form().BookmarkListBox->addItem(item);
      added = true;
    });
    if (!added) return false;
  }
  for (const GbkText& name : FindFolderEntries(folder, "*.*", EntryKind::kFolders)) {
    if (name.empty() || name[0] == '.') continue;
    if (!ScanFolder(window, folder + "/" + name)) return false;
  }
  return true;
}

}  // namespace

void ScanBookmarkFolder(const QPointer<QObject>& window) {
  const GbkText folder = BookmarkFolder();
  if (folder.empty() || !FileExists(folder)) return;
  ScanFolder(window, folder);
}
