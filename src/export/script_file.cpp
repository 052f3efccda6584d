#include "export/script_file.h"

#include <algorithm>
#include <cstring>

#include "export/number_format.h"

namespace qv {

ScriptFile::ScriptFile() = default;

ScriptFile::~ScriptFile() {
  if (m_file) Close();
}

bool ScriptFile::Create(const std::string& path) {
  if (m_file) Close();
  m_used = 0;
  m_flushed = 0;
  m_failed = false;
  // Binary mode: the CR LF line ends are written as they are.
  m_file = std::fopen(path.c_str(), "wb");
  return m_file != nullptr;
}

void ScriptFile::Grow(size_t n) {
  if (m_buffer.size() < kCapacity) {
    m_buffer.resize(std::min(kCapacity, std::max({m_buffer.size() * 2, m_used + n, size_t{4096}})));
    if (m_buffer.size() - m_used >= n) return;
  }
  Flush();
}

void ScriptFile::Flush() {
  if (m_used == 0) return;
  if (m_file && std::fwrite(m_buffer.data(), 1, m_used, m_file) != m_used) m_failed = true;
  m_flushed += m_used;
  m_used = 0;
}

ScriptFile& ScriptFile::Put(std::string_view text) {
  while (!text.empty()) {
    if (m_used == m_buffer.size()) Grow(std::min(text.size(), kCapacity));
    const size_t n = std::min(text.size(), m_buffer.size() - m_used);
    std::memcpy(m_buffer.data() + m_used, text.data(), n);
    m_used += n;
    text.remove_prefix(n);
  }
  return *this;
}

ScriptFile& ScriptFile::Put(char c) {
  *Reserve(1) = c;
  ++m_used;
  return *this;
}

ScriptFile& ScriptFile::Fixed(float value, int precision) {
  char* start = Reserve(kNumberBufferSize);
  m_used += static_cast<size_t>(FormatScriptFixed(start, value, precision) - start);
  return *this;
}

ScriptFile& ScriptFile::Int(int32_t value) {
  char* start = Reserve(kNumberBufferSize);
  m_used += static_cast<size_t>(FormatInt(start, value) - start);
  return *this;
}

ScriptFile& ScriptFile::HexByte(uint8_t value) {
  char* start = Reserve(2);
  m_used += static_cast<size_t>(FormatHexByte(start, value) - start);
  return *this;
}

ScriptFile& ScriptFile::EndLine() { return Put("\r\n"); }

bool ScriptFile::Close() {
  if (!m_file) return !m_failed;
  Flush();
  if (std::fclose(m_file) != 0) m_failed = true;
  m_file = nullptr;
  return !m_failed;
}

}  // namespace qv
