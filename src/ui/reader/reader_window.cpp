#include "ui/reader/reader_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QWebEngineView>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "notices/outside_links.h"
#include "notices/ticker_cycle.h"
#include "notices/widgets/about_window.h"
#include "notices/widgets/ticker_driver.h"
#include "scrape/gbk_literal.h"
#include "store/known_folders.h"
#include "store/local_files.h"
#include "ui/reader/hot_keys.h"
#include "ui/reader/panel_pictures.h"
#include "ui/reader/reader_loads.h"
#include "ui/reader/reading_profile.h"
#include "ui_ReaderWindow.h"

ReaderWindow::ReaderWindow(QWidget* mainWindow)
    : QWidget(nullptr), ui_(new Ui::ReaderWindow), mainWindow_(mainWindow) {
  setAttribute(Qt::WA_DeleteOnClose);
  ui_->setupUi(this);
  ApplyInitialState();
  BuildReaderMenu();
  PrepareChapterView();
  ConnectHandlers();

  // The creation steps.
  // The reading pages are the user's own: private, and their folder made with
  // any missing parents (a fresh account may have no ~/.local/share yet).
  CreateFolderPath(ChapterCacheDir(), 0700);
  const GbkText notices = Shared().NoticeBaseUrl.Get();
  infoTicker_->LoadTexts(notices);
  readerTicker_->LoadTexts(notices);
  trackedJob_ = StartJob([load = ReaderLoad(this)] { load.LoadBookInfoPage(); });
  show();
  hotKeyId_ = RegisterHotKeyCallback(this, [guard = QPointer<ReaderWindow>(this)] {
    if (guard) guard->ToggleBothWindows();
  });
}

ReaderWindow::~ReaderWindow() {
  UnregisterHotKey(hotKeyId_);
}

void ReaderWindow::ApplyInitialState() {
  move(50, 50);  // the form's place (a top-level form only gives its size)
  for (QWidget* hidden :
       {static_cast<QWidget*>(ui_->ReadingView), static_cast<QWidget*>(ui_->ReaderLoadingPanel),
        static_cast<QWidget*>(ui_->ChapterLoadingPanel), static_cast<QWidget*>(ui_->hiddenEdit1),
        static_cast<QWidget*>(ui_->hiddenEdit2), static_cast<QWidget*>(ui_->spareLabel2),
        static_cast<QWidget*>(ui_->spareLabel3)})
    hidden->hide();
  // The reading view covers the information view whole, its caption too.
  ui_->ReadingView->setAutoFillBackground(true);
  for (QWidget* panel : {ui_->ReaderLoadingPanel, ui_->ChapterLoadingPanel}) {
    panel->setAutoFillBackground(true);
    panel->raise();
  }
  // "【内容介绍】" then an empty line and an indent: the introduction follows.
  ui_->IntroEdit->setPlainText(QString::fromUtf8("【内容介绍】\n\n    "));
  panelShownPicture_ = PanelPicture(PanelPictureKind::kPanelShown);
  panelHiddenPicture_ = PanelPicture(PanelPictureKind::kPanelHidden);
  // The form's picture, whatever PanelHidden says.
  ui_->PanelToggleBox->setPixmap(panelShownPicture_);
  const GbkText home = TickerFormTarget(Shared().NoticeBaseUrl.Get());
  ui_->InfoTickerLink->SetTarget(home);
  ui_->ReaderTickerLink->SetTarget(home);
  infoTicker_ = new TickerDriver(ui_->InfoTickerLink, TickerKind::kInfo, "1", this);
  readerTicker_ = new TickerDriver(ui_->ReaderTickerLink, TickerKind::kReader, QString(), this);
  // The whole-book downloads: a caption on the part of each button that the
  // next one leaves uncovered.
  const std::pair<QPushButton*, const char*> downloads[] = {
      {ui_->PictureButton3, "TXT"}, {ui_->PictureButton4, "UDM"}, {ui_->PictureButton5, "JAR"}};
  for (const auto& [button, caption] : downloads) {
    button->setText(QString::fromUtf8(caption) + QString::fromUtf8("下载"));
    button->setStyleSheet(
        "QPushButton { text-align: left; padding-left: 4px; border: none; color: #1f5fa8; }");
    button->setCursor(Qt::PointingHandCursor);
  }
  chapterTipTimer_.setObjectName(QString::fromUtf8("时钟1"));  // ChapterTipTimer, stopped
  ui_->ChapterListBox->setMouseTracking(true);
  ui_->ChapterListBox->viewport()->installEventFilter(this);
}

void ReaderWindow::BuildReaderMenu() {
  menu_ = new QMenu(ToQt("菜单"_gbk), this);
  struct Item {
    const char* objectName;
    GbkText text;
    std::function<void()> action;
  };
  const Item items[] = {
      {"SetBookmarkAction", "设置书签"_gbk, [this] { SetBookmark(); }},
      {"PrevChapterAction", "上一章"_gbk, [this] { StepChapter(-1); }},
      {"NextChapterAction", "下一章"_gbk, [this] { StepChapter(+1); }},
      {"BackToInfoAction", "回简介"_gbk, [this] { ShowInfoView(); }},
      {"AboutAction", "关于"_gbk, [this] { ShowAboutWindow(this); }},
      {"BlogAction", "Tavelin博客"_gbk, [] { OpenBlog(Shared().NoticeBaseUrl.Get()); }},
  };
  for (const Item& item : items) {
    QAction* action = menu_->addAction(ToQt(item.text));
    action->setObjectName(item.objectName);
    if (item.action) connect(action, &QAction::triggered, this, item.action);
  }
}

void ReaderWindow::PrepareChapterView() {
  chapterView_ = ui_->ChapterView;
  chapterView_->setPage(NewReadingPage(chapterView_));
  // The engine's own context menu never shows: right clicks open the reader
  // menu (also those the reading page itself swallows, caught below).
  chapterView_->setContextMenuPolicy(Qt::NoContextMenu);
  chapterView_->installEventFilter(this);
  for (QObject* child : chapterView_->children()) WatchChapterViewChild(child);
  connect(chapterView_, &QWebEngineView::loadStarted, this,
          [this] { ui_->ReaderLoadingPanel->show(); });
  connect(chapterView_, &QWebEngineView::loadFinished, this,
          [this] { ui_->ReaderLoadingPanel->hide(); });
}

void ReaderWindow::WatchChapterViewChild(QObject* child) {
  if (child->isWidgetType()) child->installEventFilter(this);
}

void ReaderWindow::ConnectHandlers() {
  connect(ui_->PanelToggleBox, &ClickLabel::released, this, &ReaderWindow::TogglePanel);
  connect(ui_->BackToInfoLabel, &ClickLabel::released, this, &ReaderWindow::ShowInfoView);
  connect(ui_->PrevChapterLabel, &ClickLabel::released, this, [this] { StepChapter(-1); });
  connect(ui_->NextChapterLabel, &ClickLabel::released, this, [this] { StepChapter(+1); });
  connect(ui_->RedownloadLabel, &ClickLabel::released, this, &ReaderWindow::ReloadChapterList);
  connect(ui_->UpdateChaptersLabel, &ClickLabel::released, this, &ReaderWindow::ReloadChapterList);
  connect(ui_->RecentReadingLabel, &ClickLabel::released, this, &ReaderWindow::OpenRecentChapter);
  connect(ui_->ChapterListBox, &QListWidget::itemDoubleClicked, this,
          &ReaderWindow::OpenSelectedChapter);
  connect(&chapterTipTimer_, &QTimer::timeout, this, &ReaderWindow::HideChapterTip);
  connect(ui_->PictureButton3, &QPushButton::clicked, this,
          [] { OpenBookDownload(BookDownload::kTxt, Shared()); });
  connect(ui_->PictureButton4, &QPushButton::clicked, this,
          [] { OpenBookDownload(BookDownload::kUdm, Shared()); });
  connect(ui_->PictureButton5, &QPushButton::clicked, this,
          [] { OpenBookDownload(BookDownload::kJar, Shared()); });
}

void ReaderWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutReaderWindow();
}

void ReaderWindow::closeEvent(QCloseEvent* event) {
  // The close steps: the tracked job is asked to stop (its transfer ends and
  // it writes nothing more); the other jobs find the window gone.
  trackedJob_.RequestStop();
  event->accept();
}

bool ReaderWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->ChapterListBox->viewport()) {
    if (event->type() == QEvent::MouseMove)
      ShowChapterTipAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QWidget::eventFilter(watched, event);
  }
  if (watched == chapterView_ && event->type() == QEvent::ChildAdded) {
    WatchChapterViewChild(static_cast<QChildEvent*>(event)->child());
    return QWidget::eventFilter(watched, event);
  }
  if (watched == chapterView_ || (watched->isWidgetType() && watched->parent() == chapterView_)) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
          ShowReaderMenu();
          return true;
        }
        break;
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) return true;
        break;
      case QEvent::ContextMenu:
        return true;
      case QEvent::ShortcutOverride:
      case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) break;
        const bool ours = key->key() == Qt::Key_Left || key->key() == Qt::Key_Right ||
                          key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!ours) break;
        if (event->type() == QEvent::ShortcutOverride) {
          event->accept();
          return true;
        }
        return HandleChapterViewKey(key->key());
      }
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool ReaderWindow::HandleChapterViewKey(int key) {
  // The keys that the labels under the chapter name.
  switch (key) {
    case Qt::Key_Left:
      StepChapter(-1);
      return true;
    case Qt::Key_Right:
      StepChapter(+1);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      ShowInfoView();
      return true;
    default:
      return false;
  }
}

void ReaderWindow::ToggleBothWindows() {
  // MainWindow alone decides; both end with the same visibility.
  const bool visible = mainWindow_ && mainWindow_->isVisible();
  if (mainWindow_) mainWindow_->setVisible(!visible);
  setVisible(!visible);
}
