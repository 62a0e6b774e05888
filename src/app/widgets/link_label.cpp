#include "app/widgets/link_label.h"

#include <QMouseEvent>

#include "app/services/desktop_seam.h"

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(0x1a, 0x4f, 0xa8));
  setPalette(p);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  emit clicked();
  if (!target_.empty()) Desktop().OpenUrl(target_);
}
