// MainWindow on the real widgets against the in-process sample site: the
// start state, the 22 list labels, paging with its messages, search in both
// answer shapes, the site's error page, a slow site and a dead one.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "net/form_encoding.h"
#include "notices/notice_files.h"
#include "notices/ticker_lists.h"
#include "sample_site.h"
#include "scrape/charset.h"
#include "scrape/gbk_literal.h"
#include "site_facts.h"
#include "site_fixture.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

bool Idle(MainWindow& w) {
  return w.form().SearchButton->isEnabled() && w.form().LoadingPanel->isHidden();
}

int Rows(MainWindow& w) {
  return w.form().BookListView->topLevelItemCount();
}

bool PairsHold(MainWindow& w) {
  auto& f = w.form();
  if (f.BookListView->topLevelItemCount() != f.BookIdListView->topLevelItemCount()) return false;
  for (int i = 0; i < f.BookListView->topLevelItemCount(); ++i) {
    if (f.BookIdListView->topLevelItem(i)->text(0).isEmpty()) return false;
  }
  return true;
}

const ListLabel& LabelFor(const char* path) {
  for (const ListLabel& label : MainWindow::ListLabels()) {
    if (std::string_view(label.path) == path) return label;
  }
  return MainWindow::ListLabels().front();
}

void Release(QWidget* label) {
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 4));
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SiteFixture> fixture_;
  std::unique_ptr<MainWindow> window_;

  MainWindow& StartWindow() {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    return *window_;
  }

  // The site's list and search requests (the notice server's files, which
  // start-up jobs fetch meanwhile, left out).
  QStringList ListRequests() const {
    QStringList paths;
    for (const QString& path : fixture_->RequestedPaths())
      if (!path.startsWith("/ad/")) paths << path;
    return paths;
  }

  // Waits for the load started last to finish.
  bool WaitIdle(MainWindow& w) {
    return WaitFor([&] { return !w.ListLoadRunning() && Idle(w); });
  }

 private slots:
  void init() { fixture_ = std::make_unique<SiteFixture>(); }
  void cleanup() {
    window_.reset();
    fixture_.reset();
  }

  void startShowsTheLatestUpdates() {
    MainWindow& w = StartWindow();
    QCOMPARE(w.windowTitle(),
             U("Tavelin小说阅读器 V0.9.3 beta版 - 摆脱关不尽的弹窗,尽情享受绿色阅读的快感!"));
    QCOMPARE(Shared().CurrentPage.load(), 1);
    QVERIFY(WaitIdle(w));
    QVERIFY(Rows(w) > 0);
    QVERIFY(PairsHold(w));
    for (const ListLabel& label : MainWindow::ListLabels()) {
      const bool chosen = std::string_view(label.path) == "/book/toplastupdate/";
      QCOMPARE(w.Label(label)->TextColor(), chosen ? 255 : 0);
    }
    QVERIFY(ListRequests().contains("/book/toplastupdate/1.html"));
    QVERIFY(w.form().PageCounterLabel->text().startsWith("1/"));
    QCOMPARE(w.form().ListUrlEdit->text(), fixture_->BaseUrl() + "/book/toplastupdate/");
    QCOMPARE(ToQt(Shared().BrowseMode.Get()), U("排行阅读"));
    // Every cell of the first row was cut.
    for (int column = 0; column < 5; ++column)
      QVERIFY(!w.form().BookListView->topLevelItem(0)->text(column).isEmpty());
  }

  void everyLabelLoadsItsList() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    for (const ListLabel& label : MainWindow::ListLabels()) {
      fixture_->ClearRequestLog();
      Release(w.Label(label));
      QVERIFY2(WaitIdle(w), label.path);
      QCOMPARE(ListRequests(), QStringList{QString(label.path) + "1.html"});
      QCOMPARE(w.Label(label)->TextColor(), 255);
      QVERIFY2(Rows(w) > 0, label.path);
      QVERIFY(PairsHold(w));
      QCOMPARE(ToQt(Shared().BrowseMode.Get()), label.category ? U("分类阅读") : U("排行阅读"));
    }
    int red = 0;
    for (const ListLabel& label : MainWindow::ListLabels())
      red += w.Label(label)->TextColor() == 255;
    QCOMPARE(red, 1);
  }

  void pagingMovesAndRefuses() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    const QString title = U("Tavelin小说阅读器 V0.9.3 beta版");
    const int pages = TextToInteger(Shared().PageCountText.Get());
    QVERIFY2(pages >= 3, "the sample site's latest-update ranking has several pages");

    Release(w.form().PrevPageLabel);
    QCOMPARE(fixture_->seam().Messages().back().text, U("已经是首页了!"));
    QCOMPARE(fixture_->seam().Messages().back().title, title);

    fixture_->ClearRequestLog();
    Release(w.form().NextPageLabel);
    QVERIFY(WaitIdle(w));
    QCOMPARE(ListRequests(), QStringList{"/book/toplastupdate/2.html"});
    QVERIFY(w.form().PageCounterLabel->text().startsWith("2/"));

    fixture_->ClearRequestLog();
    Release(w.form().LastPageLabel);
    QVERIFY(WaitIdle(w));
    QCOMPARE(ListRequests(), QStringList{QString("/book/toplastupdate/%1.html").arg(pages)});
    QCOMPARE(Shared().CurrentPage.load(), pages);

    Release(w.form().NextPageLabel);
    QCOMPARE(fixture_->seam().Messages().back().text, U("已经是尾页了!"));

    Release(w.form().FirstPageLabel);
    QVERIFY(WaitIdle(w));
    QCOMPARE(Shared().CurrentPage.load(), 1);

    // GO: beyond the count, a fraction, and a page of 1 or less.
    w.form().PageJumpEdit->setText(QString::number(pages + 4));
    QTest::mouseClick(w.form().GoButton, Qt::LeftButton);
    QCOMPARE(fixture_->seam().Messages().back().text,
             U("输入的页码有误,一共才") + QString::number(pages) + U(",请重新输入!"));
    fixture_->ClearRequestLog();
    w.form().PageJumpEdit->setText("2.9");
    QTest::mouseClick(w.form().GoButton, Qt::LeftButton);
    QVERIFY(WaitIdle(w));
    QCOMPARE(ListRequests(), QStringList{"/book/toplastupdate/2.html"});

    // With an empty list every control refuses.
    w.form().BookListView->clear();
    w.form().BookIdListView->clear();
    fixture_->seam().Clear();
    fixture_->ClearRequestLog();
    Release(w.form().FirstPageLabel);
    Release(w.form().LastPageLabel);
    Release(w.form().PrevPageLabel);
    Release(w.form().NextPageLabel);
    QTest::mouseClick(w.form().GoButton, Qt::LeftButton);
    const auto messages = fixture_->seam().Messages();
    QCOMPARE(int(messages.size()), 5);
    QCOMPARE(messages[0].text, U("现在不能输入,请搜索书籍后再选择跳转的页数"));
    QCOMPARE(messages[1].text, U("现在不能输入,请搜索书籍后再选择跳转的页数"));
    for (int i = 2; i < 5; ++i)
      QCOMPARE(messages[i].text, U("现在不能对页数进行操作,请搜索书籍后重试!"));
    QTest::qWait(50);
    QVERIFY(ListRequests().isEmpty());
  }

  void categoryPagingUsesTheCategoryLoader() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    Release(w.Label(LabelFor("/book/list6/")));
    QVERIFY(WaitIdle(w));
    fixture_->ClearRequestLog();
    Release(w.form().NextPageLabel);
    QVERIFY(WaitIdle(w));
    QCOMPARE(ListRequests(), QStringList{"/book/list6/2.html"});
    QVERIFY(Rows(w) > 0);
    QVERIFY(PairsHold(w));
  }

  void searchByTitleAndByAuthor() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    const QString counter = w.form().PageCounterLabel->text();

    // Empty keyword: a message, and the labels lose their marking.
    Release(w.Label(LabelFor("/book/list6/")));
    QVERIFY(WaitIdle(w));
    const int rowsBefore = Rows(w);
    w.form().KeywordEdit->clear();
    QTest::mouseClick(w.form().SearchButton, Qt::LeftButton);
    QCOMPARE(fixture_->seam().Messages().back().text, U("请输入正确的数据!"));
    QCOMPARE(fixture_->seam().Messages().back().title, QString());
    QCOMPARE(Rows(w), rowsBefore);
    for (const ListLabel& label : MainWindow::ListLabels())
      QCOMPARE(w.Label(label)->TextColor(), 0);

    // A title that matches one book: its information page, one row, no counter.
    fixture_->ClearRequestLog();
    w.form().KeywordEdit->setText(
        QString::fromUtf8(sample_site::kTitleKeyword.data(), sample_site::kTitleKeyword.size()));
    w.form().TitleRadio->setChecked(true);
    QTest::mouseClick(w.form().SearchButton, Qt::LeftButton);
    QVERIFY(WaitIdle(w));
    const GbkText key = FormEncode(Utf8ToGbk(std::string(sample_site::kTitleKeyword)));
    QCOMPARE(ListRequests(),
             QStringList{"/modules/article/search.php?searchtype=articlename&searchkey=" +
                         QString::fromLatin1(key.c_str())});
    QCOMPARE(Rows(w), 1);
    QCOMPARE(w.form().BookIdListView->topLevelItem(0)->text(0),
             QString::number(sample_site::kTitleKeywordBookId));
    QVERIFY(w.form().BookListView->topLevelItem(0)->text(0).contains(
        QString::fromUtf8(sample_site::kTitleKeyword.data(), sample_site::kTitleKeyword.size())));
    QCOMPARE(w.form().PageCounterLabel->text(), QString());

    // An author search with many results: a result list with its counter.
    fixture_->ClearRequestLog();
    w.form().AuthorRadio->setChecked(true);
    w.form().KeywordEdit->setText(
        QString::fromUtf8(sample_site::kAuthorKeyword.data(), sample_site::kAuthorKeyword.size()));
    QTest::mouseClick(w.form().SearchButton, Qt::LeftButton);
    QVERIFY(WaitIdle(w));
    QVERIFY(ListRequests().value(0).startsWith(
        "/modules/article/search.php?searchtype=author&searchkey="));
    QVERIFY(Rows(w) >= 1);
    QVERIFY(PairsHold(w));

    // A search by title with many results fills the list and its counter.
    w.form().TitleRadio->setChecked(true);
    w.form().KeywordEdit->setText(QString::fromUtf8(sample_site::kCommonTitleKeyword.data(),
                                                    sample_site::kCommonTitleKeyword.size()));
    QTest::mouseClick(w.form().SearchButton, Qt::LeftButton);
    QVERIFY(WaitIdle(w));
    QVERIFY(Rows(w) > 1);
    QVERIFY(PairsHold(w));
    QVERIFY(w.form().PageCounterLabel->text().contains("/"));

    // The search left the list state alone: paging moves through list 6.
    fixture_->ClearRequestLog();
    Release(w.form().NextPageLabel);
    QVERIFY(WaitIdle(w));
    QCOMPARE(ListRequests(), QStringList{"/book/list6/2.html"});
    (void)counter;
  }

  void siteErrorPageShowsTheMessageBeforeIdle() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    sample_site::Misbehaviour errorPage;
    errorPage.errorPage = true;
    fixture_->site().SetMisbehaviour("/book/list1/1.html", errorPage);
    fixture_->seam().Clear();
    Release(w.Label(LabelFor("/book/list1/")));
    QVERIFY(WaitIdle(w));
    QCOMPARE(int(fixture_->seam().Messages().size()), 1);
    QCOMPARE(fixture_->seam().Messages()[0].text, U("对不起，两次搜索的间隔时间不得少于 30 秒!"));
    QCOMPARE(Rows(w), 0);
  }

  void slowSiteKeepsTheWindowResponsiveAndTheNewerLoadWins() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(1500);
    fixture_->site().SetMisbehaviour("/book/list2/1.html", slow);
    Release(w.Label(LabelFor("/book/list2/")));
    // The window thread keeps turning while the slow load waits.
    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QTest::qWait(300);
    QVERIFY2(ticks >= 10, "the window thread stalled");
    QVERIFY(!w.form().SearchButton->isEnabled());
    QCOMPARE(w.form().SearchButton->text(), U("搜索中"));
    // A newer load of another list wins; the slow one adds nothing.
    Release(w.Label(LabelFor("/book/list3/")));
    QVERIFY(WaitIdle(w));
    QTest::qWait(1600);
    QVERIFY(PairsHold(w));
    QCOMPARE(w.form().ListUrlEdit->text(), fixture_->BaseUrl() + "/book/list3/");
    const int rows = Rows(w);
    QVERIFY(rows > 0);
    QVERIFY(Idle(w));
    QVERIFY(w.form().PageCounterLabel->text().startsWith("1/"));
  }

  void deadSiteLeavesAnEmptyList() {
    fixture_->UseDeadSite();
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    QCOMPARE(Rows(w), 0);
    QCOMPARE(w.form().PageCounterLabel->text(), QString("/"));
    QCOMPARE(w.form().SearchButton->text(), U("搜 索"));
    // The only message is the failed version check's, once it has failed.
    QVERIFY(WaitFor([&] { return !fixture_->seam().Messages().empty(); }));
    QCOMPARE(int(fixture_->seam().Messages().size()), 1);
    QCOMPARE(fixture_->seam().Messages()[0].text, U("更新检测失败!!"));
    QCOMPARE(fixture_->seam().EndRequests(), 0);
  }

  void noticesAndTheTickerComeFromTheNoticeServer() {
    const NoticeLinkTexts notice = FetchNoticeLink(Shared().NoticeBaseUrl.Get());
    const std::optional<TickerTexts> ticker =
        FetchTickerTexts(Shared().NoticeBaseUrl.Get(), TickerKind::kMain);
    QVERIFY(!notice.caption.empty());
    QVERIFY(ticker && !ticker->texts.empty());
    MainWindow& w = StartWindow();
    QCOMPARE(w.form().MainTickerLink->text(), U("文字广告位联系Tavelin"));
    QCOMPARE(ToQt(w.form().MainTickerLink->Target()), fixture_->BaseUrl() + "/?bookwisp");
    QVERIFY(WaitFor([&] { return w.form().NoticeLink->text() == ToQt(notice.caption); }));
    QCOMPARE(ToQt(w.form().NoticeLink->Target()), ToQt(notice.target));
    // The first message is written shortly after the texts arrive.
    QVERIFY(WaitFor([&] { return w.form().MainTickerLink->text() != U("文字广告位联系Tavelin"); }));
    const QString shown = w.form().MainTickerLink->text();
    bool known = false;
    for (const GbkText& text : ticker->texts) known = known || ToQt(text) == shown;
    QVERIFY2(known, qPrintable(shown));
    fixture_->seam().Clear();
    QTest::mouseRelease(w.form().MainTickerLink, Qt::LeftButton, {}, QPoint(2, 2));
    if (!w.form().MainTickerLink->Target().empty())
      QCOMPARE(fixture_->seam().Urls(), QStringList{ToQt(w.form().MainTickerLink->Target())});
  }

  void aNewerVersionIsAnnouncedAndEndsTheProgram() {
    sample_site::VersionInfo newer;
    newer.version = "1.0.0";
    newer.downloadUrl = "http://example.org/tavelin-1.0.0.tar.gz";
    fixture_->site().SetVersionInfo(newer);
    MainWindow& w = StartWindow();
    QVERIFY(WaitFor([&] { return fixture_->seam().EndRequests() == 1; }));
    const auto messages = fixture_->seam().Messages();
    QCOMPARE(int(messages.size()), 1);
    QVERIFY(messages[0].text.contains("1.0.0"));
    QCOMPARE(fixture_->seam().Urls(), QStringList{"http://example.org/tavelin-1.0.0.tar.gz"});
    QVERIFY(WaitIdle(w));
  }

  void closingEndsTheProgramAndRemovesTheReadingPages() {
    MainWindow& w = StartWindow();
    QVERIFY(WaitIdle(w));
    const QString cache = fixture_->HomeDir() + "/appdata/Roaming/tavelin";
    QVERIFY(QDir().mkpath(cache));
    QFile page(cache + "/1.html");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    w.close();
    QCOMPARE(fixture_->seam().EndRequests(), 1);
    QVERIFY(!QDir(cache).exists());
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
