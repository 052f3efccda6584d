// The commands around the panes: dropped files, the recent-file list, the settings dialog,
// camera, follow, shading and background (the bar toggles are in command_table_test).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/frame_state.h"
#include "document/motion_doc.h"
#include "support/animated_scene.h"
#include "support/change_recorder.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

using testing::ChangeRecorder;

const std::string kMqo = std::string(QV_TEST_DATA_DIR) + "/mqo/single_object_with_bvertex.mqo";

class ShellCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc_.AddView(&views_);
  }
  // A copy of the fixture under another name.
  std::string CopyAs(const std::string& name) {
    const std::string path = folder_ + "/" + name;
    std::filesystem::copy_file(kMqo, path, std::filesystem::copy_options::overwrite_existing);
    return path;
  }
  const testing::ScratchFolder scratch_{"qv shell"};
  const std::string folder_ = scratch_.path().string();
  SilentInteraction ui_;
  CMotionDoc doc_{ui_};
  ChangeRecorder views_;
};

TEST_F(ShellCommandsTest, DroppedModelFilesImportEachAndOthersAreIgnored) {
  doc_.OnDropFiles({CopyAs("a.mqo"), CopyAs("b.MQO"), CopyAs("mqo"), folder_ + "/notes.txt"});
  EXPECT_EQ(doc_.scene().m_models.size(), 3u);
  EXPECT_EQ(views_.notices, (std::vector<Change>(3, Change::kModels)));
  EXPECT_TRUE(doc_.IsModified());
}

TEST_F(ShellCommandsTest, ADroppedDocumentOpensAndEndsTheDrop) {
  Scene stored;
  testing::MakeAnimatedScene(stored, {"Q"}, 20);
  CMotionDoc writer(ui_, stored);
  const std::string path = folder_ + "/logo.QVLOGO";
  ASSERT_TRUE(writer.DoStore(path));
  doc_.SetModifiedFlag();  // no question about saving on this route
  doc_.OnDropFiles({path, CopyAs("after.mqo")});
  EXPECT_EQ(doc_.path(), path);
  ASSERT_EQ(doc_.scene().m_models.size(), 1u);  // the model file after it is ignored
  EXPECT_EQ(doc_.scene().m_lastFrame, 20);
  EXPECT_EQ(views_.notices, std::vector<Change>{Change::kDocument | Change::kModels});
  EXPECT_EQ(doc_.m_recentFiles.Entries(), std::vector<std::string>{path});
}

class MapSettings : public SettingsStore {
 public:
  std::optional<std::string> Read(const std::string& section, const std::string& name) const override {
    auto it = values.find(section + "/" + name);
    return it == values.end() ? std::nullopt : std::optional(it->second);
  }
  void Write(const std::string& section, const std::string& name, const std::string& value) override {
    values[section + "/" + name] = value;
  }
  void Remove(const std::string& section, const std::string& name) override { values.erase(section + "/" + name); }
  std::map<std::string, std::string> values;
};

TEST(RecentFiles, FourMostRecentFirstKeptInTheSettings) {
  MapSettings settings;
  settings.values = {{"Recent File List/File1", "/a.qvlogo"}, {"Recent File List/File2", ""},
                     {"Recent File List/File3", "/b.qvlogo"}};
  RecentFileList list;
  list.Load(settings);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/a.qvlogo", "/b.qvlogo"}));
  for (const char* path : {"/c.qvlogo", "/d.qvlogo", "/a.qvlogo", "/e.qvlogo"}) list.Add(path);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e.qvlogo", "/a.qvlogo", "/d.qvlogo", "/c.qvlogo"}));
  list.Add("/A.qvlogo");  // another file on this system
  EXPECT_EQ(list.Entries().size(), 4u);
  list.Save(settings);
  EXPECT_EQ(settings.values,
            (std::map<std::string, std::string>{{"Recent File List/File1", "/A.qvlogo"},
                                                {"Recent File List/File2", "/e.qvlogo"},
                                                {"Recent File List/File3", "/a.qvlogo"},
                                                {"Recent File List/File4", "/d.qvlogo"}}));
  list.Remove("/e.qvlogo");
  list.Save(settings);
  EXPECT_FALSE(settings.Read(RecentFileList::kSection, "File4"));
}

TEST(SettingsDialog, FieldOfViewIsAWholeNumberWithinTheTrackbar) {
  const struct { float stored; int32_t shown; } cases[] = {
      {20.7f, 20}, {150, 150}, {0.5f, 1}, {175.9f, 175}, {400, 175}, {-3, 1}, {NAN, 1}};
  for (const auto& c : cases) {
    Scene scene;
    scene.m_fieldOfView = c.stored;
    EXPECT_EQ(PresetSettings(scene).fieldOfView, c.shown) << c.stored;
  }
}

TEST_F(ShellCommandsTest, SettingsOkAppliesAndCancelOnlyNotifies) {
  Scene& scene = doc_.scene();
  scene.m_fieldOfView = 20.7f;
  EXPECT_EQ(PresetSettings(scene), (SettingsDialogValues{800, 600, 20, 89.5f}));  // no models: 89.5
  doc_.OnSettingsDialogClosed(std::nullopt);
  EXPECT_EQ(scene.m_fieldOfView, 20.7f);
  EXPECT_FALSE(doc_.IsModified());

  testing::MakeAnimatedScene(scene, {"A", "B"});
  scene.m_models[0].m_smoothingAngle = 30;
  SettingsDialogValues values = PresetSettings(scene);
  EXPECT_EQ(values.smoothingAngle, 30);
  values.canvasWidth = 0;  // accepted as typed
  values.canvasHeight = -4;
  values.smoothingAngle = 45;
  doc_.OnSettingsDialogClosed(values);
  EXPECT_EQ(scene.m_fieldOfView, 20.0f);  // whole degrees after OK
  EXPECT_EQ(scene.m_canvasWidth, 0);
  EXPECT_EQ(scene.m_canvasHeight, -4);
  for (const CModel& model : scene.m_models) EXPECT_EQ(model.m_smoothingAngle, 45);
  EXPECT_TRUE(doc_.IsModified());
  EXPECT_EQ(views_.notices, (std::vector<Change>{Change::kSettings, Change::kSettings | Change::kGeometry}));
}

TEST_F(ShellCommandsTest, ViewCommandsChangeTheViewOnly) {
  Scene& scene = doc_.scene();
  struct Case { void (CMotionDoc::*command)(); Change notice; CommandId checkedCommand; bool checked; };
  const Case cases[] = {{&CMotionDoc::OnToggleFollow, Change::kFollow, CommandId::kFollowModel, true},
                        {&CMotionDoc::OnToggleFollow, Change::kFollow, CommandId::kFollowModel, false},
                        {&CMotionDoc::OnToggleSmoothShading, Change::kAppearance, CommandId::kSmoothShading, false},
                        {&CMotionDoc::OnToggleSmoothShading, Change::kAppearance, CommandId::kSmoothShading, true},
                        {&CMotionDoc::OnResetCamera, Change::kCamera, CommandId::kResetCamera, false}};
  for (const Case& c : cases) {
    (doc_.*c.command)();
    EXPECT_EQ(views_.notices.back(), c.notice);
    EXPECT_EQ(IsCommandChecked(c.checkedCommand, doc_), c.checked) << int(c.checkedCommand);
  }
  scene.m_smoothShading = 7;  // any other value counts as off
  doc_.OnToggleSmoothShading();
  EXPECT_EQ(scene.m_smoothShading, 1);
  EXPECT_FALSE(doc_.IsModified());

  doc_.SetBackgroundColor(0x00112233);
  EXPECT_EQ(scene.m_backgroundColor, 0x00112233u);
  EXPECT_EQ(views_.notices.back(), Change::kAppearance);
  EXPECT_TRUE(doc_.IsModified());
}

}  // namespace
}  // namespace qv
