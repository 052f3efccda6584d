#include "geometry/text_model.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "geometry/bevel_profile.h"
#include "geometry/bevelled_slab.h"
#include "geometry/bounds.h"
#include "geometry/glyph_outline.h"
#include "geometry/normals.h"
#include "geometry/text_layout.h"
#include "animation/track_fit.h"
#include "geometry/unique_names.h"
#include "geometry/vertex_array.h"
#include "platform/parallel_for.h"
#include "platform/platform_font.h"
#include "platform/text_codec.h"
#include "scene/messages.h"
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

// Glyphs handed out at a time; a text of fewer than twice as many is made on the calling thread
// alone, as starting a thread costs about as much as making a few caps.
constexpr size_t kGlyphsPerRange = 4;

float ClampAtLeastOne(float v) { return std::isfinite(v) && v >= 1.0f ? v : 1.0f; }

}  // namespace

namespace {

std::string Utf8Of(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::vector<std::string> TextModelMessages(const TextModelNotes& notes) {
  std::vector<std::string> messages;
  if (notes.familySubstituted)
    messages.push_back(FillMessage(kFamilySubstitutedNote, {notes.requestedFamily, notes.usedFamily}));
  for (const auto& s : notes.substitutions)
    messages.push_back(FillMessage(kCharactersSubstitutedNote, {notes.usedFamily, s.family, Utf8Of(s.characters)}));
  if (!notes.missing.empty()) messages.push_back(FillMessage(kCharactersMissingNote, {Utf8Of(notes.missing)}));
  return messages;
}

bool BuildTextMesh(PlatformFont& font, std::u32string_view text, int32_t subdivisions, float fontSize,
                   float thickness, int32_t material, CModel& model, TextModelNotes* notes, int64_t maxFaces) {
  TextParameters parameters;
  parameters.subdivisions = subdivisions;
  parameters.fontSize = fontSize;
  parameters.thickness = thickness;
  return BuildTextMesh(font, text, parameters, material, model, notes, maxFaces);
}

bool BuildTextMesh(PlatformFont& font, std::u32string_view text, const TextParameters& parameters,
                   int32_t material, CModel& model, TextModelNotes* notes, int64_t maxFaces) {
  const int32_t subdivisions = parameters.subdivisions;
  const float fontSize = parameters.fontSize;
  const float thickness = parameters.thickness;
  const BevelParameters& bevel = parameters.bevel;
  const int64_t facesPerPoint = TextFacesPerOutlinePoint(bevel);
  // Each glyph is built at the origin and placed in double precision, scaled (one outline unit is
  // the font's cell height) and centred before its coordinates are rounded once: far along a long
  // line, adding the pen in float would round small triangles into flipped ones.
  struct Placed {
    size_t firstVertex;
    double x, y;
  };
  TextLayout layout(font);
  std::vector<PlacedGlyph> glyphs;
  layout.Lay(text, {parameters.kerning, parameters.tracking}, notes, glyphs);
  // All outlines are read first, so that the model's arrays can be sized for the whole text once:
  // grown glyph by glyph and then again for the back and walls, the faces would be copied and
  // their memory touched several times. The sizes are a generous estimate (a cap has about as
  // many triangles as points, the back as many again, the walls one per outline edge); memory
  // reserved but never used is never touched.
  struct Read {
    GlyphOutline outline;
    double x, y;
  };
  std::vector<Read> outlines;
  outlines.reserve(glyphs.size());
  size_t points = 0;
  for (const PlacedGlyph& glyph : glyphs) {
    GlyphOutline outline;
    // A glyph without contours (a space) has moved the pen and adds nothing.
    if (!outline.ReadGlyphById(*glyph.font, glyph.glyph, subdivisions)) continue;
    for (const auto& polygon : outline.m_polygons) points += polygon->m_points.size() + 2;
    // The same estimate refuses a text whose mesh would be too large, as soon as the outlines
    // read so far promise it: dense glyphs finely subdivided made tens of millions of faces.
    if (facesPerPoint * static_cast<int64_t>(points) > maxFaces) return false;
    outlines.push_back({std::move(outline), glyph.x, glyph.y});
  }
  // A bevelled text is made from the outline's contours; a flat one from its triangulated cap.
  const bool bevelled = HasBevel(bevel);
  model.m_vertices.reserve(model.m_vertices.size() + 2 * points);
  if (!bevelled) model.m_faces.reserve(model.m_faces.size() + 3 * points);
  // The glyphs are prepared side by side, then added in the order they stand (left to right): the
  // model is the same as when each glyph is made in turn.
  ParallelFor(outlines.size(), kGlyphsPerRange, [&](size_t begin, size_t end) {
    for (size_t i = begin; i < end; ++i) {
      GlyphOutline& outline = outlines[i].outline;
      if (bevelled) {
        outline.PrepareContours();
        outline.TurnHolesClockwise();
      } else {
        outline.PrepareMesh();
      }
    }
  });
  std::vector<Placed> placed;
  placed.reserve(outlines.size());
  std::vector<std::vector<int32_t>> contours;
  const size_t base = model.m_vertices.size();
  for (const Read& read : outlines) {
    placed.push_back({model.m_vertices.size(), read.x, read.y});
    if (bevelled)
      read.outline.AppendContours(model, contours);
    else
      read.outline.AppendMesh(model, 0.0f, material);
  }
  std::vector<double> xs(model.m_vertices.size() - base), ys(xs.size());
  for (size_t g = 0; g < placed.size(); ++g) {
    const size_t end = g + 1 < placed.size() ? placed[g + 1].firstVertex : model.m_vertices.size();
    for (size_t i = placed[g].firstVertex; i < end; ++i) {
      xs[i - base] = (double{model.m_vertices[i].x} + placed[g].x) * fontSize;
      ys[i - base] = (double{model.m_vertices[i].y} + placed[g].y) * fontSize;
    }
  }
  if (!xs.empty()) {
    const auto [xLo, xHi] = std::minmax_element(xs.begin(), xs.end());
    const auto [yLo, yHi] = std::minmax_element(ys.begin(), ys.end());
    const double cx = (*xLo + *xHi) / 2, cy = (*yLo + *yHi) / 2;
    for (size_t i = 0; i < xs.size(); ++i)
      model.m_vertices[base + i] = {static_cast<float>(xs[i] - cx), static_cast<float>(ys[i] - cy), 0.0f};
  }
  if (bevelled)
    ExtrudeBevelledContours(model, contours, thickness, bevel, material);
  else
    ExtrudeCap(model, thickness, material);
  // x and y are centred already; the slab from -thickness to 0 moves to around 0.
  for (CVector& v : model.m_vertices) v.z += thickness / 2;
  return true;
}

int32_t CreateTextModel(Scene& scene, const TextParameters& parameters, TextModelNotes* notes) {
  const std::u32string text = CodePoints(parameters.text);
  int32_t subdivisions = parameters.subdivisions < 1 ? 1 : parameters.subdivisions;
  if (subdivisions > kMaxSubdivisions) subdivisions = kMaxSubdivisions;
  const float fontSize = ClampAtLeastOne(parameters.fontSize);
  const float thickness = ClampAtLeastOne(parameters.thickness);
  const int32_t weight = parameters.weight < 1 || parameters.weight > 1000 ? 400 : parameters.weight;
  TextParameters checked = parameters;
  checked.subdivisions = subdivisions;
  checked.fontSize = fontSize;
  checked.thickness = thickness;
  checked.tracking = std::clamp(parameters.tracking, kMinTextTracking, kMaxTextTracking);
  checked.bevel = ClampBevel(parameters.bevel, thickness);

  auto refuse = [notes](const char* why) {
    if (notes) notes->refused = why;
    return -1;
  };
  // The limits are checked before anything is made; the scene changes only once the mesh is.
  if (static_cast<int64_t>(scene.m_materials.size()) >= kMaxSceneMaterials) return refuse(kTooManyMaterialsMessage);
  if (!FittedPosesAllowed(scene, scene.m_animationCount, scene.m_lastFrame, 1)) return refuse(kTooManyPosesMessage);
  // The new material goes after the existing ones.
  const int32_t material = static_cast<int32_t>(scene.m_materials.size());
  CModel built;
  // Without any outline font installed the model stays empty, like a text of spaces.
  if (auto font = PlatformFont::Create(parameters.fontName, weight, text)) {
    if (notes) {
      notes->requestedFamily = CutFaceName(parameters.fontName);
      notes->usedFamily = font->Family();
      notes->familySubstituted = font->Substituted();
    }
    if (!BuildTextMesh(*font, text, checked, material, built, notes))
      return refuse(kTextTooLargeMessage);
  }

  // The existing materials are renumbered to their index first.
  scene.RenumberMaterials();
  scene.TakeMaterialNumber();
  scene.m_materials.emplace_back();
  scene.m_models.push_back(std::move(built));
  const int32_t index = static_cast<int32_t>(scene.m_models.size()) - 1;
  CModel& model = scene.m_models.back();
  FitFrames(scene, model, 0);
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

}  // namespace qv
