#pragma once
// Numbers read the way the C library reads them in the "C" locale, whatever locale the process
// runs in.

namespace qv {

// strtod in the "C" locale: hexadecimal numbers, out-of-range values as HUGE_VAL or 0.
double StrtodInCLocale(const char* text);

}  // namespace qv
