#include "app/qt_desktop_seam.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

#include "app/services/shared_state.h"
#include "app/text_convert.h"
#include "app/window_calls.h"

void QtDesktopSeam::ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) {
  OnWindowThread(QPointer<QObject>(qApp), [&] {
    QMessageBox box;
    box.setText(ToQt(text));
    box.setWindowTitle(ToQt(title.empty() ? Shared().ProgramCaption.Get() : title));
    switch (icon) {
      case MessageIcon::kNone:
        box.setIcon(QMessageBox::NoIcon);
        break;
      case MessageIcon::kInformation:
        box.setIcon(QMessageBox::Information);
        break;
      case MessageIcon::kError:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
  });
}

void QtDesktopSeam::OpenUrl(const GbkText& url) {
  const QUrl address = QUrl::fromUserInput(ToQt(url));
  OnWindowThread(QPointer<QObject>(qApp), [&] { QDesktopServices::openUrl(address); });
}

void QtDesktopSeam::EndProgram(int exitCode) {
  // At once: running jobs are not waited for and no destructor runs.
  std::fflush(nullptr);
  std::_Exit(exitCode);
}
