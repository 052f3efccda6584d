#pragma once
// A delegate whose in-place edits never write the label themselves: the edited text goes to
// `commit`, and the document decides whether the name is taken (the pane then shows the rows
// again). Both left panes rename this way.
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <functional>

namespace qv::ui {

class LabelEditDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  std::function<void(const QString&)> commit;

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override {
    if (auto* line = qobject_cast<QLineEdit*>(editor); line && commit) commit(line->text());
  }
};

}  // namespace qv::ui
