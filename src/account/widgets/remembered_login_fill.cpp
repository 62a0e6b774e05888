#include "account/widgets/remembered_login_fill.h"

#include "account/remembered_login.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

void FillRememberedLogin(const QPointer<QObject>& window) {
  const std::optional<RememberedCredentials> remembered = ReadRememberedCredentials();
  if (!remembered) return;
  OnWindowThread(window, [&] {
    auto* main = qobject_cast<MainWindow*>(window.data());
    if (!main) return;
    main->form().UserNameEdit->setText(ToQt(remembered->userName));
    main->form().PasswordEdit->setText(ToQt(remembered->password));
  });
}
