#pragma once
// "3D文字作成": the font, the text, the four shape values, the bevel and the letter spacing of a
// new text model, with a live preview of the model as it will be made.
#include <QDialog>
#include <string>
#include <vector>

#include "geometry/text_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace qv::ui {

class TextPreviewWidget;

class CreateTextDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens with `preset` (the document's remembered values; the text is always empty) and offers
  // `fontNames` (UTF-8, in their order) in the font list.
  CreateTextDialog(const TextParameters& preset, const std::vector<std::string>& fontNames, QWidget* parent = nullptr);

  // The values read on OK.
  const TextParameters& values() const { return values_; }

  // The controls, named for scripts and tests: "fontName", "text", "subdivisions", "fontSize",
  // "thickness", "weight", "bevelWidth", "bevelDepth", "bevelSegments", "bevelShape" (round,
  // chamfer), "kerning", "tracking" and "preview".
  QComboBox* fontNameBox() const { return fontName_; }
  QLineEdit* textEdit() const { return text_; }
  QLineEdit* subdivisionsEdit() const { return subdivisions_; }
  QLineEdit* fontSizeEdit() const { return fontSize_; }
  QLineEdit* thicknessEdit() const { return thickness_; }
  QSlider* weightSlider() const { return weight_; }
  QLineEdit* bevelWidthEdit() const { return bevelWidth_; }
  QLineEdit* bevelDepthEdit() const { return bevelDepth_; }
  QLineEdit* bevelSegmentsEdit() const { return bevelSegments_; }
  QComboBox* bevelShapeBox() const { return bevelShape_; }
  QCheckBox* kerningBox() const { return kerning_; }
  QLineEdit* trackingEdit() const { return tracking_; }
  // Null when OpenGL 3.3 cannot be had here (a note says so in its place).
  TextPreviewWidget* preview() const { return preview_; }

  // What the preview shows: the fields as they read now, each field that does not read (yet)
  // keeping the value it last had.
  const TextParameters& previewValues() const { return previewValues_; }

 public slots:
  // Reads the controls in their order; the first that does not read shows its message and keeps
  // the dialog open. A bevel the document would refuse is refused here the same way, the focus
  // on the field at fault.
  void accept() override;
  // Closing stops the preview before the document makes the model.
  void done(int result) override;

 private:
  void FieldsChanged();

  QComboBox* fontName_;
  QLineEdit* text_;
  QLineEdit* subdivisions_;
  QLineEdit* fontSize_;
  QLineEdit* thickness_;
  QSlider* weight_;
  QLineEdit* bevelWidth_;
  QLineEdit* bevelDepth_;
  QLineEdit* bevelSegments_;
  QComboBox* bevelShape_;
  QCheckBox* kerning_;
  QLineEdit* tracking_;
  TextPreviewWidget* preview_ = nullptr;
  TextParameters values_;
  TextParameters previewValues_;
};

}  // namespace qv::ui
