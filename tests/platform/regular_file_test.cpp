// Inputs that must be ordinary files: a folder, a FIFO or a device is named for what it is before
// any reader waits on it or reads it forever.
#include "platform/regular_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "support/scratch_folder.h"

namespace qv {
namespace {

TEST(RegularFile, ErrorNamesWhatIsThere) {
  testing::ScratchFolder folder("qv regular file");
  std::ofstream(folder.Path("file.qvlogo")) << "x";
  ASSERT_EQ(mkfifo(folder.Path("fifo.qvlogo").c_str(), 0600), 0);
  const struct {
    std::string path;
    int error;
  } kCases[] = {
      {folder.Path("file.qvlogo"), 0},
      {folder.path().string(), EISDIR},
      {folder.Path("fifo.qvlogo"), EINVAL},
      {"/dev/zero", EINVAL},
      {folder.Path("missing.qvlogo"), ENOENT},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(RegularFileError(c.path), c.error) << c.path;
    // The open follows the same rule (and does not wait for a FIFO's writer).
    const int fd = OpenRegularFileForReading(c.path);
    const int openError = fd < 0 ? errno : 0;
    if (fd >= 0) close(fd);
    EXPECT_EQ(openError, c.error) << c.path;
  }
}

}  // namespace
}  // namespace qv
