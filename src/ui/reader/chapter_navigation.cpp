// Moving from chapter to chapter: a double click, previous and next by label,
// menu and keys, the reload labels, the reader menu and the chapter tip.
#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QToolTip>

#include "app/services/desktop_seam.h"
#include "scrape/gbk_literal.h"
#include "ui/reader/list_hit_test.h"
#include "ui/reader/reader_loads.h"
#include "ui/reader/reader_window.h"
#include "ui_ReaderWindow.h"

namespace {

// The item-from-point answer for which the tip was last shown; program-wide.
int lastHoverItem = 0;

constexpr int kChapterTipMs = 1500;

}  // namespace

void ReaderWindow::StartChapterLoad() {
  // The newest load wins: an older one still running neither writes its
  // caption nor navigates, and its transfer is stopped.
  chapterJob_.RequestStop();
  const int generation = ++chapterGeneration_;
  chapterJob_ =
      StartJob([load = ReaderLoad(this), generation] { load.LoadChapterPage(generation); });
}

void ReaderWindow::OpenSelectedChapter() {
  ui_->ReadingView->show();
  StartChapterLoad();
}

void ReaderWindow::StepChapter(int step) {
  QListWidget* list = ui_->ChapterListBox;
  const int target = list->currentRow() + step;
  // At either end the reader stays on its chapter and says so.
  if (target < 0 || target >= list->count()) {
    Desktop().ShowMessage(step < 0 ? "已经是第一章了!"_gbk : "已经是最后一章了!"_gbk, {},
                          MessageIcon::kNone);
    return;
  }
  list->setCurrentRow(target);
  StartChapterLoad();
}

void ReaderWindow::ReloadChapterList() {
  trackedJob_ = StartJob([load = ReaderLoad(this)] { load.LoadChapterListPage(); });
}

void ReaderWindow::ShowReaderMenu() {
  menu_->popup(QCursor::pos());
}

void ReaderWindow::ShowChapterTipAt(const QPoint& pos) {
  QListWidget* list = ui_->ChapterListBox;
  const int answer = ItemFromPoint(*list, pos);
  if (answer == lastHoverItem) return;
  lastHoverItem = answer;
  const QListWidgetItem* item = (answer & kNoItemBit) ? nullptr : list->item(answer);
  const QString text = item ? item->text() : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
  } else {
    // Not tied to the list's own hover handling: the tip stays until the
    // timer or the next item replaces it.
    QToolTip::showText(list->viewport()->mapToGlobal(pos + QPoint(12, 12)), text);
  }
  chapterTipTimer_.start(kChapterTipMs);
}

void ReaderWindow::HideChapterTip() {
  QToolTip::hideText();
  chapterTipTimer_.stop();
}
