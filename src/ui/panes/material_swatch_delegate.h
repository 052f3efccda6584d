#pragma once
// Paints every cell of the material list: the name in the window-text colour, the colour column
// as a swatch, an 11 x 11 square with a black one-pixel frame filled with the material's colour
// (its bytes wrapped as the document computes them), one pixel in from the cell's corner. The
// selected row gets the highlight background. In-place edits go through LabelEditDelegate.
#include "ui/panes/label_edit_delegate.h"

namespace qv::ui {

class MaterialSwatchDelegate : public LabelEditDelegate {
 public:
  using LabelEditDelegate::LabelEditDelegate;
  // The swatch colour of a row is the item's data under this role (a QColor).
  static constexpr int kSwatchRole = Qt::UserRole + 1;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qv::ui
