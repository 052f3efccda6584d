#include "export/web_text.h"

#include <cstdint>

namespace qv {

namespace {

// One code point decoded from UTF-8; `length` 0 at the end, `valid` false for a malformed byte
// (which is then consumed alone).
struct CodePoint {
  char32_t value = 0;
  size_t length = 0;
  bool valid = false;
};

CodePoint DecodeUtf8(std::string_view s, size_t i) {
  if (i >= s.size()) return {};
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return {b0, 1, true};
  size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((b0 & 0xE0) == 0xC0) {
    length = 2, value = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, value = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, value = b0 & 0x07, minimum = 0x10000;
  } else {
    return {0, 1, false};
  }
  if (i + length > s.size()) return {0, 1, false};
  for (size_t k = 1; k < length; ++k) {
    const unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) return {0, 1, false};
    value = (value << 6) | (b & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return {0, 1, false};
  return {value, length, true};
}

struct Range {
  char32_t first, last;
};

// Characters every JavaScript engine accepts inside an identifier (ID_Continue), limited to
// long-stable blocks so that older browsers agree.
constexpr Range kIdentifierRanges[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6},
    {0x00F8, 0x024F},                    // Latin-1 letters, Latin Extended-A and -B
    {0x0391, 0x03A1}, {0x03A3, 0x03A9}, {0x03B1, 0x03C9},  // Greek letters
    {0x0401, 0x0401}, {0x0410, 0x044F}, {0x0451, 0x0451},  // Cyrillic letters
    {0x3005, 0x3007},                    // 々 〆 〇
    {0x3041, 0x3096}, {0x3099, 0x309A}, {0x309D, 0x309F},  // Hiragana
    {0x30A1, 0x30FA}, {0x30FC, 0x30FF},  // Katakana
    {0x3400, 0x4DB5},                    // CJK Extension A
    {0x4E00, 0x9FA5},                    // CJK Unified Ideographs
    {0xF900, 0xFA2D},                    // CJK Compatibility Ideographs
    {0xFF10, 0xFF19}, {0xFF21, 0xFF3A}, {0xFF3F, 0xFF3F}, {0xFF41, 0xFF5A},  // full-width
    {0xFF66, 0xFF9F},                    // half-width Katakana
};

bool IsIdentifierCharacter(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
  for (const Range& r : kIdentifierRanges)
    if (c >= r.first && c <= r.last) return true;
  return false;
}

// Digits and combining marks may continue an identifier but not start it.
bool CanStartIdentifier(char32_t c) {
  return !((c >= '0' && c <= '9') || (c >= 0x3099 && c <= 0x309A) || (c >= 0xFF10 && c <= 0xFF19));
}

void AppendHex(std::string& out, unsigned char b) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  out += kDigits[b >> 4];
  out += kDigits[b & 15];
}

}  // namespace

std::string HtmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string HtmlAttribute(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string UrlSegment(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '%' || c == '#' || c == '?' || c == '\\' || c == '/' || b < 0x20 || b == 0x7F) {
      out += '%';
      AppendHex(out, b);
    } else {
      out += c;
    }
  }
  return out;
}

std::string ScriptString(std::string_view text, char quote, bool insideScriptElement) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '\\' || c == quote) {
      out += '\\';
      out += c;
    } else if (b < 0x20 || b == 0x7F || (insideScriptElement && c == '<')) {
      out += "\\x";
      AppendHex(out, b);
    } else {
      out += c;
    }
  }
  return out;
}

std::string ScriptIdentifier(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t i = 0; i < text.size();) {
    const CodePoint cp = DecodeUtf8(text, i);
    if (cp.valid && IsIdentifierCharacter(cp.value)) {
      if (out.empty() && !CanStartIdentifier(cp.value)) out += '_';
      out.append(text.substr(i, cp.length));
    } else {
      out += '_';
    }
    i += cp.length;
  }
  return out;
}

}  // namespace qv
