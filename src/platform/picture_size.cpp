#include "platform/picture_size.h"

#include <charconv>

namespace qv {

namespace {

std::optional<int> ReadSide(std::string_view digits, int maxSide) {
  // from_chars alone would take a minus sign.
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (value < 1 || value > maxSide) return std::nullopt;
  return value;
}

}  // namespace

std::optional<PictureSize> ParsePictureSize(std::string_view text, int maxSide) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = ReadSide(text.substr(0, x), maxSide);
  const std::optional<int> height = ReadSide(text.substr(x + 1), maxSide);
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}

std::string PictureSizeRule(std::string_view option, int maxSide) {
  return std::string(option) + " must be WIDTHxHEIGHT, each from 1 to " + std::to_string(maxSide) +
         ", for example 800x600";
}

}  // namespace qv
