// Opening a book from the book list or the bookmark list, and the tip that
// shows a whole cell of the narrow book list columns.
#include <QMouseEvent>
#include <QToolTip>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

void SetCurrentBook(const GbkText& id) {
  Shared().CurrentBookId.Set(id);
  Shared().CurrentBookUrl.Set(Shared().SiteBaseUrl.Get() + "/book/" + id + ".html");
}

}  // namespace

void MainWindow::OpenBookFromList() {
  QTreeWidgetItem* current = ui_->BookListView->currentItem();
  const int row = current ? ui_->BookListView->indexOfTopLevelItem(current) : -1;
  const QTreeWidgetItem* idItem = row >= 0 ? ui_->BookIdListView->topLevelItem(row) : nullptr;
  SetCurrentBook(idItem ? FromQt(idItem->text(0)) : GbkText());
  emit bookOpened();
}

void MainWindow::OpenBookFromBookmark() {
  const QListWidgetItem* item = ui_->BookmarkListBox->currentItem();
  const int value = item ? item->data(Qt::UserRole).toInt() : -1;
  SetCurrentBook(NumberToText(value));
  emit bookOpened();
}

void MainWindow::ShowBookmarkedBook(int bookId, const QString& title) {
  QListWidget* list = ui_->BookmarkListBox;
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->data(Qt::UserRole).toInt() == bookId) {
      list->item(i)->setText(title);
      return;
    }
  }
  auto* item = new QListWidgetItem(title);
  item->setData(Qt::UserRole, bookId);
  list->addItem(item);
}

void MainWindow::ShowCellTip(const QPoint& viewportPos) {
  QTreeWidget* view = ui_->BookListView;
  const QModelIndex index = view->indexAt(viewportPos);
  const QString text = index.isValid() ? index.data().toString() : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(view->viewport()->mapToGlobal(viewportPos), text, view);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->BookListView->viewport() && event->type() == QEvent::MouseMove) {
    ShowCellTip(static_cast<QMouseEvent*>(event)->position().toPoint());
  }
  return QWidget::eventFilter(watched, event);
}
