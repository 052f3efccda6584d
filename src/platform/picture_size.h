#pragma once
// A picture's size as the command line takes it, "WIDTHxHEIGHT" (render --size, movie --size,
// set --canvas): read in one place, so every option refuses the same junk.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// Decimal digits, 'x' or 'X', decimal digits, each side from 1 to `maxSide`; nothing else (no
// signs, blanks or trailing characters). A side too large for an int is refused, not wrapped.
std::optional<PictureSize> ParsePictureSize(std::string_view text, int maxSide);

// The message refusing anything else for `option`: "--size must be WIDTHxHEIGHT, each from 1 to
// 16384, for example 800x600".
std::string PictureSizeRule(std::string_view option, int maxSide);

}  // namespace qv
