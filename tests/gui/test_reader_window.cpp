// ReaderWindow on the real widgets against the in-process sample site:
// opening a book (information, cover, chapter list), reading chapters into
// the chapter cache and the web view, stepping at the ends, the layout table,
// the panel toggle, bookmarks set, shown, reopened and listed, the close
// steps and the reading page's resource rule.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QToolTip>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "sample_site.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "scrape/reading_page.h"
#include "site_facts.h"
#include "site_fixture.h"
#include "site_paths.h"
#include "store/known_folders.h"
#include "ui/main/main_window.h"
#include "ui/reader/bookmark_scan.h"
#include "ui/reader/hot_keys.h"
#include "ui/reader/open_reader.h"
#include "ui/reader/panel_pictures.h"
#include "ui/reader/reader_window.h"
#include "ui/reader/reading_profile.h"
#include "ui_MainWindow.h"
#include "ui_ReaderWindow.h"

namespace {

using sample_site::kLongBookId;

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}
QString Q(const GbkText& gbk) {
  return ToQt(gbk);
}

void SetCurrentBook(int id) {
  Shared().CurrentBookId.Set(std::to_string(id));
  Shared().CurrentBookUrl.Set(Shared().SiteBaseUrl.Get() + "/book/" + std::to_string(id) + ".html");
}

bool ListLoaded(ReaderWindow& w) {
  return w.form().ChapterPanel->title() == U("章节列表(下载完成,双击章节阅读)") &&
         w.TrackedJob().Finished();
}

QString ReadingPagePath(int chapterNumber) {
  return QString::fromStdString(ChapterCacheDir() + "/" + ReadingPageFileName(chapterNumber));
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A 1x1 GIF: Qt decodes GIF but cannot write it.
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");

QByteArray Encoded(const char* format) {
  QImage image(12, 15, QImage::Format_RGB32);
  image.fill(QColor(30, 120, 200));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}

// Runs `script` in the page of `view` and waits for its result.
QVariant RunScript(QWebEngineView* view, const QString& script) {
  QVariant result;
  bool done = false;
  view->page()->runJavaScript(script, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  WaitFor([&] { return done; });
  return result;
}

void MoveOver(QWidget* widget, const QPoint& pos) {
  QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &move);
}

}  // namespace

class TestReaderWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SiteFixture> fixture_;
  QPointer<ReaderWindow> reader_;

  const sample_site::Book& Book(int id) { return *fixture_->site().catalogue().FindBook(id); }

  ReaderWindow& Open(int id) {
    SetCurrentBook(id);
    reader_ = new ReaderWindow;
    return *reader_;
  }

  ReaderWindow& OpenLoaded(int id) {
    ReaderWindow& w = Open(id);
    [&] { QVERIFY(WaitFor([&] { return ListLoaded(w); })); }();
    return w;
  }

  static void Close(QPointer<ReaderWindow>& w) {
    if (!w) return;
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Opens the chapter at `row` with a double click and waits until the view
  // shows its page.
  bool ReadChapter(ReaderWindow& w, int row) {
    QListWidget* list = w.form().ChapterListBox;
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return list->currentRow() == row && WaitForChapter(w, row);
  }

  // Opens the chapter at `row` and waits until the view has loaded its page.
  bool ReadChapterLoaded(ReaderWindow& w, int row) {
    QSignalSpy loaded(w.form().ChapterView, &QWebEngineView::loadFinished);
    return ReadChapter(w, row) && WaitFor([&] { return loaded.count() > 0; }) &&
           w.form().ReaderLoadingPanel->isHidden();
  }

  bool WaitForChapter(ReaderWindow& w, int row) {
    const int number = w.form().ChapterListBox->item(row)->data(Qt::UserRole).toInt();
    const QUrl expected = QUrl::fromLocalFile(ReadingPagePath(number));
    return WaitFor([&] { return w.form().ChapterView->url() == expected; });
  }

 private slots:
  void init() { fixture_ = std::make_unique<SiteFixture>(); }
  void cleanup() {
    if (reader_) reader_->TrackedJob().WaitFinished(10000);
    Close(reader_);
    QTest::qWait(50);
    fixture_.reset();
  }

  void openingFillsTheInformationAndTheChapterList() {
    const sample_site::Book& book = Book(kLongBookId);
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    QVERIFY(w.isVisible());
    QVERIFY(QDir(QString::fromStdString(ChapterCacheDir())).exists());
    QVERIFY(f.InfoView->isVisible());
    QVERIFY(!f.ReadingView->isVisible());
    QCOMPARE(f.TitleValueLabel->text(), Q(book.title));
    QCOMPARE(w.windowTitle(), U("您正在阅读：《") + Q(book.title) + U("》"));
    QCOMPARE(f.AuthorValueLabel->text(), Q(book.author));
    for (QLabel* value :
         {f.CategoryValueLabel, f.LengthValueLabel, f.StateValueLabel, f.FirstPublishValueLabel,
          f.AuthorisationValueLabel, f.LastUpdateValueLabel, f.LatestChapterValueLabel})
      QVERIFY2(!value->text().isEmpty(), qPrintable(value->objectName()));
    // The introduction follows the form's text, cleaned of its tags.
    const QString intro = f.IntroEdit->toPlainText();
    QVERIFY(intro.startsWith(U("【内容介绍】\n\n    ")));
    QVERIFY(intro.size() > 20);
    QVERIFY(!intro.contains('<'));
    QVERIFY(f.CoverBox->pixmap().width() > 0);
    QVERIFY(f.ReaderLoadingPanel->isHidden());
    QVERIFY(f.ChapterLoadingPanel->isHidden());

    const std::string base = fixture_->site().BaseUrl();
    QCOMPARE(Shared().ChapterListUrl.Get(), base + sample_site::ChapterListPath(kLongBookId));
    QVERIFY(Shared().TxtDownloadUrl.Get().rfind(base + "/modules/article/packdown.php", 0) == 0);
    QVERIFY(Shared().TxtDownloadUrl.Get() != Shared().JarDownloadUrl.Get());
    // The picture buttons open the TXT, UDM and JAR downloads.
    for (QPushButton* button : {f.PictureButton3, f.PictureButton4, f.PictureButton5})
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 22));
    QCOMPARE(fixture_->seam().Urls(),
             QStringList({Q(Shared().TxtDownloadUrl.Get()), Q(Shared().UdmDownloadUrl.Get()),
                          Q(Shared().JarDownloadUrl.Get())}));

    // Every chapter, in page order, with its number.
    QCOMPARE(f.ChapterListBox->count(), book.chapterCount);
    for (int index : {0, 1, book.chapterCount - 1}) {
      const sample_site::Chapter chapter = fixture_->site().catalogue().ChapterAt(book, index);
      QCOMPARE(f.ChapterListBox->item(index)->text(), Q(chapter.title));
      QCOMPARE(f.ChapterListBox->item(index)->data(Qt::UserRole).toInt(), chapter.number);
    }
    // A book without a bookmark leaves the recent-reading label empty.
    QVERIFY(f.RecentReadingLabel->text().isEmpty());
  }

  void coverIsShownFromPngJpegAndGif_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("shown");
    QTest::newRow("png") << Encoded("PNG") << true;
    QTest::newRow("jpeg") << Encoded("JPG") << true;
    QTest::newRow("gif") << kTinyGif << true;
    QTest::newRow("not a picture") << QByteArray("<html>404</html>") << false;
  }
  void coverIsShownFromPngJpegAndGif() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, shown);
    sample_site::Misbehaviour cover;
    cover.body = bytes.toStdString();
    fixture_->site().SetMisbehaviour(sample_site::CoverPath(kLongBookId), cover);
    ReaderWindow& w = OpenLoaded(kLongBookId);
    QCOMPARE(w.form().CoverBox->pixmap().isNull(), !shown);
    QCOMPARE(w.form().TitleValueLabel->text(), Q(Book(kLongBookId).title));
  }

  void openingFromTheMainWindowsBookmarkList() {
    MainWindow main;
    OpenReadersFrom(&main);
    auto* item = new QListWidgetItem(U("书签"));
    item->setData(Qt::UserRole, sample_site::kShortIntroBookId);
    main.form().BookmarkListBox->addItem(item);
    main.form().BookmarkListBox->setCurrentItem(item);
    main.OpenBookFromBookmark();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (auto* reader = qobject_cast<ReaderWindow*>(widget)) reader_ = reader;
    }
    QVERIFY(reader_);
    QVERIFY(WaitFor([&] { return ListLoaded(*reader_); }));
    QCOMPARE(reader_->form().TitleValueLabel->text(),
             Q(Book(sample_site::kShortIntroBookId).title));
    // A short introduction is appended as the page has it.
    QVERIFY(reader_->form().IntroEdit->toPlainText().size() > 10);
  }

  void aChapterIsWrittenToTheCacheAndShown() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    QVERIFY(ReadChapterLoaded(w, 1));
    QVERIFY(f.ReadingView->isVisible());
    QCOMPARE(f.ReadingView->title(), f.ChapterListBox->item(1)->text());
    const int number = f.ChapterListBox->item(1)->data(Qt::UserRole).toInt();
    QCOMPARE(Shared().CurrentChapterId.Get(), std::to_string(number));
    const QByteArray page = FileBytes(ReadingPagePath(number));
    const GbkText head =
        ChapterPageHead(Shared().ReadingAssetBaseUrl.Get(), Shared().NoticeBaseUrl.Get());
    QVERIFY(page.startsWith(QByteArray::fromStdString(head)));
    QVERIFY(page.endsWith("</html>"));
    // The chapter's own text is there, the site's notice after it is not.
    const GbkTextList paragraphs =
        fixture_->site().catalogue().ChapterParagraphs(Book(kLongBookId), 1);
    QVERIFY(page.contains(QByteArray::fromStdString(paragraphs.front())));
    QVERIFY(page.size() > static_cast<qsizetype>(head.size() + ChapterPageTail().size() + 100));

    // Back to the information, which brings the chapter panel back.
    QTest::mouseRelease(f.BackToInfoLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!f.ReadingView->isVisible());
  }

  void theReadingPageRunsItsScriptAndRemembersTheChoices() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    QWebEngineView* view = w.form().ChapterView;
    QVERIFY(ReadChapterLoaded(w, 0));
    QCOMPARE(RunScript(view, "typeof init").toString(), QString("function"));
    QVERIFY(RunScript(view, "document.body.className").toString().contains("fonts_mesne"));
    QCOMPARE(RunScript(view, "document.querySelectorAll('.colors a').length").toInt(), 7);
    QVERIFY(RunScript(view, "document.getElementById('status').textContent")
                .toString()
                .startsWith(U("已读")));
    QCOMPARE(RunScript(view, "document.title").toString(), U("Tavelin小说阅读器"));
    // A bigger font on the dark background, kept for the next chapter.
    RunScript(view, "ChangeFont('fonts_big'); SetColor(6); 1");
    QVERIFY(RunScript(view, "document.body.className").toString().contains("fonts_big"));
    QVERIFY(ReadChapterLoaded(w, 1));
    const QString classes = RunScript(view, "document.body.className").toString();
    QVERIFY2(classes.contains("fonts_big") && classes.contains("dark"), qPrintable(classes));
    RunScript(view, "ChangeFont('fonts_mesne'); SetColor(0); 1");
  }

  void theBlogLinkOpensInTheBrowser() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    QWebEngineView* view = w.form().ChapterView;
    QVERIFY(ReadChapterLoaded(w, 0));
    const QVariantList box =
        RunScript(view,
                  "var r = document.querySelector('#guild a').getBoundingClientRect();"
                  "[r.left + r.width / 2, r.top + r.height / 2]")
            .toList();
    QCOMPARE(box.size(), 2);
    const QPoint link(box[0].toInt(), box[1].toInt());
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, link);
    QVERIFY(WaitFor([&] { return !fixture_->seam().Urls().isEmpty(); }, 5000));
    // The browser gets the address as the page resolved it (with its "/").
    QCOMPARE(fixture_->seam().Urls(), QStringList({Q(Shared().NoticeBaseUrl.Get()) + "/"}));
    QVERIFY(view->url().isLocalFile());
  }

  void aHostileChapterRunsNothingAndReadsNoLocalFile() {
    ReaderWindow& w = OpenLoaded(sample_site::kHostileBookId);
    QWebEngineView* view = w.form().ChapterView;
    QVERIFY(ReadChapterLoaded(w, sample_site::kHostileChapterIndex));
    QCOMPARE(RunScript(view, "document.title").toString(), U("Tavelin小说阅读器"));
    QCOMPARE(
        RunScript(view, "document.querySelectorAll('iframe, object, embed, form').length").toInt(),
        0);
    QVERIFY(view->url().isLocalFile());
    QVERIFY(fixture_->seam().Urls().isEmpty());

    // A page in the cache cannot show another local file; the assets load.
    const QString secret = fixture_->HomeDir() + "/secret.png";
    QVERIFY(PanelPicture(PanelPictureKind::kPanelShown).save(secret, "PNG"));
    const QString assets = QUrl(Q(Shared().ReadingAssetBaseUrl.Get())).toString();
    const QString probe = QString::fromStdString(ChapterCacheDir()) + "/probe.html";
    QFile file(probe);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        ("<html><body><img id=a src=\"" + QUrl::fromLocalFile(secret).toString() +
         "\" onload=\"document.title+='secret-loaded '\" onerror=\"document.title+='secret-blocked "
         "'\">"
         "<img id=b src=\"" +
         assets +
         "/pictures/panel_shown.png\" "
         "onload=\"document.title+='asset-loaded '\" onerror=\"document.title+='asset-blocked '\">"
         "</body></html>")
            .toUtf8());
    file.close();
    view->setUrl(QUrl::fromLocalFile(probe));
    QVERIFY(WaitFor([&] { return RunScript(view, "document.title").toString().count('-') == 2; }));
    const QString title = RunScript(view, "document.title").toString();
    QVERIFY2(title.contains("secret-blocked") && title.contains("asset-loaded"), qPrintable(title));
  }

  void rightClickOpensTheReaderMenuAndTheTipFollowsTheItems() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    QVERIFY(ReadChapterLoaded(w, 0));
    QWidget* inner = f.ChapterView->focusProxy();
    QVERIFY(inner);
    QTest::mousePress(inner, Qt::RightButton, {}, QPoint(40, 40));
    QVERIFY(w.ReaderMenu().isVisible());
    QTest::mouseRelease(inner, Qt::RightButton, {}, QPoint(40, 40));
    w.ReaderMenu().hide();
    QStringList texts;
    for (QAction* action : w.ReaderMenu().actions()) texts << action->text();
    QCOMPARE(texts, QStringList({U("设置书签"), U("上一章"), U("下一章"), U("回简介"), U("关于"),
                                 U("Tavelin博客")}));

    // The tip: not over the first item at first (that answer is the start
    // value), then each new item's title, hidden below the last item and
    // after 1.5 s.
    w.ShowInfoView();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::qWait(50);
    QListWidget* list = f.ChapterListBox;
    // A short list, so that there is room below its last item.
    while (list->count() > 3) delete list->item(3);
    QWidget* viewport = list->viewport();
    const QPoint first = list->visualItemRect(list->item(0)).center();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    MoveOver(viewport, first);
    QVERIFY(!QToolTip::isVisible());
    MoveOver(viewport, second);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), list->item(1)->text());
    MoveOver(viewport, first);
    QCOMPARE(QToolTip::text(), list->item(0)->text());
    QElapsedTimer shown;
    shown.start();
    QVERIFY(WaitFor([] { return !QToolTip::isVisible(); }, 4000));
    QVERIFY2(shown.elapsed() >= 1300, qPrintable(QString::number(shown.elapsed())));
    MoveOver(viewport, second);
    QVERIFY(QToolTip::isVisible());
    MoveOver(viewport, QPoint(5, list->visualItemRect(list->item(2)).bottom() + 30));
    QVERIFY(WaitFor([] { return !QToolTip::isVisible(); }, 1000));
  }

  void stepsMoveByLabelMenuAndKeysAndStayAtTheEnds() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    const int last = f.ChapterListBox->count() - 1;
    QVERIFY(ReadChapter(w, 0));

    // Previous at the first chapter stays there and says so; nothing is fetched.
    fixture_->ClearRequestLog();
    QTest::mouseRelease(f.PrevChapterLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(f.ChapterListBox->currentRow(), 0);
    QCOMPARE(fixture_->seam().Messages().size(), size_t(1));
    QCOMPARE(fixture_->seam().Messages().back().text, U("已经是第一章了!"));
    QTest::qWait(100);
    QVERIFY(!fixture_->RequestedPaths().join(' ').contains("-1.html"));

    // Next by label, by menu and by the arrow key in the view.
    QTest::mouseRelease(f.NextChapterLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(f.ChapterListBox->currentRow(), 1);
    QVERIFY(WaitForChapter(w, 1));
    w.ReaderMenu().findChild<QAction*>("NextChapterAction")->trigger();
    QVERIFY(WaitForChapter(w, 2));
    QWidget* inner = f.ChapterView->focusProxy() ? f.ChapterView->focusProxy() : f.ChapterView;
    QTest::keyClick(inner, Qt::Key_Left);
    QCOMPARE(f.ChapterListBox->currentRow(), 1);
    QVERIFY(WaitForChapter(w, 1));

    // Next at the last chapter stays there and says so.
    QVERIFY(ReadChapter(w, last));
    QTest::mouseRelease(f.NextChapterLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(f.ChapterListBox->currentRow(), last);
    QCOMPARE(fixture_->seam().Messages().back().text, U("已经是最后一章了!"));

    // Enter in the view goes back to the information.
    QTest::keyClick(inner, Qt::Key_Return);
    QVERIFY(!f.ReadingView->isVisible());
  }

  void aNewerChapterLoadWins() {
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    const int slowNumber = f.ChapterListBox->item(3)->data(Qt::UserRole).toInt();
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(600);
    fixture_->site().SetMisbehaviour(sample_site::ChapterPath(kLongBookId, slowNumber), slow);
    f.ChapterListBox->setCurrentRow(3);
    w.OpenSelectedChapter();
    QTest::qWait(50);
    QVERIFY(ReadChapter(w, 4));
    QTest::qWait(900);
    QCOMPARE(f.ChapterView->url(), QUrl::fromLocalFile(ReadingPagePath(
                                       f.ChapterListBox->item(4)->data(Qt::UserRole).toInt())));
    QCOMPARE(f.ReadingView->title(), f.ChapterListBox->item(4)->text());
  }

  void layoutFollowsTheTable_data() {
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<int>("outerHeight");
    QTest::addColumn<int>("labelScale");
    QTest::newRow("the form's width") << 769 << 583 << 1;
    QTest::newRow("a little wider") << 800 << 600 << 2;
  }
  void layoutFollowsTheTable() {
    QFETCH(int, outerWidth);
    QFETCH(int, outerHeight);
    QFETCH(int, labelScale);
    ReaderWindow& w = OpenLoaded(kLongBookId);
    auto& f = w.form();
    QVERIFY(!ReaderWindow::PanelHidden());
    // The form's own size: 769x583 outside, 764x557 inside.
    QCOMPARE(w.size(), QSize(764, 557));
    QCOMPARE(w.OuterSize(), QSize(769, 583));
    w.resize(outerWidth - 5, outerHeight - 26);
    QCOMPARE(w.OuterSize(), QSize(outerWidth, outerHeight));
    const int cw = w.width(), ch = w.height();
    const int wh = outerHeight;

    QCOMPARE(f.ReadingView->size(), QSize(cw - 245, ch - 17));
    QCOMPARE(f.InfoView->size(), QSize(cw - 245, ch - 17));
    const int W = f.ReadingView->width();
    QCOMPARE(f.ChapterView->size(), QSize(W - 16, ch - 17 - 41));
    QCOMPARE(f.ReaderTickerCanvas->x(), W + 19);
    QCOMPARE(f.ChapterPanel->geometry(), QRect(W + 19, 32, 216, ch - 41));
    QCOMPARE(f.ChapterListBox->size(), QSize(200, ch - 41 - 40));
    QCOMPARE(f.RedownloadLabel->y(), ch - 63);
    QCOMPARE(f.UpdateChaptersLabel->y(), ch - 63);
    QCOMPARE(f.PrevChapterLabel->pos(), QPoint(W - 414 * labelScale, wh - 64));
    QCOMPARE(f.BackToInfoLabel->pos(), QPoint(W - 330 * labelScale, wh - 64));
    QCOMPARE(f.NextChapterLabel->pos(), QPoint(W - 222 * labelScale, wh - 64));
    QCOMPARE(f.PanelToggleBox->pos(), QPoint(W - 25, wh - 62));
    QCOMPARE(f.HideHintLabel->pos(), QPoint(W - 147, wh - 64));

    // The toggle pushes the panel out of view and brings it back.
    const QImage shown = PanelPicture(PanelPictureKind::kPanelShown).toImage();
    const QImage hidden = PanelPicture(PanelPictureKind::kPanelHidden).toImage();
    QVERIFY(shown != hidden);
    QCOMPARE(f.PanelToggleBox->pixmap().toImage(), shown);
    f.ReadingView->show();
    QTest::mouseRelease(f.PanelToggleBox, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(ReaderWindow::PanelHidden());
    QCOMPARE(f.ReadingView->width(), cw - 2);
    QCOMPARE(f.ChapterPanel->x(), cw + 17);
    QCOMPARE(f.ReaderTickerCanvas->x(), cw + 17);
    QCOMPARE(f.PanelToggleBox->pixmap().toImage(), hidden);
    // The information view shows the panel whatever PanelHidden says ...
    w.ShowInfoView();
    QCOMPARE(f.ChapterPanel->x(), cw - 245 + 19);
    QVERIFY(ReaderWindow::PanelHidden());
    // ... and the next size change pushes it out again.
    w.resize(cw + 10, ch);
    QCOMPARE(f.ChapterPanel->x(), cw + 10 + 17);
    f.ReadingView->show();
    QTest::mouseRelease(f.PanelToggleBox, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!ReaderWindow::PanelHidden());
    QCOMPARE(f.PanelToggleBox->pixmap().toImage(), shown);
  }

  void aReaderOpenedWithThePanelHiddenShowsTheFormsPicture() {
    const QImage shown = PanelPicture(PanelPictureKind::kPanelShown).toImage();
    {
      ReaderWindow& w = OpenLoaded(kLongBookId);
      w.form().ReadingView->show();
      w.TogglePanel();
      QVERIFY(ReaderWindow::PanelHidden());
      Close(reader_);
    }
    ReaderWindow& w = OpenLoaded(kLongBookId);
    QCOMPARE(w.form().ChapterPanel->x(), w.width() + 17);
    QCOMPARE(w.form().PanelToggleBox->pixmap().toImage(), shown);
    // The first click brings the panel back.
    w.form().ReadingView->show();
    QTest::mouseRelease(w.form().PanelToggleBox, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(!ReaderWindow::PanelHidden());
    QCOMPARE(w.form().ChapterPanel->x(), w.width() - 245 + 19);
  }

  void bookmarkIsSetShownReopenedAndListed() {
    const sample_site::Book& book = Book(kLongBookId);
    {
      ReaderWindow& w = OpenLoaded(kLongBookId);
      QVERIFY(ReadChapter(w, 2));
      w.ReaderMenu().findChild<QAction*>("SetBookmarkAction")->trigger();
      QCOMPARE(fixture_->seam().Messages().back().text, U("设置成功!"));
      Close(reader_);
    }
    // The four keys, in order, in section "0" of the book's file.
    const QString file = fixture_->HomeDir() + "/Documents/tvmarks/10001.ini";
    const QByteArray bytes = FileBytes(file);
    const QString text = Q(bytes.toStdString());
    const GbkText chapterTitle = fixture_->site().catalogue().ChapterAt(book, 2).title;
    const QStringList lines = text.split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList({"[0]", U("书名=") + Q(book.title), U("章节名=") + Q(chapterTitle),
                                 "ID=10001", U("章节数=2")}));

    // Reopened, the book shows the chapter and the label reopens it.
    ReaderWindow& again = OpenLoaded(kLongBookId);
    QCOMPARE(again.form().RecentReadingLabel->text(), Q(chapterTitle));
    QTest::mouseRelease(again.form().RecentReadingLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(again.form().ChapterListBox->currentRow(), 2);
    QVERIFY(again.form().ReadingView->isVisible());
    QVERIFY(WaitForChapter(again, 2));

    // Listed at start with the files of subfolders, not those of "." folders.
    QDir documents(fixture_->HomeDir() + "/Documents/tvmarks");
    documents.mkpath("shelf");
    documents.mkpath(".hidden");
    for (const auto& [path, id] :
         {std::pair{QString("shelf/a.ini"), 777}, {QString(".hidden/b.ini"), 888}}) {
      QFile extra(documents.filePath(path));
      QVERIFY(extra.open(QIODevice::WriteOnly));
      extra.write(QByteArray::fromStdString(Utf8ToGbk("[0]\r\n书名=别册\r\nID=") +
                                            std::to_string(id) + "\r\n"));
    }
    MainWindow main;
    QListWidget* list = main.form().BookmarkListBox;
    QVERIFY(WaitFor([&] { return list->count() == 2; }));
    QTest::qWait(100);
    QCOMPARE(list->count(), 2);
    QMap<int, QString> items;
    for (int i = 0; i < list->count(); ++i)
      items.insert(list->item(i)->data(Qt::UserRole).toInt(), list->item(i)->text());
    QCOMPARE(items.value(kLongBookId), Q(book.title));
    QCOMPARE(items.value(777), U("别册"));
  }

  void aBookmarkSetIsListedOnTheMainWindowAtOnce() {
    MainWindow main;
    QListWidget* list = main.form().BookmarkListBox;
    SetCurrentBook(kLongBookId);
    QPointer<ReaderWindow> reader = new ReaderWindow(&main);
    QVERIFY(WaitFor([&] { return ListLoaded(*reader); }));
    QVERIFY(ReadChapter(*reader, 1));
    QAction* set = reader->ReaderMenu().findChild<QAction*>("SetBookmarkAction");
    set->trigger();
    set->trigger();
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->data(Qt::UserRole).toInt(), kLongBookId);
    QCOMPARE(list->item(0)->text(), Q(Book(kLongBookId).title));
    Close(reader);
  }

  void aBookmarkThatCannotBeWrittenIsNotReportedAsSet() {
    // A file where the bookmark folder should be.
    QFile blocker(fixture_->HomeDir() + "/Documents/tvmarks");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ReaderWindow& w = OpenLoaded(kLongBookId);
    w.ReaderMenu().findChild<QAction*>("SetBookmarkAction")->trigger();
    QCOMPARE(fixture_->seam().Messages().size(), size_t(1));
    QCOMPARE(fixture_->seam().Messages().back().text, U("设置书签失败!"));
  }

  void closingStopsTheTrackedJobAndTheWindowGoes() {
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(5000);
    fixture_->site().SetMisbehaviour(sample_site::BookInfoPath(kLongBookId), slow);
    ReaderWindow& w = Open(kLongBookId);
    QVERIFY(!w.form().ReaderLoadingPanel->isHidden() ||
            WaitFor([&] { return !w.form().ReaderLoadingPanel->isHidden(); }));
    const JobHandle job = w.TrackedJob();
    Close(reader_);
    QVERIFY(reader_.isNull());
    QVERIFY(job.StopRequested());
    QVERIFY(job.WaitFinished(3000));
    // Reloading makes the reload the job that a close stops.
    ReaderWindow& again = OpenLoaded(sample_site::kShortIntroBookId);
    const JobHandle first = again.TrackedJob();
    QTest::mouseRelease(again.form().UpdateChaptersLabel, Qt::LeftButton, {}, QPoint(4, 4));
    QVERIFY(WaitFor([&] { return ListLoaded(again); }));
    QVERIFY(again.form().ChapterListBox->count() ==
            Book(sample_site::kShortIntroBookId).chapterCount);
    QVERIFY(again.TrackedJob().Valid());
    (void)first;
  }

  void shiftZHidesAndShowsBothWindows() {
    QWidget main;
    main.show();
    const int before = HotKeyCallbackCount();
    SetCurrentBook(kLongBookId);
    reader_ = new ReaderWindow(&main);
    QCOMPARE(HotKeyCallbackCount(), before + 1);
    QVERIFY(RunHotKeyCallback(before + 1));
    QVERIFY(!main.isVisible());
    QVERIFY(!reader_->isVisible());
    QVERIFY(RunHotKeyCallback(before + 1));
    QVERIFY(main.isVisible());
    QVERIFY(reader_->isVisible());
    // With MainWindow hidden and the reader shown, both come back.
    main.hide();
    QVERIFY(RunHotKeyCallback(before + 1));
    QVERIFY(main.isVisible());
    QVERIFY(reader_->isVisible());
    QVERIFY(!RunHotKeyCallback(before + 2));
  }

  // Run under xvfb-run (QT_QPA_PLATFORM=xcb) with xdotool: the key pressed
  // while no window of ours has the focus still reaches the reader.
  void shiftZIsGrabbedForTheWholeScreenOnX11() {
    if (QGuiApplication::platformName() != "xcb") QSKIP("not on X11");
    const QString xdotool = QStandardPaths::findExecutable("xdotool");
    if (xdotool.isEmpty()) QSKIP("xdotool is not installed");
    QWidget main;
    main.show();
    SetCurrentBook(kLongBookId);
    reader_ = new ReaderWindow(&main);
    QVERIFY(QTest::qWaitForWindowExposed(reader_));
    QCOMPARE(QProcess::execute(xdotool, {"key", "shift+z"}), 0);
    QVERIFY(WaitFor([&] { return !main.isVisible() && !reader_->isVisible(); }, 3000));
    QCOMPARE(QProcess::execute(xdotool, {"key", "shift+z"}), 0);
    QVERIFY(WaitFor([&] { return main.isVisible() && reader_->isVisible(); }, 3000));
  }

  void readingPagesReachOnlyTheirFilesAndTheAssets() {
    const QString cache = QString::fromStdString(ChapterCacheDir());
    const QString assets = QUrl(Q(Shared().ReadingAssetBaseUrl.Get())).toLocalFile();
    const struct {
      const char* what;
      QUrl url;
      bool allowed;
    } cases[] = {
        {"a reading page", QUrl::fromLocalFile(cache + "/1000001.html"), true},
        {"the style sheet", QUrl::fromLocalFile(assets + "/scripts/read/page.css"), true},
        {"the script", QUrl::fromLocalFile(assets + "/scripts/read/page.js"), true},
        {"out of the cache", QUrl("file://" + cache + "/../secret.txt"), false},
        {"out of the assets", QUrl("file://" + assets + "/../CMakeLists.txt"), false},
        {"a folder beside the cache", QUrl::fromLocalFile(cache + "x/1.html"), false},
        {"another local file", QUrl::fromLocalFile("/etc/passwd"), false},
        {"the site", QUrl(fixture_->BaseUrl() + "/book/10001.html"), false},
        {"elsewhere", QUrl("http://example.com/x.js"), false},
    };
    for (const auto& c : cases) QVERIFY2(IsReadingPageResource(c.url) == c.allowed, c.what);
  }
};

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  TestReaderWindow test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_reader_window.moc"
