// Where the programs find their own files and whether the desktop program registers its file type:
// the build tree (files next to the program), an installed prefix (files in share/), and the
// half-installed cases in between.
#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

struct Layout {
  const char* what;
  std::vector<std::string> files;  // below the scratch prefix; a name ending in "/" is a folder
  std::string programFiles;        // expected ProgramFilesFolder of PREFIX/bin/, below the prefix
  bool installed;                  // expected InstalledWithDesktopFiles
};

const Layout kLayouts[] = {
    {"build tree: runtime next to the program", {"bin/DoNotTouch/webgl/"}, "bin/", false},
    {"installed prefix", {"share/quorvel-logo/DoNotTouch/webgl/", "share/applications/quorvel-logo.desktop",
                          "share/mime/packages/quorvel-logo.xml"}, "share/quorvel-logo/", true},
    {"next to the program wins over share",
     {"bin/DoNotTouch/", "share/quorvel-logo/DoNotTouch/"}, "bin/", false},
    {"share folder without the runtime", {"share/quorvel-logo/Logo.html"}, "bin/", false},
    {"nothing at all", {}, "bin/", false},
    {"desktop entry without the MIME type",
     {"share/quorvel-logo/DoNotTouch/", "share/applications/quorvel-logo.desktop"}, "share/quorvel-logo/", false},
    {"MIME type without the desktop entry",
     {"share/quorvel-logo/DoNotTouch/", "share/mime/packages/quorvel-logo.xml"}, "share/quorvel-logo/", false},
    {"folders where the files should be",
     {"share/applications/quorvel-logo.desktop/", "share/mime/packages/quorvel-logo.xml/"}, "bin/", false},
    {"another program's desktop entry",
     {"share/applications/other.desktop", "share/mime/packages/other.xml"}, "bin/", false},
};

TEST(ProgramFolder, FilesFolderAndRegistrationFollowTheLayout) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.what);
    testing::ScratchFolder prefix("qv program folder");
    fs::create_directories(prefix.path() / "bin");
    for (const std::string& name : layout.files) {
      if (name.back() == '/')
        fs::create_directories(prefix.path() / name);
      else
        Touch(prefix.path() / name);
    }
    const std::string root = prefix.path().string() + "/";
    EXPECT_EQ(ProgramFilesFolder(root + "bin/"), root + layout.programFiles);
    EXPECT_EQ(ProgramFilesFolder(root + "bin"), root + layout.programFiles);  // trailing "/" or not
    EXPECT_EQ(InstalledWithDesktopFiles(root + "bin/"), layout.installed);
  }
}

TEST(ProgramFolder, UnknownExecutableFolderFindsNothing) {
  EXPECT_EQ(ProgramFilesFolder(""), "");
  EXPECT_FALSE(InstalledWithDesktopFiles(""));
}

TEST(ProgramFolder, TheTestProgramRunsFromTheBuildTree) {
  EXPECT_EQ(ExecutableFolder(), std::string(QV_BIN_DIR) + "/");
  EXPECT_FALSE(InstalledWithDesktopFiles(ExecutableFolder()));
}

// Callers that keep the program's files elsewhere (tests, a document's own program folder) give
// their folder; everyone else gets the running program's.
TEST(ProgramFolder, AGivenFolderStandsForTheProgramsOwn) {
  const struct {
    std::string given, expected;
  } kCases[] = {
      {"", ModuleFolder()},
      {"/opt/logo", "/opt/logo/"},
      {"/opt/logo/", "/opt/logo/"},
      {"relative", "relative/"},
  };
  for (const auto& c : kCases) EXPECT_EQ(ProgramFolderOr(c.given), c.expected) << "given: " << c.given;
}

}  // namespace
}  // namespace qv
