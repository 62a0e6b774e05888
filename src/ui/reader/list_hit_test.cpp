#include "ui/reader/list_hit_test.h"

#include <QListWidget>

int ItemFromPoint(const QListWidget& list, const QPoint& pos) {
  const QModelIndex index = list.indexAt(pos);
  if (index.isValid()) return index.row() & 0xFFFF;
  if (list.count() == 0) return kNoItemBit;
  // Above the first item the nearest is the first visible one; elsewhere
  // (below the last, beside the items) the last one.
  const QModelIndex top = list.indexAt(QPoint(pos.x(), 0));
  const int nearest = pos.y() < 0 && top.isValid() ? top.row() : list.count() - 1;
  return kNoItemBit | (nearest & 0xFFFF);
}
