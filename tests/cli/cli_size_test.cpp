// Picture sizes on the command line: render --size, movie --size and set --canvas take the same
// WIDTHxHEIGHT, and refuse anything else with the option's own message before writing a thing.
#include <gtest/gtest.h>

#include <filesystem>

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

class CliSize : public ::testing::Test {
 protected:
  void SetUp() override {
    Scene scene;
    testing::MakeAnimatedScene(scene, {"Logo"}, 4);
    ASSERT_FALSE(StoreDocumentFile(doc, scene));
  }
  const testing::ScratchFolder dir{"qvlogo size"};
  const std::string doc = dir.Path("doc.qvlogo");
};

TEST_F(CliSize, JunkSignsBlanksZeroAndOverflowAreRefusedWithTheOptionsMessage) {
  const struct {
    Args before, after;  // around the size
    const char* message;
    const char* output;  // the file the command would write, if any
  } commands[] = {
      {{"render", "DOC", "--size"}, {"-o", "OUT"}, "--size must be WIDTHxHEIGHT, each from 1 to 16384", "out.png"},
      {{"movie", "DOC", "--size"}, {"-o", "OUT"}, "--size must be WIDTHxHEIGHT, each from 1 to 16384", "out.gif"},
      {{"movie", "DOC", "--size"}, {"-o", "OUT"}, "--size must be WIDTHxHEIGHT, each from 1 to 16384", "out.mp4"},
      {{"set", "DOC", "--canvas"}, {}, "--canvas must be WIDTHxHEIGHT, each from 1 to 16384", nullptr},
  };
  const char* const sizes[] = {"800x600abc", "+800x600", "-800x600", "800x-600", " 800x600", "800x 600",
                               "0x600",      "800x0",    "16385x600", "4294967297x2", "2147483648x600"};
  const std::string before = testing::FileBytes(doc);
  for (const auto& c : commands) {
    for (const char* size : sizes) {
      const std::string out = c.output ? dir.Path(c.output) : std::string();
      Args args;
      for (const std::string& arg : c.before) args.push_back(arg == "DOC" ? doc : arg);
      args.push_back(size);
      for (const std::string& arg : c.after) args.push_back(arg == "OUT" ? out : arg);
      SCOPED_TRACE(c.before[0] + " " + c.before[2] + " \"" + size + "\"");
      const CommandRun run = Qvlogo(args);
      EXPECT_EQ(run.status, 1) << run.output;
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      EXPECT_EQ(run.out, "");
      if (c.output) {
        EXPECT_FALSE(fs::exists(out));
      }
      EXPECT_EQ(testing::FileBytes(doc), before);
    }
  }
  // Nothing but the document: no temporary files either.
  for (const auto& entry : fs::directory_iterator(dir.path())) EXPECT_EQ(entry.path(), fs::path(doc));
}

TEST_F(CliSize, TheSameSizesAreTakenByEveryCommand) {
  ASSERT_EQ(Qvlogo({"set", doc, "--canvas", "64X48"}).status, 0);
  Scene scene;
  ASSERT_FALSE(LoadDocumentFile(doc, scene));
  EXPECT_EQ(scene.m_canvasWidth, 64);
  EXPECT_EQ(scene.m_canvasHeight, 48);
  const CommandRun render = Qvlogo({"render", doc, "--size", "64X48", "-o", dir.Path("out.png")});
  EXPECT_EQ(render.status, 0) << render.output;
  EXPECT_TRUE(fs::exists(dir.Path("out.png")));
  const CommandRun movie = Qvlogo({"movie", doc, "--size", "64x48", "--to", "1", "-o", dir.Path("out.gif")});
  EXPECT_EQ(movie.status, 0) << movie.output;
  EXPECT_TRUE(fs::exists(dir.Path("out.gif")));
}

}  // namespace
}  // namespace qv
