#include "ui/panes/material_swatch_delegate.h"

#include <QPainter>

namespace qv::ui {

void MaterialSwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const bool swatchColumn = index.column() != 0;
  const QColor swatch = index.data(kSwatchRole).value<QColor>();
  const bool selected = option.state & QStyle::State_Selected;
  QColor text = swatchColumn ? swatch : option.palette.color(QPalette::Text);
  QColor background = option.palette.color(QPalette::Base);
  if (selected) {
    background = option.palette.color(QPalette::Highlight);
    if (swatchColumn) text = option.palette.color(QPalette::HighlightedText);
  }
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->fillRect(option.rect, background);
  const QRect cell = option.rect;
  if (swatchColumn) {
    // Frame from (left + 1, top + 1) to (left + 11, top + 11) inclusive, the colour inside.
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(swatch);
    painter->drawRect(QRect(cell.left() + 1, cell.top() + 1, 10, 10));
  }
  const QString label = index.data(Qt::DisplayRole).toString();
  if (!label.isEmpty()) {
    painter->setPen(text);
    const int alignment = index.data(Qt::TextAlignmentRole).isValid() ? index.data(Qt::TextAlignmentRole).toInt()
                                                                      : int(Qt::AlignLeft);
    painter->drawText(cell.adjusted(4, 0, -2, 0), (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter | Qt::TextSingleLine,
                      option.fontMetrics.elidedText(label, Qt::ElideRight, cell.width() - 6));
  }
  painter->restore();
}

}  // namespace qv::ui
