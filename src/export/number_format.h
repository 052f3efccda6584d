#pragma once
// Number formatting of the generated web files, equal to the C library's printf in the "C"
// locale: FormatFixed(value, n) writes what printf("%.nf", value) writes for a float promoted to
// double (exact decimal value, rounded half to even, "-" on negative zero and on negative values
// that round to zero). Much faster than snprintf: a million-triangle scene prints tens of
// millions of numbers.
#include <cstdint>

namespace qv {

// Room enough for any result of these functions.
inline constexpr int kNumberBufferSize = 64;

// printf("%.*f", precision, double(value)), precision 0 to 9; non-finite values as printf
// writes them ("nan", "-nan", "inf", "-inf"). Returns the end of the written text (no NUL).
char* FormatFixed(char* out, float value, int precision);

// As FormatFixed, but a value that is not finite becomes the script literal "NaN", "Infinity"
// or "-Infinity", so that a generated script still parses (printf's "nan" is an unknown name
// in JavaScript and would stop the whole model script).
char* FormatScriptFixed(char* out, float value, int precision);

// printf("%d").
char* FormatInt(char* out, int32_t value);
// printf("%02x") of one byte.
char* FormatHexByte(char* out, uint8_t value);

}  // namespace qv
