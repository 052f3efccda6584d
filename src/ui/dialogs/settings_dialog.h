#pragma once
// "設定": canvas size, field of view and smoothing angle. The document gives the preset
// (PresetSettings) and applies OK's values (CMotionDoc::OnSettingsDialogClosed).
#include <QDialog>

#include "document/settings_dialog.h"

class QLineEdit;
class QSlider;

namespace qv::ui {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(const SettingsDialogValues& preset, QWidget* parent = nullptr);
  const SettingsDialogValues& values() const { return values_; }  // after OK

  // The controls: "canvasWidth", "canvasHeight", "fieldOfView", "smoothingAngle".
  QLineEdit* canvasWidthEdit() const { return width_; }
  QLineEdit* canvasHeightEdit() const { return height_; }
  QSlider* fieldOfViewSlider() const { return fieldOfView_; }
  QLineEdit* smoothingAngleEdit() const { return smoothingAngle_; }

 public slots:
  void accept() override;

 private:
  QLineEdit* width_;
  QLineEdit* height_;
  QSlider* fieldOfView_;
  QLineEdit* smoothingAngle_;
  SettingsDialogValues values_;
};

}  // namespace qv::ui
