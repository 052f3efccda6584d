#include "geometry/text_model.h"

#include <cmath>

#include "animation/undo.h"
#include "geometry/bounds.h"
#include "geometry/glyph_outline.h"
#include "geometry/normals.h"
#include "geometry/track_fit.h"
#include "geometry/unique_names.h"
#include "geometry/vertex_array.h"
#include "platform/platform_font.h"
#include "platform/text_codec.h"
#include "scene/scene.h"

namespace qv {

// A four-byte sequence (a surrogate pair in UTF-16) is one character.
std::u32string CodePoints(std::string_view utf8) {
  std::u32string out;
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || i + len > n) {
      ++i;
      continue;
    }
    char32_t c = len == 1 ? b : b & (0x7F >> len);
    bool ok = true;
    for (size_t k = 1; k < len; ++k) {
      unsigned char t = static_cast<unsigned char>(utf8[i + k]);
      if ((t & 0xC0) != 0x80) ok = false;
      c = (c << 6) | (t & 0x3F);
    }
    i += ok ? len : 1;
    if (ok && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) out.push_back(c);
  }
  return out;
}

namespace {

float ClampAtLeastOne(float v) { return std::isfinite(v) && v >= 1.0f ? v : 1.0f; }

}  // namespace

TextParameters& LastTextParameters() {
  static TextParameters last;
  return last;
}

void BuildTextMesh(PlatformFont& font, std::u32string_view text, int32_t subdivisions, float fontSize,
                   float thickness, int32_t material, CModel& model) {
  float pen = 0.0f;
  for (char32_t c : text) {
    MOutline outline;
    if (outline.ReadGlyph(font, c, subdivisions)) {
      outline.AddGlyphMesh(model, pen, material);
      pen += CharacterAdvance(font, c);
    }
  }
  // One outline unit is the font's cell height.
  for (CVector& v : model.m_vertices) v = v * fontSize;
  ExtrudeCap(model, thickness, material);
  CenterOnBounds(model);
}

int32_t CreateTextModel(CZiduderizo& scene, const TextParameters& parameters) {
  const std::u32string text = CodePoints(parameters.text);
  int32_t subdivisions = parameters.subdivisions < 1 ? 1 : parameters.subdivisions;
  if (subdivisions > kMaxSubdivisions) subdivisions = kMaxSubdivisions;
  const float fontSize = ClampAtLeastOne(parameters.fontSize);
  const float thickness = ClampAtLeastOne(parameters.thickness);
  const int32_t weight = parameters.weight < 1 || parameters.weight > 1000 ? 400 : parameters.weight;

  // The new material goes after the existing ones, all renumbered to their index first.
  scene.RenumberMaterials();
  const int32_t material = static_cast<int32_t>(scene.m_materials.size());
  scene.TakeMaterialNumber();
  scene.m_materials.emplace_back();

  scene.m_models.emplace_back();
  const int32_t index = static_cast<int32_t>(scene.m_models.size()) - 1;
  CModel& model = scene.m_models.back();

  // Without any outline font installed the model stays empty, like a text of spaces.
  if (auto font = PlatformFont::Create(parameters.fontName, weight, text))
    BuildTextMesh(*font, text, subdivisions, fontSize, thickness, material, model);
  FitFrames(model, 0);
  model.m_name = Utf8ToCp932(parameters.text);
  model.m_id = scene.TakeModelId();
  model.m_parent = kNoModel;
  model.m_smoothingAngle = 89.5f;
  RebuildSmoothingRecords(model);
  BuildVertexArray(model, scene.m_materials.size());

  UpdateLightingOfAllMaterials(scene.m_materials);
  for (CModel& m : scene.m_models) ComputeBounds(m);
  MakeNamesUnique(scene);
  scene.RefreshParentNames();
  return index;
}

bool RunCreateText(CZiduderizo& scene, const TextParameters& parameters) {
  if (parameters.fontName.empty() || parameters.text.empty()) return false;
  if (CodePoints(parameters.text).size() > kMaxTextCharacters) return false;
  TextParameters& last = LastTextParameters();
  last.fontName = parameters.fontName;
  last.subdivisions = parameters.subdivisions;
  last.fontSize = parameters.fontSize;
  last.thickness = parameters.thickness;
  last.weight = parameters.weight;
  CreateTextModel(scene, parameters);
  ClearHistory(scene, true);
  return true;
}

}  // namespace qv
