#pragma once

// The sign-up dialog, built from forms/RegisterWindow.ui. Its edit boxes keep
// the names "用户名", "密码", "重复密码" and "email" as accessible names (the
// object names are ASCII so that the form compiles).

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class RegisterWindow;
}
class AccountPanels;

class RegisterWindow final : public QDialog {
  Q_OBJECT

 public:
  // `panels` shows MemberPanel after a successful sign-up; `parent` is the
  // window the dialog is centred on.
  RegisterWindow(AccountPanels* panels, QWidget* parent);
  ~RegisterWindow() override;

  Ui::RegisterWindow& form() { return *ui_; }

  // "注册" clicked: both buttons are disabled and SubmitSignUp runs on a job.
  // On success MemberPanel is shown and the dialog is accepted (closed); on a
  // refusal the site's reason is shown and both buttons work again. A dialog
  // closed meanwhile is left alone by the job.
  void SubmitClicked();

 private:
  std::unique_ptr<Ui::RegisterWindow> ui_;
  QPointer<AccountPanels> panels_;
};
