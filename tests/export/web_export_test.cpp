// The export driver: output layout, runtime copies, messages, what failures leave on disk and
// the document's modified flag.
#include "document/web_export_command.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "export/export_test_support.h"
#include "geometry/model_geometry.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::ScratchFolder;

// Every file below `root`, as relative paths.
std::set<std::string> FilesBelow(const fs::path& root) {
  std::set<std::string> files;
  if (!fs::is_directory(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), root).generic_string());
  return files;
}

std::set<std::string> SiteFiles(const std::string& kind, const std::string& title, bool withModelScript = true,
                                bool withPageAndScene = true) {
  std::set<std::string> files{"css/styles.css"};
  for (const std::string& name : RuntimeFileNames(kind == "webgpu" ? WebExportKind::kWebGPU : WebExportKind::kWebGL))
    files.insert(kind + "/" + name);
  if (withModelScript) files.insert(kind + "/Model_" + title + ".js");
  if (withPageAndScene) {
    files.insert(title + ".html");
    files.insert(kind + "/" + title + ".js");
  }
  return files;
}

class WebExportTest : public ::testing::Test {
 protected:
  WebExportTest() : doc(ui, scene) {
    scene.m_materials.push_back(CMaterial{});
    // A program folder holding a runtime library whose files name themselves.
    for (WebExportKind kind : {WebExportKind::kWebGL, WebExportKind::kWebGPU}) {
      const fs::path folder = programFolder.path() / "DoNotTouch" / FolderWord(kind);
      fs::create_directories(folder);
      for (const std::string& name : RuntimeFileNames(kind))
        std::ofstream(folder / name) << "// " << FolderWord(kind) << " " << name << "\n";
    }
    doc.m_programFolder = programFolder.path().string();
  }

  fs::path Site() const { return temp.path() / "site"; }
  std::string SitePath(const std::string& name) const { return (Site() / name).string(); }
  WebExportResult Export(WebExportKind kind, const std::string& chosen) { return ExportWebPage(doc, kind, chosen); }

  ScratchFolder temp{"qv export"};
  ScratchFolder programFolder{"qv export"};
  SilentInteraction ui;
  Scene scene;
  CMotionDoc doc;
};

TEST_F(WebExportTest, WebGLSiteLayout) {
  fs::create_directories(Site());
  const WebExportResult result = Export(WebExportKind::kWebGL, SitePath("logo.html"));
  EXPECT_TRUE(result.Succeeded());
  EXPECT_EQ(FilesBelow(Site()), SiteFiles("webgl", "logo"));
  EXPECT_EQ(ReadFile(Site() / "webgl/GLSL.js"), "// webgl GLSL.js\n");
  EXPECT_EQ(ReadFile(Site() / "logo.html").find("\t<script src=\"webgl/logo.js\"></script>\r\n") != std::string::npos, true);
  EXPECT_EQ(ReadFile(Site() / "webgl/Model_logo.js").rfind("var Model_logo = function()\r\n", 0), 0u);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.path(), "");  // exporting is not saving
  EXPECT_EQ(result.written.size(), 11u);
}

TEST_F(WebExportTest, WebGPUSiteLayoutAndTitleWithDots) {
  fs::create_directories(Site());
  const WebExportResult result = Export(WebExportKind::kWebGPU, SitePath("my.logo.htm"));
  EXPECT_TRUE(result.Succeeded());
  EXPECT_EQ(FilesBelow(Site()), SiteFiles("webgpu", "my.logo"));
  EXPECT_EQ(ReadFile(Site() / "webgpu/Zentrel3D.js"), "// webgpu Zentrel3D.js\n");
  EXPECT_EQ(ReadFile(Site() / "webgpu/Model_my.logo.js").rfind("class Model_my_logo extends BoneModel3D {\r\n", 0), 0u);
  EXPECT_NE(ReadFile(Site() / "webgpu/my.logo.js").find("\t_model = new Model_my_logo();\r\n"), std::string::npos);
}

// Both kinds into one folder share the page (the later export wins) and keep their own folders.
// Exporting again replaces every file without asking.
TEST_F(WebExportTest, BothKindsIntoOneFolderAndAgain) {
  fs::create_directories(Site());
  Export(WebExportKind::kWebGL, SitePath("ロゴ 1.html"));
  Export(WebExportKind::kWebGPU, SitePath("ロゴ 1.html"));
  std::set<std::string> both = SiteFiles("webgl", "ロゴ 1");
  both.merge(SiteFiles("webgpu", "ロゴ 1"));
  EXPECT_EQ(FilesBelow(Site()), both);
  EXPECT_NE(ReadFile(Site() / "ロゴ 1.html").find("\t<title>ロゴ 1</title>\r\n\t<link"), std::string::npos);
  EXPECT_NE(ReadFile(Site() / "ロゴ 1.html").find("src=\"webgpu/ロゴ 1.js\""), std::string::npos);

  std::ofstream(Site() / "webgl/GLSL.js") << "changed";
  scene.m_backgroundColor = 0x00FFFFFF;
  Export(WebExportKind::kWebGL, SitePath("ロゴ 1.html"));
  EXPECT_EQ(ReadFile(Site() / "webgl/GLSL.js"), "// webgl GLSL.js\n");
  EXPECT_EQ(ReadFile(Site() / "css/styles.css"), "canvas {\r\n\tbackground-color: #ffffff;\r\n}\r\n");
  EXPECT_NE(ReadFile(Site() / "ロゴ 1.html").find("src=\"webgl/ロゴ 1.js\""), std::string::npos);
}

TEST_F(WebExportTest, EmptyTitleIsRefused) {
  fs::create_directories(Site());
  scene.m_models.push_back(CModel{});
  scene.m_models[0].m_tracks = {Track(3)};
  scene.m_models[0].m_tracks[0][1].m_position = {5, 5, 5};  // not a key: an export would rebuild it
  for (const char* chosen : {"site/.html", "site/"}) {
    const WebExportResult result = Export(WebExportKind::kWebGL, (temp.path() / chosen).string());
    EXPECT_TRUE(result.refused);
    EXPECT_FALSE(result.Succeeded());
  }
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0], kEmptyTitleMessage);
  EXPECT_TRUE(FilesBelow(Site()).empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(scene.m_models[0].m_tracks[0][1].m_position, (CVector{5, 5, 5}));
}

// Whatever fails, the export writes nothing: an earlier site stays byte for byte, no page is
// left pointing to a script that is missing, and the document is not marked modified.
TEST_F(WebExportTest, AFailedExportLeavesNothingNewBehind) {
  const std::string longTitle(250, 'x');  // Model_<title>.js is longer than a file name may be
  const struct {
    const char* name;
    std::function<void()> arrange;
    std::string chosen;
    bool modelScriptFailed;
  } cases[] = {
      {"folder is a file", [this] { fs::remove_all(Site()); std::ofstream(Site()) << "x"; },
       "logo.html", false},
      {"folder where a script goes",
       [this] {
         fs::create_directories(Site() / "webgl/Model_logo.js");
         fs::create_directories(Site() / "webgpu/Model_logo.js");
       },
       "logo.html", false},
      {"title too long", [] {}, longTitle + ".html", true},
      {"runtime library missing", [this] { fs::remove_all(programFolder.path() / "DoNotTouch"); },
       "logo.html", false},
  };
  for (const auto& c : cases) {
    for (WebExportKind kind : {WebExportKind::kWebGL, WebExportKind::kWebGPU}) {
      SCOPED_TRACE(std::string(c.name) + " " + FolderWord(kind));
      fs::remove_all(Site());
      fs::create_directories(Site());
      std::ofstream(Site() / "logo.html") << "an earlier page";
      c.arrange();
      std::set<std::string> before = FilesBelow(Site());
      ui.messages.clear();
      doc.SetModifiedFlag(false);
      const WebExportResult result = Export(kind, SitePath(c.chosen));
      EXPECT_FALSE(result.Succeeded());
      EXPECT_FALSE(result.completed);
      EXPECT_EQ(result.modelScriptFailed, c.modelScriptFailed);
      EXPECT_FALSE(result.failures.empty());
      EXPECT_TRUE(result.written.empty());
      EXPECT_EQ(ui.messages, std::vector<std::string>{kind == WebExportKind::kWebGPU ? kWebGPUScriptFailedMessage
                                                                                     : kWebGLScriptFailedMessage});
      EXPECT_EQ(FilesBelow(Site()), before);
      if (fs::is_directory(Site())) {
        EXPECT_EQ(ReadFile(Site() / "logo.html"), "an earlier page");
      }
      EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);  // no staging left
      EXPECT_FALSE(doc.IsModified());
    }
  }
}

// A kill during an export leaves its staging folder inside the site; the next export removes it
// (it would be published with the page), and nothing else that looks alike.
TEST_F(WebExportTest, StagingFoldersOfKilledExportsAreRemovedByTheNextExport) {
  fs::create_directories(Site() / ".qvlogo-export-K1ll3d/webgl");
  std::ofstream(Site() / ".qvlogo-export-K1ll3d/webgl/Model_logo.js") << "half a script";
  fs::create_directories(Site() / ".qvlogo-export-notes");  // not our naming: the user's
  std::ofstream(Site() / ".qvlogo-export-notes/todo.txt") << "mine";
  const WebExportResult result = Export(WebExportKind::kWebGL, SitePath("logo.html"));
  EXPECT_TRUE(result.Succeeded());
  std::set<std::string> expected = SiteFiles("webgl", "logo");
  expected.insert(".qvlogo-export-notes/todo.txt");
  EXPECT_EQ(FilesBelow(Site()), expected);
  EXPECT_FALSE(fs::exists(Site() / ".qvlogo-export-K1ll3d"));
}

// A backslash would make folders of the title on this system: the name is refused.
TEST_F(WebExportTest, BackslashInTheNameIsRefused) {
  fs::create_directories(Site() / "a");
  for (const char* chosen : {"a/..\\..\\x.html", "a/x\\y.html"}) {
    const WebExportResult result = Export(WebExportKind::kWebGL, SitePath(chosen));
    EXPECT_TRUE(result.refused);
  }
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kBackslashInNameMessage, kBackslashInNameMessage}));
  EXPECT_TRUE(FilesBelow(temp.path()).empty());
}

// The in-between frames are rebuilt from the keys before they are written.
TEST_F(WebExportTest, FramesFollowTheKeys) {
  fs::create_directories(Site());
  scene.m_hermite = false;
  CModel model;
  model.m_tracks = {Track(3)};
  model.m_tracks[0][0].m_key = 1;
  model.m_tracks[0][2].m_key = 1;
  model.m_tracks[0][2].m_position = {20, 0, 0};
  model.m_tracks[0][1].m_position = {-99, -99, -99};  // stale in-between
  scene.m_models.push_back(model);
  RebuildHierarchyWalk(scene);
  Export(WebExportKind::kWebGL, SitePath("logo.html"));
  EXPECT_NE(ReadFile(Site() / "webgl/Model_logo.js").find(",10.0000,0.0000,0.0000,1.0000]);\r\n\tthis.setMatrix2();"),
            std::string::npos);
}

// A chosen name without a folder exports into the current folder.
TEST_F(WebExportTest, NameWithoutFolder) {
  const fs::path before = fs::current_path();
  fs::create_directories(Site());
  fs::current_path(Site());
  const WebExportResult result = Export(WebExportKind::kWebGL, "logo.html");
  fs::current_path(before);
  EXPECT_TRUE(result.Succeeded());
  EXPECT_EQ(FilesBelow(Site()), SiteFiles("webgl", "logo"));
}

// The program's own runtime library, when the build put it next to the program.
TEST_F(WebExportTest, RuntimeNextToTheProgram) {
  const fs::path runtime = fs::path(QV_BIN_DIR) / "DoNotTouch";
  if (!fs::exists(runtime / "webgl") || !fs::exists(runtime / "webgpu"))
    GTEST_SKIP() << "no runtime library in " << runtime;
  doc.m_programFolder.clear();
  fs::create_directories(Site());
  for (WebExportKind kind : {WebExportKind::kWebGL, WebExportKind::kWebGPU}) {
    const WebExportResult result = Export(kind, SitePath("logo.html"));
    EXPECT_TRUE(result.Succeeded());
    for (const std::string& name : RuntimeFileNames(kind))
      EXPECT_EQ(ReadFile(Site() / FolderWord(kind) / name), ReadFile(runtime / FolderWord(kind) / name)) << name;
  }
}

TEST(WebExportKinds, Names) {
  EXPECT_EQ(WebExportKindOf(SaveType::kWebGL), WebExportKind::kWebGL);
  EXPECT_EQ(WebExportKindOf(SaveType::kWebGPU), WebExportKind::kWebGPU);
  EXPECT_STREQ(FolderWord(WebExportKind::kWebGL), "webgl");
  EXPECT_STREQ(FolderWord(WebExportKind::kWebGPU), "webgpu");
  EXPECT_EQ(RuntimeFileNames(WebExportKind::kWebGL),
            (std::vector<std::string>{"BoneModel3D.js", "Material.js", "Matrix3D.js", "Model3D.js", "GLSL.js",
                                      "Orvakis3D.js", "Vector3D.js"}));
  EXPECT_EQ(RuntimeFileNames(WebExportKind::kWebGPU),
            (std::vector<std::string>{"BoneModel3D.js", "Material.js", "Matrix3D.js", "Model3D.js", "Zentrel3D.js",
                                      "Vector3D.js", "WGSL.js"}));
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Save-as with a web type goes through the installed exporter.
class SaveAsWebPage : public SilentInteraction {
 public:
  explicit SaveAsWebPage(SavePathChoice choice) : m_choice(std::move(choice)) {}
  std::optional<SavePathChoice> AskSavePath(bool) override { return m_choice; }

 private:
  SavePathChoice m_choice;
};

TEST(WebExportInstall, SaveAsWritesThePage) {
  testing::ScratchFolder temp{"qv export"};
  const std::string page = temp.Path("saved.html");
  SaveAsWebPage ui({page, SaveType::kWebGPU});
  Scene scene;
  CMotionDoc doc(ui, scene);
  const std::filesystem::path runtime = temp.path() / "DoNotTouch/webgpu";
  std::filesystem::create_directories(runtime);
  for (const std::string& name : RuntimeFileNames(WebExportKind::kWebGPU))
    std::ofstream(runtime / name) << "// " << name << "\n";
  doc.m_programFolder = temp.path().string();
  InstallWebExporter(doc);
  doc.OnFileSaveAs();
  EXPECT_TRUE(std::filesystem::exists(page));
  EXPECT_TRUE(std::filesystem::exists(temp.Path("webgpu/Model_saved.js")));
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.path(), "");
}

}  // namespace
}  // namespace qv
