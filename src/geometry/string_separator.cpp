#include "geometry/string_separator.h"

#include <charconv>
#include <limits>
#include <string>

#include "platform/c_number.h"
#include "platform/text_codec.h"

namespace qv {

namespace {

// Characters that form a token by themselves: ( ) , : ; = [ ] { }
constexpr bool IsSingleCharacterToken(unsigned char c) {
  switch (c) {
    case '(': case ')': case ',': case ':': case ';': case '=': case '[': case ']': case '{': case '}':
      return true;
    default:
      return false;
  }
}

constexpr bool IsLineEnd(unsigned char c) { return c == 0 || c == '\n' || c == '\r'; }

constexpr bool IsCBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

double ParseDouble(std::string_view text) {
  while (!text.empty() && IsCBlank(text.front())) text.remove_prefix(1);
  std::string_view body = text;
  if (!body.empty() && body.front() == '+') {
    body.remove_prefix(1);
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) return 0.0;
  }
  double value = 0.0;
  const char* end = body.data() + body.size();
  const auto [stop, error] = std::from_chars(body.data(), end, value);
  if (error == std::errc() && !(stop < end && (*stop == 'x' || *stop == 'X'))) return value;
  if (error == std::errc::invalid_argument) return 0.0;
  // Out of range, or a hexadecimal number: the C library's reading, in the C locale.
  const std::string copy(text);
  return StrtodInCLocale(copy.c_str());
}

int32_t ParseInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsCBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;  // saturate; more digits change nothing
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

void StringSeparator::AddToken(int32_t index, std::string_view text) {
  if (index < 0) return;
  if (static_cast<size_t>(index) >= tokens_.size()) tokens_.resize(static_cast<size_t>(index) + 1);
  tokens_[static_cast<size_t>(index)].assign(text);
}

int32_t StringSeparator::Separate(std::string_view line) {
  // Every token is a contiguous run of the line (quotes are delimiters, never content), so a
  // token is stored straight from [start, pos).
  int32_t count = 0;
  bool quoted = false;
  size_t start = 0;
  size_t pos = 0;
  const size_t size = line.size();
  auto storePending = [&](size_t end) {
    if (end > start) AddToken(count++, line.substr(start, end - start));
  };
  while (pos < size) {
    const unsigned char c = static_cast<unsigned char>(line[pos]);
    // A double-byte character travels as one, so a trail byte equal to [ { " or \ is never
    // taken for punctuation. A stray lead byte right before the line end stays alone: the line
    // end is never swallowed into a name.
    if (IsCp932LeadByte(c) && pos + 1 < size && !IsLineEnd(static_cast<unsigned char>(line[pos + 1]))) {
      pos += 2;
      continue;
    }
    if (IsLineEnd(c)) break;
    if (c == ' ' || c == '\t') {
      if (!quoted) {
        storePending(pos);
        start = pos + 1;
      }
      ++pos;
      continue;
    }
    if (c == '"') {
      if (quoted) {
        AddToken(count++, line.substr(start, pos - start));  // "" is one empty token
        quoted = false;
      } else {
        storePending(pos);
        quoted = true;
      }
      start = ++pos;
      continue;
    }
    if (!quoted && IsSingleCharacterToken(c)) {
      storePending(pos);
      AddToken(count++, line.substr(pos, 1));
      start = ++pos;
      continue;
    }
    ++pos;
  }
  storePending(pos);  // also an unterminated quote: the text so far
  count_ = count;
  return count_;
}

const std::string& StringSeparator::Token(int32_t index) const {
  static const std::string kEmpty;
  if (index < 0 || index >= count_) return kEmpty;
  return tokens_[static_cast<size_t>(index)];
}

bool StringSeparator::TokenIs(int32_t index, std::string_view text) const {
  return index >= 0 && index < count_ && EqualsAsciiNoCase(tokens_[static_cast<size_t>(index)], text);
}

bool StringSeparator::IsKeyword(std::string_view text, int32_t minimumCount) const {
  return count_ >= minimumCount && count_ >= 1 && EqualsAsciiNoCase(tokens_[0], text);
}

double StringSeparator::TokenFloat(int32_t index) const {
  if (index < 0 || index >= count_) return 0.0;
  return ParseDouble(tokens_[static_cast<size_t>(index)]);
}

int32_t StringSeparator::TokenInt(int32_t index) const {
  if (index < 0 || index >= count_) return 0;
  return ParseInt(tokens_[static_cast<size_t>(index)]);
}

int32_t FileStringSeparator::ReadLine() {
  std::string line;
  bool readAny = false;
  int c;
  while ((c = std::getc(file_)) != EOF) {
    readAny = true;
    if (c == '\n') break;
    if (c == '\r') {
      const int next = std::getc(file_);
      if (next != '\n' && next != EOF) std::ungetc(next, file_);
      break;
    }
    if (line.size() >= kMaxLineBytes) return EndInput(true);
    line.push_back(static_cast<char>(c));
    if (IsCp932LeadByte(static_cast<unsigned char>(c))) {
      const int trail = std::getc(file_);  // taken along unseen
      if (trail == EOF) break;
      line.push_back(static_cast<char>(trail));
    }
  }
  if (!readAny) return EndInput(false);
  return Separate(line);
}

int32_t AsciiFileString::ReadLine() {
  line_.clear();
  int c = getc_unlocked(file_);
  if (c == EOF) return EndInput(false);
  for (; c != EOF; c = getc_unlocked(file_)) {
    if (line_.size() >= kMaxLineBytes) return EndInput(true);
    line_.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  ++lineNumber_;
  return Separate(line_);
}

}  // namespace qv
