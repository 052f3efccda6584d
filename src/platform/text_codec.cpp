#include "platform/text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace qv {

namespace {

// One conversion descriptor per call keeps the functions safe to use from any thread.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv cannot convert from ") + from);
  }
  ~Iconv() { iconv_close(cd_); }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  // Converts as much as possible; returns false and leaves `in` at the offending input when a
  // sequence is invalid or has no form in the target.
  bool Convert(const char*& in, size_t& inLeft, std::string& out) {
    char buffer[1024];
    while (inLeft > 0) {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      size_t r = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr - buffer);
      if (r == static_cast<size_t>(-1)) {
        if (errno == E2BIG) continue;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  if ((b & 0xF8) == 0xF0) return 4;
  return 1;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  Iconv cv("UTF-8", "CP932");
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  const char* in = cp932.data();
  size_t left = cp932.size();
  while (!cv.Convert(in, left, out)) {
    out += "\xEF\xBF\xBD";  // U+FFFD for one undecodable byte, then go on
    ++in;
    --left;
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  Iconv cv("CP932", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  const char* in = utf8.data();
  size_t left = utf8.size();
  while (!cv.Convert(in, left, out)) {
    out += '?';
    size_t skip = std::min(left, Utf8SequenceLength(static_cast<unsigned char>(*in)));
    in += skip;
    left -= skip;
  }
  return out;
}

std::string Utf16ToCp932(std::u16string_view utf16) {
  Iconv cv("CP932", "UTF-16LE");
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t c : utf16) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  std::string out;
  const char* in = bytes.data();
  size_t left = bytes.size();
  while (!cv.Convert(in, left, out)) {
    out += '?';
    // An unmappable surrogate pair becomes one "?"; a lone surrogate is one "?" by itself and the
    // unit after it is read normally.
    auto unitAt = [&](size_t offset) {
      return static_cast<unsigned>(static_cast<unsigned char>(in[offset])) |
             static_cast<unsigned>(static_cast<unsigned char>(in[offset + 1])) << 8;
    };
    const bool pair = left >= 4 && unitAt(0) >= 0xD800 && unitAt(0) < 0xDC00 && unitAt(2) >= 0xDC00 &&
                      unitAt(2) < 0xE000;
    const size_t skip = std::min(pair ? size_t{4} : size_t{2}, left);
    in += skip;
    left -= skip;
  }
  return out;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    unsigned char ca = a[i], cb = b[j];
    bool leadA = IsCp932LeadByte(ca) && i + 1 < a.size();
    bool leadB = IsCp932LeadByte(cb) && j + 1 < b.size();
    if (leadA || leadB) {
      // Double-byte characters compare as whole units, never case-folded.
      unsigned va = leadA ? (ca << 8 | static_cast<unsigned char>(a[i + 1])) : ca;
      unsigned vb = leadB ? (cb << 8 | static_cast<unsigned char>(b[j + 1])) : cb;
      if (va != vb) return va < vb ? -1 : 1;
      i += leadA ? 2 : 1;
      j += leadB ? 2 : 1;
      continue;
    }
    if (ca >= 'A' && ca <= 'Z') ca = ca - 'A' + 'a';
    if (cb >= 'A' && cb <= 'Z') cb = cb - 'A' + 'a';
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

}  // namespace qv
