#pragma once
// A generated web file being written: text appended to a buffer that goes to the file in big
// blocks. The buffer grows with what is written, up to its block size: small files stay cheap. Every line ends with CR LF; numbers are formatted as printf would (number_format.h).
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class ScriptFile {
 public:
  ScriptFile();
  ~ScriptFile();
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;

  // Creates or truncates the file. False when it cannot be created.
  bool Create(const std::string& path);

  ScriptFile& Put(std::string_view text);
  ScriptFile& Put(char c);
  // printf("%.*f") of the float, with script literals for values that are not finite.
  ScriptFile& Fixed(float value, int precision);
  ScriptFile& Int(int32_t value);
  ScriptFile& HexByte(uint8_t value);
  // Ends the current line with CR LF.
  ScriptFile& EndLine();
  // One whole line.
  ScriptFile& Line(std::string_view text) { return Put(text).EndLine(); }

  // Writes what is left and closes the file; false when any write failed.
  bool Close();
  // Total bytes written to the file so far (flushed or buffered).
  uint64_t BytesWritten() const { return m_flushed + m_used; }

 private:
  void Flush();
  char* Reserve(size_t n) {
    if (m_buffer.size() - m_used < n) Grow(n);
    return m_buffer.data() + m_used;
  }
  // Room for n more bytes: a larger buffer while below the block size, else a flush.
  void Grow(size_t n);

  static constexpr size_t kCapacity = size_t{1} << 20;

  std::FILE* m_file = nullptr;
  std::vector<char> m_buffer;
  size_t m_used = 0;
  uint64_t m_flushed = 0;
  bool m_failed = false;
};

}  // namespace qv
