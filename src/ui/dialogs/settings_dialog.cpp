#include "ui/dialogs/settings_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSlider>
#include <QToolTip>

#include "document/dialog_fields.h"
#include "ui/dialogs/dialog_support.h"

namespace qv::ui {

SettingsDialog::SettingsDialog(const SettingsDialogValues& preset, LanguageSetting language, QWidget* parent)
    : QDialog(parent), values_(preset), language_(language) {
  setObjectName(QStringLiteral("settingsDialog"));
  setWindowTitle(tr("設定"));

  // No digit filter and no range check here: any whole number is taken as typed.
  width_ = MakeNumberEdit(this);
  width_->setObjectName(QStringLiteral("canvasWidth"));
  width_->setText(QString::fromStdString(FormatIntegerField(preset.canvasWidth)));
  height_ = MakeNumberEdit(this);
  height_->setObjectName(QStringLiteral("canvasHeight"));
  height_->setText(QString::fromStdString(FormatIntegerField(preset.canvasHeight)));

  fieldOfView_ = new QSlider(Qt::Horizontal, this);
  fieldOfView_->setObjectName(QStringLiteral("fieldOfView"));
  fieldOfView_->setRange(kMinFieldOfView, kMaxFieldOfView);
  fieldOfView_->setTickPosition(QSlider::TicksAbove);
  fieldOfView_->setTickInterval(10);
  fieldOfView_->setPageStep(10);
  fieldOfView_->setValue(preset.fieldOfView);  // kept within the range by the slider
  fieldOfView_->setToolTip(QString::number(fieldOfView_->value()));
  connect(fieldOfView_, &QSlider::valueChanged, this,
          [this](int value) { fieldOfView_->setToolTip(QString::number(value)); });
  connect(fieldOfView_, &QSlider::sliderMoved, this,
          [this](int value) { QToolTip::showText(QCursor::pos(), QString::number(value), fieldOfView_); });

  smoothingAngle_ = MakeNumberEdit(this);
  smoothingAngle_->setObjectName(QStringLiteral("smoothingAngle"));
  smoothingAngle_->setText(QString::fromStdString(FormatNumberField(preset.smoothingAngle)));

  // Each language under its own name; "system" follows the desktop's locale.
  languageBox_ = new QComboBox(this);
  languageBox_->setObjectName(QStringLiteral("language"));
  languageBox_->addItem(tr("システム"), int(LanguageSetting::kSystem));
  languageBox_->addItem(QStringLiteral("English"), int(LanguageSetting::kEnglish));
  languageBox_->addItem(QStringLiteral("日本語"), int(LanguageSetting::kJapanese));
  languageBox_->setCurrentIndex(languageBox_->findData(int(language)));
  languageBox_->setToolTip(tr("次の起動から使われます"));

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setVerticalSpacing(12);
  form->addRow(tr("Canvas幅"), width_);
  form->addRow(tr("Canvas高さ"), height_);
  form->addRow(tr("視野角"), fieldOfView_);
  form->addRow(tr("スムージング角度"), smoothingAngle_);
  form->addRow(tr("言語"), languageBox_);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("Cancel")), 0, Qt::AlignTop);
  setMinimumWidth(400);
}

void SettingsDialog::accept() {
  SettingsDialogValues read;
  if (!ReadIntegerEdit(width_, read.canvasWidth)) return;
  if (!ReadIntegerEdit(height_, read.canvasHeight)) return;
  read.fieldOfView = fieldOfView_->value();
  if (!ReadNumberEdit(smoothingAngle_, read.smoothingAngle)) return;
  values_ = read;
  language_ = LanguageSetting(languageBox_->currentData().toInt());
  QDialog::accept();
}

}  // namespace qv::ui
