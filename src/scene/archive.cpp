#include "scene/archive.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace qv {

namespace {
// Larger than a classic 4 KB buffer: the bytes are the same, the system calls fewer.
constexpr size_t kBufferSize = 1 << 16;
}  // namespace

CArchive::CArchive(ByteSink& sink) : mode_(Mode::kStore), sink_(&sink), buffer_(kBufferSize) {}

// A source smaller than the buffer is read with room for itself alone: a small document is not
// worth 64 KB of zeroed memory.
CArchive::CArchive(ByteSource& source)
    : mode_(Mode::kLoad),
      source_(&source),
      buffer_(static_cast<size_t>(std::clamp<uint64_t>(source.Size(), 1, kBufferSize))),
      sourceSize_(source.Size()) {}

void CArchive::Flush() {
  if (used_ > 0) sink_->Write(buffer_.data(), used_);
  used_ = 0;
}

void CArchive::WriteSlow(const void* data, size_t size) {
  Flush();
  if (size >= buffer_.size()) {
    sink_->Write(data, size);  // large packed arrays go straight through
  } else {
    std::memcpy(buffer_.data(), data, size);
    used_ = size;
  }
}

void CArchive::ReadSlow(void* data, size_t size) {
  char* out = static_cast<char*>(data);
  size_t have = used_ - position_;
  std::memcpy(out, buffer_.data() + position_, have);
  out += have;
  size -= have;
  consumed_ += have;
  position_ = used_ = 0;
  if (size >= buffer_.size()) {
    while (size > 0) {
      size_t n = source_->Read(out, size);
      if (n == 0) throw ArchiveException(ArchiveCause::kEndOfFile);
      out += n;
      size -= n;
      consumed_ += n;
    }
    return;
  }
  while (used_ < size) {
    size_t n = source_->Read(buffer_.data() + used_, buffer_.size() - used_);
    if (n == 0) throw ArchiveException(ArchiveCause::kEndOfFile);
    used_ += n;
  }
  std::memcpy(out, buffer_.data(), size);
  position_ = size;
  consumed_ += size;
}

void CArchive::WriteString(std::string_view s) {
  const uint64_t length = s.size();
  if (length < 255) {
    uint8_t b = static_cast<uint8_t>(length);
    WriteRaw(&b, 1);
  } else {
    uint8_t ff = 0xFF;
    WriteRaw(&ff, 1);
    if (length < 0xFFFE) {
      uint16_t w = static_cast<uint16_t>(length);
      WriteRaw(&w, 2);
    } else {
      uint16_t w = 0xFFFF;
      WriteRaw(&w, 2);
      if (length < 0xFFFFFFFFull) {
        uint32_t d = static_cast<uint32_t>(length);
        WriteRaw(&d, 4);
      } else {
        uint32_t d = 0xFFFFFFFF;
        WriteRaw(&d, 4);
        WriteRaw(&length, 8);
      }
    }
  }
  WriteRaw(s.data(), s.size());
}

std::string CArchive::ReadString() {
  size_t width = 1;
  uint64_t length = 0;
  uint8_t b;
  ReadRaw(&b, 1);
  if (b < 0xFF) {
    length = b;
  } else {
    uint16_t w;
    ReadRaw(&w, 2);
    bool done = false;
    if (w == 0xFFFE) {
      // Written with 16-bit characters.
      width = 2;
      ReadRaw(&b, 1);
      if (b < 0xFF) {
        length = b;
        done = true;
      } else {
        ReadRaw(&w, 2);
      }
    }
    if (!done) {
      if (w < 0xFFFF) {
        length = w;
      } else {
        uint32_t d;
        ReadRaw(&d, 4);
        if (d < 0xFFFFFFFFu) {
          length = d;
        } else {
          uint64_t q;
          ReadRaw(&q, 8);
          if (q > 0x7FFFFFFF) throw ArchiveException(ArchiveCause::kGeneric);
          length = q;
        }
      }
    }
  }
  // A length beyond the rest of the stream is a truncated file: refuse before allocating.
  if (length * width > BytesLeft()) throw ArchiveException(ArchiveCause::kEndOfFile);
  std::string bytes(static_cast<size_t>(length * width), '\0');
  ReadRaw(bytes.data(), bytes.size());
  if (width == 1) return bytes;
  std::u16string units(static_cast<size_t>(length), u'\0');
  std::memcpy(units.data(), bytes.data(), bytes.size());
  return Utf16ToCp932(units);
}

uint32_t CArchive::ReadCount(size_t minElementBytes) {
  uint32_t count = ReadUInt32();
  if (static_cast<uint64_t>(count) * minElementBytes > BytesLeft()) throw ArchiveException(ArchiveCause::kEndOfFile);
  return count;
}

void CArchive::Close() {
  if (IsStoring()) {
    Flush();
  } else {
    used_ = position_ = 0;
  }
}

}  // namespace qv
