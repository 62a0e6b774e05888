#pragma once

// The reader: one book's information, the chapter being read and the chapter
// list. Built from forms/ReaderWindow.ui; the creation and close steps and
// the layout live in reader_window.cpp and reader_layout.cpp, the jobs that
// fill the window in book_loaders.cpp, chapter navigation in
// chapter_navigation.cpp and the bookmark handlers in bookmarks.cpp.

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

#include "app/services/job.h"
#include "scrape/gbk_text.h"

namespace Ui {
class ReaderWindow;
}
class QMenu;
class QWebEngineView;
class TickerDriver;

class ReaderWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ReaderWindow)

 public:
  // Loads the form and runs the creation steps: the chapter cache folder,
  // the book information job (tracked), visible, Shift+Z.
  // `mainWindow` is the library browser that Shift+Z hides and shows with
  // the reader (not the reader's parent: the reader is a window of its own).
  explicit ReaderWindow(QWidget* mainWindow = nullptr);
  ~ReaderWindow() override;

  Ui::ReaderWindow& form() { return *ui_; }
  QMenu& ReaderMenu() { return *menu_; }

  // Layout.
  void LayoutReaderWindow();
  void TogglePanel();
  void ShowInfoView();
  // Whether the chapter panel is pushed out of view: program-wide, kept from
  // one reader window to the next.
  static bool PanelHidden();
  // The window's outer size as the layout counts it: the client size plus
  // the frame of the form (769x583 outside, 764x557 inside).
  QSize OuterSize() const;

  // Chapter navigation.
  void OpenSelectedChapter();
  // Moves the selection by `step` (-1 or +1) and loads that chapter; at the
  // first and the last chapter it stays and says so.
  void StepChapter(int step);
  void ReloadChapterList();
  void ShowReaderMenu();

  // Bookmarks.
  void SetBookmark();
  void OpenRecentChapter();

  // The job whose handle the window keeps: it is asked to stop at close.
  const JobHandle& TrackedJob() const { return trackedJob_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class ReaderLoad;

  void ApplyInitialState();
  void BuildReaderMenu();
  void ConnectHandlers();
  void PrepareChapterView();
  void WatchChapterViewChild(QObject* child);
  bool HandleChapterViewKey(int key);
  void WriteMainTable(int reservedWidth);
  void ShowChapterTipAt(const QPoint& pos);
  void HideChapterTip();
  void StartChapterLoad();
  void ToggleBothWindows();

  std::unique_ptr<Ui::ReaderWindow> ui_;
  QMenu* menu_ = nullptr;
  QWebEngineView* chapterView_ = nullptr;
  TickerDriver* infoTicker_ = nullptr;    // inside InfoView
  TickerDriver* readerTicker_ = nullptr;  // above the chapter panel
  QTimer chapterTipTimer_;
  QPixmap panelShownPicture_;
  QPixmap panelHiddenPicture_;
  JobHandle trackedJob_;
  JobHandle chapterJob_;
  std::atomic<int> chapterGeneration_{0};
  std::atomic<int> chapterListGeneration_{0};
  QPointer<QWidget> mainWindow_;
  int hotKeyId_ = 0;
};
