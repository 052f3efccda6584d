#pragma once
// The control bar pane: X/Y/Z boxes and fields, the current- and last-frame fields, the frame-rate
// list and the frame slider with a tick at every key of the selected model. It mirrors the
// document's ControlBarModel and forwards what the user does to it; the playback timer runs with
// the model's period.
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "document/control_bar_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace qv::ui {

// A slider that marks the given positions with ticks under its groove.
class KeyTickSlider : public QSlider {
  Q_OBJECT
 public:
  using QSlider::QSlider;
  void SetTicks(std::vector<int32_t> ticks);
  const std::vector<int32_t>& Ticks() const { return ticks_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<int32_t> ticks_;
};

class ControlBarWidget : public QWidget, public DocumentView {
  Q_OBJECT
 public:
  explicit ControlBarWidget(CMotionDoc& document, QWidget* parent = nullptr);
  ~ControlBarWidget() override;

  void OnUpdate(CMotionDoc& document, Change changes) override;
  // Shows the model's values in the widgets and runs the timer as the model says.
  void Refresh();
  // The X, Y, Z fields show `values` (mouse gestures in the viewport).
  void ShowValues(const CVector& values);

  ControlBarModel& model() { return model_; }
  QTimer& timer() { return timer_; }
  KeyTickSlider* slider() const { return slider_; }
  QLineEdit* field(int index) const { return xyz_[index]; }
  QCheckBox* axisBox(int index) const { return boxes_[index]; }
  QLineEdit* currentFrameField() const { return current_; }
  QLineEdit* lastFrameField() const { return last_; }
  QComboBox* frameRateBox() const { return fps_; }
  // Where the frame fields and the slider start (110, or further right for a large font).
  int sliderLeft() const { return sliderLeft_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Places the widgets for the current font: the X/Y/Z fields show the longest value of their
  // format whole, and the frame fields and the slider start right of them.
  void LayOut();
  void OnTick();
  void SyncTimer();

  CMotionDoc& doc_;
  ControlBarModel model_;
  QTimer timer_;
  QCheckBox* boxes_[3] = {};
  QLineEdit* xyz_[3] = {};
  QLineEdit* current_ = nullptr;
  QLineEdit* last_ = nullptr;
  QComboBox* fps_ = nullptr;
  QLabel* currentLabel_ = nullptr;
  QLabel* lastLabel_ = nullptr;
  QLabel* fpsLabel_ = nullptr;
  KeyTickSlider* slider_ = nullptr;
  int sliderLeft_ = 110;
};

}  // namespace qv::ui
