#pragma once
// "材質設定": every property of one material. Nine trackbars (0 to 100) with their edits: the
// colour and the factors at value x 100, the reflection strength as it is. Moving a trackbar
// writes its value into its edit ("%f"); leaving an edit moves its trackbar (truncated; the
// reflection strength read as an integer). Values beyond the trackbar stay in the edit. A float
// edit that holds no number stops the reading with "数字を入力してください。" and gets the focus
// back with its text selected; OK then keeps the dialog open. The texture button picks an image,
// named relative to the program's Texture folder when it lies inside it.
#include <QDialog>
#include <array>
#include <string>

#include "document/material_list.h"

class QLineEdit;
class QSlider;

namespace qv::ui {

class MaterialSwatchFrame;

class MaterialDialog : public QDialog {
  Q_OBJECT
 public:
  // `programFolder`: the program's folder with its trailing "/" (empty: the running program's).
  MaterialDialog(const MaterialDialogValues& preset, const std::string& programFolder, QWidget* parent = nullptr);

  // The fields as read by the last OK.
  const MaterialDialogValues& values() const { return values_; }

  void accept() override;
  // The texture button's file dialog and what it puts into the texture edit.
  void ChooseTexture();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Factor {
    float MaterialDialogValues::*field;
    bool isPower;
    QSlider* slider;
    QLineEdit* edit;
  };
  // Reads every edit into the fields; false (after the message, with the focus on the edit)
  // when a float edit holds no number.
  bool ReadFields();
  void OnTrackbarMoved(int index);
  void OnEditLeft(int index);
  void SetSlider(int index, int position);
  void UpdateSwatch();

  MaterialDialogValues values_;
  std::string programFolder_;
  std::array<Factor, 9> factors_;
  QLineEdit* nameEdit_;
  QLineEdit* textureEdit_;
  MaterialSwatchFrame* swatch_;
  bool settingSlider_ = false;
  bool checking_ = false;
};

}  // namespace qv::ui
