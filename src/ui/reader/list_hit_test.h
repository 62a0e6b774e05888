#pragma once

// Which item of a list lies under a point, answered as the hover rules of
// the chapter tip expect: the nearest item's index in the low 16 bits, and
// kNoItemBit set when no item lies at the point (below the last item, or an
// empty list).

#include <QPoint>

class QListWidget;

inline constexpr int kNoItemBit = 0x10000;

// `pos` is in the list's viewport coordinates.
int ItemFromPoint(const QListWidget& list, const QPoint& pos);
