#include "account/widgets/account_panels.h"

#include <QEventLoop>
#include <QPointer>

#include "account/account_messages.h"
#include "account/login.h"
#include "account/widgets/member_panel_load.h"
#include "account/widgets/register_window.h"
#include "app/services/job.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/click_label.h"
#include "app/window_calls.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

namespace {

constexpr int kLinkColor = 0xFF0000;  // BGR: blue

}  // namespace

AccountPanels::AccountPanels(MainWindow* window) : QObject(window), window_(window) {
  Ui::MainWindow& ui = window_->form();
  // The member's name and level come from the site: shown as plain text.
  ui.MemberNameLabel->setTextFormat(Qt::PlainText);
  ui.MemberLevelLabel->setTextFormat(Qt::PlainText);
  for (ClickLabel* link : {ui.MemberLoginLabel, ui.BackToBookmarksLabel, ui.LogoutLabel})
    link->SetTextColor(kLinkColor);
  // The two switching links sit on their group's frame line, like a second
  // title: they paint their own background over it.
  for (ClickLabel* link : {ui.MemberLoginLabel, ui.BackToBookmarksLabel}) {
    link->setAttribute(Qt::WA_TranslucentBackground, false);
    link->setAttribute(Qt::WA_NoSystemBackground, false);
    link->setAutoFillBackground(true);
  }

  connect(ui.MemberLoginLabel, &ClickLabel::released, this, &AccountPanels::ShowLoginPanel);
  connect(ui.BackToBookmarksLabel, &ClickLabel::released, this, &AccountPanels::ShowBookmarks);
  connect(ui.LoginButton, &QPushButton::clicked, this, &AccountPanels::LogInClicked);
  connect(ui.LogoutLabel, &ClickLabel::released, this, &AccountPanels::LogOutReleased);
  connect(ui.SignUpButton, &QPushButton::clicked, this, &AccountPanels::SignUpClicked);
}

void AccountPanels::ShowLoginPanel() {
  window_->form().bookmarkGroup->hide();
  window_->form().LoginPanel->show();
}

void AccountPanels::ShowBookmarks() {
  window_->form().LoginPanel->hide();
  window_->form().bookmarkGroup->show();
}

void AccountPanels::LogInClicked() {
  const Ui::MainWindow& ui = window_->form();
  const LoginForm form{FromQt(ui.UserNameEdit->text()), FromQt(ui.PasswordEdit->text()),
                       ui.RememberPasswordCheck->isChecked()};
  const GbkText site = Shared().SiteBaseUrl.Get();

  // The answer comes back through the loop's guard: the job's write runs on
  // this thread only while the loop (and so this frame) still exists. The
  // button stays enabled; a second click logs in again inside this loop.
  bool answered = false;
  bool loggedIn = false;
  QEventLoop loop;
  const QPointer<QObject> loopGuard(&loop);
  StartJob([form, site, loopGuard, &answered, &loggedIn] {
    const bool ok = LogIn(site, form);
    OnWindowThread(loopGuard, [&] {
      answered = true;
      loggedIn = ok;
      static_cast<QEventLoop*>(loopGuard.data())->quit();
    });
  });
  const QPointer<AccountPanels> self(this);
  loop.exec();
  // The loop also ends when the program quits; then nothing more happens.
  if (!self || !answered) return;
  if (loggedIn) {
    ShowMemberPanel();
  } else {
    ShowAccountError(LoginFailedMessage());
  }
}

void AccountPanels::LogOutReleased() {
  LogOut(Shared().SiteBaseUrl.Get());
  window_->form().MemberPanel->hide();
  window_->form().bookmarkGroup->show();
}

void AccountPanels::SignUpClicked() {
  // On the heap: the dialog goes with MainWindow should that close meanwhile.
  const QPointer<RegisterWindow> dialog = new RegisterWindow(this, window_);
  dialog->exec();
  delete dialog.data();
}

void AccountPanels::ShowMemberPanel() {
  Ui::MainWindow& ui = window_->form();
  ui.LoginPanel->hide();
  ui.bookmarkGroup->hide();
  ui.MemberPanel->show();
  StartJob([guard = QPointer<QObject>(window_)] { LoadMemberPanel(guard); });
}
