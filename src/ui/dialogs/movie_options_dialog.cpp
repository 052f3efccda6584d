#include "ui/dialogs/movie_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

#include "ui/dialogs/dialog_support.h"

namespace qv::ui {

namespace {

QLineEdit* NumberEdit(QWidget* parent, const char* name, int value) {
  QLineEdit* edit = MakeNumberEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setText(QString::number(value));
  return edit;
}

}  // namespace

MovieOptionsDialog::MovieOptionsDialog(const MovieSettings& preset,
                                       std::function<std::string(const MovieSettings&)> check, QWidget* parent)
    : QDialog(parent), settings_(preset), check_(std::move(check)) {
  setObjectName(QStringLiteral("movieOptionsDialog"));
  setWindowTitle(tr("%1 の設定").arg(QString::fromUtf8(MovieFormatName(preset.format))));
  // Any whole number is taken as typed: the rules below say what is refused and why.
  width_ = NumberEdit(this, "movieWidth", preset.width);
  height_ = NumberEdit(this, "movieHeight", preset.height);
  firstFrame_ = NumberEdit(this, "firstFrame", preset.firstFrame);
  lastFrame_ = NumberEdit(this, "lastFrame", preset.lastFrame);
  loops_ = NumberEdit(this, "loops", preset.loops);
  supersample_ = NumberEdit(this, "supersample", preset.supersample);
  transparent_ = new QCheckBox(tr("背景を透明にする"), this);
  transparent_->setObjectName(QStringLiteral("transparent"));
  transparent_->setChecked(preset.transparent);
  transparent_->setEnabled(preset.format != MovieFormat::kMp4);  // H.264 has no alpha

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->addRow(tr("幅"), width_);
  form->addRow(tr("高さ"), height_);
  form->addRow(tr("最初のﾌﾚｰﾑ"), firstFrame_);
  form->addRow(tr("最後のﾌﾚｰﾑ"), lastFrame_);
  form->addRow(IsVideoFormat(preset.format) ? tr("繰り返し回数") : tr("再生回数 (0 = 無限)"), loops_);
  form->addRow(tr("ｽｰﾊﾟｰｻﾝﾌﾟﾘﾝｸﾞ (1～4)"), supersample_);
  form->addRow(QString(), transparent_);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(form, 1);
  layout->addWidget(MakeOkCancelButtons(this, tr("キャンセル")), 0, Qt::AlignTop);
}

void MovieOptionsDialog::accept() {
  MovieSettings chosen = settings_;
  int32_t width = 0, height = 0, first = 0, last = 0, loops = 0, supersample = 0;
  if (!ReadIntegerEdit(width_, width) || !ReadIntegerEdit(height_, height) || !ReadIntegerEdit(firstFrame_, first) ||
      !ReadIntegerEdit(lastFrame_, last) || !ReadIntegerEdit(loops_, loops) ||
      !ReadIntegerEdit(supersample_, supersample))
    return;
  chosen.width = width;
  chosen.height = height;
  chosen.firstFrame = first;
  chosen.lastFrame = last;
  chosen.loops = loops;
  chosen.supersample = supersample;
  chosen.transparent = transparent_->isChecked();
  if (check_) {
    const std::string refusal = check_(chosen);
    if (!refusal.empty()) {
      ShowMessageBox(this, QString::fromStdString(refusal));
      return;
    }
  }
  settings_ = chosen;
  QDialog::accept();
}

}  // namespace qv::ui
