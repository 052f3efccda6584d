#include "ui/dialogs/create_text_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolTip>
#include <QVBoxLayout>

#include "document/dialog_fields.h"
#include "document/text_checks.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/text_preview_widget.h"
#include "ui/viewport_widget.h"

namespace qv::ui {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The bevel shapes in the order the shape list offers them.
constexpr BevelShape kShapes[] = {BevelShape::kRound, BevelShape::kChamfer};

// A field's value for the preview: what it reads, else what it last read.
void ReadQuietly(const QLineEdit* edit, int32_t& value) {
  if (auto read = ReadIntegerField(edit->text().toStdString())) value = *read;
}
void ReadQuietly(const QLineEdit* edit, float& value) {
  if (auto read = ReadNumberField(edit->text().toStdString())) value = *read;
}

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

  bevelWidth_ = MakeNumberEdit(this);
  bevelWidth_->setObjectName(QStringLiteral("bevelWidth"));
  bevelWidth_->setText(QString::fromStdString(FormatNumberField(preset.bevel.width)));
  bevelWidth_->setToolTip(tr("0 でベベルなし"));
  bevelDepth_ = MakeNumberEdit(this);
  bevelDepth_->setObjectName(QStringLiteral("bevelDepth"));
  bevelDepth_->setText(QString::fromStdString(FormatNumberField(preset.bevel.depth)));
  bevelSegments_ = MakeDigitsOnlyEdit(this);
  bevelSegments_->setObjectName(QStringLiteral("bevelSegments"));
  bevelSegments_->setText(QString::fromStdString(FormatIntegerField(preset.bevel.segments)));
  bevelShape_ = new QComboBox(this);
  bevelShape_->setObjectName(QStringLiteral("bevelShape"));
  bevelShape_->addItem(tr("丸み"));
  bevelShape_->addItem(tr("面取り"));
  bevelShape_->setCurrentIndex(preset.bevel.shape == BevelShape::kChamfer ? 1 : 0);
  kerning_ = new QCheckBox(this);
  kerning_->setObjectName(QStringLiteral("kerning"));
  kerning_->setChecked(preset.kerning);
  tracking_ = MakeNumberEdit(this);  // negative tightens
  tracking_->setObjectName(QStringLiteral("tracking"));
  tracking_->setText(QString::fromStdString(FormatIntegerField(preset.tracking)));
  tracking_->setToolTip(tr("文字の間に足す幅（フォントサイズの 1/1000 単位）"));

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

  auto* shape = new QFormLayout;
  shape->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  shape->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  shape->setVerticalSpacing(12);
  shape->addRow(tr("ベベル幅"), bevelWidth_);
  shape->addRow(tr("ベベル深さ"), bevelDepth_);
  shape->addRow(tr("ベベル分割数"), bevelSegments_);
  shape->addRow(tr("ベベル形状"), bevelShape_);
  shape->addRow(tr("カーニング"), kerning_);
  shape->addRow(tr("トラッキング"), tracking_);

  auto* fields = new QHBoxLayout;
  fields->addLayout(form, 3);
  fields->addSpacing(12);
  fields->addLayout(shape, 2);
  fields->addWidget(MakeOkCancelButtons(this, tr("ｷｬﾝｾﾙ")), 0, Qt::AlignTop);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  QString reason;
  if (CanMakeOpenGl33Context(&reason)) {
    preview_ = new TextPreviewWidget(this);
    preview_->setMinimumHeight(200);
    layout->addWidget(preview_, 1);
  } else {
    auto* note = new QLabel(tr("3D 表示を使えません（OpenGL 3.3 が必要です）。\n%1").arg(reason), this);
    note->setObjectName(QStringLiteral("previewNote"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    layout->addWidget(note, 1);
  }
  setMinimumWidth(820);

  // Every change reaches the preview; one pass of the event loop makes one build.
  previewValues_ = preset;
  previewValues_.text.clear();
  connect(fontName_, &QComboBox::editTextChanged, this, &CreateTextDialog::FieldsChanged);
  for (QLineEdit* edit :
       {text_, subdivisions_, fontSize_, thickness_, bevelWidth_, bevelDepth_, bevelSegments_, tracking_})
    connect(edit, &QLineEdit::textChanged, this, &CreateTextDialog::FieldsChanged);
  connect(weight_, &QSlider::valueChanged, this, &CreateTextDialog::FieldsChanged);
  connect(bevelShape_, &QComboBox::currentIndexChanged, this, &CreateTextDialog::FieldsChanged);
  connect(kerning_, &QCheckBox::toggled, this, &CreateTextDialog::FieldsChanged);
  FieldsChanged();
  text_->setFocus();
}

void CreateTextDialog::FieldsChanged() {
  TextParameters& p = previewValues_;
  p.fontName = fontName_->currentText().toStdString();
  p.text = text_->text().toStdString();
  ReadQuietly(subdivisions_, p.subdivisions);
  ReadQuietly(fontSize_, p.fontSize);
  ReadQuietly(thickness_, p.thickness);
  p.weight = weight_->value();
  ReadQuietly(bevelWidth_, p.bevel.width);
  ReadQuietly(bevelDepth_, p.bevel.depth);
  ReadQuietly(bevelSegments_, p.bevel.segments);
  p.bevel.shape = kShapes[bevelShape_->currentIndex() == 1 ? 1 : 0];
  p.kerning = kerning_->isChecked();
  ReadQuietly(tracking_, p.tracking);
  if (preview_) preview_->showText(p);
}

void CreateTextDialog::accept() {
  TextParameters read;
  read.fontName = fontName_->currentText().toStdString();
  read.text = text_->text().toStdString();
  if (!ReadIntegerEdit(subdivisions_, read.subdivisions)) return;
  if (!ReadNumberEdit(fontSize_, read.fontSize)) return;
  if (!ReadNumberEdit(thickness_, read.thickness)) return;
  read.weight = weight_->value();
  if (!ReadNumberEdit(bevelWidth_, read.bevel.width)) return;
  if (!ReadNumberEdit(bevelDepth_, read.bevel.depth)) return;
  if (!ReadIntegerEdit(bevelSegments_, read.bevel.segments)) return;
  read.bevel.shape = kShapes[bevelShape_->currentIndex() == 1 ? 1 : 0];
  read.kerning = kerning_->isChecked();
  if (!ReadIntegerEdit(tracking_, read.tracking)) return;
  if (const std::string_view problem = CheckBevel(read); !problem.empty()) {
    // The field at fault: the width, the depth (negative, or too deep for the thickness), the steps.
    QLineEdit* at = problem == kBevelWidthNegativeMessage ? bevelWidth_
                    : problem == kBevelSegmentsMessage    ? bevelSegments_
                                                          : bevelDepth_;
    RefuseEdit(at, problem.data());
    return;
  }
  values_ = read;
  QDialog::accept();
}

void CreateTextDialog::done(int result) {
  if (preview_) preview_->stop();
  QDialog::done(result);
}

}  // namespace qv::ui
