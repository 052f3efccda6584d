#pragma once
// What the Unicode data says about characters, for laying out a line of text: the script a
// character belongs to, whether it is a combining mark, and the bidirectional algorithm
// (levels and the left-to-right order of the characters as they are seen).
#include <cstdint>
#include <string_view>
#include <vector>

namespace qv {

// A script as a four-letter ISO 15924 tag (the shaper's own numbering); kNoScript for
// characters that belong to no script of their own (spaces, digits, punctuation, combining
// marks), which take the script of the text around them.
inline constexpr uint32_t kNoScript = 0;
uint32_t ScriptOf(char32_t c);

// A combining mark (general category Mn, Mc or Me): drawn on or beside the character before it.
bool IsCombiningMark(char32_t c);

// One line of text through the bidirectional algorithm, the paragraph's direction taken from
// its first strong character (left to right when there is none). Reused from text to text.
struct BidiLine {
  std::vector<uint8_t> levels;           // per character in text order; odd = right to left
  std::vector<int32_t> visualToLogical;  // the characters' indices from left to right
  bool AllLeftToRight() const;

  // Scratch of the algorithm.
  std::vector<uint32_t> types;
  std::vector<uint32_t> brackets;
};
void ResolveBidi(std::u32string_view text, BidiLine& line);

}  // namespace qv
