// Moving through the pages of the list chosen last.
#include <cmath>

#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "scrape/gbk_literal.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

void ShowPagingMessage(const GbkText& text) {
  Desktop().ShowMessage(text, "Tavelin小说阅读器 V0.9.3 beta版"_gbk, MessageIcon::kNone);
}

const GbkText& NoPagingMessage() {
  return "现在不能对页数进行操作,请搜索书籍后重试!"_gbk;
}

}  // namespace

// Shows `message` and returns true when the book list has no rows.
bool MainWindow::RefuseWhenEmpty(const GbkText& message) {
  if (ui_->BookListView->topLevelItemCount() > 0) return false;
  ShowPagingMessage(message);
  return true;
}

// The common move: the loader of the list's kind, fresh list views, the new
// page number, and the load started.
void MainWindow::MovePage(int page) {
  const ListKind kind =
      Shared().BrowseMode.Get() == "分类阅读"_gbk ? ListKind::kCategory : ListKind::kRanking;
  ui_->BookListView->clear();
  ui_->BookIdListView->clear();
  Shared().CurrentPage = page;
  StartListLoad(kind);
}

void MainWindow::ShowFirstPage() {
  if (RefuseWhenEmpty("现在不能输入,请搜索书籍后再选择跳转的页数"_gbk)) return;
  MovePage(1);
}

void MainWindow::ShowLastPage() {
  // The last page as the site counted it; a list without a page count has
  // only the page shown, so the first page is loaded as before.
  if (RefuseWhenEmpty("现在不能输入,请搜索书籍后再选择跳转的页数"_gbk)) return;
  const int last = TextToInteger(Shared().PageCountText.Get());
  MovePage(last >= 1 ? last : 1);
}

void MainWindow::ShowPreviousPage() {
  if (RefuseWhenEmpty(NoPagingMessage())) return;
  const int page = Shared().CurrentPage;
  if (page > 1) {
    MovePage(page - 1);
  } else {
    ShowPagingMessage("已经是首页了!"_gbk);
  }
}

void MainWindow::ShowNextPage() {
  if (RefuseWhenEmpty(NoPagingMessage())) return;
  const double count = TextToNumber(Shared().PageCountText.Get());
  const int page = Shared().CurrentPage;
  if (page > count || std::fabs(page - count) < kNumberTolerance) {
    ShowPagingMessage("已经是尾页了!"_gbk);
    return;
  }
  MovePage(page + 1);
}

void MainWindow::JumpToPage() {
  if (RefuseWhenEmpty(NoPagingMessage())) return;
  const GbkText countText = Shared().PageCountText.Get();
  const double wanted = TextToNumber(FromQt(ui_->PageJumpEdit->text()));
  const double count = TextToNumber(countText);
  const bool aboveOne = wanted > 1 && std::fabs(wanted - 1) >= kNumberTolerance;
  const bool aboveCount = wanted > count && std::fabs(wanted - count) >= kNumberTolerance;
  if (aboveOne && aboveCount) {
    ShowPagingMessage("输入的页码有误,一共才"_gbk + countText + ",请重新输入!"_gbk);
    return;
  }
  MovePage(TextToInteger(FromQt(ui_->PageJumpEdit->text())));
}
