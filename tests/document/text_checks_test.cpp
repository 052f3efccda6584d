// The bevel's rules, shared by the create-text dialog, the document and the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "document/motion_doc.h"
#include "document/text_checks.h"
#include "platform/font_catalog.h"

namespace qv {
namespace {

struct BevelCase {
  const char* name;
  float width, depth;
  int32_t segments;
  float thickness;
  const char* message;  // null: taken
};

const float kNaN = std::numeric_limits<float>::quiet_NaN();

const BevelCase kBevelCases[] = {
    {"no bevel", 0, 0, 4, 50, nullptr},
    {"usual bevel", 2, 3, 4, 50, nullptr},
    {"depth exactly half", 2, 25, 4, 50, nullptr},
    {"one step", 2, 3, 1, 50, nullptr},
    {"most steps", 2, 3, 32, 50, nullptr},
    {"depth half of the least slab", 1, 0.5f, 4, 0, nullptr},  // thickness 0 is made as 1
    {"negative width", -1, 3, 4, 50, kBevelWidthNegativeMessage},
    {"width not a number", kNaN, 3, 4, 50, kBevelWidthNegativeMessage},
    {"negative width before anything else", -1, -1, 0, 50, kBevelWidthNegativeMessage},
    {"negative depth", 2, -0.5f, 4, 50, kBevelDepthNegativeMessage},
    {"depth not a number", 2, kNaN, 4, 50, kBevelDepthNegativeMessage},
    {"depth past half", 2, 25.01f, 4, 50, kBevelDepthTooDeepMessage},
    {"depth past half of the least slab", 1, 0.6f, 4, -3, kBevelDepthTooDeepMessage},
    {"depth past half without a width", 0, 30, 4, 50, kBevelDepthTooDeepMessage},
    {"no steps", 2, 3, 0, 50, kBevelSegmentsMessage},
    {"negative steps", 2, 3, -4, 50, kBevelSegmentsMessage},
    {"too many steps", 2, 3, 33, 50, kBevelSegmentsMessage},
};

TEST(CheckBevel, TakesWhatCanBeMadeAndNamesTheFirstBrokenRule) {
  for (const BevelCase& c : kBevelCases) {
    TextParameters p;
    p.thickness = c.thickness;
    p.bevel = {c.width, c.depth, c.segments, BevelShape::kRound};
    const std::string_view said = CheckBevel(p);
    if (c.message) {
      EXPECT_EQ(said, c.message) << c.name;
    } else {
      EXPECT_TRUE(said.empty()) << c.name << ": " << said;
    }
    p.bevel.shape = BevelShape::kChamfer;  // the shape has no rule
    EXPECT_EQ(CheckBevel(p), said) << c.name;
  }
}

TEST(CheckBevel, TheCreateTextCommandRefusesWithTheMessageAndRemembersNothing) {
  if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  SilentInteraction ui;
  CMotionDoc doc(ui);
  TextParameters p;
  p.fontName = "DejaVu Sans";
  p.text = "Qv";
  p.thickness = 10;
  p.bevel = {2, 6, 4, BevelShape::kRound};  // deeper than half the slab
  EXPECT_FALSE(doc.CreateText(p));
  EXPECT_TRUE(doc.scene().m_models.empty());
  EXPECT_TRUE(doc.scene().m_materials.empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(ui.messages, std::vector<std::string>{kBevelDepthTooDeepMessage});
  EXPECT_EQ(doc.m_textDefaults.thickness, 50.0f);  // the start-up values stay
  EXPECT_EQ(doc.m_textDefaults.bevel.depth, 0.0f);

  p.bevel.depth = 5;
  p.bevel.shape = BevelShape::kChamfer;
  p.kerning = false;
  p.tracking = -25;
  EXPECT_TRUE(doc.CreateText(p));
  EXPECT_EQ(doc.scene().m_models.size(), 1u);
  const TextParameters& kept = doc.m_textDefaults;
  EXPECT_EQ(kept.bevel.width, 2.0f);
  EXPECT_EQ(kept.bevel.depth, 5.0f);
  EXPECT_EQ(kept.bevel.segments, 4);
  EXPECT_EQ(kept.bevel.shape, BevelShape::kChamfer);
  EXPECT_FALSE(kept.kerning);
  EXPECT_EQ(kept.tracking, -25);
  // The dialog opens with them again.
  const TextParameters preset = doc.TextDialogPreset();
  EXPECT_EQ(preset.bevel.depth, 5.0f);
  EXPECT_EQ(preset.tracking, -25);
  EXPECT_TRUE(preset.text.empty());
}

}  // namespace
}  // namespace qv
