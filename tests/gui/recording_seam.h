#pragma once

// A desktop seam for window tests: message boxes are answered at once and
// recorded, addresses are recorded instead of opened, and an end of the
// program is recorded instead of done.

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

#include "app/services/desktop_seam.h"

class RecordingSeam final : public DesktopSeam {
 public:
  struct Message {
    QString text;
    QString title;
    MessageIcon icon;
  };

  // Installs a fresh recording seam for the life of the returned pointer's owner test.
  static std::shared_ptr<RecordingSeam> Install();

  void ShowMessage(const GbkText& text, const GbkText& title, MessageIcon icon) override;
  void OpenUrl(const GbkText& url) override;
  void EndProgram(int exitCode) override;

  std::vector<Message> Messages() const;
  QStringList Urls() const;
  int EndRequests() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<Message> messages_;
  QStringList urls_;
  int ends_ = 0;
};
