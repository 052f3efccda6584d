#include "ui/control_bar_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionSlider>

namespace qv::ui {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

void SetTextKeepingEdits(QLineEdit* edit, const std::string& text) {
  const QString shown = FromUtf8(text);
  if (edit->text() == shown) return;
  edit->setText(shown);
  // A value longer than the field shows its start (the sign and the whole part), not its end.
  edit->setCursorPosition(0);
}

// The slider sits 110 pixels from the left (further right when the X/Y/Z fields need the room),
// 120 narrower than the bar, at y 35, 45 high.
constexpr int kSliderLeft = 110;
constexpr int kSliderTop = 35;
constexpr int kSliderHeight = 45;

// The longest value the X/Y/Z fields are sized for: "%f" of a sign and five whole digits.
constexpr const char* kWidestValue = "-00000.000000";

// The width a line edit needs to show `text` whole, in its font and style.
int EditWidthFor(const QLineEdit* edit, const QString& text) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  option.features = QStyleOptionFrame::None;
  const QMargins margins = edit->textMargins();
  constexpr int kInnerMargin = 2;  // QLineEdit's own, left and right of the text
  constexpr int kSlack = 4;        // the cursor, and rounding between fonts' advances and ink
  const QSize contents(edit->fontMetrics().horizontalAdvance(text) + 2 * kInnerMargin + margins.left() + margins.right() + kSlack,
                       edit->fontMetrics().height());
  return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit).width();
}

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
    boxes_[i] = new QCheckBox(QLatin1String(axes[i]), this);
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i] { boxes_[i]->setChecked(model_.ToggleAxis(i)); });
    xyz_[i] = new QLineEdit(this);
    xyz_[i]->setObjectName(QStringLiteral("field%1").arg(QLatin1String(axes[i])));
    connect(xyz_[i], &QLineEdit::editingFinished, this, [this] {
      model_.xText = xyz_[0]->text().toStdString();
      model_.yText = xyz_[1]->text().toStdString();
      model_.zText = xyz_[2]->text().toStdString();
      model_.CommitXYZ();
      Refresh();
    });
  }
  currentLabel_ = new QLabel(QCoreApplication::translate("ControlBar", "現在のﾌﾚｰﾑ"), this);
  current_ = new QLineEdit(this);
  current_->setValidator(digitsOnly);
  connect(current_, &QLineEdit::editingFinished, this, [this] {
    model_.currentFrameText = current_->text().toStdString();
    model_.CommitCurrentFrame();
    Refresh();
  });
  lastLabel_ = new QLabel(QCoreApplication::translate("ControlBar", "最後のﾌﾚｰﾑ"), this);
  last_ = new QLineEdit(this);
  last_->setValidator(digitsOnly);
  connect(last_, &QLineEdit::editingFinished, this, [this] {
    model_.lastFrameText = last_->text().toStdString();
    model_.CommitLastFrame();
    Refresh();
  });
  fpsLabel_ = new QLabel(QCoreApplication::translate("ControlBar", "1秒間のﾌﾚｰﾑ数"), this);
  fps_ = new QComboBox(this);
  fps_->setEditable(true);
  fps_->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& entry : FrameRateChoices()) fps_->addItem(FromUtf8(entry));
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
  LayOut();
  setMinimumHeight(0);
  doc_.AddView(this);  // after the model: it has taken the change when the widgets copy it
  Refresh();
}

ControlBarWidget::~ControlBarWidget() { doc_.RemoveView(this); }

void ControlBarWidget::LayOut() {
  // The X/Y/Z column is as wide as the font needs: the boxes for their labels, the fields for
  // the longest value they are made for; the rest of the bar moves right to make room.
  int boxWidth = 35;
  int fieldWidth = 65;
  int rowHeight = 20;
  for (int i = 0; i < 3; ++i) {
    boxWidth = std::max(boxWidth, boxes_[i]->sizeHint().width());
    fieldWidth = std::max(fieldWidth, EditWidthFor(xyz_[i], QString::fromLatin1(kWidestValue)));
    rowHeight = std::max({rowHeight, xyz_[i]->sizeHint().height(), boxes_[i]->sizeHint().height()});
  }
  for (int i = 0; i < 3; ++i) {
    boxes_[i]->setGeometry(5, 5 + i * (rowHeight + 2), boxWidth, rowHeight);
    xyz_[i]->setGeometry(5 + boxWidth, 5 + i * (rowHeight + 2), fieldWidth, rowHeight);
  }
  sliderLeft_ = std::max(kSliderLeft, 5 + boxWidth + fieldWidth + 5);
  currentLabel_->setGeometry(sliderLeft_, 8, 75, 20);
  current_->setGeometry(sliderLeft_ + 78, 8, 55, 20);
  lastLabel_->setGeometry(sliderLeft_ + 145, 8, 75, 20);
  last_->setGeometry(sliderLeft_ + 223, 8, 55, 20);
  fpsLabel_->setGeometry(sliderLeft_ + 290, 8, 90, 20);
  fps_->setGeometry(sliderLeft_ + 383, 6, 95, 24);
  slider_->setGeometry(sliderLeft_, kSliderTop, std::max(0, width() - sliderLeft_ - 10), kSliderHeight);
}

void ControlBarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  slider_->setGeometry(sliderLeft_, kSliderTop, std::max(0, width() - sliderLeft_ - 10), kSliderHeight);
}

void ControlBarWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) LayOut();
}

void ControlBarWidget::OnUpdate(CMotionDoc&, Change) { Refresh(); }

void ControlBarWidget::ShowValues(const CVector& values) {
  char text[64];
  const float parts[] = {values.x, values.y, values.z};
  for (int i = 0; i < 3; ++i) {
    std::snprintf(text, sizeof text, "%f", parts[i]);
    SetTextKeepingEdits(xyz_[i], text);
  }
  model_.xText = xyz_[0]->text().toStdString();
  model_.yText = xyz_[1]->text().toStdString();
  model_.zText = xyz_[2]->text().toStdString();
}

void ControlBarWidget::Refresh() {
  const Scene& scene = doc_.scene();
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
