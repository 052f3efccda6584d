// qvlogo never writes over what it reads: an output that is the document (also through a link) is
// refused by every command that writes; numbers that no float holds are refused by name.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/file_bytes.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using testing::Args;
using testing::CommandRun;
using testing::Qvlogo;

class CliFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_ = Path("doc.qvlogo");
    Scene scene;
    testing::MakeAnimatedScene(scene, {"Logo", "Other"}, 20);
    scene.m_materials.push_back(CMaterial{});
    ASSERT_FALSE(StoreDocumentFile(doc_, scene));
  }
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  // The words of `command`, DOC standing for the document and DIR/ for the folder; a word of
  // several may be written as "A+B" ("DejaVu+Sans").
  Args Words(const std::string& command) const {
    Args words;
    std::istringstream in(command);
    for (std::string word; in >> word;) {
      if (word == "DOC") word = doc_;
      if (word.starts_with("DIR/")) word = Path(word.substr(4));
      for (char& c : word)
        if (c == '+') c = ' ';
      words.push_back(word);
    }
    return words;
  }

  testing::ScratchFolder folder_{"qvlogo files"};
  std::string doc_;
};

TEST_F(CliFilesTest, AnOutputThatIsTheDocumentIsRefusedByEveryCommandThatWrites) {
  fs::create_symlink(doc_, Path("link.png"));
  fs::create_hard_link(doc_, Path("hard.gif"));
  fs::create_symlink(doc_, Path("link.glb"));
  fs::create_hard_link(doc_, Path("hard.gltf"));
  fs::create_directories(Path("site"));
  fs::create_hard_link(doc_, Path("site/page.html"));
  fs::create_symlink(doc_, Path("link.mqo"));
  fs::create_symlink(doc_, Path("copy.qvlogo"));
  const std::string before = testing::FileBytes(doc_);
  const char* commands[] = {
      "render DOC -o DOC",
      "render DOC -o DIR/link.png",
      "movie DOC -o DIR/hard.gif",
      "export DOC --gltf DIR/link.glb",
      "export DOC --gltf DIR/hard.gltf",
      "export DOC --webgl DIR/site/page.html",
      "export DOC --webgpu DIR/site/page.htm",
      "resave DOC DOC",
      "resave DOC DIR/copy.qvlogo",
      "import DOC DIR/link.mqo",
  };
  for (const char* command : commands) {
    SCOPED_TRACE(command);
    const CommandRun run = Qvlogo(Words(command));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("itself"), std::string::npos) << run.output;
    EXPECT_TRUE(testing::FileBytes(doc_) == before) << "the document changed";
    EXPECT_TRUE(fs::is_symlink(Path("link.png")));
    EXPECT_EQ(fs::hard_link_count(doc_), 4u);  // hard.gif, hard.gltf and site/page.html still are the document
  }
  // Another file of the same content is not the document.
  fs::copy_file(doc_, Path("other.qvlogo"));
  EXPECT_EQ(Qvlogo({"resave", doc_, Path("other.qvlogo")}).status, 0);
}

TEST_F(CliFilesTest, NumbersNoFloatHoldsAreRefusedByName) {
  const std::string before = testing::FileBytes(doc_);
  const struct {
    const char* args;
    const char* named;
  } cases[] = {
      {"key DOC --model Logo --frame 5 --position nan,nan,nan", "--position"},
      {"key DOC --model Logo --frame 5 --position 0,inf,0", "--position"},
      {"key DOC --model Logo --frame 5 --position 1e39,0,0", "--position"},
      {"key DOC --model Logo --frame 5 --position 0,0,-1e39", "--position"},
      {"key DOC --model Logo --frame 5 --rotation -inf,0,0", "--rotation"},
      {"key DOC --model Logo --frame 5 --rotation 0,0,NAN", "--rotation"},
      {"key DOC --model Logo --frame 5 --scale 1,1e400,1", "--scale"},
      {"key DOC --model Logo --frame 5 --scale 1,infinity,1", "--scale"},
      {"key DOC --model Logo --frame 5 --position 1,2,3 --scale nan,1,1", "--scale"},  // nothing of it applied
      {"set DOC --fps inf", "--fps"},
      {"set DOC --fps nan", "--fps"},
      {"set DOC --fov 1e39", "--fov"},
      {"set DOC --fov -nan", "--fov"},
      {"text DOC --font DejaVu+Sans --text A --size 1e39", "--size"},
      {"text DOC --font DejaVu+Sans --text A --size inf", "--size"},
      {"text DOC --font DejaVu+Sans --text A --thickness -inf", "--thickness"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CommandRun run = Qvlogo(Words(c.args));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find(c.named), std::string::npos) << run.output;
    EXPECT_TRUE(testing::FileBytes(doc_) == before) << "the document changed";
  }
  // Finite numbers of any size a float holds go through, negative ones too.
  const CommandRun key = Qvlogo(Words("key DOC --model Logo --frame 5 --position -1.5,2,3e38 --scale 1e-3,1,1"));
  EXPECT_EQ(key.status, 0) << key.output;
  const CommandRun set = Qvlogo(Words("set DOC --fps 29.97 --fov 45"));
  EXPECT_EQ(set.status, 0) << set.output;
}

}  // namespace
}  // namespace qv
