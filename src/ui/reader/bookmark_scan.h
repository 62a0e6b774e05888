#pragma once

// The bookmark list of MainWindow: every book with a bookmark file.

#include <QPointer>

// Scans BookmarkFolder and its subfolders (depth first, leaving out folders
// whose name begins with "."), and adds one item per bookmark file to
// the BookmarkListBox of the MainWindow `window`: the "书名" value as text, the "ID" value as a
// number (0 when it is not one) in Qt::UserRole. A job; it stops when asked
// or when the window is gone.
// `window` is guarded: taken on the window thread when the job starts.
void ScanBookmarkFolder(const QPointer<QObject>& window);
