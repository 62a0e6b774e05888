// The search bar: a keyword, title or author, and the search button.
#include "app/services/desktop_seam.h"
#include "app/widgets/click_label.h"
#include "scrape/gbk_literal.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

void MainWindow::SearchClicked() {
  // No list stays marked as chosen once a search is asked for.
  for (const ListLabel& label : ListLabels()) Label(label)->SetTextColor(0);
  if (ui_->KeywordEdit->text().isEmpty()) {
    Desktop().ShowMessage("请输入正确的数据!"_gbk, {}, MessageIcon::kNone);
    return;
  }
  const char* field = ui_->TitleRadio->isChecked()    ? "articlename"
                      : ui_->AuthorRadio->isChecked() ? "author"
                                                      : nullptr;
  if (!field) return;
  ui_->BookListView->clear();
  ui_->BookIdListView->clear();
  ui_->PageCounterLabel->setText(QString());
  ui_->SearchFieldEdit->setText(QString::fromLatin1(field));
  StartListLoad(ListKind::kSearch);
}
