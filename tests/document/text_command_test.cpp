// The create-text command of the document: remembered values, history, change notice and modified flag.
#include <gtest/gtest.h>

#include "document/motion_doc.h"
#include "platform/font_catalog.h"
#include "support/change_recorder.h"

namespace qv {
namespace {

using testing::ChangeRecorder;

TEST(TextCommand, RemembersValuesClearsTheHistoryAndAlwaysNotifies) {
  if (!IsFamilyInstalled("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
  SilentInteraction ui;
  CMotionDoc doc(ui);
  ChangeRecorder views;
  doc.AddView(&views);
  Scene& scene = doc.scene();
  scene.m_undoStack.resize(2);
  scene.m_redoStack.resize(1);
  scene.m_currentFrame = 12;

  TextParameters p;
  p.fontName = "DejaVu Sans";
  EXPECT_FALSE(doc.CreateText(p));  // no text: nothing happens
  p.text = "Q";
  p.fontName = "";
  EXPECT_FALSE(doc.CreateText(p));  // no font name either
  EXPECT_TRUE(scene.m_models.empty());
  EXPECT_EQ(doc.m_textDefaults.fontName, "メイリオ");
  EXPECT_EQ(scene.m_currentFrame, 12);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(views.notices, (std::vector<Change>{Change::kModels, Change::kModels}));

  p.fontName = "DejaVu Sans";
  p.fontSize = 42.0f;
  p.thickness = 7.0f;
  p.subdivisions = 3;
  p.weight = 700;
  p.kerning = false;
  p.tracking = -40;
  EXPECT_TRUE(doc.CreateText(p));
  EXPECT_EQ(scene.m_models.size(), 1u);
  const TextParameters& last = doc.m_textDefaults;
  EXPECT_EQ(last.fontName, "DejaVu Sans");
  EXPECT_EQ(last.fontSize, 42.0f);
  EXPECT_EQ(last.thickness, 7.0f);
  EXPECT_EQ(last.subdivisions, 3);
  EXPECT_EQ(last.weight, 700);
  EXPECT_FALSE(last.kerning);
  EXPECT_EQ(last.tracking, -40);
  EXPECT_TRUE(last.text.empty());  // the text is never remembered
  EXPECT_TRUE(scene.m_undoStack.empty());
  EXPECT_TRUE(scene.m_redoStack.empty());
  EXPECT_EQ(scene.m_currentFrame, 0);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(views.notices.size(), 3u);
}

TEST(TextCommand, JapaneseSansSerifFamilyIsAnInstalledFaceForJapaneseText) {
  const std::string family = JapaneseSansSerifFamily();
  if (family.empty()) GTEST_SKIP() << "no outline font is installed";
  EXPECT_TRUE(IsFamilyInstalled(family)) << family;
  const FontChoice chosen = ChooseFont(family, 400, U"日本語");
  EXPECT_FALSE(chosen.substituted) << family;
  EXPECT_EQ(chosen.family, family);
}

TEST(TextCommand, DialogPresetStandsInAnInstalledFamilyAndRemembersIt) {
  const std::string japanese = JapaneseSansSerifFamily();
  if (japanese.empty()) GTEST_SKIP() << "no outline font is installed";
  struct Case {
    const char* remembered;
    bool installed;
  };
  const Case cases[] = {{"No Such Family Qv", false}, {"メイリオ", IsFamilyInstalled("メイリオ")},
                        {"DejaVu Sans", IsFamilyInstalled("DejaVu Sans")}, {"", false}};
  for (const Case& c : cases) {
    SilentInteraction ui;
    CMotionDoc doc(ui);
    doc.m_textDefaults.fontName = c.remembered;
    doc.m_textDefaults.text = "left over";
    doc.m_textDefaults.subdivisions = 7;
    const TextParameters preset = doc.TextDialogPreset();
    const std::string expected = c.installed ? c.remembered : japanese;
    EXPECT_EQ(preset.fontName, expected) << c.remembered;
    EXPECT_EQ(doc.m_textDefaults.fontName, expected) << c.remembered;  // remembered for next time
    EXPECT_TRUE(preset.text.empty());
    EXPECT_EQ(preset.subdivisions, 7);
    EXPECT_TRUE(ui.messages.empty());
  }
}

TEST(TextCommand, TextMadeWithTheStartUpPresetNeedsNoStandIn) {
  if (JapaneseSansSerifFamily().empty()) GTEST_SKIP() << "no outline font is installed";
  SilentInteraction ui;
  CMotionDoc doc(ui);
  TextParameters p = doc.TextDialogPreset();
  p.text = "ロゴ";
  ASSERT_TRUE(doc.CreateText(p));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();  // no font-substitution message
}

}  // namespace
}  // namespace qv
