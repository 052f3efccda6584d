// qvlogo key, frames and set, run as a user runs them, checked against the stored document.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <filesystem>

#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::Qvlogo;

class CliEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Scene scene;
    testing::MakeAnimatedScene(scene, {"Logo", "Other"}, 20);
    ASSERT_FALSE(StoreDocumentFile(doc_, scene));
  }
  Scene Load() {
    Scene scene;
    EXPECT_FALSE(LoadDocumentFile(doc_, scene));
    return scene;
  }
  const testing::ScratchFolder dir_{"qvlogo edit"};
  const std::string doc_ = dir_.Path("doc.qvlogo");
};

TEST_F(CliEditTest, KeysStoreInBetweensOfTheClosedCurveBitForBit) {
  ASSERT_EQ(
      Qvlogo({"key", doc_, "--model", "Logo", "--frame", "10", "--position", "100,0,0", "--rotation", "0,90,0"}).status,
      0);
  ASSERT_EQ(
      Qvlogo({"key", doc_, "--model", "logo", "--frame", "20", "--position", "0,0,0", "--rotation", "0,360,0"}).status,
      0);
  const Scene loaded = Load();
  const Track& track = loaded.m_models[0].m_tracks[0];
  ASSERT_EQ(track.size(), 21u);
  EXPECT_EQ(track[5].m_position.x, 56.25f);
  EXPECT_EQ(track[15].m_position.x, 56.25f);

  // The in-between formula written out independently, in single precision.
  const float k[3] = {0, 90, 360};  // rotation y at keys 0, 10, 20
  for (int d = 1; d < 20; ++d) {
    if (d == 10) continue;
    const int seg = d < 10 ? 0 : 1;
    const float vk = k[seg], vl = k[seg + 1];
    const float vp = k[seg == 0 ? 2 : 0];  // the key before: the last key for the first segment
    const float vq = seg == 0 ? k[2] : k[0];  // the key after l: frame 0 after the last key
    const float s = float(d - seg * 10) / float(10);
    const float s2 = s * s, s3 = s2 * s;
    const float h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = 3 * s2 - 2 * s3, h11 = s3 - s2;
    const float expected = h00 * vk + h10 * 0.5f * (vl - vp) + h01 * vl + h11 * 0.5f * (vq - vk);
    EXPECT_EQ(std::bit_cast<uint32_t>(track[d].m_rotation.y), std::bit_cast<uint32_t>(expected)) << d;
  }
  EXPECT_EQ(track[10].m_key, 1);
  EXPECT_EQ(track[20].m_key, 1);

  ASSERT_EQ(Qvlogo({"key", doc_, "--model", "Logo", "--frame", "10", "--delete"}).status, 0);
  EXPECT_EQ(Load().m_models[0].m_tracks[0][10].m_key, 0);
}

TEST_F(CliEditTest, FramesAndSettings) {
  ASSERT_EQ(Qvlogo({"frames", doc_, "--insert-after", "10", "--count", "3"}).status, 0);
  EXPECT_EQ(Load().m_models[1].m_tracks[0].size(), 24u);
  ASSERT_EQ(Qvlogo({"frames", doc_, "--delete", "0", "4"}).status, 0);
  EXPECT_EQ(Load().m_models[0].m_tracks[0].size(), 19u);
  ASSERT_EQ(Qvlogo({"frames", doc_, "--last", "30"}).status, 0);
  EXPECT_EQ(Load().m_models[0].m_tracks[0].size(), 31u);

  ASSERT_EQ(Qvlogo({"set", doc_, "--fps", "24", "--interpolation", "linear", "--background", "102030", "--canvas",
                    "640x360", "--fov", "33.7"})
                .status,
            0);
  Scene scene = Load();
  EXPECT_FALSE(scene.m_hermite);
  EXPECT_EQ(scene.m_backgroundColor, 0x00302010u);
  EXPECT_EQ(scene.m_canvasWidth, 640);
  EXPECT_EQ(scene.m_canvasHeight, 360);
  EXPECT_EQ(scene.m_fieldOfView, 33.0f);
}

TEST_F(CliEditTest, RefusedEditsExitNonZeroAndLeaveTheFile) {
  const auto before = fs::last_write_time(doc_);
  const testing::Args refused[] = {
      {"frames", doc_, "--insert-after", "99", "--count", "1"},
      {"frames", doc_, "--delete", "0", "20"},
      {"frames", doc_, "--last", "-1"},
      {"key", doc_, "--model", "Nobody", "--frame", "3"},
      {"key", doc_, "--model", "Logo", "--frame", "21"},
      {"set", doc_, "--background", "blue"},
  };
  for (const testing::Args& args : refused) {
    SCOPED_TRACE(args[0] + " " + args[2]);
    EXPECT_NE(Qvlogo(args).status, 0);
  }
  EXPECT_EQ(fs::last_write_time(doc_), before);
}

// Models x frames: a frame range that would make the document hold more than ten million poses
// is refused up front, naming the limit, and the document stays as it was.
TEST_F(CliEditTest, FramesBeyondThePoseLimitAreRefusedNamingIt) {
  Scene scene;
  testing::MakeAnimatedScene(scene, {}, 0);
  scene.m_models.resize(10'001);  // one import's worth of models
  for (CModel& model : scene.m_models) FitFrames(scene, model, 0);
  ASSERT_FALSE(StoreDocumentFile(doc_, scene));
  const auto size = fs::file_size(doc_);
  const testing::Args refused[] = {{"--last", "1000"}, {"--insert-after", "0", "--count", "999"}};
  for (const testing::Args& options : refused) {
    SCOPED_TRACE(options[0]);
    const testing::CommandRun run = testing::Qvlogo(testing::Join({{"frames", doc_}, options}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("10000000 poses"), std::string::npos) << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
  }
  EXPECT_EQ(fs::file_size(doc_), size);
  EXPECT_EQ(testing::Qvlogo({"frames", doc_, "--last", "10"}).status, 0);
}

}  // namespace
}  // namespace qv
