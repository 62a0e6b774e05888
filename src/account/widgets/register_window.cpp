#include "account/widgets/register_window.h"

#include "account/account_messages.h"
#include "account/sign_up.h"
#include "account/widgets/account_panels.h"
#include "app/services/job.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "ui_RegisterWindow.h"

namespace {

// SubmitSignUp: sends the form and shows the outcome. `dialog` and `panels`
// are guards taken on the window thread; either may be gone by the time the
// answer arrives. After a success the member is logged in on the site, so
// MemberPanel is shown even when the dialog was closed meanwhile.
void SubmitSignUp(const GbkText& site, const SignUpForm& form, const QPointer<QObject>& dialog,
                  const QPointer<QObject>& panels) {
  const SignUpResult result = SendSignUp(site, form);
  if (result.success) {
    OnWindowThread(panels, [&] { static_cast<AccountPanels*>(panels.data())->ShowMemberPanel(); });
    OnWindowThread(dialog, [&] { static_cast<RegisterWindow*>(dialog.data())->accept(); });
    return;
  }
  ShowAccountError(result.reason);
  OnWindowThread(dialog, [&] {
    Ui::RegisterWindow& ui = static_cast<RegisterWindow*>(dialog.data())->form();
    ui.RegisterSubmitButton->setEnabled(true);
    ui.RegisterCancelButton->setEnabled(true);
  });
}

}  // namespace

RegisterWindow::RegisterWindow(AccountPanels* panels, QWidget* parent)
    : QDialog(parent), ui_(new Ui::RegisterWindow), panels_(panels) {
  ui_->setupUi(this);
  setFixedSize(size());
  connect(ui_->RegisterSubmitButton, &QPushButton::clicked, this, &RegisterWindow::SubmitClicked);
  connect(ui_->RegisterCancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::SubmitClicked() {
  // Disabled here, before the job starts, so that a second click cannot send
  // the form twice.
  ui_->RegisterSubmitButton->setEnabled(false);
  ui_->RegisterCancelButton->setEnabled(false);
  const SignUpForm form{
      FromQt(ui_->RegisterUserNameEdit->text()), FromQt(ui_->RegisterPasswordEdit->text()),
      FromQt(ui_->RegisterRepeatPasswordEdit->text()), FromQt(ui_->RegisterEmailEdit->text())};
  StartJob(
      [site = Shared().SiteBaseUrl.Get(), form, dialog = QPointer<QObject>(this),
       panels = QPointer<QObject>(panels_.data())] { SubmitSignUp(site, form, dialog, panels); });
}
