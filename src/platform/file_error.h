#pragma once
// File-system failures, with the causes the document messages distinguish.
#include <exception>
#include <string>

namespace qv {

enum class FileCause {
  kUnspecified,
  kFileNotFound,
  kBadPath,
  kTooManyOpenFiles,
  kAccessDenied,
  kInvalidFile,
  kRemoveCurrentDirectory,
  kDirectoryFull,
  kBadSeek,
  kHardIO,
  kSharingViolation,
  kLockViolation,
  kDiskFull,
  kEndOfFile,
};

FileCause FileCauseFromErrno(int error);

class FileException : public std::exception {
 public:
  FileException(FileCause cause, std::string path, int error = 0)
      : cause_(cause), path_(std::move(path)), errno_(error) {}
  FileCause cause() const { return cause_; }
  const std::string& path() const { return path_; }  // UTF-8 file system path
  int error() const { return errno_; }
  const char* what() const noexcept override { return "file error"; }

 private:
  FileCause cause_;
  std::string path_;
  int errno_;
};

}  // namespace qv
