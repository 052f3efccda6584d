#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/byte_stream.h"

namespace qv {

// The folder part of a file-system path: "." without one, "/" for a file at the root.
std::string FolderOfPath(const std::string& path);

// Writes `path` through a temporary file in the same folder: `write` fills it, it is flushed to
// disk and renamed over the target only when everything was written, so a failure at any point
// leaves the old file as it was. Throws FileException (and passes on whatever `write` throws);
// the temporary file never survives a failure. The temporary file is unnamed (O_TMPFILE) where
// the file system allows, so a killed save leaves nothing; elsewhere it is "<path>.XXXXXX.qvtmp"
// and such files older than kStaleTemporarySeconds are removed by the next save of that path.
void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write);

// Leftovers of a killed save are this old before a later save removes them (a younger one may
// belong to a save still running in another process).
inline constexpr int64_t kStaleTemporarySeconds = 600;
// Removes our temporary files of `path` (named as above) at least that old.
void RemoveStaleTemporaryFiles(const std::string& path, int64_t olderThanSeconds);

// The same for writers that must seek back (movie containers patch their headers at the end):
// `write` gets the open descriptor of the temporary file, positioned at its start.
void WriteFileAtomicallyToDescriptor(const std::string& path, const std::function<void(int fd)>& write);

}  // namespace qv
