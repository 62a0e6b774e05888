// The member account on MainWindow and the sign-up dialog, on the real
// widgets against the in-process sample site: remembered credentials at
// start, the way to the login and back, login (window usable meanwhile, the
// session cookie kept and sent with the member block request), a wrong
// password with and without "记住密码", logout, sign-up success and refusal,
// a dialog closed while its sign-up runs, and an unreachable site.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <functional>

#include "account/remembered_login.h"
#include "account/widgets/register_window.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "net/cookie_store.h"
#include "sample_site.h"
#include "scrape/charset.h"
#include "site_facts.h"
#include "site_fixture.h"
#include "store/known_folders.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"
#include "ui_RegisterWindow.h"

namespace {

QString U(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), int(utf8.size()));
}

void Release(QWidget* label) {
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(4, 4));
}

// Which of the three panels sharing one place is seen.
enum class Place { kBookmarks, kLogin, kMember };

bool Shows(MainWindow& w, Place place) {
  const auto& f = w.form();
  return f.bookmarkGroup->isVisible() == (place == Place::kBookmarks) &&
         f.LoginPanel->isVisible() == (place == Place::kLogin) &&
         f.MemberPanel->isVisible() == (place == Place::kMember);
}

QString UserIniPath() {
  return QString::fromLocal8Bit(UserIniFile().c_str());
}

// Writes UserIniFile with the given GBK content, as an earlier run left it.
void WriteUserIni(const GbkText& content) {
  QDir().mkpath(QString::fromLocal8Bit(SettingsFolder().c_str()));
  QFile file(UserIniPath());
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(content.data(), qint64(content.size()));
}

QByteArray ReadUserIni() {
  QFile file(UserIniPath());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The requests the site has seen under `path` (query strings cut off).
std::vector<sample_site::LoggedRequest> RequestsTo(SiteFixture& fixture, std::string_view path) {
  std::vector<sample_site::LoggedRequest> found;
  for (const sample_site::LoggedRequest& request : fixture.site().RequestLog())
    if (request.path == path) found.push_back(request);
  return found;
}

// The account's message boxes (title "提示"), leaving out those of the
// other start-up jobs, such as a failed version check on a dead site.
std::vector<RecordingSeam::Message> AccountMessages(SiteFixture& fixture) {
  std::vector<RecordingSeam::Message> found;
  for (const RecordingSeam::Message& message : fixture.seam().Messages())
    if (message.title == QString::fromUtf8("提示")) found.push_back(message);
  return found;
}

}  // namespace

class TestAccountWindows : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<SiteFixture> fixture_;
  std::unique_ptr<MainWindow> window_;

  MainWindow& StartWindow() {
    window_ = std::make_unique<MainWindow>();
    window_->show();
    return *window_;
  }

  // The user's way to the login: the bookmark group's "会员登录" link.
  MainWindow& StartAtLogin() {
    MainWindow& w = StartWindow();
    Release(w.form().MemberLoginLabel);
    return w;
  }

  // Fills the login panel and clicks LoginButton; the click returns once the
  // login has been answered.
  static void LogInAs(MainWindow& w, const QString& name, const QString& password, bool remember) {
    w.form().UserNameEdit->setText(name);
    w.form().PasswordEdit->setText(password);
    w.form().RememberPasswordCheck->setChecked(remember);
    QTest::mouseClick(w.form().LoginButton, Qt::LeftButton);
  }

  static bool MemberShown(MainWindow& w, const QString& name, const QString& level) {
    return WaitFor([&] {
      return w.form().MemberNameLabel->text() == name && w.form().MemberLevelLabel->text() == level;
    });
  }

  // Clicks SignUpButton and runs `inDialog` on the open RegisterWindow. A
  // dialog that `inDialog` left open is closed with "取消" so that the test
  // cannot hang. Returns whether the dialog was open when `inDialog` was
  // done.
  static bool RunSignUpDialog(MainWindow& w, const std::function<void(RegisterWindow&)>& inDialog) {
    bool leftOpen = false;
    // Fires inside the dialog's own loop once the dialog is open; the timer
    // goes with this frame, so nothing is left armed when the click returns.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      RegisterWindow* dialog = w.findChild<RegisterWindow*>();
      if (!dialog || !dialog->isVisible()) return;
      poll.stop();
      const QPointer<RegisterWindow> guard(dialog);
      inDialog(*dialog);
      if (guard && guard->isVisible()) {
        leftOpen = true;
        guard->reject();
      }
    });
    poll.start(5);
    QTest::mouseClick(w.form().SignUpButton, Qt::LeftButton);
    return leftOpen;
  }

  static void FillSignUp(RegisterWindow& dialog, const QString& name, const QString& password,
                         const QString& repeated, const QString& email) {
    dialog.form().RegisterUserNameEdit->setText(name);
    dialog.form().RegisterPasswordEdit->setText(password);
    dialog.form().RegisterRepeatPasswordEdit->setText(repeated);
    dialog.form().RegisterEmailEdit->setText(email);
  }

  static bool ButtonsEnabled(RegisterWindow& dialog) {
    return dialog.form().RegisterSubmitButton->isEnabled() &&
           dialog.form().RegisterCancelButton->isEnabled();
  }

 private slots:
  void init() {
    ClearCookies();
    fixture_ = std::make_unique<SiteFixture>();
  }
  void cleanup() {
    window_.reset();
    fixture_.reset();
    ClearCookies();
  }

  void rememberedCredentialsFilledAtStart_data() {
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("iniText");  // UTF-8, stored in GBK
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::newRow("both keys") << true
                               << QByteArray("[user]\r\nusername=读者甲\r\npassword=a&b c\r\n")
                               << U("读者甲") << U("a&b c");
    QTest::newRow("only the user name: the password box is emptied")
        << true << QByteArray("[user]\r\nusername=reader\r\n") << U("reader") << QString();
    QTest::newRow("no file: the boxes keep what they held")
        << false << QByteArray() << U("typed") << U("before");
  }
  void rememberedCredentialsFilledAtStart() {
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, iniText);
    QFETCH(QString, userName);
    QFETCH(QString, password);
    if (fileExists) WriteUserIni(Utf8ToGbk(iniText.toStdString()));
    // A box typed into before the job runs shows whether the job wrote it.
    window_ = std::make_unique<MainWindow>();
    if (!fileExists) {
      window_->form().UserNameEdit->setText(userName);
      window_->form().PasswordEdit->setText(password);
    } else {
      window_->form().PasswordEdit->setText("stale");
    }
    window_->show();
    MainWindow& w = *window_;
    QTest::qWait(200);
    QVERIFY(WaitFor([&] {
      return w.form().UserNameEdit->text() == userName && w.form().PasswordEdit->text() == password;
    }));
    // Nothing else happens: no login, the check box as the form set it, no
    // file made, the bookmarks still in their place.
    QVERIFY(RequestsTo(*fixture_, "/login.php").empty());
    QVERIFY(w.form().RememberPasswordCheck->isChecked());
    QCOMPARE(QFile::exists(UserIniPath()), fileExists);
    QVERIFY(Shows(w, Place::kBookmarks));
  }

  void theLoginIsReachedFromTheBookmarksAndLeftAgain() {
    MainWindow& w = StartWindow();
    QVERIFY(Shows(w, Place::kBookmarks));
    QCOMPARE(w.form().MemberLoginLabel->text(), U("会员登录"));
    Release(w.form().MemberLoginLabel);
    QVERIFY(Shows(w, Place::kLogin));
    QCOMPARE(w.form().LoginPanel->geometry(), w.form().bookmarkGroup->geometry());
    Release(w.form().BackToBookmarksLabel);
    QVERIFY(Shows(w, Place::kBookmarks));
  }

  void loginShowsTheMemberWhileTheWindowStaysUsable() {
    MainWindow& w = StartAtLogin();
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(600);
    fixture_->site().SetMisbehaviour("/login.php", slow);
    // The member's password holds "@", a blank and "&": it must reach the
    // site intact for the login to succeed.
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    LogInAs(w, U(sample_site::kMemberUserName), U(sample_site::kMemberPassword), true);
    timer.stop();
    QVERIFY2(ticks >= 20, "the window thread stalled during the login");

    QVERIFY(AccountMessages(*fixture_).empty());
    QVERIFY(Shows(w, Place::kMember));
    QVERIFY(MemberShown(w, U(sample_site::kMemberUserName), U(sample_site::kMemberLevel)));

    // The session cookie was kept and travelled with the member block request.
    const GbkText cookies = CookiesForUrl(Shared().SiteBaseUrl.Get());
    QVERIFY(cookies.find(std::string(sample_site::kSessionCookieName) + "=") != GbkText::npos);
    const auto blocks = RequestsTo(*fixture_, "/blockshow.php");
    QCOMPARE(int(blocks.size()), 1);
    QVERIFY(blocks[0].Header("Cookie").find(std::string(sample_site::kSessionCookieName) + "=") !=
            std::string::npos);
    QVERIFY(blocks[0].query.find("filename=block_login") != std::string::npos);

    // "记住密码" was ticked: both values as typed.
    const std::optional<RememberedCredentials> saved = ReadRememberedCredentials();
    QVERIFY(saved.has_value());
    QCOMPARE(ToQt(saved->userName), U(sample_site::kMemberUserName));
    QCOMPARE(ToQt(saved->password), U(sample_site::kMemberPassword));
  }

  void wrongPasswordShowsTheMessage_data() {
    QTest::addColumn<bool>("remember");
    QTest::addColumn<bool>("earlierFile");
    QTest::newRow("ticked: the file is written all the same") << true << false;
    QTest::newRow("ticked: an earlier file is replaced") << true << true;
    QTest::newRow("unticked: no file is made") << false << false;
    QTest::newRow("unticked: an earlier file stays as it was") << false << true;
  }
  void wrongPasswordShowsTheMessage() {
    QFETCH(bool, remember);
    QFETCH(bool, earlierFile);
    const GbkText earlier = "[user]\r\nusername=old\r\npassword=older\r\n";
    if (earlierFile) WriteUserIni(earlier);
    MainWindow& w = StartAtLogin();
    QVERIFY(WaitFor([&] { return !earlierFile || w.form().UserNameEdit->text() == "old"; }));
    LogInAs(w, U(sample_site::kMemberUserName), "wrong & pass", remember);

    const auto messages = AccountMessages(*fixture_);
    QCOMPARE(int(messages.size()), 1);
    QCOMPARE(messages[0].text, U("用户名或密码错误！"));
    QCOMPARE(messages[0].icon, MessageIcon::kError);
    QVERIFY(Shows(w, Place::kLogin));
    QVERIFY(w.form().LoginButton->isEnabled());
    QCOMPARE(int(RequestsTo(*fixture_, "/login.php").size()), 1);
    QVERIFY(RequestsTo(*fixture_, "/blockshow.php").empty());

    if (remember) {
      const std::optional<RememberedCredentials> saved = ReadRememberedCredentials();
      QVERIFY(saved.has_value());
      QCOMPARE(ToQt(saved->userName), U(sample_site::kMemberUserName));
      QCOMPARE(ToQt(saved->password), QString("wrong & pass"));
    } else if (earlierFile) {
      QCOMPARE(ReadUserIni(), QByteArray::fromStdString(earlier));
    } else {
      QVERIFY(!QFile::exists(UserIniPath()));
    }
  }

  void logoutReturnsToTheBookmarksAndKeepsTheSession() {
    MainWindow& w = StartAtLogin();
    LogInAs(w, U(sample_site::kMemberUserName), U(sample_site::kMemberPassword), false);
    QVERIFY(MemberShown(w, U(sample_site::kMemberUserName), U(sample_site::kMemberLevel)));
    const GbkText cookies = CookiesForUrl(Shared().SiteBaseUrl.Get());
    fixture_->ClearRequestLog();

    Release(w.form().LogoutLabel);
    QVERIFY(Shows(w, Place::kBookmarks));
    // Nothing is sent and nothing is forgotten: the texts stay, the cookies
    // are written back as they were.
    QTest::qWait(50);
    QVERIFY(RequestsTo(*fixture_, "/blockshow.php").empty());
    QVERIFY(RequestsTo(*fixture_, "/login.php").empty());
    QCOMPARE(w.form().MemberNameLabel->text(), U(sample_site::kMemberUserName));
    QCOMPARE(w.form().MemberLevelLabel->text(), U(sample_site::kMemberLevel));
    QCOMPARE(w.form().UserNameEdit->text(), U(sample_site::kMemberUserName));
    QCOMPARE(CookiesForUrl(Shared().SiteBaseUrl.Get()), cookies);

    // The way back to the login is open again.
    Release(w.form().MemberLoginLabel);
    QVERIFY(Shows(w, Place::kLogin));
  }

  void signUpClosesTheDialogAndShowsTheNewMember() {
    MainWindow& w = StartAtLogin();
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(300);
    fixture_->site().SetMisbehaviour("/register.php", slow);
    // Query characters in every field but the name; the site decodes each.
    const QString name = U("新读者 one");
    const QString password = "a&b #c+d";
    bool disabledWhileSending = false;
    QString caption;
    QStringList accessibleNames;
    const bool leftOpen = RunSignUpDialog(w, [&](RegisterWindow& dialog) {
      caption = dialog.windowTitle();
      for (QLineEdit* edit :
           {dialog.form().RegisterUserNameEdit, dialog.form().RegisterPasswordEdit,
            dialog.form().RegisterRepeatPasswordEdit, dialog.form().RegisterEmailEdit})
        accessibleNames << edit->accessibleName();
      FillSignUp(dialog, name, password, password, "new+reader@mail.test");
      QTest::mouseClick(dialog.form().RegisterSubmitButton, Qt::LeftButton);
      disabledWhileSending = !dialog.form().RegisterSubmitButton->isEnabled() &&
                             !dialog.form().RegisterCancelButton->isEnabled();
      WaitFor([&] { return !dialog.isVisible(); });
    });
    // SignUpButton's handler has returned: the dialog is closed and gone.
    QVERIFY(!leftOpen);
    QVERIFY(w.findChild<RegisterWindow*>() == nullptr);
    QCOMPARE(caption, U("注册窗口"));
    QCOMPARE(accessibleNames, (QStringList{U("用户名"), U("密码"), U("重复密码"), "email"}));
    QVERIFY(disabledWhileSending);
    QVERIFY(AccountMessages(*fixture_).empty());
    QVERIFY(Shows(w, Place::kMember));
    QVERIFY(MemberShown(w, name, U(sample_site::kNewMemberLevel)));
    QCOMPARE(int(RequestsTo(*fixture_, "/register.php").size()), 1);

    // The password arrived intact: logging in with it works.
    Release(w.form().LogoutLabel);
    Release(w.form().MemberLoginLabel);
    LogInAs(w, name, password, false);
    QVERIFY(AccountMessages(*fixture_).empty());
    QVERIFY(Shows(w, Place::kMember));
  }

  void refusedSignUpShowsTheReasonAndEnablesTheButtons() {
    MainWindow& w = StartAtLogin();
    bool openAfterRefusal = false;
    bool enabledAgain = false;
    const bool leftOpen = RunSignUpDialog(w, [&](RegisterWindow& dialog) {
      FillSignUp(dialog, "fresh", "one", "two", "not-a-mail");
      QTest::mouseClick(dialog.form().RegisterSubmitButton, Qt::LeftButton);
      enabledAgain = WaitFor([&] { return ButtonsEnabled(dialog); });
      QTest::qWait(50);
      openAfterRefusal = dialog.isVisible();
      // "取消" closes the dialog.
      QTest::mouseClick(dialog.form().RegisterCancelButton, Qt::LeftButton);
    });
    QVERIFY(enabledAgain);
    QVERIFY(openAfterRefusal);
    QVERIFY(!leftOpen);
    const auto messages = AccountMessages(*fixture_);
    QCOMPARE(int(messages.size()), 1);
    QCOMPARE(messages[0].text, U("两次输入的密码不一致！\r\nEmail格式不正确！"));
    QCOMPARE(messages[0].icon, MessageIcon::kError);
    QVERIFY(Shows(w, Place::kLogin));
    QVERIFY(RequestsTo(*fixture_, "/blockshow.php").empty());
  }

  void dialogClosedWhileItsSignUpRuns() {
    MainWindow& w = StartAtLogin();
    sample_site::Misbehaviour slow;
    slow.delay = std::chrono::milliseconds(400);
    fixture_->site().SetMisbehaviour("/register.php", slow);
    RunSignUpDialog(w, [&](RegisterWindow& dialog) {
      FillSignUp(dialog, "late", "pw", "pw", "late@mail.test");
      QTest::mouseClick(dialog.form().RegisterSubmitButton, Qt::LeftButton);
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    // The handler returned at once and the dialog is gone; the answer then
    // finds no dialog, but the new member is logged in and shown.
    QVERIFY(w.findChild<RegisterWindow*>() == nullptr);
    QVERIFY(Shows(w, Place::kLogin));
    QVERIFY(WaitFor([&] { return Shows(w, Place::kMember); }));
    QVERIFY(MemberShown(w, "late", U(sample_site::kNewMemberLevel)));
    QVERIFY(AccountMessages(*fixture_).empty());
  }

  void unreachableSite() {
    fixture_->UseDeadSite();
    MainWindow& w = StartAtLogin();
    LogInAs(w, U(sample_site::kMemberUserName), U(sample_site::kMemberPassword), false);
    QCOMPARE(int(AccountMessages(*fixture_).size()), 1);
    QCOMPARE(AccountMessages(*fixture_).at(0).text, U("用户名或密码错误！"));
    QVERIFY(Shows(w, Place::kLogin));

    // A failed sign-up: an empty reason, the dialog stays open and usable.
    fixture_->seam().Clear();
    bool enabledAgain = false;
    const bool leftOpen = RunSignUpDialog(w, [&](RegisterWindow& dialog) {
      FillSignUp(dialog, "someone", "pw", "pw", "someone@mail.test");
      QTest::mouseClick(dialog.form().RegisterSubmitButton, Qt::LeftButton);
      enabledAgain = WaitFor([&] { return ButtonsEnabled(dialog); });
    });
    QVERIFY(enabledAgain);
    QVERIFY(leftOpen);
    QCOMPARE(int(AccountMessages(*fixture_).size()), 1);
    QCOMPARE(AccountMessages(*fixture_).at(0).text, QString());
    QVERIFY(Shows(w, Place::kLogin));
  }
};

QTEST_MAIN(TestAccountWindows)
#include "test_account_windows.moc"
