// Save-as: the name typed chooses the kind of file written.
#include <gtest/gtest.h>

#include "document/motion_doc.h"
#include "document/save_types.h"

namespace qv {
namespace {

struct TypedName {
  const char* path;
  SaveType chosen;
  SaveType written;
};

TEST(SaveTypes, TheExtensionTypedChoosesTheType) {
  const TypedName cases[] = {
      {"/tmp/logo.glb", SaveType::kDocument, SaveType::kGltfBinary},
      {"/tmp/logo.GLTF", SaveType::kWebGL, SaveType::kGltf},
      {"/tmp/clip.mp4", SaveType::kDocument, SaveType::kMp4},
      {"/tmp/clip.WebM", SaveType::kGif, SaveType::kWebm},
      {"/tmp/clip.gif", SaveType::kMp4, SaveType::kGif},
      {"/tmp/clip.png", SaveType::kDocument, SaveType::kApng},
      {"/tmp/clip.apng", SaveType::kDocument, SaveType::kApng},
      {"/tmp/clip.webp", SaveType::kDocument, SaveType::kWebp},
      {"/tmp/doc.qvlogo", SaveType::kMp4, SaveType::kDocument},
      // A page keeps the web kind listed, WebGL when another kind was.
      {"/tmp/page.html", SaveType::kWebGPU, SaveType::kWebGPU},
      {"/tmp/page.html", SaveType::kGltf, SaveType::kWebGL},
      // Unknown or missing extensions, and periods in folder names, keep the listed type.
      {"/tmp/notes.txt", SaveType::kGif, SaveType::kGif},
      {"/tmp/logo", SaveType::kGltfBinary, SaveType::kGltfBinary},
      {"/tmp/my.gif/logo", SaveType::kDocument, SaveType::kDocument},
  };
  for (const TypedName& c : cases)
    EXPECT_EQ(SaveTypeForPath(c.path, c.chosen), c.written) << c.path << " listed as " << int(c.chosen);
}

TEST(SaveTypes, OnlyGltfAndMoviesGoToTheFileExporter) {
  for (SaveType type : {SaveType::kDocument, SaveType::kWebGL, SaveType::kWebGPU}) EXPECT_FALSE(IsFileExportType(type));
  for (SaveType type : {SaveType::kGltfBinary, SaveType::kGltf}) {
    EXPECT_TRUE(IsFileExportType(type));
    EXPECT_FALSE(IsMovieSaveType(type));
  }
  for (SaveType type : {SaveType::kMp4, SaveType::kWebm, SaveType::kGif, SaveType::kApng, SaveType::kWebp})
    EXPECT_TRUE(IsMovieSaveType(type));
}

// Save-as with an export type hands the path to the file exporter and changes nothing of the
// document's own: path, title and modified flag.
class OneSavePath : public SilentInteraction {
 public:
  std::optional<SavePathChoice> AskSavePath(bool) override { return choice; }
  SavePathChoice choice;
};

TEST(SaveTypes, ExportTypesGoToTheFileExporterAndLeaveTheDocumentAlone) {
  for (SaveType type : {SaveType::kGltfBinary, SaveType::kGltf, SaveType::kMp4, SaveType::kWebm, SaveType::kGif,
                        SaveType::kApng, SaveType::kWebp}) {
    OneSavePath ui;
    ui.choice = {"/tmp/out/logo.any", type};
    CMotionDoc doc(ui);
    doc.SetPath("/tmp/doc.qvlogo");
    doc.SetModifiedFlag(false);
    std::vector<std::pair<std::string, SaveType>> exported;
    doc.SetFileExporter([&](CMotionDoc&, const std::string& path, SaveType t) { exported.emplace_back(path, t); });
    doc.SetWebExporter([](CMotionDoc&, const std::string&, SaveType) { FAIL() << "not a web page"; });
    doc.OnFileSaveAs();
    ASSERT_EQ(exported.size(), 1u);
    EXPECT_EQ(exported[0].first, "/tmp/out/logo.any");
    EXPECT_EQ(exported[0].second, type);
    EXPECT_EQ(doc.path(), "/tmp/doc.qvlogo");
    EXPECT_EQ(doc.Title(), "/tmp/doc.qvlogo");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.m_recentFiles.Entries().empty());
  }
}

}  // namespace
}  // namespace qv
