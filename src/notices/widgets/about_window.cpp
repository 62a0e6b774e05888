#include "notices/widgets/about_window.h"

#include "app/text_convert.h"
#include "notices/about_texts.h"
#include "ui_AboutWindow.h"

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent), ui_(new Ui::AboutWindow) {
  ui_->setupUi(this);
  setFixedSize(size());
  // The created handler: the texts are set whatever the form says.
  ui_->VersionLabel->setText(ToQt(AboutVersionText()));
  ui_->DateLabel->setText(ToQt(AboutDateText()));
  ui_->FeedbackLabel->setText(ToQt(AboutFeedbackText()));
  ui_->FeedbackLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  connect(ui_->OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

AboutWindow::~AboutWindow() = default;

void ShowAboutWindow(QWidget* parent) {
  AboutWindow about(parent);
  about.exec();
}
