// A document that asks for more than the scene may hold (scene/limits.h) is refused while it is
// read, before the poses are allocated, and the live scene stays as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "scene/document_file.h"
#include "scene/limits.h"
#include "support/sample_scene.h"

namespace qv {
namespace {

std::string Store(Scene& scene) {
  StringSink sink;
  CArchive ar(sink);
  StoreScene(ar, scene);
  ar.Close();
  return sink.bytes;
}

// The limit's message, or empty when the document loaded (or failed otherwise).
std::string LimitRefusal(const std::string& bytes, Scene& scene) {
  try {
    MemorySource source(bytes);
    CArchive ar(source);
    LoadScene(ar, scene);
  } catch (const LimitException& e) {
    return e.message();
  } catch (const ArchiveException&) {
    return "another failure";
  }
  return "";
}

// `models` models, the first with a track of `firstPoses` poses, the others with none.
Scene ModelsAfterALongFirstTrack(int models, int firstPoses) {
  Scene scene;
  scene.m_models.resize(models);
  scene.m_models[0].m_tracks.assign(1, Track(firstPoses));
  return scene;
}

TEST(DocumentLimits, EveryModelFittedToALongFirstTrackIsTooMany) {
  // 10,001 models of 1,000 frames: the frame range is the first model's track, and opening fits
  // every model to it.
  Scene stored = ModelsAfterALongFirstTrack(10'001, 1000);
  const std::string bytes = Store(stored);
  EXPECT_LT(bytes.size(), 600'000u);  // a few bytes a model
  Scene live = testing::MakeSampleScene();
  const std::string before = Store(live);
  EXPECT_EQ(LimitRefusal(bytes, live), kTooManyPosesMessage);
  EXPECT_EQ(Store(live), before);

  // One model less fits.
  Scene fits = ModelsAfterALongFirstTrack(9'999, 1000);
  EXPECT_EQ(LimitRefusal(Store(fits), live), "");
  EXPECT_EQ(live.m_models.size(), 9'999u);
}

TEST(DocumentLimits, ManyAnimationsTimesModelsAreTooMany) {
  // Opening gives every model a track per animation name: 11 models x a million names.
  Scene stored = ModelsAfterALongFirstTrack(11, 1);
  stored.m_animationNames.assign(1'000'000, "");
  Scene live;
  EXPECT_EQ(LimitRefusal(Store(stored), live), kTooManyPosesMessage);
  EXPECT_EQ(live.m_animationNames.size(), 1u);
}

TEST(DocumentLimits, EmptyTracksCountTheTenPosesTheyBecome) {
  // A stored empty track loads as ten poses: 4 bytes of file each. Refused once the poses made so
  // far pass the limit, long before the million tracks are all made.
  Scene stored = ModelsAfterALongFirstTrack(1, 1);
  stored.m_models[0].m_tracks.resize(1'000'001);
  Scene live;
  EXPECT_EQ(LimitRefusal(Store(stored), live), kTooManyPosesMessage);
  EXPECT_TRUE(live.m_models.empty());
}

TEST(DocumentLimits, MaterialsBeyondTheSceneLimitAreRefused) {
  Scene stored;
  stored.m_materials.resize(kMaxSceneMaterials + 1);
  Scene live;
  EXPECT_EQ(LimitRefusal(Store(stored), live), kTooManyMaterialsMessage);
  EXPECT_TRUE(live.m_materials.empty());
  stored.m_materials.resize(kMaxSceneMaterials);
  EXPECT_EQ(LimitRefusal(Store(stored), live), "");
}

TEST(DocumentLimits, OpeningSaysWhichLimit) {
  const auto path = std::filesystem::temp_directory_path() / ("qvlogo-limits-" + std::to_string(getpid()) + ".qvlogo");
  Scene stored = ModelsAfterALongFirstTrack(10'001, 1000);
  ASSERT_FALSE(StoreDocumentFile(path.string(), stored));
  Scene live;
  const std::optional<Message> failure = LoadDocumentFile(path.string(), live);
  std::filesystem::remove(path);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->text, kTooManyPosesMessage);
}

}  // namespace
}  // namespace qv
