#pragma once

// The about box: version, date and feedback address, and "确定".

#include <QDialog>

#include <memory>

namespace Ui {
class AboutWindow;
}

class AboutWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);
  ~AboutWindow() override;

  Ui::AboutWindow& form() { return *ui_; }

 private:
  std::unique_ptr<Ui::AboutWindow> ui_;
};

// Opens the about box modally over `parent` and returns when it is closed.
void ShowAboutWindow(QWidget* parent);
