// The loaders that fill the book list: a ranking page, a category page, or
// the answer to a search. Each runs as a job: it fetches the page, cuts it,
// and writes the controls through the window thread, row by row.
//
// Of several loads, the newest wins: a load that has been overtaken stops
// writing (rows, counter, busy state, messages) and its transfer is stopped.
// A row's two list entries are written in one call, so the book list and the
// id list always stay paired. Rows are handed to the window thread as they
// are cut without waiting for each (a round trip per row would make the list
// fill at the pace of thread switches); the idle state written last waits,
// so every row has taken effect when the load ends.
#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "net/site_request.h"
#include "scrape/category_page.h"
#include "scrape/gbk_literal.h"
#include "scrape/list_page.h"
#include "scrape/ranking_page.h"
#include "scrape/search_page.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

// One load of the book list, as its job sees the window.
class ListLoad final {
 public:
  ListLoad(MainWindow* window, int generation)
      : guard_(window), window_(window), generation_(generation) {}

  // Runs `write` on the window thread when the window still exists and this
  // load is still the newest; returns whether it ran.
  bool Write(const std::function<void(MainWindow&, Ui::MainWindow&)>& write) const {
    bool ran = false;
    OnWindowThread(guard_, [&] {
      // On the window thread, with the window known to exist.
      if (window_->listGeneration_.load() != generation_) return;
      write(*window_, *window_->ui_);
      ran = true;
    });
    return ran;
  }

  void Run(ListKind kind) const {
    GbkText address;
    if (!Write([&](MainWindow&, Ui::MainWindow& ui) {
          ui.SearchButton->setEnabled(false);
          ui.SearchButton->setText(ToQt("搜索中"_gbk));
          ui.LoadingPanel->show();
          if (kind == ListKind::kSearch) {
            address = SearchAddress(Shared().SiteBaseUrl.Get(), FromQt(ui.SearchFieldEdit->text()),
                                    FromQt(ui.KeywordEdit->text()));
          } else {
            address = ListPageAddress(FromQt(ui.ListUrlEdit->text()), Shared().CurrentPage.load());
          }
        }))
      return;
    const GbkText page = BytesToText(SiteRequest(address));
    if (kind == ListKind::kSearch && SearchPageShape(page) == SearchShape::kSingleBook) {
      ShowSingleBook(page);
    } else {
      ShowListPage(page, kind);
    }
    Write([](MainWindow&, Ui::MainWindow& ui) {
      ui.SearchButton->setEnabled(true);
      ui.SearchButton->setText(ToQt("搜 索"_gbk));
      ui.LoadingPanel->hide();
    });
  }

 private:
  // A ranking or category row (both have the same fields). Returns false
  // once this load has been asked to stop (it was overtaken).
  template <typename Row>
  bool AppendRow(const Row& row) const {
    if (StopRequested()) return false;
    QStringList cells = {ToQt(row.title), ToQt(row.latestChapter), ToQt(row.author),
                         ToQt(row.updateTime), ToQt(row.state)};
    PostToWindowThread(guard_, [window = window_, generation = generation_,
                                cells = std::move(cells), id = ToQt(row.bookId)] {
      if (window->listGeneration_.load() != generation) return;
      window->ui_->BookListView->addTopLevelItem(new QTreeWidgetItem(cells));
      window->ui_->BookIdListView->addTopLevelItem(new QTreeWidgetItem({id}));
    });
    return true;
  }

  // Only the newest load reports the site's error page.
  void ReportSiteError() const {
    bool current = false;
    Write([&](MainWindow&, Ui::MainWindow&) { current = true; });
    if (current)
      Desktop().ShowMessage("对不起，两次搜索的间隔时间不得少于 30 秒!"_gbk, {},
                            MessageIcon::kNone);
  }

  void ShowListPage(const GbkText& page, ListKind kind) const {
    const ListPageCounter counter = CutListPageCounter(page);
    if (!Write([&](MainWindow&, Ui::MainWindow& ui) {
          Shared().PageNumberText.Set(counter.pageNumber);
          Shared().PageCountText.Set(counter.pageCount);
          ui.PageCounterLabel->setText(ToQt(counter.pageNumber + "/" + counter.pageCount));
        }))
      return;
    const bool ranking = kind == ListKind::kRanking;
    const std::vector<GbkText> blocks = ranking ? RankingRowBlocks(page) : CategoryRowBlocks(page);
    if (IsSiteErrorPage(page)) {
      ReportSiteError();
      return;
    }
    for (const GbkText& block : blocks) {
      const bool appended =
          ranking ? AppendRow(CutRankingRow(block)) : AppendRow(CutCategoryRow(block));
      if (!appended) return;
    }
  }

  void ShowSingleBook(const GbkText& page) const {
    if (IsSiteErrorPage(page)) {
      ReportSiteError();
      return;
    }
    AppendRow(CutSingleBookRow(page));
  }

  QPointer<QObject> guard_;  // null once the window is gone
  MainWindow* window_;       // used only on the window thread after guard_ was checked
  int generation_;
};

void MainWindow::StartListLoad(ListKind kind) {
  listJob_.RequestStop();
  const int generation = ++listGeneration_;
  listJob_ = StartJob([load = ListLoad(this, generation), kind] { load.Run(kind); });
}
