#include "platform/file_error.h"

#include <cerrno>

namespace qv {

FileCause FileCauseFromErrno(int error) {
  switch (error) {
    case ENOENT: return FileCause::kFileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP: return FileCause::kBadPath;
    case EMFILE:
    case ENFILE: return FileCause::kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return FileCause::kAccessDenied;
    case EBADF: return FileCause::kInvalidFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileCause::kDiskFull;
    case EIO: return FileCause::kHardIO;
    case ESPIPE: return FileCause::kBadSeek;
    case EBUSY:
    case ETXTBSY: return FileCause::kSharingViolation;
    case EDEADLK:
    case ENOLCK: return FileCause::kLockViolation;
    case EMLINK: return FileCause::kDirectoryFull;
    default: return FileCause::kUnspecified;
  }
}

}  // namespace qv
