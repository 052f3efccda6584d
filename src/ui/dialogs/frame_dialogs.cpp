#include "ui/dialogs/frame_dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/dialog_fields.h"
#include "ui/dialogs/dialog_support.h"

namespace qv::ui {

namespace {

QLineEdit* FrameEdit(QWidget* parent, const char* name, int32_t value) {
  QLineEdit* edit = MakeDigitsOnlyEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setText(QString::fromStdString(FormatIntegerField(value)));
  edit->setMinimumWidth(80);
  return edit;
}

}  // namespace

KeyFrameDialog::KeyFrameDialog(const KeyFrameChoice& preset, QWidget* parent) : QDialog(parent), choice_(preset) {
  setObjectName(QStringLiteral("keyFrameDialog"));
  setWindowTitle(tr("ﾓﾃﾞﾙのｷｰﾌﾚｰﾑの追加・削除"));
  frame_ = FrameEdit(this, "frame", preset.frame);

  auto* frameRow = new QHBoxLayout;
  frameRow->addWidget(frame_);
  frameRow->addWidget(new QLabel(tr("ﾌﾚｰﾑ"), this));
  frameRow->addStretch(1);

  actions_ = new QButtonGroup(this);
  auto* radios = new QVBoxLayout;
  const std::pair<const char*, QString> buttons[] = {
      {"addSelected", tr("選択中のﾓﾃﾞﾙのｷｰﾌﾚｰﾑを追加")},
      {"addAll", tr("全てのﾓﾃﾞﾙのｷｰﾌﾚｰﾑを追加")},
      {"deleteSelected", tr("選択中のﾓﾃﾞﾙのｷｰﾌﾚｰﾑを削除")},
      {"deleteAll", tr("全てのﾓﾃﾞﾙのｷｰﾌﾚｰﾑを削除")},
  };
  int id = 0;
  for (const auto& [name, label] : buttons) {
    auto* radio = new QRadioButton(label, this);
    radio->setObjectName(QString::fromLatin1(name));
    actions_->addButton(radio, id++);
    radios->addWidget(radio);
  }
  if (QAbstractButton* checked = actions_->button(preset.action)) checked->setChecked(true);

  auto* fields = new QVBoxLayout;
  fields->addLayout(frameRow);
  fields->addLayout(radios);
  fields->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("ｷｬﾝｾﾙ")), 0, Qt::AlignTop);
  frame_->setFocus();
}

void KeyFrameDialog::accept() {
  KeyFrameChoice read;
  if (!ReadIntegerEdit(frame_, read.frame)) return;
  read.action = actions_->checkedId();  // -1 without a checked button
  choice_ = read;
  QDialog::accept();
}

InsertFramesDialog::InsertFramesDialog(int32_t afterFrame, int32_t count, QWidget* parent)
    : QDialog(parent), values_(afterFrame, count) {
  setObjectName(QStringLiteral("insertFramesDialog"));
  setWindowTitle(tr("ﾌﾚｰﾑの挿入"));
  afterFrame_ = FrameEdit(this, "afterFrame", afterFrame);
  count_ = FrameEdit(this, "count", count);

  auto* fields = new QGridLayout;
  fields->addWidget(afterFrame_, 0, 0);
  fields->addWidget(new QLabel(tr("ﾌﾚｰﾑ目の後ろに"), this), 0, 1);
  fields->addWidget(count_, 1, 0);
  fields->addWidget(new QLabel(tr("ﾌﾚｰﾑ追加"), this), 1, 1);
  fields->setRowStretch(2, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("ｷｬﾝｾﾙ")), 0, Qt::AlignTop);
  afterFrame_->setFocus();
}

void InsertFramesDialog::accept() {
  std::pair<int32_t, int32_t> read;
  if (!ReadIntegerEdit(afterFrame_, read.first)) return;
  if (!ReadIntegerEdit(count_, read.second)) return;
  values_ = read;
  QDialog::accept();
}

DeleteFramesDialog::DeleteFramesDialog(int32_t first, int32_t last, QWidget* parent)
    : QDialog(parent), values_(first, last) {
  setObjectName(QStringLiteral("deleteFramesDialog"));
  setWindowTitle(tr("ﾌﾚｰﾑの削除"));
  first_ = FrameEdit(this, "first", first);
  last_ = FrameEdit(this, "last", last);

  auto* fields = new QGridLayout;
  fields->addWidget(new QLabel(tr("始点"), this), 0, 0);
  fields->addWidget(new QLabel(tr("終点"), this), 0, 2);
  fields->addWidget(first_, 1, 0);
  fields->addWidget(new QLabel(tr("～"), this), 1, 1);
  fields->addWidget(last_, 1, 2);
  fields->addWidget(new QLabel(tr("ﾌﾚｰﾑを削除"), this), 1, 3);
  fields->setRowStretch(2, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(fields, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("ｷｬﾝｾﾙ")), 0, Qt::AlignTop);
  first_->setFocus();
}

void DeleteFramesDialog::accept() {
  std::pair<int32_t, int32_t> read;
  if (!ReadIntegerEdit(first_, read.first)) return;
  if (!ReadIntegerEdit(last_, read.second)) return;
  values_ = read;
  QDialog::accept();
}

}  // namespace qv::ui
