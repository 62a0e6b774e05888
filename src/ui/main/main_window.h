#pragma once

// The library browser: category and ranking lists, paging, search, the book
// list and the bookmark list. Built from forms/MainWindow.ui; the handlers
// live in the files named after what the user does (navigation, paging,
// search form, list actions) and the list loaders in list_loaders.cpp.

#include <QPointer>
#include <QWidget>

#include <atomic>
#include <memory>

#include "app/services/job.h"
#include "scrape/gbk_text.h"

namespace Ui {
class MainWindow;
}
class ClickLabel;
class TickerDriver;

// One of the 22 category and ranking labels.
struct ListLabel {
  const char* objectName;  // the label's name in the form
  const char* path;        // appended to SiteBaseUrl to give ListUrl
  bool category;           // a category list (else a ranking list)
};

// Which loader fills the list views.
enum class ListKind { kRanking, kCategory, kSearch };

class MainWindow final : public QWidget {
  Q_OBJECT

 public:
  // Loads the form and runs the created handler: caption, start-up jobs,
  // CurrentPage 1 and the "最近更新" list.
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  Ui::MainWindow& form() { return *ui_; }
  TickerDriver* MainTicker() const { return mainTicker_; }

  // The 22 navigation labels, in form order (categories, then rankings).
  static const std::vector<ListLabel>& ListLabels();
  ClickLabel* Label(const ListLabel& label) const;

  // Handlers.
  void ShowListLabel(const ListLabel& label);
  void ShowFirstPage();
  void ShowPreviousPage();
  void ShowNextPage();
  void ShowLastPage();
  void JumpToPage();
  void SearchClicked();
  void OpenBookFromList();
  void OpenBookFromBookmark();
  // Lists a book whose bookmark was just set under "本地书签" (once per book;
  // a listed book keeps its place and takes the new title).
  void ShowBookmarkedBook(int bookId, const QString& title);

  // Starts the loader of `kind` as the list's newest load: an older load
  // still running stops adding rows.
  void StartListLoad(ListKind kind);
  // Whether the newest list load is still running.
  bool ListLoadRunning() const { return listJob_.Valid() && !listJob_.Finished(); }

 signals:
  // A book was chosen (CurrentBookId and CurrentBookUrl are set).
  void bookOpened();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class ListLoad;

  void StartStartupJobs();
  void ConnectHandlers();
  void ApplyInitialState();
  void MovePage(int page);
  bool RefuseWhenEmpty(const GbkText& message);
  void ShowCellTip(const QPoint& viewportPos);

  std::unique_ptr<Ui::MainWindow> ui_;
  TickerDriver* mainTicker_ = nullptr;
  std::atomic<int> listGeneration_{0};
  JobHandle listJob_;
};
