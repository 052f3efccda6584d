#include "ui/panes/material_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "document/dialog_fields.h"
#include "platform/program_folder.h"
#include "ui/dialogs/dialog_support.h"

namespace qv::ui {

// The colour swatch: (0, 0) to (170, 45) filled with the fields' colour (alpha not shown).
class MaterialSwatchFrame : public QFrame {
 public:
  explicit MaterialSwatchFrame(QWidget* parent) : QFrame(parent) {
    setFixedSize(170, 45);
    setObjectName(QStringLiteral("swatch"));
  }
  void SetColor(const QColor& color) {
    color_ = color;
    update();
  }
  QColor color() const { return color_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, 170, 45), color_);
  }

 private:
  QColor color_;
};

namespace {

QColor SwatchQColor(const MaterialDialogValues& v) {
  const float color[4] = {v.red, v.green, v.blue, v.alpha};
  const SwatchColor s = SwatchOf(color);
  return QColor(s.r, s.g, s.b);
}

}  // namespace

MaterialDialog::MaterialDialog(const MaterialDialogValues& preset, const std::string& programFolder, QWidget* parent)
    : QDialog(parent), values_(preset), programFolder_(programFolder) {
  setWindowTitle(tr("材質設定"));
  struct Row { const char* label; const char* name; float MaterialDialogValues::*field; bool isPower; };
  const Row rows[9] = {
      {QT_TR_NOOP("赤"), "red", &MaterialDialogValues::red, false},
      {QT_TR_NOOP("緑"), "green", &MaterialDialogValues::green, false},
      {QT_TR_NOOP("青"), "blue", &MaterialDialogValues::blue, false},
      {QT_TR_NOOP("不透明度"), "alpha", &MaterialDialogValues::alpha, false},
      {QT_TR_NOOP("拡散光"), "diffuse", &MaterialDialogValues::diffuse, false},
      {QT_TR_NOOP("自己照明"), "emissive", &MaterialDialogValues::emissive, false},
      {QT_TR_NOOP("反射光"), "specular", &MaterialDialogValues::specular, false},
      {QT_TR_NOOP("反射の強さ"), "power", &MaterialDialogValues::power, true},
      {QT_TR_NOOP("周囲光"), "ambient", &MaterialDialogValues::ambient, false},
  };
  auto* grid = new QGridLayout;
  nameEdit_ = new QLineEdit(QString::fromStdString(preset.name), this);
  nameEdit_->setObjectName(QStringLiteral("nameEdit"));
  grid->addWidget(new QLabel(tr("名前"), this), 0, 0);
  grid->addWidget(nameEdit_, 0, 1, 1, 2);
  for (int i = 0; i < 9; ++i) {
    Factor& factor = factors_[i];
    factor.field = rows[i].field;
    factor.isPower = rows[i].isPower;
    factor.slider = new QSlider(Qt::Horizontal, this);
    factor.slider->setRange(0, 100);
    factor.slider->setObjectName(QStringLiteral("%1Trackbar").arg(QLatin1String(rows[i].name)));
    factor.edit = new QLineEdit(QString::fromStdString(FormatNumberField(preset.*factor.field)), this);
    factor.edit->setObjectName(QStringLiteral("%1Edit").arg(QLatin1String(rows[i].name)));
    factor.edit->setMaximumWidth(90);
    factor.edit->installEventFilter(this);
    const float value = preset.*factor.field;
    SetSlider(i, factor.isPower ? PowerPosition(value) : FactorPosition(value));
    grid->addWidget(new QLabel(tr(rows[i].label), this), i + 1, 0);
    grid->addWidget(factor.slider, i + 1, 1);
    grid->addWidget(factor.edit, i + 1, 2);
    connect(factor.slider, &QSlider::valueChanged, this, [this, i] {
      if (!settingSlider_) OnTrackbarMoved(i);
    });
  }
  auto* textureButton = new QPushButton(tr("ﾃｸｽﾁｬ"), this);
  textureButton->setObjectName(QStringLiteral("textureButton"));
  textureButton->setAutoDefault(false);
  textureEdit_ = new QLineEdit(QString::fromStdString(preset.texture), this);
  textureEdit_->setObjectName(QStringLiteral("textureEdit"));
  grid->addWidget(textureButton, 10, 0);
  grid->addWidget(textureEdit_, 10, 1, 1, 2);
  connect(textureButton, &QPushButton::clicked, this, &MaterialDialog::ChooseTexture);
  swatch_ = new MaterialSwatchFrame(this);
  grid->addWidget(swatch_, 11, 1, 1, 2);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("キャンセル"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &MaterialDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &MaterialDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  UpdateSwatch();
}

void MaterialDialog::SetSlider(int index, int position) {
  settingSlider_ = true;
  factors_[index].slider->setValue(position);  // beyond 0..100 the trackbar stops at its end
  settingSlider_ = false;
}

void MaterialDialog::UpdateSwatch() { swatch_->SetColor(SwatchQColor(values_)); }

bool MaterialDialog::ReadFields() {
  MaterialDialogValues read = values_;
  for (Factor& factor : factors_) {
    checking_ = true;  // leaving the edit for the message box is not another reading
    const bool ok = ReadNumberEdit(factor.edit, read.*factor.field);  // the message, the focus back
    checking_ = false;
    if (!ok) return false;
  }
  read.name = nameEdit_->text().toStdString();
  read.texture = textureEdit_->text().toStdString();
  values_ = read;
  return true;
}

void MaterialDialog::OnTrackbarMoved(int index) {
  if (checking_) return;
  if (!ReadFields()) return;
  // Only the moved trackbar's edit is rewritten: the others keep what they hold, values beyond
  // their trackbars and finer than a hundredth included.
  Factor& factor = factors_[index];
  const int position = factor.slider->value();
  factor.edit->setText(QString::fromStdString(factor.isPower ? PowerText(position) : FactorText(position)));
  values_.*factor.field = *ReadNumberField(factor.edit->text().toStdString());
  UpdateSwatch();
}

void MaterialDialog::OnEditLeft(int index) {
  if (checking_ || !isVisible()) return;
  if (!ReadFields()) return;
  Factor& factor = factors_[index];
  const std::string text = factor.edit->text().toStdString();
  SetSlider(index, factor.isPower ? PowerPositionOfText(text) : FactorPositionOfText(text));
  if (index < 3) UpdateSwatch();
}

bool MaterialDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !checking_) {
    for (int i = 0; i < 9; ++i)
      if (watched == factors_[i].edit) {
        // After the focus has settled: a message box must not open inside a focus change.
        QMetaObject::invokeMethod(this, [this, i] { OnEditLeft(i); }, Qt::QueuedConnection);
        break;
      }
  }
  return QDialog::eventFilter(watched, event);
}

void MaterialDialog::accept() {
  if (!ReadFields()) return;  // stays open with the focus on the edit
  QDialog::accept();
}

void MaterialDialog::ChooseTexture() {
  const std::string program = ProgramFolderOr(programFolder_);
  QFileDialog dialog(this, tr("ﾃｸｽﾁｬ"), QString::fromStdString(program + "Texture"),
                     tr("全ての形式 (*.bmp *.jpg *.jpeg *.tga *.png *.iff *.ppm)"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string chosen = dialog.selectedFiles().front().toStdString();
  textureEdit_->setText(QString::fromStdString(TextureNameForChosenFile(chosen, programFolder_)));
  update();
}

}  // namespace qv::ui
