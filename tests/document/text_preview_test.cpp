// The create-text dialog's preview: the model built apart from any document, as the command would
// make it, and a camera that keeps it in view whatever its size and turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <thread>

#include "animation/pose_matrix.h"
#include "document/text_checks.h"
#include "document/text_preview.h"
#include "platform/font_catalog.h"
#include "viewport/camera.h"

namespace qv {
namespace {

TextParameters Logo(const std::string& text) {
  TextParameters p;
  p.fontName = "DejaVu Sans";
  p.text = text;
  return p;
}

class TextPreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  }
};

TEST_F(TextPreviewTest, HoldsTheModelTheCommandMakesReadyToDraw) {
  const TextPreview preview = BuildTextPreview(Logo("Qv"));
  EXPECT_TRUE(preview.note.empty());
  const Scene& scene = preview.scene;
  ASSERT_EQ(scene.m_models.size(), 1u);
  EXPECT_EQ(scene.m_materials.size(), 1u);
  const CModel& model = scene.m_models[0];
  EXPECT_EQ(model.m_name, "Qv");
  EXPECT_FALSE(model.m_faces.empty());
  EXPECT_FALSE(model.m_meshVertices.empty());
  EXPECT_FALSE(scene.m_hierarchyWalk.empty());
  // One pose: the preview never plays.
  ASSERT_EQ(model.m_tracks.size(), 1u);
  EXPECT_EQ(model.m_tracks[0].size(), 1u);

  // The same mesh a document gets.
  Scene document;
  ASSERT_EQ(CreateTextModel(document, Logo("Qv")), 0);
  EXPECT_EQ(model.m_vertices.size(), document.m_models[0].m_vertices.size());
  EXPECT_EQ(model.m_faces.size(), document.m_models[0].m_faces.size());
  EXPECT_EQ(model.m_meshVertices, document.m_models[0].m_meshVertices);
}

TEST_F(TextPreviewTest, TellsWhyThereIsNoModel) {
  TextParameters deep = Logo("Qv");
  deep.thickness = 10;
  deep.bevel = {1, 5.5f, 4, BevelShape::kRound};
  TextPreview preview = BuildTextPreview(deep);
  EXPECT_EQ(preview.note, kBevelDepthTooDeepMessage);
  EXPECT_TRUE(preview.scene.m_models.empty());

  preview = BuildTextPreview(Logo(std::string(kMaxTextCharacters + 1, 'A')));
  EXPECT_EQ(preview.note, kTextTooLargeMessage);
  EXPECT_TRUE(preview.scene.m_models.empty());

  // An empty text shows nothing, and that needs no note.
  preview = BuildTextPreview(Logo(""));
  EXPECT_TRUE(preview.note.empty());
  for (const CModel& model : preview.scene.m_models) EXPECT_TRUE(model.m_faces.empty());
}

TEST_F(TextPreviewTest, BuildsOnOtherThreadsAsOnThisOne) {
  // The dialog builds on a worker thread while the user interface goes on.
  const TextPreview here = BuildTextPreview(Logo("Logo ロゴ"));
  std::array<TextPreview, 2> there;
  std::thread a([&] { there[0] = BuildTextPreview(Logo("Logo ロゴ")); });
  std::thread b([&] { there[1] = BuildTextPreview(Logo("Logo ロゴ")); });
  a.join();
  b.join();
  for (const TextPreview& preview : there) {
    ASSERT_EQ(preview.scene.m_models.size(), 1u);
    EXPECT_EQ(preview.scene.m_models[0].m_meshVertices, here.scene.m_models[0].m_meshVertices);
  }
}

TEST(TextPreviewTurn, SwingsSlowlyToEitherSideAndBack) {
  float least = 0, most = 0;
  for (double t = 0; t < 20; t += 0.05) {
    const float turn = TextPreviewTurn(t);
    least = std::min(least, turn);
    most = std::max(most, turn);
    // Slow: a thirtieth of a second never turns it by more than a degree.
    EXPECT_LT(std::fabs(TextPreviewTurn(t + 1.0 / 30) - turn), 1.0f) << t;
  }
  EXPECT_LT(most, 90.0f);  // the back never shows
  EXPECT_GT(most, 10.0f);
  EXPECT_LT(least, -10.0f);
}

// The corners of the model's box on screen (normalised device coordinates) for the preview posed
// with that aspect and turn.
std::array<CVector, 8> CornersOnScreen(Scene& scene, float aspect, float turn) {
  PoseTextPreview(scene, aspect, turn);
  CModel& model = scene.m_models[0];
  const Matrix4 world = PoseModelMatrix(model.m_tracks[0][0], model.m_origin);
  const Matrix4 all = world * ComposeViewMatrix(scene) * ProjectionMatrix(scene.m_fieldOfView, 100 * aspect, 100);
  std::array<CVector, 8> out;
  for (int i = 0; i < 8; ++i) {
    const CVector& hi = model.m_boundsMax;
    const CVector& lo = model.m_boundsMin;
    const CVector corner{i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z};
    const CVector clip = TransformPoint(corner, all);
    // w is the distance in front of the camera: -z in view space.
    const Matrix4 view = world * ComposeViewMatrix(scene);
    const float w = -TransformPoint(corner, view).z;
    EXPECT_GT(w, kCameraNear);
    out[i] = {clip.x / w, clip.y / w, clip.z / w};
  }
  return out;
}

TEST_F(TextPreviewTest, CameraKeepsTheWholeModelInViewAtEveryTurn) {
  struct Case {
    const char* text;
    float size, thickness;
  };
  const Case cases[] = {{"A", 100, 50}, {"Quorvel Logo in one long line of text", 100, 50},
                        {"|", 300, 5},  {"i", 10, 400}};
  for (const Case& c : cases) {
    TextParameters p = Logo(c.text);
    p.fontSize = c.size;
    p.thickness = c.thickness;
    TextPreview preview = BuildTextPreview(p);
    ASSERT_EQ(preview.scene.m_models.size(), 1u) << c.text;
    for (float aspect : {0.5f, 1.0f, 2.5f, 5.0f}) {
      float reach = 0;  // how far out the farthest corner gets
      for (float turn = -30; turn <= 30; turn += 5) {
        for (const CVector& p : CornersOnScreen(preview.scene, aspect, turn)) {
          EXPECT_LE(std::fabs(p.x), 1.0f) << c.text << " aspect " << aspect << " turn " << turn;
          EXPECT_LE(std::fabs(p.y), 1.0f) << c.text << " aspect " << aspect << " turn " << turn;
          reach = std::max({reach, std::fabs(p.x), std::fabs(p.y)});
        }
      }
      // Not lost in the middle either.
      EXPECT_GT(reach, 0.8f) << c.text << " aspect " << aspect;
    }
  }
}

}  // namespace
}  // namespace qv
