#include "ui/reader/panel_pictures.h"

#include <QPainter>
#include <QPolygon>
#include <QUrl>

#include "app/services/shared_state.h"
#include "app/text_convert.h"

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 13;

QPixmap DrawnPicture(PanelPictureKind kind) {
  QPixmap picture(kWidth, kHeight);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x40, 0x40, 0x40));
  const bool right = kind == PanelPictureKind::kPanelShown;
  for (int x0 : {2, 8}) {
    QPolygon chevron;
    if (right) {
      chevron << QPoint(x0, 1) << QPoint(x0 + 3, 1) << QPoint(x0 + 6, 6) << QPoint(x0 + 3, 11)
              << QPoint(x0, 11) << QPoint(x0 + 3, 6);
    } else {
      chevron << QPoint(x0 + 6, 1) << QPoint(x0 + 3, 1) << QPoint(x0, 6) << QPoint(x0 + 3, 11)
              << QPoint(x0 + 6, 11) << QPoint(x0 + 3, 6);
    }
    painter.drawPolygon(chevron);
  }
  return picture;
}

}  // namespace

QPixmap PanelPicture(PanelPictureKind kind) {
  const QUrl base(ToQt(Shared().ReadingAssetBaseUrl.Get()));
  if (base.isLocalFile()) {
    const QString name =
        kind == PanelPictureKind::kPanelShown ? "panel_shown.png" : "panel_hidden.png";
    QPixmap picture;
    if (picture.load(base.toLocalFile() + "/pictures/" + name) && picture.width() == kWidth &&
        picture.height() == kHeight)
      return picture;
  }
  return DrawnPicture(kind);
}
