#pragma once

// The reader's jobs, as they see the window (book_loaders.cpp).

#include <QPointer>

#include <functional>

class ReaderWindow;
namespace Ui {
class ReaderWindow;
}

class ReaderLoad final {
 public:
  // Taken on the window thread when the job is started.
  explicit ReaderLoad(ReaderWindow* window);

  // Fetches CurrentBookUrl and fills the information view, the caption, the
  // cover, the download addresses, ChapterListUrl and the recent-reading
  // label, then runs LoadChapterListPage.
  void LoadBookInfoPage() const;
  // Fetches ChapterListUrl and fills ChapterListBox (title, chapter number as
  // Qt::UserRole), with the panel's caption saying how far it is.
  void LoadChapterListPage() const;
  // Fetches the current chapter, writes its reading page into ChapterCacheDir
  // and shows it in ChapterView, unless a newer chapter load (generation) has
  // started meanwhile.
  void LoadChapterPage(int generation) const;

 private:
  // Runs `write` on the window thread when the window still exists; returns
  // false when it did not run or when the job has been asked to stop.
  bool Write(const std::function<void(ReaderWindow&, Ui::ReaderWindow&)>& write) const;

  QPointer<QObject> guard_;  // null once the window is gone
  ReaderWindow* window_;     // used only on the window thread after guard_ was checked
};
