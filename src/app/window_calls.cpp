#include "app/window_calls.h"

#include <QCoreApplication>
#include <QThread>

void OnWindowThread(const QPointer<QObject>& window, const std::function<void()>& write) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || window.isNull()) return;
  const QPointer<QObject> target(window);
  if (QThread::currentThread() == app->thread()) {
    if (target) write();
    return;
  }
  // Queued to the application object, which outlives every window, and
  // checked there: the window may be destroyed while the call waits.
  QMetaObject::invokeMethod(
      app,
      [&] {
        if (target) write();
      },
      Qt::BlockingQueuedConnection);
}

void PostToWindowThread(const QPointer<QObject>& window, std::function<void()> write) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || window.isNull()) return;
  QMetaObject::invokeMethod(
      app,
      [target = window, write = std::move(write)] {
        if (target) write();
      },
      Qt::QueuedConnection);
}
