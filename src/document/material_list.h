#pragma once
// The material list and the material dialog without widgets: rows with their swatch colours,
// selection, rename, delete, the colour dialog and the material dialog's values, trackbar rules
// and OK. The desktop program paints Rows() and forwards the user's gestures here; the rows are
// rebuilt from the scene on every change but stepping through frames.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/motion_doc.h"

namespace qv {

struct SwatchColor {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const SwatchColor&) const = default;
};

// The swatch colour of a material colour: each component times 255, truncated, its low byte
// (1.2 gives 306, shown as 50).
SwatchColor SwatchOf(const float color[4]);

struct MaterialRow {
  std::string name;  // UTF-8
  SwatchColor swatch;
};

// The material dialog's fields. Strings are UTF-8.
struct MaterialDialogValues {
  std::string name, texture;
  float red = 0, green = 0, blue = 0, alpha = 0;
  float diffuse = 0, emissive = 0, specular = 0, power = 0, ambient = 0;
};

// Trackbar rules of the material dialog: factors show at value x 100 and the power as it is,
// both truncated towards zero; moving a trackbar writes position / 100 (the power: the
// position) with "%f"; leaving an edit moves its trackbar to its text x 100 (the power: the text
// read as an integer).
int32_t FactorPosition(float value);
int32_t PowerPosition(float power);
std::string FactorText(int32_t position);
std::string PowerText(int32_t position);
int32_t FactorPositionOfText(std::string_view text);
int32_t PowerPositionOfText(std::string_view text);

// The texture edit's text for a chosen image: relative to the program's Texture folder when the
// file lies inside it (compared without regard to ASCII case), the whole path otherwise.
std::string TextureNameForChosenFile(const std::string& chosenPath, const std::string& programFolder);

class MaterialListModel : public DocumentView {
 public:
  explicit MaterialListModel(CMotionDoc& document);
  ~MaterialListModel() override;
  MaterialListModel(const MaterialListModel&) = delete;
  MaterialListModel& operator=(const MaterialListModel&) = delete;

  void OnUpdate(CMotionDoc& document, Change changes) override;

  const std::vector<MaterialRow>& Rows() const { return rows_; }
  // A click on a row (-1: on no row) selects that material.
  void Select(int32_t row);

  // 32861 "色": the colour dialog opens with Swatch of the selected material; OK's colour (or
  // nothing for Cancel). The document is marked modified either way.
  std::optional<SwatchColor> ColorDialogPreset() const;
  void OnColorDialogClosed(const std::optional<SwatchColor>& chosen);
  // 32863 and the end of the label edit: as the model tree's rename, among materials.
  void BeginRename() { renaming_ = true; }
  bool IsRenaming() const { return renaming_; }
  bool EndRename(std::string_view utf8Text);
  // 32911: deletes the selected material when there are at least two (faces renumbered);
  // marked modified either way.
  void DeleteSelected();

  // The material dialog (double click): its values for the selected material, and OK.
  std::optional<MaterialDialogValues> DialogPreset() const;
  void ApplyDialog(const MaterialDialogValues& values);

 private:
  void Rebuild();
  bool NameTakenByAnother(const std::string& cp932Name) const;
  CMaterial* Selected();

  CMotionDoc& doc_;
  std::vector<MaterialRow> rows_;
  bool renaming_ = false;
};

}  // namespace qv
