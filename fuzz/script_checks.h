#pragma once
// Checks the fuzz targets share: a failed check aborts, which libFuzzer reports with the input.
//
// CheckScript is a small reading of a generated script, enough to catch what a bad name or
// number does to it: the text is UTF-8, every string and comment ends, brackets pair up outside
// them, and no number was written the way printf writes a NaN or an infinity ("nan", "inf",
// which a browser reads as undefined names). The writers spell those values "NaN" and
// "Infinity", which parse.
#include <cstdlib>
#include <string>
#include <string_view>

// For the checks themselves, which are not the code under test: without coverage of their own
// their branches are no new behaviour of an input, and they run at full speed.
#define QV_FUZZ_CHECK_CODE __attribute__((no_sanitize("coverage")))

namespace qv::fuzz {

QV_FUZZ_CHECK_CODE inline void Check(bool condition) {
  if (!condition) std::abort();
}

QV_FUZZ_CHECK_CODE inline bool IsUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    if (lead < 0x80) extra = 0;
    else if (lead >= 0xC2 && lead <= 0xDF) extra = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) extra = 2;
    else if (lead >= 0xF0 && lead <= 0xF4) extra = 3;
    else return false;
    if (i + extra >= text.size()) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

QV_FUZZ_CHECK_CODE inline bool IsWordCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
         static_cast<unsigned char>(c) >= 0x80;
}

QV_FUZZ_CHECK_CODE inline void CheckScript(std::string_view script) {
  Check(IsUtf8(script));
  std::string brackets;
  size_t i = 0;
  while (i < script.size()) {
    const char c = script[i];
    if (c == '"' || c == '\'' || c == '`') {
      // A string ends on its own line (template literals may span lines); escapes skip a byte.
      for (++i;; ++i) {
        Check(i < script.size());
        if (script[i] == '\\') {
          ++i;
          continue;
        }
        if (script[i] == '\n' && c != '`') Check(false);
        if (script[i] == c) break;
      }
      ++i;
    } else if (c == '/' && i + 1 < script.size() && script[i + 1] == '/') {
      while (i < script.size() && script[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < script.size() && script[i + 1] == '*') {
      const size_t end = script.find("*/", i + 2);
      Check(end != std::string_view::npos);
      i = end + 2;
    } else if (c == '(' || c == '[' || c == '{') {
      brackets.push_back(c);
      ++i;
    } else if (c == ')' || c == ']' || c == '}') {
      const char open = c == ')' ? '(' : c == ']' ? '[' : '{';
      Check(!brackets.empty() && brackets.back() == open);
      brackets.pop_back();
      ++i;
    } else if (IsWordCharacter(c)) {
      const size_t start = i;
      while (i < script.size() && IsWordCharacter(script[i])) ++i;
      const std::string_view word = script.substr(start, i - start);
      Check(word != "nan" && word != "inf");
    } else {
      ++i;
    }
  }
  Check(brackets.empty());
}

}  // namespace qv::fuzz
