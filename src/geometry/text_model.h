#pragma once
// 3D text: a string outlined in an installed font, triangulated into a flat cap, extruded into
// a slab and added to the scene as a new model with its own material.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scene/interface_text.h"
#include "scene/limits.h"

namespace qv {

class Scene;
class PlatformFont;
struct CModel;

// How the edge between a cap and the side is cut away. Width 0 leaves the sharp edge.
enum class BevelShape { kRound, kChamfer };

struct BevelParameters {
  float width = 0.0f;      // how far the bevel cuts into the glyph, model units; 0 = no bevel
  float depth = 0.0f;      // how far along the thickness it runs, on the front and on the back
  int32_t segments = 4;    // profile steps; 1 = a straight chamfer whatever the shape
  BevelShape shape = BevelShape::kRound;
};

// What the create-text dialog collects. Strings are UTF-8.
struct TextParameters {
  std::string fontName = "メイリオ";
  std::string text;
  int32_t subdivisions = 5;   // straight steps per quadratic curve
  float fontSize = 100.0f;    // height of the font's character cell in model units
  float thickness = 50.0f;    // depth of the slab in model units
  int32_t weight = 400;       // 1 to 1000: 400 normal, 700 bold
  BevelParameters bevel;
  bool kerning = true;        // the font's own kerning (GPOS or kern table)
  int32_t tracking = 0;       // thousandths of the font size added between every two glyphs
};

// What a text model was made with beyond what was asked for, for the user to read.
struct TextModelNotes {
  std::string requestedFamily;
  std::string usedFamily;
  bool familySubstituted = false;  // the requested family is not installed
  // Characters the font lacks, drawn from another installed font (one entry per font, in order
  // of first use).
  struct Substitution {
    std::string family;
    std::u32string characters;
  };
  std::vector<Substitution> substitutions;
  // Characters no installed font has, drawn as the font's missing-glyph box.
  std::u32string missing;
  // Why no model was made (kTooManyPosesMessage, kTooManyMaterialsMessage, kTextTooLargeMessage),
  // or null when one was.
  const char* refused = nullptr;
};

// The notes' messages: the family asked for and the one used; the family used, the one that gave
// the characters and the characters; the characters no font has.
inline constexpr const char* kFamilySubstitutedNote =
    QV_TRANSLATE_NOOP("Messages", "フォント「%1」が見つからないため、「%2」を使いました。");
inline constexpr const char* kCharactersSubstitutedNote =
    QV_TRANSLATE_NOOP("Messages", "「%1」にない文字を「%2」で作りました: %3");
inline constexpr const char* kCharactersMissingNote =
    QV_TRANSLATE_NOOP("Messages", "どのフォントにもない文字は四角で表しました: %1");

// The notes as messages (UTF-8), none when there is nothing to say.
std::vector<std::string> TextModelMessages(const TextModelNotes& notes);

// Builds the text model and appends it, with a new material, to the scene; returns its index.
// Parameters out of range are clamped silently: subdivisions to 1 ... kMaxSubdivisions, size and
// thickness below 1 (or not finite) to 1, a weight outside 1 ... 1000 to 400, tracking to
// kMinTextTracking ... kMaxTextTracking, the bevel as ClampBevel holds it
// (bevel_profile.h). Characters the font lacks come from another installed
// font at the same size and weight, or are drawn as the font's missing-glyph box when no font
// has them (`notes` tells which). The text is shaped (text_layout.h): kerning unless turned off,
// ligatures, joining forms and marks as the font asks, right-to-left runs laid out right to left.
// A glyph without contours (a space) adds nothing but moves the pen by its advance; controls,
// joiners and selectors are not drawn. A text without any outline still makes a model (without
// vertices), a material and a track.
// Refused, with -1 and the scene unchanged, when the scene has no room for another model's
// poses (kMaxStoredPoses) or material (kMaxSceneMaterials), or when the outlines promise more than
// kMaxTextFaces faces (counted as the outlines are read, before any mesh is made).
int32_t CreateTextModel(Scene& scene, const TextParameters& parameters, TextModelNotes* notes = nullptr);

// The mesh of a text in an open font, appended to `model` (normally empty): each glyph's cap
// where the layout puts it, scaled by fontSize and centred (in double precision), then extruded by
// thickness around z = 0. Every face gets `material`. No clamping here: CreateTextModel passes
// checked values. Characters the font lacks are found as CreateTextModel describes and noted in
// `notes`. False, with `model` unchanged, when the outlines promise more than `maxFaces` faces
// (about three per outline point). This form kerns and adds no tracking.
bool BuildTextMesh(PlatformFont& font, std::u32string_view text, int32_t subdivisions, float fontSize,
                   float thickness, int32_t material, CModel& model, TextModelNotes* notes = nullptr,
                   int64_t maxFaces = kMaxTextFaces);
// The same with subdivisions, fontSize, thickness, kerning, tracking and bevel from `parameters`
// (its font and text are not used). A bevel that HasBevel (bevel_profile.h) cuts the slab's
// edges (ExtrudeBevelledContours); the estimate counts its bands.
bool BuildTextMesh(PlatformFont& font, std::u32string_view text, const TextParameters& parameters,
                   int32_t material, CModel& model, TextModelNotes* notes = nullptr, int64_t maxFaces = kMaxTextFaces);

// Unicode code points of UTF-8 text (malformed bytes are skipped).
std::u32string CodePoints(std::string_view utf8);

// Turns the flat cap (z = 0, triangles wound clockwise seen with x right and y up) into a closed
// slab: a copy of every vertex at z - thickness, a reversed copy of every face on it, and a
// quadrilateral of `material` along every boundary edge of the cap.
void ExtrudeCap(CModel& model, float thickness, int32_t material);

// The edges of the flat cap's outline, each in the direction the cap's faces run it (the outline
// clockwise), in the order ExtrudeCap lines them with walls.
std::vector<std::pair<int32_t, int32_t>> CapBoundaryEdges(const CModel& model);

// Moves the vertices so that the bounding box is centred on the origin in x and y, and a slab
// from z = -t to 0 lies from -t/2 to t/2.
void CenterOnBounds(CModel& model);

}  // namespace qv
