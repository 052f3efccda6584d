#pragma once
// The archive: a flat little-endian stream of primitive values and length-prefixed strings,
// opened in one direction. Every scene class has one Serialize that asks the direction and
// writes or reads its fields, so both orders agree by construction.
#include <bit>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_stream.h"

namespace qv {

static_assert(std::endian::native == std::endian::little, "values and packed records are copied as they lie in memory");

enum class ArchiveCause : int {
  kGeneric = 1,
  kReadOnly = 2,
  kEndOfFile = 3,
  kWriteOnly = 4,
  kBadIndex = 5,
  kBadClass = 6,
  kBadSchema = 7,
  kBufferFull = 8,
};

class ArchiveException : public std::exception {
 public:
  explicit ArchiveException(ArchiveCause cause) : cause_(cause) {}
  ArchiveCause cause() const { return cause_; }
  const char* what() const noexcept override { return "archive error"; }

 private:
  ArchiveCause cause_;
};

// A file that is well formed but asks for more than the program holds (scene/limits.h); `message`
// is the text to show.
class LimitException : public ArchiveException {
 public:
  explicit LimitException(const char* message) : ArchiveException(ArchiveCause::kGeneric), message_(message) {}
  const char* message() const { return message_; }

 private:
  const char* message_;
};

class CArchive {
 public:
  enum class Mode { kStore, kLoad };

  CArchive(ByteSink& sink);      // storing
  CArchive(ByteSource& source);  // loading
  ~CArchive() = default;
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsStoring() const { return mode_ == Mode::kStore; }
  bool IsLoading() const { return mode_ == Mode::kLoad; }

  void WriteInt32(int32_t v) { WriteRaw(&v, 4); }
  void WriteUInt32(uint32_t v) { WriteRaw(&v, 4); }
  void WriteFloat(float v) { WriteRaw(&v, 4); }  // bit pattern unchanged, NaN payloads kept
  void WriteBool(bool v) { uint8_t b = v ? 1 : 0; WriteRaw(&b, 1); }
  void WriteString(std::string_view s);
  // Packed records (vertices, poses) written as they lie in memory.
  void WriteBytes(const void* data, size_t size) { WriteRaw(data, size); }

  int32_t ReadInt32() { int32_t v; ReadRaw(&v, 4); return v; }
  uint32_t ReadUInt32() { uint32_t v; ReadRaw(&v, 4); return v; }
  float ReadFloat() { float v; ReadRaw(&v, 4); return v; }
  bool ReadBool() { uint8_t b; ReadRaw(&b, 1); return b != 0; }
  std::string ReadString();
  void ReadBytes(void* data, size_t size) { ReadRaw(data, size); }

  // Reads a collection count and refuses (end of file) a count whose elements, each taking at
  // least `minElementBytes`, could not fit in the rest of the stream: a damaged count never
  // reaches an allocation.
  uint32_t ReadCount(size_t minElementBytes);
  // Bytes not yet consumed.
  uint64_t BytesLeft() const { return sourceSize_ - consumed_; }

  // Storing: writes out what is buffered. Loading: discards the buffer.
  void Close();

 private:
  void WriteRaw(const void* data, size_t size) {
    if (mode_ != Mode::kStore) throw ArchiveException(ArchiveCause::kReadOnly);
    if (size == 0) return;  // empty arrays may have no storage at all
    if (size <= buffer_.size() - used_) {
      std::memcpy(buffer_.data() + used_, data, size);
      used_ += size;
    } else {
      WriteSlow(data, size);
    }
  }
  void ReadRaw(void* data, size_t size) {
    if (mode_ != Mode::kLoad) throw ArchiveException(ArchiveCause::kWriteOnly);
    if (size == 0) return;
    if (size <= used_ - position_) {
      std::memcpy(data, buffer_.data() + position_, size);
      position_ += size;
      consumed_ += size;
    } else {
      ReadSlow(data, size);
    }
  }
  void WriteSlow(const void* data, size_t size);
  void ReadSlow(void* data, size_t size);
  void Flush();

  Mode mode_;
  ByteSink* sink_ = nullptr;
  ByteSource* source_ = nullptr;
  std::vector<char> buffer_;
  size_t used_ = 0;      // bytes in the buffer
  size_t position_ = 0;  // loading: next unread byte of the buffer
  uint64_t consumed_ = 0;
  uint64_t sourceSize_ = 0;
};

}  // namespace qv
