#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QHeaderView>

#include "account/widgets/account_panels.h"
#include "app/services/desktop_seam.h"
#include "app/services/shared_state.h"
#include "app/startup_jobs.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "notices/ticker_cycle.h"
#include "notices/widgets/ticker_driver.h"
#include "scrape/gbk_literal.h"
#include "store/known_folders.h"
#include "store/local_files.h"
#include "ui_MainWindow.h"

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(new Ui::MainWindow) {
  ui_->setupUi(this);
  ApplyInitialState();
  ConnectHandlers();
  new AccountPanels(this);

  // The created handler.
  const GbkText caption =
      "Tavelin小说阅读器 V0.9.3 beta版 - 摆脱关不尽的弹窗,尽情享受绿色阅读的快感!"_gbk;
  Shared().ProgramCaption.Set(caption);
  setWindowTitle(ToQt(caption));
  StartStartupJobs();
  Shared().CurrentPage = 1;
  for (const ListLabel& label : ListLabels()) {
    if (std::string_view(label.path) == "/book/toplastupdate/") ShowListLabel(label);
  }
}

MainWindow::~MainWindow() {
  // Loads still running end without effect; their transfers are stopped.
  listJob_.RequestStop();
}

void MainWindow::ApplyInitialState() {
  setFixedSize(size());
  const int widths[] = {100, 200, 80, 130, 60};
  for (int column = 0; column < 5; ++column)
    ui_->BookListView->header()->resizeSection(column, widths[column]);
  ui_->BookListView->viewport()->installEventFilter(this);
  for (QWidget* hidden :
       {static_cast<QWidget*>(ui_->LoginPanel), static_cast<QWidget*>(ui_->MemberPanel),
        static_cast<QWidget*>(ui_->LoadingPanel), static_cast<QWidget*>(ui_->SearchFieldEdit),
        static_cast<QWidget*>(ui_->BookIdListView)})
    hidden->hide();
  ui_->LoadingPanel->setAutoFillBackground(true);
  ui_->LoadingPanel->raise();
  ui_->MainTickerLink->SetTarget(TickerFormTarget(Shared().NoticeBaseUrl.Get()));
  mainTicker_ = new TickerDriver(ui_->MainTickerLink, TickerKind::kMain, QString(), this);
}

void MainWindow::ConnectHandlers() {
  for (const ListLabel& label : ListLabels()) {
    connect(Label(label), &ClickLabel::released, this, [this, &label] { ShowListLabel(label); });
  }
  connect(ui_->FirstPageLabel, &ClickLabel::released, this, &MainWindow::ShowFirstPage);
  connect(ui_->PrevPageLabel, &ClickLabel::released, this, &MainWindow::ShowPreviousPage);
  connect(ui_->NextPageLabel, &ClickLabel::released, this, &MainWindow::ShowNextPage);
  connect(ui_->LastPageLabel, &ClickLabel::released, this, &MainWindow::ShowLastPage);
  connect(ui_->GoButton, &QPushButton::clicked, this, &MainWindow::JumpToPage);
  connect(ui_->PageJumpEdit, &QLineEdit::returnPressed, this, &MainWindow::JumpToPage);
  connect(ui_->SearchButton, &QPushButton::clicked, this, &MainWindow::SearchClicked);
  connect(ui_->KeywordEdit, &QLineEdit::returnPressed, this, [this] {
    if (ui_->SearchButton->isEnabled()) SearchClicked();
  });
  connect(ui_->BookListView, &QTreeWidget::itemDoubleClicked, this, &MainWindow::OpenBookFromList);
  connect(ui_->BookmarkListBox, &QListWidget::itemDoubleClicked, this,
          &MainWindow::OpenBookFromBookmark);
}

void MainWindow::StartStartupJobs() {
  ::StartStartupJobs(this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The about-to-be-destroyed handler: the reading pages go, and the program
  // ends at once without closing the reader or waiting for jobs.
  DeleteFolderTree(ChapterCacheDir());
  event->accept();
  Desktop().EndProgram(0);
}
