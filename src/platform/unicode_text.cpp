#include "platform/unicode_text.h"

#include <fribidi.h>
#include <hb.h>

#include <algorithm>
#include <numeric>

namespace qv {

uint32_t ScriptOf(char32_t c) {
  const hb_script_t script = hb_unicode_script(hb_unicode_funcs_get_default(), c);
  if (script == HB_SCRIPT_COMMON || script == HB_SCRIPT_INHERITED || script == HB_SCRIPT_UNKNOWN) return kNoScript;
  return static_cast<uint32_t>(script);
}

bool IsCombiningMark(char32_t c) {
  switch (hb_unicode_general_category(hb_unicode_funcs_get_default(), c)) {
    case HB_UNICODE_GENERAL_CATEGORY_NON_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_SPACING_MARK:
    case HB_UNICODE_GENERAL_CATEGORY_ENCLOSING_MARK:
      return true;
    default:
      return false;
  }
}

bool BidiLine::AllLeftToRight() const {
  return std::all_of(levels.begin(), levels.end(), [](uint8_t level) { return level == 0; });
}

void ResolveBidi(std::u32string_view text, BidiLine& line) {
  static_assert(sizeof(FriBidiChar) == sizeof(char32_t) && sizeof(FriBidiCharType) == sizeof(uint32_t) &&
                sizeof(FriBidiBracketType) == sizeof(uint32_t) && sizeof(FriBidiLevel) == 1);
  const auto n = static_cast<FriBidiStrIndex>(text.size());
  line.levels.assign(text.size(), 0);
  line.visualToLogical.resize(text.size());
  std::iota(line.visualToLogical.begin(), line.visualToLogical.end(), 0);
  if (n == 0) return;
  const auto* chars = reinterpret_cast<const FriBidiChar*>(text.data());
  line.types.resize(text.size());
  line.brackets.resize(text.size());
  auto* types = reinterpret_cast<FriBidiCharType*>(line.types.data());
  fribidi_get_bidi_types(chars, n, types);
  // Text without a right-to-left or explicit-direction character is left to right as it is.
  if (std::none_of(types, types + n, [](FriBidiCharType t) { return FRIBIDI_IS_RTL(t) || FRIBIDI_IS_EXPLICIT(t); }))
    return;
  auto* brackets = reinterpret_cast<FriBidiBracketType*>(line.brackets.data());
  fribidi_get_bracket_types(chars, n, types, brackets);
  FriBidiParType direction = FRIBIDI_PAR_ON;
  auto* levels = reinterpret_cast<FriBidiLevel*>(line.levels.data());
  if (fribidi_get_par_embedding_levels_ex(types, brackets, n, &direction, levels) == 0) {
    std::fill(line.levels.begin(), line.levels.end(), 0);
    return;
  }
  // The whole text is one line. Marks keep their place after their base in the logical order:
  // the shaper puts them on it.
  if (fribidi_reorder_line(FRIBIDI_FLAGS_DEFAULT & ~FRIBIDI_FLAG_REORDER_NSM, types, n, 0, direction, levels, nullptr,
                           reinterpret_cast<FriBidiStrIndex*>(line.visualToLogical.data())) == 0)
    std::iota(line.visualToLogical.begin(), line.visualToLogical.end(), 0);
}

}  // namespace qv
