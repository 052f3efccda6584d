#pragma once
// A font opened for outlines: what the glyph reader needs from the font services. Outlines come
// unhinted in the native record format (native_outline.h) with a character cell of 2048: font
// units × 2048 / (ascent + descent), ascent and descent being the font's Windows metrics.
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
  bool LoadGlyph(char32_t ch);

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
