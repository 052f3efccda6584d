#include "document/dialog_fields.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace qv {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// from_chars takes "-" but not "+": a leading plus is dropped unless another sign follows.
std::string_view DropPlus(std::string_view text) {
  if (text.size() >= 2 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<int32_t> ReadIntegerField(std::string_view text) {
  text = DropPlus(TrimBlanks(text));
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<float> ReadNumberField(std::string_view text) {
  text = DropPlus(TrimBlanks(text));
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  // inf and nan read, but no dialog value means them; neither does a value beyond float.
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

std::string FormatIntegerField(int32_t value) { return std::to_string(value); }

std::string FormatNumberField(float value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::general, 6);
  return std::string(text, result.ptr);
}

}  // namespace qv
