#pragma once
// "設定": canvas size, field of view and smoothing angle. The document gives the preset
// (PresetSettings) and applies OK's values (CMotionDoc::OnSettingsDialogClosed). Below them the
// program's interface language (system, English, Japanese), which the caller keeps.
#include <QDialog>

#include "document/interface_language.h"
#include "document/settings_dialog.h"

class QComboBox;
class QLineEdit;
class QSlider;

namespace qv::ui {

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(const SettingsDialogValues& preset, LanguageSetting language = LanguageSetting::kSystem,
                          QWidget* parent = nullptr);
  const SettingsDialogValues& values() const { return values_; }  // after OK
  LanguageSetting language() const { return language_; }           // after OK

  // The controls: "canvasWidth", "canvasHeight", "fieldOfView", "smoothingAngle".
  QLineEdit* canvasWidthEdit() const { return width_; }
  QLineEdit* canvasHeightEdit() const { return height_; }
  QSlider* fieldOfViewSlider() const { return fieldOfView_; }
  QLineEdit* smoothingAngleEdit() const { return smoothingAngle_; }
  QComboBox* languageBox() const { return languageBox_; }  // "language"

 public slots:
  void accept() override;

 private:
  QLineEdit* width_;
  QLineEdit* height_;
  QSlider* fieldOfView_;
  QLineEdit* smoothingAngle_;
  QComboBox* languageBox_;
  SettingsDialogValues values_;
  LanguageSetting language_;
};

}  // namespace qv::ui
