// Text models: extrusion, centring, names, material and track of a new text model, the
// create-text command.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/motion_doc.h"
#include "geometry/bounds.h"
#include "geometry/glyph_outline.h"
#include "geometry/text_model.h"
#include "glyph_checks.h"
#include "platform/text_codec.h"
#include "scene/scene.h"
#include "scene/user_interaction.h"
#include "platform/font_catalog.h"

namespace qv {
namespace {

using testing::Rectangle;

class TextModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
    scene.m_models.reserve(32);  // references to created models stay valid
  }

  TextParameters Text(const char* text) {
    TextParameters p;
    p.fontName = "DejaVu Sans";
    p.text = text;
    return p;
  }
  const CModel& Create(const TextParameters& p) { return scene.m_models[CreateTextModel(scene, p)]; }

  Scene scene;
};

TEST(ExtrudeCap, SlabWithReversedBackCapAndWallsAlongTheBoundary) {
  GlyphOutline outline;
  outline.m_polygons.push_back(Rectangle(0, 0, 10, 10, true));
  outline.m_polygons.push_back(Rectangle(3, 3, 7, 7));
  CModel model;
  outline.AddGlyphMesh(model, 0.0f, 2);
  const size_t n = model.m_vertices.size();
  const std::vector<CFace> cap = model.m_faces;
  ExtrudeCap(model, 4.0f, 5);
  ASSERT_EQ(model.m_vertices.size(), 2 * n);
  for (size_t i = 0; i < n; ++i) {
    EXPECT_EQ(model.m_vertices[i + n].x, model.m_vertices[i].x);
    EXPECT_EQ(model.m_vertices[i + n].z, -4.0f);
  }
  // 8 front triangles, 8 back ones, one wall per boundary edge: 4 outside, 4 lining the hole.
  ASSERT_EQ(model.m_faces.size(), 8u + 8u + 8u);
  for (size_t f = 0; f < 8; ++f) {
    const CFace& back = model.m_faces[8 + f];
    EXPECT_EQ(back.m_indices[0], cap[f].m_indices[2] + static_cast<int32_t>(n));
    EXPECT_EQ(back.m_indices[1], cap[f].m_indices[1] + static_cast<int32_t>(n));
    EXPECT_EQ(back.m_indices[2], cap[f].m_indices[0] + static_cast<int32_t>(n));
    EXPECT_EQ(back.m_material, 2);
  }
  for (size_t f = 16; f < 24; ++f) {
    const CFace& wall = model.m_faces[f];
    ASSERT_EQ(wall.m_indices.size(), 4u);
    EXPECT_EQ(wall.m_material, 5);
    // (q, p, p + n, q + n): the wall's far edge is the near edge moved back.
    EXPECT_EQ(wall.m_indices[2], wall.m_indices[1] + static_cast<int32_t>(n));
    EXPECT_EQ(wall.m_indices[3], wall.m_indices[0] + static_cast<int32_t>(n));
    // No wall runs along the bridge: its two ends are never the bridge's pair of points.
    const CVector& a = model.m_vertices[wall.m_indices[0]];
    const CVector& b = model.m_vertices[wall.m_indices[1]];
    EXPECT_TRUE(a.x == b.x || a.y == b.y) << "wall off the square's sides";
  }
}

// An outline edge that more than two cap triangles touch (slivers along it, as triangulating
// points on a straight edge makes) still gets its wall: the cap runs it once more one way than
// the other.
TEST(ExtrudeCap, EdgeTouchedBySliversStillGetsItsWall) {
  CModel model;
  model.m_vertices = {{0, 0, 0}, {2, 0, 0}, {1, 0, 0}, {1, 1, 0}};  // p, q, x on pq, r
  auto face = [](int32_t a, int32_t b, int32_t c) {
    CFace f;
    f.m_indices = {a, c, b};  // counter-clockwise (a, b, c) stored clockwise
    return f;
  };
  model.m_faces = {face(0, 1, 3), face(0, 2, 1), face(1, 2, 0)};  // the triangle, two slivers on pq
  ExtrudeCap(model, 1.0f, 0);
  EXPECT_EQ(model.m_faces.size(), 3u + 3u + 3u);  // walls along pq, qr and rp
  EXPECT_EQ(testing::OpenEdges(model), 0);
}

TEST(CenterOnBounds, BoxCentredAndSlabAroundZero) {
  CModel model;
  model.m_vertices = {{10, 20, 0}, {30, 60, 0}, {10, 20, -8}};
  CenterOnBounds(model);
  EXPECT_EQ(model.m_vertices[0], (CVector{-10, -20, 4}));
  EXPECT_EQ(model.m_vertices[1], (CVector{10, 20, 4}));
  EXPECT_EQ(model.m_vertices[2], (CVector{-10, -20, -4}));
  CModel empty;
  CenterOnBounds(empty);
  EXPECT_TRUE(empty.m_vertices.empty());
}

TEST_F(TextModelTest, DefaultsWithTextAGiveACentredSlab) {
  TextParameters p;  // the dialog's start values: size 100, thickness 50, 5 steps, weight 400
  p.text = "A";
  const CModel& model = Create(p);
  ASSERT_EQ(scene.m_models.size(), 1u);
  EXPECT_EQ(model.m_name, "A");
  ASSERT_FALSE(model.m_vertices.empty());
  EXPECT_FLOAT_EQ(model.m_boundsMin.x, -model.m_boundsMax.x);
  EXPECT_FLOAT_EQ(model.m_boundsMin.y, -model.m_boundsMax.y);
  EXPECT_FLOAT_EQ(model.m_boundsMin.z, -25.0f);
  EXPECT_FLOAT_EQ(model.m_boundsMax.z, 25.0f);
  // A capital is most of the cell: the size is the cell height.
  EXPECT_GT(model.m_boundsMax.y - model.m_boundsMin.y, 50.0f);
  EXPECT_LT(model.m_boundsMax.y - model.m_boundsMin.y, 100.0f);
  EXPECT_TRUE(testing::IndicesValid(model));
}

TEST_F(TextModelTest, NewModelHasItsOwnMaterialTrackAndSettings) {
  scene.m_materials.resize(2);
  scene.m_materials[0].m_number = 40;
  scene.m_materials[1].m_number = 41;
  scene.m_nextMaterialId = 9;
  scene.m_lastFrame = 30;
  const CModel& model = Create(Text("Hi"));
  ASSERT_EQ(scene.m_materials.size(), 3u);
  EXPECT_EQ(scene.m_materials[0].m_number, 0);  // renumbered before the new one was added
  EXPECT_EQ(scene.m_materials[1].m_number, 1);
  // Names are made unique from the last material to the first.
  EXPECT_EQ(scene.m_materials[0].m_name, "Material");
  EXPECT_EQ(scene.m_materials[1].m_name, "Material_3");
  EXPECT_EQ(scene.m_materials[2].m_name, "Material_2");
  EXPECT_EQ(scene.m_nextMaterialId, 10);
  for (const CFace& face : model.m_faces) EXPECT_EQ(face.m_material, 2);
  EXPECT_EQ(model.m_id, 6);  // the first model of a new scene
  EXPECT_EQ(scene.m_nextModelId, 6);
  EXPECT_EQ(model.m_parent, kNoModel);
  EXPECT_EQ(model.m_parentName, kNoParentName);
  EXPECT_FLOAT_EQ(model.m_smoothingAngle, 89.5f);
  ASSERT_EQ(model.m_tracks.size(), 1u);
  ASSERT_EQ(model.m_tracks[0].size(), 31u);
  EXPECT_EQ(model.m_tracks[0][0].m_key, 1);
  EXPECT_EQ(model.m_tracks[0][30], IdentityPose());
  // Derived data is ready for drawing.
  EXPECT_EQ(model.m_vertexRecords.size(), model.m_vertices.size());
  EXPECT_FALSE(model.m_meshVertices.empty());
  EXPECT_EQ(model.m_trianglesPerMaterial.size(), 3u);
  EXPECT_FLOAT_EQ(scene.m_materials[2].m_lighting.diffuse.r, 0.8f);
}

TEST_F(TextModelTest, CountersAtTheLargestIdRenumberInsteadOfOverflowing) {
  scene.m_models.resize(1);
  scene.m_models[0].m_id = std::numeric_limits<int32_t>::max();
  scene.m_nextModelId = std::numeric_limits<int32_t>::max();
  scene.m_nextMaterialId = std::numeric_limits<int32_t>::max();
  const CModel& model = Create(Text("A"));
  EXPECT_EQ(scene.m_models[0].m_id, 1);
  EXPECT_EQ(model.m_id, 3);
  EXPECT_EQ(scene.m_nextModelId, 3);
  EXPECT_EQ(scene.m_nextMaterialId, 1);
}

TEST_F(TextModelTest, SameTextTwiceGetsANumberedName) {
  Create(Text("ABC"));
  Create(Text("ABC"));
  Create(Text("abc"));
  ASSERT_EQ(scene.m_models.size(), 3u);
  EXPECT_EQ(scene.m_models[0].m_name, "ABC");
  EXPECT_EQ(scene.m_models[1].m_name, "ABC_2");
  EXPECT_EQ(scene.m_models[2].m_name, "abc_3");
  EXPECT_EQ(scene.m_models[2].m_id, 8);
}

TEST_F(TextModelTest, SpacesAddNothingButMoveThePen) {
  const CModel& ab = Create(Text("AB"));
  const CModel& spaced = Create(Text("A B"));
  ASSERT_EQ(spaced.m_vertices.size(), ab.m_vertices.size());
  ASSERT_EQ(spaced.m_faces.size(), ab.m_faces.size());
  for (size_t i = 0; i < ab.m_faces.size(); ++i) EXPECT_EQ(spaced.m_faces[i].m_indices, ab.m_faces[i].m_indices);
  // The two letters stand apart by the space's advance (text_shaping_test measures it).
  EXPECT_GT(spaced.m_boundsMax.x - spaced.m_boundsMin.x, ab.m_boundsMax.x - ab.m_boundsMin.x + 20.0f);
  // Only spaces: a model, a material and a track, but no geometry.
  const CModel& blank = Create(Text("   "));
  EXPECT_TRUE(blank.m_vertices.empty());
  EXPECT_TRUE(blank.m_faces.empty());
  EXPECT_EQ(blank.m_boundsMax, (CVector{100, 100, 100}));
  EXPECT_EQ(blank.m_tracks.size(), 1u);
  EXPECT_EQ(scene.m_materials.size(), 3u);
}

TEST_F(TextModelTest, WallsLineTheHoleOfO) {
  const CModel& model = Create(Text("O"));
  GlyphOutline o;
  auto font = PlatformFont::Create("DejaVu Sans", 400);
  ASSERT_TRUE(o.ReadGlyph(*font, U'O', 5));
  const size_t outlinePoints = o.m_polygons[0]->m_points.size() + o.m_polygons[1]->m_points.size();
  size_t walls = 0, caps = 0;
  for (const CFace& face : model.m_faces) (face.m_indices.size() == 4 ? walls : caps)++;
  EXPECT_EQ(walls, outlinePoints);  // every contour edge, the hole's included; no bridge
  EXPECT_EQ(caps, 2 * (outlinePoints));  // a polygon of p points (bridge counted twice) gives p triangles
}

TEST_F(TextModelTest, OutOfRangeParametersAreClamped) {
  TextParameters p = Text("I");
  p.fontSize = 1.0f;
  p.thickness = 1.0f;
  p.subdivisions = 1;
  p.weight = 400;
  const CModel reference = Create(p);
  struct Case {
    float size, thickness;
    int32_t subdivisions, weight;
  } cases[] = {{0.0f, -5.0f, 0, 5000},
               {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -3, 0},
               {0.5f, 0.25f, 1, 400}};
  for (const Case& c : cases) {
    TextParameters q = p;
    q.fontSize = c.size;
    q.thickness = c.thickness;
    q.subdivisions = c.subdivisions;
    q.weight = c.weight;
    const CModel& model = Create(q);
    EXPECT_EQ(model.m_vertices, reference.m_vertices) << c.size << " " << c.thickness;
    EXPECT_FLOAT_EQ(model.m_boundsMax.z, 0.5f);
  }
  // A huge subdivision count is held to kMaxSubdivisions.
  TextParameters fine = Text("O");
  fine.subdivisions = kMaxSubdivisions;
  TextParameters huge = fine;
  huge.subdivisions = 2000000000;
  EXPECT_EQ(Create(huge).m_vertices.size(), Create(fine).m_vertices.size());
}

TEST_F(TextModelTest, NamesAreStoredInCodePage932) {
  if (!IsFamilyInstalled("IPAGothic")) GTEST_SKIP();
  TextParameters p = Text("文字");
  p.fontName = "IPAGothic";
  const CModel& model = Create(p);
  EXPECT_EQ(model.m_name, "\x95\xB6\x8E\x9A");
  EXPECT_FALSE(model.m_faces.empty());
  // A character outside the BMP is one character, not two halves; without a code page 932 form
  // it becomes "?" in the name.
  if (!IsFamilyInstalled("Noto Sans CJK JP")) return;
  TextParameters rare = Text("\xF0\xA0\xAE\x9F");  // U+20B9F
  rare.fontName = "Noto Sans CJK JP";
  auto font = PlatformFont::Create(rare.fontName, 400);
  const CModel& one = Create(rare);
  EXPECT_EQ(one.m_name, "?");
  EXPECT_EQ(one.m_faces.empty(), !font->HasGlyph(0x20B9F));
}

TEST_F(TextModelTest, UnknownFaceNamesStillMakeJapaneseText) {
  if (!IsFamilyInstalled("IPAGothic") && !IsFamilyInstalled("Noto Sans CJK JP")) GTEST_SKIP();
  TextParameters p;  // the default face, missing on this system
  p.text = "日本";
  const CModel& model = Create(p);
  EXPECT_FALSE(model.m_faces.empty());
}

// Characters the font lacks come from another installed font, Japanese faces first, and the
// user is told which; characters no font has are drawn as the missing-glyph box.
TEST_F(TextModelTest, MissingCharactersComeFromAnotherFont) {
  auto latin = testing::InstalledFont("Kaushan Script");
  if (!latin || latin->Family() != "Kaushan Script" || latin->HasGlyph(U'あ'))
    GTEST_SKIP() << "Kaushan Script is not installed (scripts/deps.sh)";
  auto verticesOf = [](PlatformFont& font, std::u32string_view text, TextModelNotes* notes = nullptr) {
    CModel model;
    BuildTextMesh(font, text, 5, 100.0f, 10.0f, 0, model, notes);
    return model.m_vertices.size();
  };
  TextModelNotes notes;
  const size_t all = verticesOf(*latin, U"Aあ😀", &notes);
  ASSERT_FALSE(notes.substitutions.empty());
  EXPECT_EQ(notes.substitutions[0].characters, U"あ");
  auto japanese = PlatformFont::Create(notes.substitutions[0].family, 400);
  ASSERT_TRUE(japanese && japanese->HasGlyph(U'あ'));
  EXPECT_TRUE(japanese->HasGlyph(U'漢')) << notes.substitutions[0].family << " is not a Japanese face";
  // Three groups of glyphs: A from the font, あ from the Japanese face, 😀 from wherever it is
  // (or the box).
  size_t emoji = 0;
  if (notes.substitutions.size() > 1) {
    EXPECT_EQ(notes.substitutions[1].characters, U"😀");
    emoji = verticesOf(*PlatformFont::Create(notes.substitutions[1].family, 400), U"😀");
  } else {
    EXPECT_EQ(notes.missing, U"😀");
    emoji = verticesOf(*latin, std::u32string(1, kMissingGlyph));
  }
  EXPECT_GT(emoji, 0u);
  EXPECT_EQ(all, verticesOf(*latin, U"A") + verticesOf(*japanese, U"あ") + emoji);
  const std::vector<std::string> messages = TextModelMessages(notes);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages[0].find(notes.substitutions[0].family), std::string::npos);
  EXPECT_NE(messages[0].find("あ"), std::string::npos);
}

TEST_F(TextModelTest, CharacterNoFontHasIsDrawnAsTheBox) {
  char32_t nowhere = 0;
  for (char32_t c : {U'\U0010FFFD', U'\U000F0001', U'\U00013000', U'\U0001D400'})
    if (ChooseFontForCharacter(c, 400).file.empty()) nowhere = c;
  if (nowhere == 0) GTEST_SKIP() << "every candidate character is in some installed font";
  auto font = testing::InstalledFont("DejaVu Sans");
  TextModelNotes notes;
  CModel withBox, alone;
  BuildTextMesh(*font, std::u32string{U'A', nowhere}, 5, 100.0f, 10.0f, 0, withBox, &notes);
  BuildTextMesh(*font, U"A", 5, 100.0f, 10.0f, 0, alone);
  EXPECT_EQ(notes.missing, std::u32string(1, nowhere));
  EXPECT_TRUE(notes.substitutions.empty());
  EXPECT_GT(withBox.m_vertices.size(), alone.m_vertices.size());
  EXPECT_EQ(TextModelMessages(notes).size(), 1u);
}

// The document's command tells the user through the interface the front end gives it.
TEST_F(TextModelTest, UnknownFamilyAndSubstitutionsAreTold) {
  if (!IsFamilyInstalled("IPAGothic") && !IsFamilyInstalled("Noto Sans CJK JP")) GTEST_SKIP();
  SilentInteraction ui;
  CMotionDoc doc(ui, scene);
  TextParameters p = Text("Aあ");
  ASSERT_TRUE(doc.CreateText(p));
  ASSERT_EQ(ui.messages.size(), 1u);  // あ from a Japanese face
  EXPECT_NE(ui.messages[0].find("あ"), std::string::npos);

  ui.messages.clear();
  p.fontName = "No Such Family Anywhere";
  ASSERT_TRUE(doc.CreateText(p));
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(ui.messages[0].find("No Such Family Anywhere"), std::string::npos);
  EXPECT_NE(ui.messages[0].find("を使いました"), std::string::npos);

  ui.messages.clear();
  ASSERT_TRUE(doc.CreateText(Text("AB")));
  EXPECT_TRUE(ui.messages.empty());  // nothing to say
}

// A text whose outlines promise more faces than kMaxTextFaces is refused as its outlines are
// read, before any mesh is made; so is a text the scene has no room for.
TEST_F(TextModelTest, TextsBeyondTheLimitsAreRefusedBeforeTheMeshIsMade) {
  if (!IsFamilyInstalled("IPAGothic")) GTEST_SKIP();
  SilentInteraction ui;
  CMotionDoc doc(ui, scene);
  TextParameters dense = Text("");
  dense.fontName = "IPAGothic";
  for (int i = 0; i < 300; ++i) dense.text += "龍";  // some 5,300 faces each at 100 subdivisions
  dense.subdivisions = kMaxSubdivisions;
  TextModelNotes notes;
  EXPECT_EQ(CreateTextModel(scene, dense, &notes), -1);
  EXPECT_STREQ(notes.refused, kTextTooLargeMessage);
  EXPECT_TRUE(scene.m_models.empty());
  EXPECT_TRUE(scene.m_materials.empty());
  EXPECT_FALSE(doc.CreateText(dense));
  EXPECT_EQ(ui.messages, std::vector<std::string>{kTextTooLargeMessage});
  EXPECT_TRUE(scene.m_models.empty());

  // The same text at the default subdivisions is made.
  dense.subdivisions = 5;
  ASSERT_TRUE(doc.CreateText(dense));
  EXPECT_LE(static_cast<int64_t>(scene.m_models.back().m_faces.size()), kMaxTextFaces);

  // No room for another material, or for another model's poses.
  ui.messages.clear();
  scene.m_materials.resize(kMaxSceneMaterials);
  EXPECT_FALSE(doc.CreateText(Text("A")));
  scene.m_materials.resize(1);
  scene.m_lastFrame = scene.m_previousLastFrame = kMaxLastFrame;
  for (int i = 0; i < 9; ++i) scene.m_models.push_back(scene.m_models.back());  // ten with the first
  EXPECT_FALSE(doc.CreateText(Text("A")));
  EXPECT_EQ(ui.messages, (std::vector<std::string>{kTooManyMaterialsMessage, kTooManyPosesMessage}));
  EXPECT_EQ(scene.m_models.size(), 10u);
  EXPECT_EQ(scene.m_materials.size(), 1u);
}

TEST(BuildTextMesh, RefusesAtTheFaceEstimateAndLeavesTheModelAlone) {
  auto font = testing::InstalledFont("DejaVu Sans");
  if (!font) GTEST_SKIP();
  CModel model;
  ASSERT_TRUE(BuildTextMesh(*font, U"O", 5, 100.0f, 10.0f, 0, model));
  const size_t faces = model.m_faces.size();
  // The estimate is three faces a point (cap, back, wall) and never below the real count.
  EXPECT_FALSE(BuildTextMesh(*font, U"O", 5, 100.0f, 10.0f, 0, model, nullptr, static_cast<int64_t>(faces) - 1));
  EXPECT_EQ(model.m_faces.size(), faces);
}

// A long line is placed in double precision: far from the origin no triangle of the caps is
// flipped by rounding, and the whole line is centred.
TEST_F(TextModelTest, LongLineKeepsEveryTriangleTheRightWayRound) {
  auto font = testing::InstalledFont("DejaVu Sans");
  std::u32string text;
  for (int i = 0; i < 2000; ++i) text += U"ag@&"[i % 4];
  CModel model;
  BuildTextMesh(*font, text, 5, 100.0f, 10.0f, 0, model);
  ComputeBounds(model);
  EXPECT_FLOAT_EQ(model.m_boundsMin.x, -model.m_boundsMax.x);
  EXPECT_GT(model.m_boundsMax.x, 50000.0f);
  // The front cap lies at z = +5, wound clockwise: its faces' areas are all positive.
  double flipped = 0, total = 0;
  for (const CFace& face : model.m_faces) {
    if (face.m_indices.size() != 3 || model.m_vertices[face.m_indices[0]].z != 5.0f) continue;
    const double area = testing::CapFaceArea(model, face);
    total += std::fabs(area);
    if (area < 0) flipped += -area;
  }
  EXPECT_LT(flipped, total * 1e-7);
}

}  // namespace
}  // namespace qv
