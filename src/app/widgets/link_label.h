#pragma once

#include <QLabel>

#include "scrape/gbk_text.h"

// A hyperlink label: a text and a target address; a click opens the target
// in the default browser (through the desktop seam). An empty target opens
// nothing.
class LinkLabel final : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(QWidget* parent = nullptr);

  void SetTarget(const GbkText& target) { target_ = target; }
  const GbkText& Target() const { return target_; }

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  GbkText target_;
};
