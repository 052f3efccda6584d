#pragma once
// The pictures of the left panes, drawn as SVG in pane_images.qrc: the six 13 x 13 tree item
// images (root, shown model, hidden model; each normal and selected) and the three cursors of a
// model dragged in the tree.
#include <QCursor>
#include <QIcon>
#include <QImage>

namespace qv::ui {

// Item image 0 to 5 in the tree's order: 0/1 root, 2/3 shown model, 4/5 hidden model (odd:
// selected). Transparent around the drawing.
QImage TreeItemImage(int index);
// The normal image `pair` with its selected partner as the icon's selected mode.
QIcon TreeItemIcon(int pair);

enum class DropCursor { kAllowed, kAllowedWithCtrl, kRefused };
QImage DropCursorImage(DropCursor kind);
QCursor DropCursorOf(DropCursor kind);

}  // namespace qv::ui
