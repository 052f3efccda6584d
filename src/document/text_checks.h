#pragma once
// The rules a new text's bevel must keep, one place for the create-text dialog, the document's
// create-text command and the command line. The messages are the dialog's; the command line
// translates them at its edge.
#include <cstdint>
#include <string_view>

#include "geometry/text_model.h"
#include "scene/limits.h"
#include "scene/interface_text.h"

namespace qv {


inline constexpr const char* kBevelWidthNegativeMessage = QV_TRANSLATE_NOOP("Messages", "ベベルの幅には 0 以上の数を入力してください。");
inline constexpr const char* kBevelDepthNegativeMessage = QV_TRANSLATE_NOOP("Messages", "ベベルの深さには 0 以上の数を入力してください。");
inline constexpr const char* kBevelDepthTooDeepMessage = QV_TRANSLATE_NOOP("Messages", "ベベルの深さは厚みの半分以下にしてください。");
inline constexpr const char* kBevelSegmentsMessage = QV_TRANSLATE_NOOP("Messages", "ベベルの分割数には 1 から 32 の整数を入力してください。");

// Empty when the bevel can be made; otherwise the first broken rule's message, checked in this
// order: width at least 0, depth at least 0, depth at most half the thickness (the thickness as
// the text is made with it: below 1 counts as 1), segments 1 to kMaxBevelSegments. The rules
// hold whether or not the width is 0, so remembered values never turn invalid when a bevel is
// switched on. Values that are not numbers (NaN) break the first rule they meet.
std::string_view CheckBevel(const TextParameters& parameters);

}  // namespace qv
