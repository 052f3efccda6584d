#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/byte_stream.h"

namespace qv {

// The folder part of a file-system path: "." without one, "/" for a file at the root.
std::string FolderOfPath(const std::string& path);

// Writes `path` through a temporary file in the same folder: `write` fills it, it is flushed to
// disk and renamed over the target only when everything was written, so a failure at any point
// leaves the old file as it was. Throws FileException (and passes on whatever `write` throws);
// the temporary file never survives a failure. The temporary file is unnamed (O_TMPFILE) where
// the file system allows, so a killed save leaves nothing; elsewhere it is named (see
// TemporaryNameStem) and such files older than kStaleTemporarySeconds are removed by the next
// save of that path.
void WriteFileAtomically(const std::string& path, const std::function<void(ByteSink&)>& write);

// Leftovers of a killed save are this old before a later save removes them (a younger one may
// belong to a save still running in another process).
inline constexpr int64_t kStaleTemporarySeconds = 600;
// Removes our temporary files of `path` (named as below) at least that old.
void RemoveStaleTemporaryFiles(const std::string& path, int64_t olderThanSeconds);

// A temporary file of `fileName` is named "<stem>.<6 letters or digits>.qvtmp": the stem is the
// file name, cut (never inside a UTF-8 character) so that the whole name keeps within the file
// system's limit of `nameMax` bytes per name.
std::string TemporaryNameStem(const std::string& fileName, size_t nameMax);
// The longest file name the folder of `path` takes (255 where the system does not say).
size_t NameMaxOfFolder(const std::string& path);

// The same for writers that must seek back (movie containers patch their headers at the end):
// `write` gets the open descriptor of the temporary file, positioned at its start.
void WriteFileAtomicallyToDescriptor(const std::string& path, const std::function<void(int fd)>& write);

// Files that appear together (a .gltf with its .bin and images): each is written completely to a
// temporary file beside its target first, and only when all were written are they renamed over
// their targets. A failure while writing, or a group dropped before Commit, leaves every target
// as it was and no temporary file behind.
class AtomicFileGroup {
 public:
  AtomicFileGroup() = default;
  ~AtomicFileGroup();
  AtomicFileGroup(const AtomicFileGroup&) = delete;
  AtomicFileGroup& operator=(const AtomicFileGroup&) = delete;

  // Writes one file of the group to its temporary file. Throws FileException naming `path` (a
  // name too long for the file system is refused here, before anything is replaced).
  void Add(const std::string& path, const std::function<void(ByteSink&)>& write);
  // Renames every file over its target, in the order added. Every target is checked first (a
  // folder in the way fails the commit before any file moves). Throws FileException naming the
  // target that failed.
  void Commit();

 private:
  std::vector<std::pair<std::string, std::string>> files_;  // target, temporary
};

}  // namespace qv
