#include "platform/byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_error.h"
#include "platform/regular_file.h"

namespace qv {

size_t MemorySource::Read(void* data, size_t size) {
  size_t n = std::min(size, bytes_.size() - position_);
  std::memcpy(data, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

FileSource::FileSource(int fd, std::string path) : fd_(fd), path_(std::move(path)) { ReadSize(); }

FileSource::FileSource(std::string path) : fd_(OpenRegularFileForReading(path)), path_(std::move(path)) {
  if (fd_ < 0) throw FileException(FileCauseFromErrno(errno), path_, errno);
  owned_ = true;
  try {
    ReadSize();
  } catch (...) {
    close(fd_);
    throw;
  }
}

FileSource::~FileSource() {
  if (owned_) close(fd_);
}

void FileSource::ReadSize() {
  struct stat st {};
  if (fstat(fd_, &st) != 0) throw FileException(FileCauseFromErrno(errno), path_, errno);
  size_ = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : UINT64_MAX;
}

size_t FileSource::Read(void* data, size_t size) {
  for (;;) {
    ssize_t n = ::read(fd_, data, size);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno == EINTR) continue;
    throw FileException(FileCauseFromErrno(errno), path_, errno);
  }
}

void FileSink::Write(const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw FileException(FileCauseFromErrno(errno), path_, errno);
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
}

}  // namespace qv
