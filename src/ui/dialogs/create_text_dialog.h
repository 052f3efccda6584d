#pragma once
// "3D文字作成": the font, the text and the four shape values of a new text model.
#include <QDialog>
#include <string>
#include <vector>

#include "geometry/text_model.h"

class QComboBox;
class QLineEdit;
class QSlider;

namespace qv::ui {

class CreateTextDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens with `preset` (the document's remembered values; the text is always empty) and offers
  // `fontNames` (UTF-8, in their order) in the font list.
  CreateTextDialog(const TextParameters& preset, const std::vector<std::string>& fontNames, QWidget* parent = nullptr);

  // The values read on OK.
  const TextParameters& values() const { return values_; }

  // The controls, named for scripts and tests: "fontName", "text", "subdivisions", "fontSize",
  // "thickness", "weight".
  QComboBox* fontNameBox() const { return fontName_; }
  QLineEdit* textEdit() const { return text_; }
  QLineEdit* subdivisionsEdit() const { return subdivisions_; }
  QLineEdit* fontSizeEdit() const { return fontSize_; }
  QLineEdit* thicknessEdit() const { return thickness_; }
  QSlider* weightSlider() const { return weight_; }

 public slots:
  // Reads the controls in their order; the first that does not read shows its message and keeps
  // the dialog open.
  void accept() override;

 private:
  QComboBox* fontName_;
  QLineEdit* text_;
  QLineEdit* subdivisions_;
  QLineEdit* fontSize_;
  QLineEdit* thickness_;
  QSlider* weight_;
  TextParameters values_;
};

}  // namespace qv::ui
