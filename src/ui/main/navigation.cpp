// Choosing a category or ranking list with its label.
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "scrape/gbk_literal.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

const std::vector<ListLabel>& MainWindow::ListLabels() {
  static const std::vector<ListLabel> labels = {
      {"ListLabel_list2", "/book/list2/", true},
      {"ListLabel_list1", "/book/list1/", true},
      {"ListLabel_list4", "/book/list4/", true},
      {"ListLabel_list3", "/book/list3/", true},
      {"ListLabel_list6", "/book/list6/", true},
      {"ListLabel_list5", "/book/list5/", true},
      {"ListLabel_list8", "/book/list8/", true},
      {"ListLabel_list7", "/book/list7/", true},
      {"ListLabel_list10", "/book/list10/", true},
      {"ListLabel_list9", "/book/list9/", true},
      {"ListLabel_Topallvisit", "/book/Topallvisit/", false},
      {"ListLabel_Topallvote", "/book/Topallvote/", false},
      {"ListLabel_Topmonthvisit", "/book/Topmonthvisit/", false},
      {"ListLabel_Topmonthvote", "/book/Topmonthvote/", false},
      {"ListLabel_Topweekvisit", "/book/Topweekvisit/", false},
      {"ListLabel_Topweekvote", "/book/Topweekvote/", false},
      {"ListLabel_Toppostdate", "/book/Toppostdate/", false},
      {"ListLabel_toplastupdate", "/book/toplastupdate/", false},
      {"ListLabel_Topauthorupdate", "/book/Topauthorupdate/", false},
      {"ListLabel_Topmasterupdate", "/book/Topmasterupdate/", false},
      {"ListLabel_Topgoodnum", "/book/Topgoodnum/", false},
      {"ListLabel_Topsize", "/book/Topsize/", false},
  };
  return labels;
}

ClickLabel* MainWindow::Label(const ListLabel& label) const {
  return findChild<ClickLabel*>(QString::fromLatin1(label.objectName));
}

void MainWindow::ShowListLabel(const ListLabel& label) {
  ui_->BookListView->clear();
  ui_->BookIdListView->clear();
  Shared().BrowseMode.Set(label.category ? "分类阅读"_gbk : "排行阅读"_gbk);
  Shared().CurrentPage = 1;
  ui_->PageCounterLabel->setText(QString());
  Label(label)->SetTextColor(255);
  for (const ListLabel& other : ListLabels()) {
    if (&other != &label) Label(other)->SetTextColor(0);
  }
  ui_->ListUrlEdit->setText(ToQt(Shared().SiteBaseUrl.Get() + label.path));
  StartListLoad(label.category ? ListKind::kCategory : ListKind::kRanking);
}
