#include "ui/dialogs/create_text_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolTip>

#include "document/dialog_fields.h"
#include "ui/dialogs/dialog_support.h"

namespace qv::ui {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

CreateTextDialog::CreateTextDialog(const TextParameters& preset, const std::vector<std::string>& fontNames,
                                   QWidget* parent)
    : QDialog(parent), values_(preset) {
  setObjectName(QStringLiteral("createTextDialog"));
  setWindowTitle(tr("3D文字作成"));

  fontName_ = new QComboBox(this);
  fontName_->setObjectName(QStringLiteral("fontName"));
  fontName_->setEditable(true);
  fontName_->setInsertPolicy(QComboBox::NoInsert);
  fontName_->setCompleter(nullptr);  // what is typed stays as typed
  fontName_->setMaxVisibleItems(20);
  for (const std::string& name : fontNames) fontName_->addItem(FromUtf8(name));
  // The remembered name shows even when no installed family has it.
  const QString presetName = FromUtf8(preset.fontName);
  fontName_->setCurrentIndex(fontName_->findText(presetName, Qt::MatchExactly | Qt::MatchCaseSensitive));
  fontName_->setEditText(presetName);

  text_ = new QLineEdit(this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setMaxLength(static_cast<int>(kMaxTextCharacters));  // the longest text a model is made of

  subdivisions_ = MakeDigitsOnlyEdit(this);
  subdivisions_->setObjectName(QStringLiteral("subdivisions"));
  subdivisions_->setText(QString::fromStdString(FormatIntegerField(preset.subdivisions)));
  fontSize_ = MakeDigitsOnlyEdit(this);
  fontSize_->setObjectName(QStringLiteral("fontSize"));
  fontSize_->setText(QString::fromStdString(FormatNumberField(preset.fontSize)));
  thickness_ = MakeDigitsOnlyEdit(this);
  thickness_->setObjectName(QStringLiteral("thickness"));
  thickness_->setText(QString::fromStdString(FormatNumberField(preset.thickness)));

  weight_ = new QSlider(Qt::Horizontal, this);
  weight_->setObjectName(QStringLiteral("weight"));
  weight_->setRange(1, 1000);
  weight_->setTickPosition(QSlider::TicksAbove);
  weight_->setTickInterval(100);
  weight_->setPageStep(100);
  weight_->setValue(preset.weight);
  weight_->setToolTip(QString::number(weight_->value()));
  // The position is shown beside the pointer while the slider is dragged.
  connect(weight_, &QSlider::valueChanged, this, [this](int value) { weight_->setToolTip(QString::number(value)); });
  connect(weight_, &QSlider::sliderMoved, this,
          [this](int value) { QToolTip::showText(QCursor::pos(), QString::number(value), weight_); });

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setVerticalSpacing(12);
  form->addRow(tr("フォント"), fontName_);
  form->addRow(tr("テキスト"), text_);
  form->addRow(tr("分割数"), subdivisions_);
  form->addRow(tr("フォントサイズ"), fontSize_);
  form->addRow(tr("厚み"), thickness_);
  form->addRow(tr("ウェイト"), weight_);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("ｷｬﾝｾﾙ")), 0, Qt::AlignTop);
  setMinimumWidth(520);
  text_->setFocus();
}

void CreateTextDialog::accept() {
  TextParameters read;
  read.fontName = fontName_->currentText().toStdString();
  read.text = text_->text().toStdString();
  if (!ReadIntegerEdit(subdivisions_, read.subdivisions)) return;
  if (!ReadNumberEdit(fontSize_, read.fontSize)) return;
  if (!ReadNumberEdit(thickness_, read.thickness)) return;
  read.weight = weight_->value();
  values_ = read;
  QDialog::accept();
}

}  // namespace qv::ui
