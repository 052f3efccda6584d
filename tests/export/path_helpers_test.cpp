#include "export/path_helpers.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct PathCase {
  const char* path;
  std::optional<std::string> folder, title, fileName;
  std::string extension;
};

using std::nullopt;

TEST(PathHelpers, SplitPaths) {
  const PathCase cases[] = {
      {"/site/logo.html", "/site/", "logo", "logo.html", "html"},
      {"C:\\site\\logo.html", "C:\\site/", "logo", "logo.html", "html"},
      {"C:\\site\\my.logo.htm", "C:\\site/", "my.logo", "my.logo.htm", "htm"},
      {"out/mixed\\name.html", "out/mixed/", "name", "name.html", "html"},
      {"a//b.html", "a/", "b", "b.html", "html"},
      {"/logo.html", "/", "logo", "logo.html", "html"},
      {"logo.html", nullopt, "logo", "logo.html", "html"},
      {"logo", nullopt, "logo", "logo", ""},
      {"dir.v2/logo", "dir.v2/", "logo", "logo", ""},
      {"site/.html", "site/", nullopt, ".html", "html"},
      {".html", nullopt, nullopt, ".html", "html"},
      {"site/", "site/", nullopt, nullopt, ""},
      {"", nullopt, nullopt, nullopt, ""},
      {"サイト/ロゴ 1.html", "サイト/", "ロゴ 1", "ロゴ 1.html", "html"},
      {"site/logo.", "site/", "logo", "logo.", ""},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.path);
    std::string out = "untouched";
    EXPECT_EQ(PathFolder(c.path, out), c.folder.has_value());
    EXPECT_EQ(out, c.folder.value_or("untouched"));
    out = "untouched";
    EXPECT_EQ(PathTitle(c.path, out), c.title.has_value());
    EXPECT_EQ(out, c.title.value_or("untouched"));
    out = "untouched";
    EXPECT_EQ(PathFileName(c.path, out), c.fileName.has_value());
    EXPECT_EQ(out, c.fileName.value_or("untouched"));
    EXPECT_TRUE(PathExtension(c.path, out));
    EXPECT_EQ(out, c.extension);
  }
}

TEST(PathHelpers, LongPathsAreNotCut) {
  const std::string folder = "/" + std::string(600, 'd') + "/";
  std::string out;
  ASSERT_TRUE(PathFolder(folder + "t.html", out));
  EXPECT_EQ(out, folder);
  ASSERT_TRUE(PathTitle(folder + std::string(300, 't') + ".html", out));
  EXPECT_EQ(out, std::string(300, 't'));
}

TEST(PathHelpers, ModuleFolderIsTheTestProgramsFolder) {
  const std::string folder = ModuleFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_EQ(folder, std::string(QV_BIN_DIR) + "/");
}

}  // namespace
}  // namespace qv
