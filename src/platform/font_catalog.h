#pragma once
// The installed fonts, through fontconfig: the list of face names offered to the user and the
// choice of a font file for a face name and weight.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Family names (UTF-8) of the installed scalable outline fonts (TrueType and CFF), every name a
// font answers to, sorted by UTF-16 code units, without duplicates and without names starting
// with "@" (vertical-writing faces).
std::vector<std::string> ListOutlineFontFamilies();

struct FontChoice {
  std::string file;     // empty when no outline font is installed at all
  int32_t faceIndex = 0;  // face inside a collection (.ttc)
  std::string family;   // the chosen font's first family name
  bool substituted = false;  // the requested family is not installed
  bool embolden = false;     // bold was asked for and the family has no face near it
};

// The font for a face name (UTF-8) and a weight on the 1 to 1000 scale (400 normal, 700 bold).
// An installed family gives its face of the nearest weight. Any other name is substituted without
// error, preferring a font that has glyphs for all of `text` and then a Japanese one.
FontChoice ChooseFont(std::string_view faceName, int32_t weight, std::u32string_view text = {});

// An installed outline font, other than the font files in `exclude`, that has a glyph for `ch`, at
// the weight asked for: Japanese faces first, then the closest match. An empty file when no
// installed outline font has the character.
FontChoice ChooseFontForCharacter(char32_t ch, int32_t weight, const std::vector<std::string>& exclude = {});

// Whether a family of that name (case and blanks ignored) is installed as an outline font.
bool IsFamilyInstalled(std::string_view family);

// The family (UTF-8, the font's first name) of the outline font fontconfig chooses for Japanese
// sans-serif text, as `fc-match sans-serif:lang=ja` does; empty when no outline font is installed.
std::string JapaneseSansSerifFamily();

}  // namespace qv
