#include "document/material_list.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "geometry/string_separator.h"
#include "geometry/texture_loader.h"
#include "platform/program_folder.h"
#include "platform/text_codec.h"

namespace qv {

namespace {

// Truncated towards zero; values beyond int32 saturate and NaN gives 0 (stored floats can hold
// anything, and a plain cast of those is undefined).
int32_t TruncatedInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

uint8_t SwatchByte(float component) {
  // The low byte of the truncated product, as the list paints it.
  return static_cast<uint8_t>(static_cast<uint32_t>(TruncatedInt32(component * 255.0f)) & 0xFF);
}

std::string FormatFloat(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Removes material d and renumbers the faces after it; faces of d use the material that moved
// into its place, or the one before when d was the last.
void DeleteMaterial(Scene& scene, int32_t d) {
  const bool wasLast = d == static_cast<int32_t>(scene.m_materials.size()) - 1;
  scene.m_materials.erase(scene.m_materials.begin() + d);
  for (CModel& model : scene.m_models)
    for (CFace& face : model.m_faces) {
      if (face.m_material > d)
        --face.m_material;
      else if (face.m_material == d && wasLast)
        face.m_material = d - 1;
    }
}

}  // namespace

SwatchColor SwatchOf(const float color[4]) {
  return {SwatchByte(color[0]), SwatchByte(color[1]), SwatchByte(color[2])};
}

int32_t FactorPosition(float value) { return TruncatedInt32(value * 100.0f); }
int32_t PowerPosition(float power) { return TruncatedInt32(power); }
std::string FactorText(int32_t position) { return FormatFloat(position / 100.0); }
std::string PowerText(int32_t position) { return FormatFloat(position); }
int32_t FactorPositionOfText(std::string_view text) { return TruncatedInt32(ParseDouble(text) * 100); }

int32_t PowerPositionOfText(std::string_view text) { return ParseInt(text); }

std::string TextureNameForChosenFile(const std::string& chosenPath, const std::string& programFolder) {
  const std::string folder = ProgramFolderOr(programFolder) + "Texture";
  // Only a file inside the folder becomes relative: the folder, a separator, then the name.
  const std::string lower = Lower(chosenPath);
  if (lower.size() > folder.size() + 1 && lower.compare(0, folder.size(), Lower(folder)) == 0 &&
      lower[folder.size()] == '/')
    return chosenPath.substr(folder.size() + 1);
  return chosenPath;
}

MaterialListModel::MaterialListModel(CMotionDoc& document) : doc_(document) {
  Rebuild();
  doc_.AddView(this);
}

MaterialListModel::~MaterialListModel() { doc_.RemoveView(this); }

void MaterialListModel::OnUpdate(CMotionDoc&, Change changes) {
  if (!HasOtherThan(changes, kFrameSteps)) return;
  Rebuild();
}

void MaterialListModel::Rebuild() {
  Scene& scene = doc_.scene();
  rows_.clear();
  for (const CMaterial& material : scene.m_materials)
    rows_.push_back({Cp932ToUtf8(material.m_name), SwatchOf(material.m_color)});
  if (scene.m_selectedMaterial < 0) scene.m_selectedMaterial = 0;
}

void MaterialListModel::Select(int32_t row) {
  doc_.scene().m_selectedMaterial = row >= 0 && row < static_cast<int32_t>(rows_.size()) ? row : -1;
}

CMaterial* MaterialListModel::Selected() {
  Scene& scene = doc_.scene();
  const int32_t d = scene.m_selectedMaterial;
  return d >= 0 && d < static_cast<int32_t>(scene.m_materials.size()) ? &scene.m_materials[d] : nullptr;
}

bool MaterialListModel::NameTakenByAnother(const std::string& cp932Name) const {
  const Scene& scene = doc_.scene();
  for (int32_t i = 0; i < static_cast<int32_t>(scene.m_materials.size()); ++i)
    if (i != scene.m_selectedMaterial && EqualsNoCase(scene.m_materials[i].m_name, cp932Name)) return true;
  return false;
}

std::optional<SwatchColor> MaterialListModel::ColorDialogPreset() const {
  const Scene& scene = doc_.scene();
  const int32_t d = scene.m_selectedMaterial;
  if (d < 0 || d >= static_cast<int32_t>(scene.m_materials.size())) return std::nullopt;
  return SwatchOf(scene.m_materials[d].m_color);
}

void MaterialListModel::OnColorDialogClosed(const std::optional<SwatchColor>& chosen) {
  CMaterial* material = Selected();
  if (!material) return;
  if (chosen) {
    material->m_color[0] = chosen->r / 255.0f;
    material->m_color[1] = chosen->g / 255.0f;
    material->m_color[2] = chosen->b / 255.0f;
    UpdateLighting(*material);
    doc_.UpdateAllViews(Change::kAppearance);
  }
  doc_.SetModifiedFlag();  // a cancelled colour dialog counts as an edit too
}

bool MaterialListModel::EndRename(std::string_view utf8Text) {
  const bool renaming = renaming_;
  renaming_ = false;
  CMaterial* material = Selected();
  if (!renaming || utf8Text.empty() || !material) return false;
  const std::string name = Utf8ToCp932(utf8Text);
  if (NameTakenByAnother(name)) {
    doc_.ui().ShowMessage(kSameNameMessage);
    return false;
  }
  material->m_name = name;
  rows_[doc_.scene().m_selectedMaterial].name = Cp932ToUtf8(name);
  doc_.SetModifiedFlag();
  return true;
}

void MaterialListModel::DeleteSelected() {
  Scene& scene = doc_.scene();
  if (!Selected()) return;
  if (scene.m_materials.size() >= 2) {
    DeleteMaterial(scene, scene.m_selectedMaterial);
    doc_.UpdateAllViews(Change::kAppearance);
  }
  doc_.SetModifiedFlag();
}

std::optional<MaterialDialogValues> MaterialListModel::DialogPreset() const {
  const Scene& scene = doc_.scene();
  const int32_t d = scene.m_selectedMaterial;
  if (d < 0 || d >= static_cast<int32_t>(scene.m_materials.size())) return std::nullopt;
  const CMaterial& m = scene.m_materials[d];
  return MaterialDialogValues{Cp932ToUtf8(m.m_name), Cp932ToUtf8(m.m_texture), m.m_color[0], m.m_color[1],
                              m.m_color[2],          m.m_color[3],             m.m_diffuse,  m.m_emissive,
                              m.m_specular,          m.m_power,                m.m_ambient};
}

void MaterialListModel::ApplyDialog(const MaterialDialogValues& values) {
  CMaterial* material = Selected();
  if (!material) return;
  material->m_color[0] = values.red;
  material->m_color[1] = values.green;
  material->m_color[2] = values.blue;
  material->m_color[3] = values.alpha;
  material->m_texture = Utf8ToCp932(values.texture);
  material->m_ambient = values.ambient;
  material->m_diffuse = values.diffuse;
  material->m_emissive = values.emissive;
  const std::string name = Utf8ToCp932(values.name);
  if (NameTakenByAnother(name))
    doc_.ui().ShowMessage(kSameNameMessage);
  else
    material->m_name = name;
  material->m_power = values.power;
  material->m_specular = values.specular;
  TextureLookup lookup = MakeTextureLookup(doc_.m_documentFolder);
  if (!doc_.m_programFolder.empty()) lookup.programFolder = doc_.m_programFolder;
  ReloadAllTextures(doc_.scene(), lookup, [this](const std::string& text) { doc_.ui().ShowMessage(text); });
  UpdateLighting(*material);
  doc_.UpdateAllViews(Change::kAppearance);
  doc_.SetModifiedFlag();
}

}  // namespace qv
