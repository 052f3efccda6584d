#pragma once
// The dialogs' number edits as text: how a value is shown when a dialog opens, and how the
// text is read back on OK. A text that does not read is answered with the message to show; the
// dialog then puts the focus back on that edit and stays open.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scene/interface_text.h"

namespace qv {

// Shown when an edit of a whole number does not hold one (empty, letters, beyond int32).
inline constexpr const char* kEnterIntegerMessage = QV_TRANSLATE_NOOP("Messages", "整数を入力してください。");
// Shown when an edit of a number does not hold one (empty, letters, beyond float, inf, nan).
inline constexpr const char* kEnterNumberMessage = QV_TRANSLATE_NOOP("Messages", "数字を入力してください。");

// A whole number in decimal, with an optional sign and blanks around it, within int32.
std::optional<int32_t> ReadIntegerField(std::string_view text);
// A decimal number (with an optional sign, fraction and exponent, blanks around it) that a
// float holds as a finite value. The period is the decimal separator whatever the locale.
std::optional<float> ReadNumberField(std::string_view text);

// A whole number as its edit shows it.
std::string FormatIntegerField(int32_t value);
// A number as its edit shows it: the shortest form with 6 significant digits ("%g"), so
// 100.0 shows as "100" and 89.5 as "89.5"; the period whatever the locale.
std::string FormatNumberField(float value);

}  // namespace qv
