#include "platform/c_number.h"

#include <locale.h>
#include <stdlib.h>

namespace qv {

namespace {

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

double StrtodInCLocale(const char* text) { return strtod_l(text, nullptr, CLocale()); }

}  // namespace qv
