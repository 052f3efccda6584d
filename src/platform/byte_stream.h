#pragma once
// Sequential byte sources and sinks under the archive: a file descriptor or memory.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `size` bytes; returns how many were read, 0 at the end. Throws FileException.
  virtual size_t Read(void* data, size_t size) = 0;
  // Total size of the source, for sanity checks of counts before allocating.
  virtual uint64_t Size() const = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all bytes or throws FileException.
  virtual void Write(const void* data, size_t size) = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  size_t Read(void* data, size_t size) override;
  uint64_t Size() const override { return bytes_.size(); }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
};

class StringSink : public ByteSink {
 public:
  void Write(const void* data, size_t size) override { bytes.append(static_cast<const char*>(data), size); }
  std::string bytes;
};

// Reads an open file descriptor (not owned), or a file it opens itself (owned, closed on
// destruction).
class FileSource : public ByteSource {
 public:
  FileSource(int fd, std::string path);
  // Opens `path` for reading, an ordinary file only (a FIFO or device is refused before any
  // byte is read); throws FileException when it cannot.
  explicit FileSource(std::string path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  size_t Read(void* data, size_t size) override;
  uint64_t Size() const override { return size_; }

 private:
  void ReadSize();
  int fd_;
  std::string path_;
  uint64_t size_ = 0;
  bool owned_ = false;
};

// Writes to an open file descriptor (not owned).
class FileSink : public ByteSink {
 public:
  FileSink(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  void Write(const void* data, size_t size) override;

 private:
  int fd_;
  std::string path_;
};

}  // namespace qv
