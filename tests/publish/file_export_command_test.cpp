// Save-as to glTF and movies, the document's side: options asked and refused, the work on its own
// thread, cancel and failure leaving nothing behind, the document itself untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "export/gltf_export.h"
#include "movie/movie_reader.h"
#include "publish/file_export_command.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

const std::string kDocument = std::string(QV_TEST_DATA_DIR) + "/gltf/hierarchy.qvlogo";  // 60 frames at 30 fps

// Answers as a person would: the options are edited by `edit` and checked; cancel when told to.
class ScriptedFrontEnd : public FileExportFrontEnd {
 public:
  bool AskMovieSettings(MovieSettings& settings,
                        const std::function<std::string(const MovieSettings&)>& check) override {
    offered = settings;
    if (edit) edit(settings);
    refusal = check(settings);
    return refusal.empty();
  }
  void WaitForMovie(MovieExportJob& job) override {
    while (!job.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  // The cancel comes at that very frame, however busy the machine: a waiting loop may wake only
  // after a short movie is done.
  void MovieFrameDrawn(MovieExportJob& job, int64_t done) override {
    if (cancelAfter >= 0 && done >= cancelAfter) job.Cancel();
  }
  void RunBusy(const std::function<void()>& work) override {
    ++busy;
    work();
  }
  void ShowWritten(const std::string& path, const std::vector<std::string>&) override { written.push_back(path); }

  std::function<void(MovieSettings&)> edit;
  int64_t cancelAfter = -1;
  MovieSettings offered;
  std::string refusal;
  int busy = 0;
  std::vector<std::string> written;
};

class FileExportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnOpenDocument(kDocument));
    doc.SetModifiedFlag(false);
  }
  // Nothing but `names` in the scratch folder (no temporary files left behind).
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  void ExpectDocumentUntouched() {
    EXPECT_EQ(doc.path(), kDocument);
    EXPECT_EQ(doc.Title(), kDocument);
    EXPECT_FALSE(doc.IsModified());
  }

  SilentInteraction ui;
  CMotionDoc doc{ui};
  ScriptedFrontEnd frontEnd;
  testing::ScratchFolder dir{"file export"};
};

TEST_F(FileExportCommand, GifHasEveryFrameOfTheRange) {
  frontEnd.edit = [](MovieSettings& s) {
    s.width = 64;
    s.height = 48;
    s.firstFrame = 5;
    s.lastFrame = 14;
  };
  const std::string path = dir.Path("logo.gif");
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kGif, frontEnd, nullptr), FileExportResult::kWritten);
  EXPECT_EQ(frontEnd.offered.width, 800);  // the canvas
  EXPECT_EQ(frontEnd.offered.lastFrame, 60);
  const MovieFileInfo info = ReadMovieFile(path);
  EXPECT_EQ(info.frames, 10);
  EXPECT_EQ(info.width, 64);
  EXPECT_EQ(info.height, 48);
  EXPECT_EQ(frontEnd.written, std::vector<std::string>{path});
  EXPECT_TRUE(ui.messages.empty());
  ExpectDocumentUntouched();
}

TEST_F(FileExportCommand, RefusedOptionsWriteNothing) {
  struct Refused {
    SaveType type;
    std::function<void(MovieSettings&)> edit;
    const char* says;
  };
  const Refused cases[] = {
      {SaveType::kMp4, [](MovieSettings& s) { s.width = 801; }, "even width and height"},
      {SaveType::kGif, [](MovieSettings& s) { s.lastFrame = 61; }, "within 0 to 60"},
      {SaveType::kWebm, [](MovieSettings& s) { s.firstFrame = 20, s.lastFrame = 10; }, "F not after L"},
      {SaveType::kWebm, [](MovieSettings& s) { s.loops = 0; }, "cannot repeat forever"},
      {SaveType::kApng, [](MovieSettings& s) { s.supersample = 5; }, "supersample"},
  };
  for (const Refused& c : cases) {
    frontEnd.edit = c.edit;
    const std::string path = dir.Path("refused");
    EXPECT_EQ(RunFileExport(doc, path, c.type, frontEnd, nullptr), FileExportResult::kCancelled);
    EXPECT_NE(frontEnd.refusal.find(c.says), std::string::npos) << frontEnd.refusal;
    EXPECT_FALSE(fs::exists(path));
  }
  EXPECT_TRUE(Files().empty());
}

TEST_F(FileExportCommand, CancelledHalfWayLeavesNothingAndTheNextExportWorks) {
  frontEnd.edit = [](MovieSettings& s) {
    s.width = 64;
    s.height = 48;
  };
  frontEnd.cancelAfter = 30;
  const std::string path = dir.Path("logo.webm");
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kWebm, frontEnd, nullptr), FileExportResult::kCancelled);
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(ui.messages.empty());
  frontEnd.cancelAfter = -1;
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kWebm, frontEnd, nullptr), FileExportResult::kWritten);
  EXPECT_EQ(ReadMovieFile(path).frames, 61);
  ExpectDocumentUntouched();
}

TEST_F(FileExportCommand, AFailedMovieSaysWhyAndLeavesNothing) {
  frontEnd.edit = [](MovieSettings& s) {
    s.width = 64;
    s.height = 48;
  };
  const std::string path = dir.Path("missing folder/logo.mp4");
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kMp4, frontEnd, nullptr), FileExportResult::kFailed);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].rfind(path + " を書き出せませんでした。\ncannot write " + path, 0), 0u) << ui.messages[0];
  EXPECT_TRUE(frontEnd.written.empty());
  EXPECT_TRUE(Files().empty());
}

TEST_F(FileExportCommand, GltfIsWrittenWhileBusyWithTheAnimation) {
  const std::string path = dir.Path("logo.glb");
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kGltfBinary, frontEnd, nullptr), FileExportResult::kWritten);
  EXPECT_EQ(frontEnd.busy, 1);
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 20u);
  EXPECT_EQ(bytes.substr(0, 4), "glTF");
  EXPECT_NE(bytes.find("\"animations\""), std::string::npos);
  EXPECT_EQ(frontEnd.written, std::vector<std::string>{path});
  ExpectDocumentUntouched();
}

TEST_F(FileExportCommand, GltfOfAnEmptySceneSaysSoAndWritesNothing) {
  doc.OnNewDocument();
  const std::string path = dir.Path("empty.gltf");
  EXPECT_EQ(RunFileExport(doc, path, SaveType::kGltf, frontEnd, nullptr), FileExportResult::kFailed);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find(kGltfEmptySceneMessage), std::string::npos);
  EXPECT_TRUE(Files().empty());
}

}  // namespace
}  // namespace qv
