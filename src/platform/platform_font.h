#pragma once
// A font opened for outlines: what the glyph reader needs from the font services. Outlines come
// unhinted in the native record format (native_outline.h) with a character cell of 2048: font
// units × 2048 / (ascent + descent), ascent and descent being the font's Windows metrics. Text is
// shaped by the font's own rules (HarfBuzz: kerning, ligatures, joining forms, marks) into glyph
// ids with positions in font units, and outlines and widths are read by glyph id.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font_catalog.h"

namespace qv {

// Widths of a character in cell units: A (left bearing), B (inked width) and C (right bearing);
// A + B + C is the advance.
struct AbcWidths {
  int32_t a = 0;
  uint32_t b = 0;
  int32_t c = 0;
};

inline constexpr uint32_t kGlyphOutlineError = 0xFFFFFFFF;

// Asks GlyphOutline and CharAbcWidths for the font's missing-glyph box (its glyph 0), drawn for
// characters no installed font has. Above every Unicode code point.
inline constexpr char32_t kMissingGlyph = 0x110000;

// One glyph of a shaped run, in the order it is drawn from left to right. Positions are in font
// units; synthetic bold is not in them (AdvanceInCell adds it).
struct ShapedGlyph {
  uint32_t glyph = 0;    // the font's glyph id; 0 is the missing-glyph box
  uint32_t cluster = 0;  // index in the text of the first character the glyph draws
  int32_t advance = 0;
  int32_t xOffset = 0;
  int32_t yOffset = 0;
};

// How a run is shaped.
struct ShapeOptions {
  uint32_t script = 0;       // an ISO 15924 tag (unicode_text.h); 0 = none of its own
  bool rightToLeft = false;  // the run's glyphs are still given from left to right
  bool kerning = true;       // false: the plain advances, without the font's kerning
};

class PlatformFont {
 public:
  ~PlatformFont();
  PlatformFont(const PlatformFont&) = delete;
  PlatformFont& operator=(const PlatformFont&) = delete;

  // The font for a face name (UTF-8) and weight (1 to 1000), chosen by ChooseFont: face names
  // are cut to 31 UTF-16 units, unknown ones substituted (preferring fonts that cover `text`).
  // Null only when no outline font can be opened at all.
  static std::unique_ptr<PlatformFont> Create(std::string_view faceName, int32_t weight, std::u32string_view text = {});
  // A font file directly (a face of a collection by index).
  static std::unique_ptr<PlatformFont> Open(const std::string& file, int32_t faceIndex = 0, bool embolden = false);
  // Another installed font that has a glyph for `ch`, at this font's weight (Japanese faces
  // first); null when no other outline font has it.
  std::unique_ptr<PlatformFont> FallbackFor(char32_t ch) const;

  // The glyph id of a character, 0 when the font has none (kMissingGlyph gives 0 as well).
  uint32_t GlyphIndex(char32_t ch) const;
  // Outline records of a glyph by id into `records` (replaced): as GlyphOutline.
  uint32_t GlyphOutlineById(uint32_t glyph, std::vector<uint8_t>& records);
  // Widths of a glyph by id; false when the font has no such glyph or it has no outline format.
  bool GlyphAbcWidths(uint32_t glyph, AbcWidths& widths);
  // Shapes text[begin, end) into `glyphs` (replaced); the text around it is the context (letters
  // join across runs). Characters that are never drawn (joiners, selectors) give no glyph.
  void Shape(std::u32string_view text, size_t begin, size_t end, const ShapeOptions& options,
             std::vector<ShapedGlyph>& glyphs);
  // An advance in font units as whole cell units: grown by synthetic bold (a glyph that advances
  // grows by as much as its strokes), rounded as A + B + C are.
  int32_t AdvanceInCell(int32_t advance) const;

  // Outline records of a character (a Unicode code point) into `records` (replaced). Returns
  // their size in bytes: 0 for a glyph without contours (a space), kGlyphOutlineError when the
  // font has no glyph for the character.
  uint32_t GlyphOutline(char32_t ch, std::vector<uint8_t>& records);
  // Widths of a character; false when the font has no glyph for it.
  bool CharAbcWidths(char32_t ch, AbcWidths& widths);
  bool HasGlyph(char32_t ch) const;

  const std::string& Family() const { return family_; }
  // The weight the font was asked for (1 to 1000).
  int32_t Weight() const { return weight_; }
  // The family asked for was not installed: Family() is the one used instead.
  bool Substituted() const { return substituted_; }
  const std::string& File() const { return file_; }
  int32_t FaceIndex() const { return faceIndex_; }
  bool Emboldened() const { return embolden_; }
  // Ascent plus descent in font units: the cell that measures 2048.
  int32_t CellUnits() const { return cellUnits_; }
  int32_t UnitsPerEm() const;
  bool IsCff() const;
  // Every character the font has a glyph for, ascending.
  std::vector<char32_t> Characters() const;

 private:
  struct Impl;
  explicit PlatformFont(std::unique_ptr<Impl> impl);
  bool LoadGlyph(uint32_t glyph);

  std::unique_ptr<Impl> impl_;
  std::string family_;
  std::string file_;
  int32_t faceIndex_ = 0;
  bool embolden_ = false;
  int32_t weight_ = 400;
  bool substituted_ = false;
  int32_t cellUnits_ = 2048;
};

// Face names are cut like the platform's 32-unit face name field: at most 31 UTF-16 code units
// (a surrogate pair is never split).
std::string CutFaceName(std::string_view utf8);

}  // namespace qv
