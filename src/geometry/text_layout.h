#pragma once
// Where the glyphs of a line of text go: each character gets a font (the chosen one, or another
// installed font that has it), the text is split into runs of one font, direction and script,
// each run is shaped by its font (kerning, ligatures, joining forms, marks on their base), the
// runs are put in the order they are seen (the bidirectional algorithm), and the pen walks along
// them from left to right adding the letter spacing between characters.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/platform_font.h"
#include "platform/unicode_text.h"

namespace qv {

struct TextModelNotes;

struct PlacedGlyph {
  PlatformFont* font = nullptr;
  uint32_t glyph = 0;      // id in `font`
  uint32_t character = 0;  // index in the text of the first character it draws
  double x = 0.0;          // the glyph's origin; one unit is the character cell's height
  double y = 0.0;
};

struct TextLayoutOptions {
  bool kerning = true;   // the font's kerning; false for the plain advances
  int32_t tracking = 0;  // thousandths of the cell height added between two characters
};

// One text's fonts and scratch: fallback fonts opened for a text stay open for the next one.
class TextLayout {
 public:
  explicit TextLayout(PlatformFont& primary);
  ~TextLayout();

  // The glyphs of `text` from left to right (replaces `glyphs`). Characters the chosen font
  // lacks are noted in `notes` as BuildTextMesh describes. Characters that are never drawn
  // (controls, joiners, variation selectors) give no glyph; every other glyph moves the pen by
  // its advance, also when it has no contours (a space).
  void Lay(std::u32string_view text, const TextLayoutOptions& options, TextModelNotes* notes,
           std::vector<PlacedGlyph>& glyphs);
  // Where the pen stopped after the last glyph, in cell heights.
  double Advance() const { return advance_; }

 private:
  struct Run {
    size_t begin, end;
    PlatformFont* font;
    uint8_t level;
    uint32_t script;
  };
  PlatformFont* FontFor(char32_t c, TextModelNotes* notes);
  PlatformFont* Note(PlatformFont& font, char32_t c, TextModelNotes* notes);

  PlatformFont& primary_;
  std::vector<std::unique_ptr<PlatformFont>> fallbacks_;
  double advance_ = 0.0;
  // Scratch, reused from text to text.
  BidiLine bidi_;
  std::vector<PlatformFont*> fontOf_;
  std::vector<uint32_t> scriptOf_;
  std::vector<Run> runs_;
  std::vector<int32_t> visualOf_;
  std::vector<ShapedGlyph> shaped_;
};

}  // namespace qv
