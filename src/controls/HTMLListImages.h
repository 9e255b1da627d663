#pragma once

#include <QList>
#include <QPixmap>

// The markup list's own 16 x 16 pictures, by index: 0 an empty check box, 1 a ticked one, 8 a
// double chevron pointing up (the item's children are shown), 9 one pointing down (hidden). The
// indices between are kept empty.
namespace HTMLListImages {

enum : int { kUnchecked = 0, kChecked = 1, kExpanded = 8, kCollapsed = 9, kCount = 10 };
constexpr int kSize = 16;

QList<QPixmap> Make();

} // namespace HTMLListImages
