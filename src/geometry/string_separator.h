#pragma once
// Line tokenizers for the Metasequoia reader: a line of Shift-JIS text becomes a list of tokens.
// Blanks separate tokens, a double-quoted run is one token without its quotes, and each of
// ( ) , : ; = [ ] { } is a token by itself, so "3 V(0 1 2) M(0)" gives 3 V ( 0 1 2 ) M ( 0 ).
// Double-byte characters are recognised by the code page 932 lead-byte rule on every platform,
// whatever the machine's own locale: Metasequoia files are written in that code page.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The token text read as a decimal number, like the C library's atof but independent of the
// process locale (a GUI may switch LC_NUMERIC to a comma decimal separator).
double ParseDouble(std::string_view text);
// The token text read as a decimal integer, like atoi; values beyond int32 saturate.
int32_t ParseInt(std::string_view text);

class StringSeparator {
 public:
  virtual ~StringSeparator() = default;

  // Splits one line (ends at NUL, CR or LF, or at the end of the view); returns the token count.
  int32_t Separate(std::string_view line);
  // Stores a copy of text in slot index, growing the slot array when needed.
  void AddToken(int32_t index, std::string_view text);

  // Number of tokens of the last line; -1 once the input has ended.
  int32_t Count() const { return count_; }
  // Token i of the last line, or an empty string when i is not below the count.
  const std::string& Token(int32_t index) const;
  bool TokenIs(int32_t index, std::string_view text) const;
  bool IsKeyword(std::string_view text, int32_t minimumCount) const;
  double TokenFloat(int32_t index) const;
  int32_t TokenInt(int32_t index) const;

 protected:
  // Slot i holds token i of the last line; slots beyond the count may hold older tokens.
  std::vector<std::string> tokens_;
  int32_t count_ = 0;
};

// Reads lines from an open byte stream owned by the caller (never opened or closed here).
class FileStringSeparator : public StringSeparator {
 public:
  // Longest line read: a longer one (a file without line ends, /dev/zero) ends the input with
  // LineTooLong() set instead of growing without bound.
  static constexpr size_t kMaxLineBytes = size_t{1} << 20;

  explicit FileStringSeparator(std::FILE* file) : file_(file) {}
  // Reads and splits the next line; returns the token count, 0 for an empty line, -1 at the end.
  // This version reads byte by byte and also ends lines at a lone carriage return.
  virtual int32_t ReadLine();
  std::FILE* File() const { return file_; }
  // Whether the input ended because a line was longer than kMaxLineBytes.
  bool LineTooLong() const { return tooLong_; }

 protected:
  int32_t EndInput(bool tooLong) {
    tooLong_ = tooLong;
    count_ = -1;
    return count_;
  }
  std::FILE* file_;
  bool tooLong_ = false;
};

// The reader the Metasequoia importer uses: one line feed-terminated line per read, up to
// kMaxLineBytes. Splitting stops at the first CR or LF, so CR LF and LF files read alike.
class AsciiFileString : public FileStringSeparator {
 public:
  explicit AsciiFileString(std::FILE* file) : FileStringSeparator(file) {}

  int32_t ReadLine() override;
  // Lines read so far (for error reports).
  int64_t LineNumber() const { return lineNumber_; }

 private:
  std::string line_;  // reused from line to line
  int64_t lineNumber_ = 0;
};

}  // namespace qv
