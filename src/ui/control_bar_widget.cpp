#include "ui/control_bar_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionSlider>

namespace qv::ui {

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("ControlBar", text); }
QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

void SetTextKeepingEdits(QLineEdit* edit, const std::string& text) {
  const QString shown = FromUtf8(text);
  if (edit->text() != shown) edit->setText(shown);
}

// The slider sits 110 pixels from the left, 120 narrower than the bar, at y 35, 45 high.
constexpr int kSliderLeft = 110;
constexpr int kSliderTop = 35;
constexpr int kSliderHeight = 45;

}  // namespace

void KeyTickSlider::SetTicks(std::vector<int32_t> ticks) {
  if (ticks == ticks_) return;
  ticks_ = std::move(ticks);
  update();
}

void KeyTickSlider::paintEvent(QPaintEvent* event) {
  QSlider::paintEvent(event);
  if (ticks_.empty() || maximum() <= minimum()) return;
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int span = groove.width() - handle.width();
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const int y = handle.bottom() + 2;
  for (int32_t tick : ticks_) {
    const int x = groove.left() + handle.width() / 2 +
                  QStyle::sliderPositionFromValue(minimum(), maximum(), tick, span, option.upsideDown);
    painter.drawLine(x, y, x, y + 4);
  }
}

ControlBarWidget::ControlBarWidget(CMotionDoc& document, QWidget* parent)
    : QWidget(parent), doc_(document), model_(document) {
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ControlBarWidget::OnTick);

  const char* axes[] = {"X", "Y", "Z"};
  const auto digitsOnly = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
  for (int i = 0; i < 3; ++i) {
    boxes_[i] = new QCheckBox(Tr(axes[i]), this);
    boxes_[i]->setGeometry(5, 5 + i * 22, 35, 20);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i] { boxes_[i]->setChecked(model_.ToggleAxis(i)); });
    xyz_[i] = new QLineEdit(this);
    xyz_[i]->setGeometry(40, 5 + i * 22, 65, 20);
    connect(xyz_[i], &QLineEdit::editingFinished, this, [this] {
      model_.xText = xyz_[0]->text().toStdString();
      model_.yText = xyz_[1]->text().toStdString();
      model_.zText = xyz_[2]->text().toStdString();
      model_.CommitXYZ();
      Refresh();
    });
  }
  auto* currentLabel = new QLabel(Tr("現在のﾌﾚｰﾑ"), this);
  currentLabel->setGeometry(kSliderLeft, 8, 75, 20);
  current_ = new QLineEdit(this);
  current_->setValidator(digitsOnly);
  current_->setGeometry(kSliderLeft + 78, 8, 55, 20);
  connect(current_, &QLineEdit::editingFinished, this, [this] {
    model_.currentFrameText = current_->text().toStdString();
    model_.CommitCurrentFrame();
    Refresh();
  });
  auto* lastLabel = new QLabel(Tr("最後のﾌﾚｰﾑ"), this);
  lastLabel->setGeometry(kSliderLeft + 145, 8, 75, 20);
  last_ = new QLineEdit(this);
  last_->setValidator(digitsOnly);
  last_->setGeometry(kSliderLeft + 223, 8, 55, 20);
  connect(last_, &QLineEdit::editingFinished, this, [this] {
    model_.lastFrameText = last_->text().toStdString();
    model_.CommitLastFrame();
    Refresh();
  });
  auto* fpsLabel = new QLabel(Tr("1秒間のﾌﾚｰﾑ数"), this);
  fpsLabel->setGeometry(kSliderLeft + 290, 8, 90, 20);
  fps_ = new QComboBox(this);
  fps_->setEditable(true);
  fps_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& entry : FrameRateChoices()) fps_->addItem(FromUtf8(entry));
  fps_->setGeometry(kSliderLeft + 383, 6, 95, 24);
  connect(fps_, &QComboBox::textActivated, this, [this](const QString& entry) {
    model_.OnFrameRateChosen(entry.toStdString());
    Refresh();
  });
  connect(fps_, &QComboBox::editTextChanged, this, [this](const QString& text) { model_.fpsText = text.toStdString(); });

  slider_ = new KeyTickSlider(Qt::Horizontal, this);
  slider_->setTickPosition(QSlider::NoTicks);
  connect(slider_, &QSlider::sliderMoved, this, [this](int position) {
    model_.OnSliderMoved(position);
    Refresh();
  });
  connect(slider_, &QSlider::actionTriggered, this, [this](int action) {
    // Clicks on the groove and keys move the slider too.
    if (action == QAbstractSlider::SliderMove) return;
    QTimer::singleShot(0, this, [this] {
      if (slider_->value() == model_.sliderPosition) return;
      model_.OnSliderMoved(slider_->value());
      Refresh();
    });
  });
  setMinimumHeight(0);
  doc_.AddView(this);  // after the model: it has taken the hint when the widgets copy it
  Refresh();
}

ControlBarWidget::~ControlBarWidget() { doc_.RemoveView(this); }

void ControlBarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  slider_->setGeometry(kSliderLeft, kSliderTop, std::max(0, width() - 120), kSliderHeight);
}

void ControlBarWidget::OnUpdate(CMotionDoc&, UpdateHint) { Refresh(); }

void ControlBarWidget::ShowValues(const CVector& values) {
  char text[64];
  const float parts[] = {values.x, values.y, values.z};
  for (int i = 0; i < 3; ++i) {
    std::snprintf(text, sizeof text, "%f", parts[i]);
    xyz_[i]->setText(QString::fromLatin1(text));
  }
  model_.xText = xyz_[0]->text().toStdString();
  model_.yText = xyz_[1]->text().toStdString();
  model_.zText = xyz_[2]->text().toStdString();
}

void ControlBarWidget::Refresh() {
  const CZiduderizo& scene = doc_.scene();
  const int32_t* flags[] = {&scene.m_axisEnabledX, &scene.m_axisEnabledY, &scene.m_axisEnabledZ};
  for (int i = 0; i < 3; ++i) boxes_[i]->setChecked(*flags[i] != 0);
  SetTextKeepingEdits(xyz_[0], model_.xText);
  SetTextKeepingEdits(xyz_[1], model_.yText);
  SetTextKeepingEdits(xyz_[2], model_.zText);
  SetTextKeepingEdits(current_, model_.currentFrameText);
  SetTextKeepingEdits(last_, model_.lastFrameText);
  if (fps_->currentText() != FromUtf8(model_.fpsText)) {
    const QSignalBlocker block(fps_);
    fps_->setEditText(FromUtf8(model_.fpsText));
  }
  {
    const QSignalBlocker block(slider_);
    slider_->setRange(0, std::max(0, model_.sliderMaximum));
    slider_->setValue(model_.sliderPosition);
  }
  slider_->SetTicks(model_.keyTicks);
  SyncTimer();
}

void ControlBarWidget::SyncTimer() {
  if (!model_.TimerRunning()) {
    timer_.stop();
    return;
  }
  if (!timer_.isActive() || timer_.interval() != model_.TimerPeriod()) timer_.start(model_.TimerPeriod());
}

void ControlBarWidget::OnTick() {
  model_.Tick();
  Refresh();
}

}  // namespace qv::ui
