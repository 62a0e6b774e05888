#pragma once

#include <QLabel>

// A transparent label that reports a release of the left mouse button over
// it, and whose text colour is written as a BGR value (255 red, 0 black).
class ClickLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(QWidget* parent = nullptr);

  void SetTextColor(int bgr);
  int TextColor() const { return bgr_; }

 signals:
  void released();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int bgr_ = 0;
};
