#include "scene/document_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>

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

void Load(const std::string& bytes, Scene& scene) {
  MemorySource source(bytes);
  CArchive ar(source);
  LoadScene(ar, scene);
}

ArchiveCause LoadFailure(const std::string& bytes, Scene& scene) {
  try {
    Load(bytes, scene);
  } catch (const ArchiveException& e) {
    return e.cause();
  }
  ADD_FAILURE() << "load did not fail";
  return ArchiveCause::kGeneric;
}

class DocumentFileTest : public ::testing::Test {};

TEST_F(DocumentFileTest, NewDocumentIsTheKnown105Bytes) {
  Scene scene;
  const unsigned char expected[] = {
      0xCD, 0xCC, 0x2C, 0x40, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
      0x0B, 'A', 'n', 'i', 'm', 'a', 't', 'i', 'o', 'n', '_', '0',
      5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xF0, 0x41, 1, 0, 0, 0, 0x20, 3, 0, 0, 0x58, 2, 0, 0,
      0, 0, 0xA0, 0x41, 0x1E, 0x41, 0x5A, 0, 1,
      0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xBB, 0xC4,
      0, 0, 0xA0, 0x41, 0, 0, 0x20, 0x41, 0, 0, 0, 0,
      0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x3F,
      0, 0, 0, 0};
  static_assert(sizeof expected == 105);
  EXPECT_EQ(Store(scene), std::string(reinterpret_cast<const char*>(expected), sizeof expected));
}

TEST_F(DocumentFileTest, EveryWrittenFormComesBackByteForByte) {
  Scene original = testing::MakeSampleScene();
  original.m_fps = std::bit_cast<float>(0x7FA00001u);  // even the frame rate keeps its bits
  const std::string bytes = Store(original);

  Scene loaded;
  loaded.m_fps = 12.0f;
  Load(bytes, loaded);
  EXPECT_EQ(std::bit_cast<uint32_t>(loaded.m_fps), 0x7FA00001u);
  ASSERT_EQ(loaded.m_models.size(), 3u);
  EXPECT_EQ(loaded.m_models[1].m_tracks[2].size(), 26u);
  EXPECT_EQ(loaded.m_materials[2].m_bump.size(), 65534u);
  EXPECT_EQ(Store(loaded), bytes);
}

TEST_F(DocumentFileTest, FormsNeverWrittenComeBackNormalised) {
  Scene scene;
  CModel model;
  model.m_name = "A";
  model.m_tracks.resize(1);  // stored with zero poses
  scene.m_models.push_back(model);
  std::string bytes = Store(scene);

  // The hermite flag is the byte before the first model; make it 0x02.
  const size_t hermiteAt = 4 + 16 + 12 + 4 + 4 + 4 + 4 + 4 + 4 + 4 + 4;
  ASSERT_EQ(bytes[hermiteAt], 1);
  bytes[hermiteAt] = 2;
  // Model name "A" in the 16-bit character form.
  const size_t nameAt = hermiteAt + 1 + 4;
  ASSERT_EQ(bytes.substr(nameAt, 2), std::string("\x01" "A"));
  bytes.replace(nameAt, 2, std::string("\xFF\xFE\xFF\x01" "A\x00", 6));

  Scene loaded;
  Load(bytes, loaded);
  EXPECT_TRUE(loaded.m_hermite);
  EXPECT_EQ(loaded.m_models[0].m_name, "A");
  ASSERT_EQ(loaded.m_models[0].m_tracks[0].size(), 10u);
  EXPECT_EQ(loaded.m_models[0].m_tracks[0][9], IdentityPose());

  const std::string again = Store(loaded);
  EXPECT_EQ(static_cast<unsigned char>(again[hermiteAt]), 1);
  EXPECT_EQ(again.substr(nameAt, 2), std::string("\x01" "A"));
}

TEST_F(DocumentFileTest, EveryTruncationIsAnUnexpectedFormatAndChangesNothing) {
  Scene live;
  const std::string before = Store(live);
  // Every cut of the compact sample; the one with the long strings at a coarser step.
  for (bool longStrings : {false, true}) {
    Scene original = testing::MakeSampleScene(longStrings);
    const std::string bytes = Store(original);
    for (size_t cut = 1; cut < bytes.size(); cut += longStrings ? 61 : 1) {
      const ArchiveCause cause = LoadFailure(bytes.substr(0, cut), live);
      ASSERT_EQ(ArchiveErrorMessage(cause, true).text, "予期しないファイル形式です。") << cut;
    }
  }
  EXPECT_EQ(Store(live), before);
  EXPECT_EQ(live.m_fps, 30.0f);
}

TEST_F(DocumentFileTest, HugeCountsFailAtOnce) {
  // 40 bytes claiming 2^31 models
  std::string bytes(40, '\0');
  const uint32_t models = 0x80000000u;
  std::memcpy(&bytes[4], &models, 4);
  Scene scene;
  EXPECT_EQ(LoadFailure(bytes, scene), ArchiveCause::kEndOfFile);

  // a model claiming 2^30 vertices
  Scene one;
  one.m_models.emplace_back();
  std::string doc = Store(one);
  // header (65 bytes), then id, empty name, parent, "<NULL>": the vertex count
  const size_t at = 65 + 4 + 1 + 4 + 7;
  ASSERT_EQ(doc.substr(at - 6, 6), "<NULL>");
  const uint32_t vertices = 1u << 30;
  std::memcpy(&doc[at], &vertices, 4);
  EXPECT_EQ(LoadFailure(doc, scene), ArchiveCause::kEndOfFile);
}

TEST_F(DocumentFileTest, FaceIndicesOutsideTheModelAreRefused) {
  Scene scene = testing::MakeSampleScene();
  scene.m_models[1].m_faces[0].m_indices[2] = 6;  // the model has six vertices
  const std::string bytes = Store(scene);
  Scene live;
  EXPECT_EQ(ArchiveErrorMessage(LoadFailure(bytes, live), true).id, msg::kUnexpectedFormat);
  scene.m_models[1].m_faces[0].m_indices[2] = -1;
  EXPECT_EQ(ArchiveErrorMessage(LoadFailure(Store(scene), live), true).id, msg::kUnexpectedFormat);
}

TEST_F(DocumentFileTest, BrokenParentLinksBecomeTopLevel) {
  Scene scene;
  scene.m_models.resize(6);
  const int32_t parents[] = {1, 2, 0, 99, -3, 0};  // 0-1-2 a cycle, 3 and 4 out of range, 5 a child of 0
  for (int i = 0; i < 6; ++i) scene.m_models[i].m_parent = parents[i];
  Scene loaded;
  Load(Store(scene), loaded);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(loaded.m_models[i].m_parent, kNoModel) << i;
  EXPECT_EQ(loaded.m_models[5].m_parent, 0);
}

TEST_F(DocumentFileTest, LoadKeepsFieldsThatAreNotStored) {
  Scene live;
  live.m_selectedMaterial = 4;
  live.m_axisLock = 2;
  live.m_undoStack.push_back({});
  Scene other = testing::MakeSampleScene();
  Load(Store(other), live);
  EXPECT_EQ(live.m_selectedMaterial, 4);
  EXPECT_EQ(live.m_axisLock, 2);
  EXPECT_EQ(live.m_undoStack.size(), 1u);
  EXPECT_EQ(live.m_canvasWidth, 640);
}

}  // namespace
}  // namespace qv
