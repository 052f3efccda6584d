// The material list and dialog without widgets: swatches, rename, delete with renumbered faces,
// the colour and material dialogs, trackbar rules and texture names.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/material_list.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

TEST(MaterialRules, SwatchBytesAreTheLowBytesOfTheTruncatedProducts) {
  const struct { float c; uint8_t byte; } cases[] = {{0.8f, 204}, {1.0f, 255}, {1.2f, 50}, {0.0f, 0}, {0.5f, 127}};
  for (const auto& c : cases) {
    const float color[4] = {c.c, 0, c.c, 1};
    EXPECT_EQ(SwatchOf(color), (SwatchColor{c.byte, 0, c.byte})) << c.c;
  }
}

TEST(MaterialRules, TrackbarsAndEditsFollowEachOther) {
  EXPECT_EQ(FactorPosition(0.8f), 80);
  EXPECT_EQ(FactorPosition(1.0f), 100);
  EXPECT_EQ(PowerPosition(12.9f), 12);
  EXPECT_EQ(FactorText(37), "0.370000");
  EXPECT_EQ(PowerText(37), "37.000000");
  EXPECT_EQ(FactorPositionOfText("0.5"), 50);
  EXPECT_EQ(PowerPositionOfText("12.9"), 12);
  EXPECT_EQ(FactorPositionOfText("abc"), 0);
}

TEST(MaterialRules, StoredValuesBeyondTheTrackbarsNeitherOverflowNorWrapBackwards) {
  const float huge = 1e30f;
  const float color[4] = {huge, -huge, std::nanf(""), 1};
  EXPECT_EQ(SwatchOf(color), (SwatchColor{255, 0, 0}));
  EXPECT_EQ(FactorPosition(huge), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(PowerPosition(-huge), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(FactorPositionOfText("1e300"), std::numeric_limits<int32_t>::max());
}

TEST(MaterialRules, ChosenTexturesInsideTheTextureFolderAreRelative) {
  const struct { const char* chosen; const char* stored; } cases[] = {
      {"/opt/prog/Texture/wood.bmp", "wood.bmp"},
      {"/opt/prog/TEXTURE/sub/wood.png", "sub/wood.png"},
      {"/img/wood.bmp", "/img/wood.bmp"},
      {"/opt/prog/Textures/wood.bmp", "/opt/prog/Textures/wood.bmp"},  // another folder
  };
  for (const auto& c : cases) EXPECT_EQ(TextureNameForChosenFile(c.chosen, "/opt/prog/"), c.stored) << c.chosen;
}

class MaterialListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Scene& scene = doc_.scene();
    testing::MakeAnimatedScene(scene, {"M"});
    for (const char* name : {"Material", "Gold", "Glass"}) {
      CMaterial material;
      material.m_name = name;
      scene.m_materials.push_back(material);
    }
    for (int32_t m : {0, 1, 2}) {
      CFace face;
      face.m_material = m;
      scene.m_models[0].m_faces.push_back(face);
    }
    doc_.UpdateAllViews(Change::kAppearance);
  }
  std::vector<int32_t> FaceMaterials() {
    std::vector<int32_t> out;
    for (const CFace& face : doc_.scene().m_models[0].m_faces) out.push_back(face.m_material);
    return out;
  }
  SilentInteraction ui_;
  CMotionDoc doc_{ui_};
  MaterialListModel list_{doc_};
};

TEST_F(MaterialListTest, DeletingRenumbersFacesAndKeepsTheLastMaterial) {
  ASSERT_EQ(list_.Rows().size(), 3u);
  EXPECT_EQ(list_.Rows()[0].swatch, (SwatchColor{204, 204, 204}));
  list_.Select(1);
  list_.DeleteSelected();
  EXPECT_EQ(FaceMaterials(), (std::vector<int32_t>{0, 1, 1}));
  ASSERT_EQ(list_.Rows().size(), 2u);
  list_.DeleteSelected();  // now the last one
  EXPECT_EQ(FaceMaterials(), (std::vector<int32_t>{0, 0, 0}));
  doc_.SetModifiedFlag(false);
  list_.Select(0);
  list_.DeleteSelected();  // the only material stays
  EXPECT_EQ(doc_.scene().m_materials.size(), 1u);
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(MaterialListTest, RenameAndDialogNamesNeverClash) {
  list_.Select(1);
  list_.BeginRename();
  EXPECT_FALSE(list_.EndRename("MATERIAL"));
  list_.BeginRename();
  EXPECT_TRUE(list_.EndRename("GOLD"));  // its own name in other case
  EXPECT_EQ(list_.Rows()[1].name, "GOLD");

  MaterialDialogValues values = *list_.DialogPreset();
  values.name = "glass";
  values.red = 1.2f;
  values.power = 12;
  list_.ApplyDialog(values);
  const CMaterial& gold = doc_.scene().m_materials[1];
  EXPECT_EQ(gold.m_name, "GOLD");  // the name stays, the rest is taken
  EXPECT_EQ(gold.m_color[0], 1.2f);
  EXPECT_EQ(gold.m_power, 12);
  EXPECT_EQ(gold.m_lighting.diffuse.r, 1.2f);
  EXPECT_EQ(list_.Rows()[1].swatch.r, 50);
  EXPECT_EQ(ui_.messages, (std::vector<std::string>(2, kSameNameMessage)));
}

TEST_F(MaterialListTest, ColourDialogTakesTheColourAndCancelStillModifies) {
  list_.Select(2);
  EXPECT_EQ(*list_.ColorDialogPreset(), (SwatchColor{204, 204, 204}));
  list_.OnColorDialogClosed(std::nullopt);
  EXPECT_TRUE(doc_.IsModified());
  list_.OnColorDialogClosed(SwatchColor{255, 0, 51});
  EXPECT_EQ(doc_.scene().m_materials[2].m_color[2], 0.2f);
  EXPECT_EQ(list_.Rows()[2].swatch, (SwatchColor{255, 0, 51}));
}

}  // namespace
}  // namespace qv
