#include "app/startup_jobs.h"

#include <QPointer>

#include "account/widgets/remembered_login_fill.h"
#include "app/services/job.h"
#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/widgets/link_label.h"
#include "app/window_calls.h"
#include "notices/notice_files.h"
#include "notices/update_check.h"
#include "notices/widgets/ticker_driver.h"
#include "ui/main/main_window.h"
#include "ui/reader/bookmark_scan.h"
#include "ui_MainWindow.h"

namespace {

// The notice text under the book list and the address it opens.
void StartNoticeLinkJob(MainWindow* window, const GbkText& noticeBaseUrl) {
  const QPointer<QObject> guard(window);
  StartJob([guard, window, noticeBaseUrl] {
    const NoticeLinkTexts notice = FetchNoticeLink(noticeBaseUrl);
    OnWindowThread(guard, [&] {
      window->form().NoticeLink->setText(ToQt(notice.caption));
      window->form().NoticeLink->SetTarget(notice.target);
    });
  });
}

}  // namespace

void StartStartupJobs(MainWindow* window) {
  // The remembered login: the first job.
  StartJob([guard = QPointer<QObject>(window)] { FillRememberedLogin(guard); });
  const GbkText notices = Shared().NoticeBaseUrl.Get();
  StartNoticeLinkJob(window, notices);
  StartCheckForUpdate(notices);
  window->MainTicker()->LoadTexts(notices);
  // The bookmark list: the fifth job.
  StartJob([guard = QPointer<QObject>(window)] { ScanBookmarkFolder(guard); });
}
