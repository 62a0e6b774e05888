#include "account/widgets/member_panel_load.h"

#include "account/member_panel.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/window_calls.h"
#include "ui/main/main_window.h"
#include "ui_MainWindow.h"

void LoadMemberPanel(const QPointer<QObject>& window) {
  const MemberInfo info = FetchMemberInfo(Shared().SiteBaseUrl.Get());
  OnWindowThread(window, [&] {
    auto* main = qobject_cast<MainWindow*>(window.data());
    if (!main) return;
    main->form().MemberNameLabel->setText(ToQt(info.name));
    main->form().MemberLevelLabel->setText(ToQt(info.level));
  });
}
