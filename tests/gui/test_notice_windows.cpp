// The notices on the windows, against the in-process sample site: the about
// box from the reader menu, the three download buttons, and the reader's two
// tickers, whose positions carry on into the next reader window.
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/link_label.h"
#include "notices/notice_files.h"
#include "notices/ticker_lists.h"
#include "notices/widgets/about_window.h"
#include "site_facts.h"
#include "site_fixture.h"
#include "ui/reader/reader_window.h"
#include "ui_AboutWindow.h"
#include "ui_ReaderWindow.h"

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

void SetCurrentBook(int id) {
  Shared().CurrentBookId.Set(std::to_string(id));
  Shared().CurrentBookUrl.Set(Shared().SiteBaseUrl.Get() + "/book/" + std::to_string(id) + ".html");
}

// Whether `text` is one of the ticker's texts on the notice server.
bool IsTickerText(TickerKind kind, const QString& text) {
  const auto texts = FetchTickerTexts(Shared().NoticeBaseUrl.Get(), kind);
  if (!texts) return false;
  for (const GbkText& t : texts->texts)
    if (ToQt(t) == text) return true;
  return false;
}

}  // namespace

class TestNoticeWindows : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SiteFixture> fixture_;

  std::unique_ptr<ReaderWindow> OpenReader() {
    SetCurrentBook(sample_site::kLongBookId);
    auto reader = std::make_unique<ReaderWindow>();
    [&] { QVERIFY(WaitFor([&] { return reader->TrackedJob().Finished(); })); }();
    return reader;
  }

 private slots:
  void init() { fixture_ = std::make_unique<SiteFixture>(); }
  void cleanup() { fixture_.reset(); }

  void aboutBoxShowsItsTextsAndOpensFromTheReaderMenu() {
    {
      AboutWindow about;
      QCOMPARE(about.windowTitle(), U("关于"));
      QCOMPARE(about.form().VersionLabel->text(), U("Tavelin小说阅读器 V0.9.3 beta版"));
      QVERIFY(about.form().DateLabel->text().startsWith(U("最后更新于:")));
      QVERIFY(about.form().FeedbackLabel->text().startsWith(U("问题反馈：")));
      QCOMPARE(about.form().OkButton->text(), U("确定"));
    }
    auto reader = OpenReader();
    QAction* aboutAction = reader->findChild<QAction*>("AboutAction");
    QVERIFY(aboutAction);
    // The box is modal: inspect and close it from inside its own loop.
    QString seenTitle;
    QTimer::singleShot(200, [&] {
      auto* box = qobject_cast<AboutWindow*>(QApplication::activeModalWidget());
      if (!box) return;
      seenTitle = box->windowTitle();
      QTest::mouseClick(box->form().OkButton, Qt::LeftButton);
    });
    aboutAction->trigger();
    QCOMPARE(seenTitle, U("关于"));
    QVERIFY(!QApplication::activeModalWidget());
  }

  void downloadButtonsOpenTheBooksWholeTextAddresses() {
    auto reader = OpenReader();
    auto& f = reader->form();
    const QString base = fixture_->BaseUrl() + "/modules/article/packdown.php";
    const QPushButton* buttons[] = {f.PictureButton3, f.PictureButton4, f.PictureButton5};
    const GbkText expected[] = {Shared().TxtDownloadUrl.Get(), Shared().UdmDownloadUrl.Get(),
                                Shared().JarDownloadUrl.Get()};
    for (int i = 0; i < 3; ++i) {
      fixture_->seam().Clear();
      QTest::mouseClick(const_cast<QPushButton*>(buttons[i]), Qt::LeftButton, {}, QPoint(100, 40));
      QCOMPARE(fixture_->seam().Urls(), QStringList{ToQt(expected[i])});
      QVERIFY(fixture_->seam().Urls()[0].startsWith(base));
      QVERIFY(fixture_->seam().Urls()[0].length() > base.length());
    }
    // Each address is a different one (TXT, UDM, JAR).
    QVERIFY(expected[0] != expected[1] && expected[1] != expected[2]);
  }

  void readerTickersScrollAndTheNextWindowCarriesOn() {
    auto first = OpenReader();
    LinkLabel* info = first->form().InfoTickerLink;
    LinkLabel* side = first->form().ReaderTickerLink;
    QVERIFY(WaitFor([&] { return IsTickerText(TickerKind::kInfo, info->text()); }));
    QVERIFY(WaitFor([&] { return IsTickerText(TickerKind::kReader, side->text()); }));
    const int infoPosition = ProgramTickerLists(TickerKind::kInfo).Position();
    const int readerPosition = ProgramTickerLists(TickerKind::kReader).Position();
    QVERIFY(infoPosition >= 1);
    QVERIFY(readerPosition >= 1);
    // A click opens the message's target, if it has one.
    fixture_->seam().Clear();
    QTest::mouseRelease(side, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(fixture_->seam().Urls().isEmpty(), side->Target().empty());
    first.reset();

    // The second window's first messages follow on from where the first stopped.
    auto second = OpenReader();
    QVERIFY(WaitFor(
        [&] { return ProgramTickerLists(TickerKind::kReader).Position() != readerPosition; }));
    const TickerTexts lists = ProgramTickerLists(TickerKind::kReader).Lists();
    const int shown = readerPosition % static_cast<int>(lists.texts.size());
    QCOMPARE(second->form().ReaderTickerLink->text(), ToQt(lists.texts[shown]));
  }
};

QTEST_MAIN(TestNoticeWindows)
#include "test_notice_windows.moc"
