// The control bar without widgets: timer period, frame-rate text, navigation and playback,
// the last-frame, current-frame and X/Y/Z fields, axis boxes and key ticks.
#include <gtest/gtest.h>

#include <limits>

#include "document/command_ids.h"
#include "document/control_bar_model.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

TEST(ControlBarRules, TimerPeriodIsThePeriodInWholeMilliseconds) {
  const struct { float fps; int32_t period; } cases[] = {{30, 33}, {60, 16}, {1000, 1}, {1, 1000}, {15, 66}, {24, 41}};
  for (const auto& c : cases) EXPECT_EQ(TimerPeriodMs(c.fps), c.period) << c.fps;
}

TEST(ControlBarRules, TimerPeriodOfATinyRateIsTheLongestTimerNotAnOverflow) {
  constexpr int32_t kLongest = std::numeric_limits<int32_t>::max();
  const struct { float fps; int32_t period; } cases[] = {
      {0.0000001f, kLongest}, {1e-30f, kLongest}, {1e-45f, kLongest},
      {0x1p-10f, 1024000},    {0x1p-21f, 2097152000}, {0x1p-22f, kLongest},
      {std::numeric_limits<float>::quiet_NaN(), kLongest},
      {-5.0f, 0},             {std::numeric_limits<float>::infinity(), 0}};
  for (const auto& c : cases) EXPECT_EQ(TimerPeriodMs(c.fps), c.period) << c.fps;
}

TEST(ControlBarRules, FrameRateTextThatIsNoPositiveNumberIsThirty) {
  const struct { const char* text; float fps; } cases[] = {
      {"0", 30}, {"-5", 30}, {"abc", 30}, {"", 30}, {"24", 24}, {"29.97", 29.97f}, {"60.000000", 60}, {"12fps", 12}};
  for (const auto& c : cases) EXPECT_EQ(ParseFrameRate(c.text), c.fps) << c.text;
}

TEST(ControlBarRules, FrameRateTextThatIsNoFiniteFloatIsThirty) {
  for (const char* text : {"inf", "INFINITY", "nan", "-nan", "1e39", "1e400"}) EXPECT_EQ(ParseFrameRate(text), 30) << text;
  EXPECT_EQ(ParseFrameRate("3e38"), 3e38f);
}

class ControlBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::MakeAnimatedScene(doc_.scene(), {"A", "B"}, 60);
    doc_.UpdateAllViews(Change::kDocument);
  }
  Scene& scene() { return doc_.scene(); }
  SilentInteraction ui_;
  CMotionDoc doc_{ui_};
  ControlBarModel bar_{doc_};
};

TEST_F(ControlBarTest, NavigationWrapsStopsPlaybackAndNeverModifies) {
  struct Step { void (CMotionDoc::*command)(); int32_t from, to; };
  const Step steps[] = {{&CMotionDoc::OnNextFrame, 60, 0},     {&CMotionDoc::OnNextFrame, 5, 6},
                        {&CMotionDoc::OnPreviousFrame, 0, 60}, {&CMotionDoc::OnPreviousFrame, 6, 5},
                        {&CMotionDoc::OnFirstFrame, 33, 0},    {&CMotionDoc::OnLastFrame, 3, 60}};
  for (const Step& s : steps) {
    doc_.OnPlay();
    ASSERT_TRUE(bar_.TimerRunning());
    scene().m_currentFrame = s.from;
    (doc_.*s.command)();
    EXPECT_EQ(scene().m_currentFrame, s.to) << s.from;
    EXPECT_EQ(bar_.currentFrameText, std::to_string(s.to));
    EXPECT_EQ(bar_.sliderPosition, s.to);
    EXPECT_FALSE(bar_.TimerRunning());
    EXPECT_FALSE(doc_.m_playing);
  }
  EXPECT_FALSE(doc_.IsModified());
}

TEST_F(ControlBarTest, PlayTicksLoopWithoutSkippingUntilStopped) {
  bar_.fpsText = "60";
  scene().m_currentFrame = 59;
  int redraws = 0;
  bar_.redrawViewport = [&] { ++redraws; };
  doc_.OnPlay();
  EXPECT_TRUE(doc_.m_playing);
  EXPECT_EQ(bar_.TimerPeriod(), 16);
  EXPECT_EQ(scene().m_fps, 60.0f);
  std::vector<int32_t> frames;
  for (int i = 0; i < 3; ++i) {
    bar_.Tick();
    frames.push_back(scene().m_currentFrame);
  }
  EXPECT_EQ(frames, (std::vector<int32_t>{60, 0, 1}));
  EXPECT_EQ(redraws, 3);
  doc_.OnStop();
  EXPECT_FALSE(bar_.TimerRunning());
  EXPECT_FALSE(doc_.m_playing);
  EXPECT_FALSE(doc_.IsModified());

  bar_.OnFrameRateChosen("1000");  // stopped: the rate is taken, the document is modified
  EXPECT_EQ(scene().m_fps, 1000.0f);
  EXPECT_FALSE(bar_.TimerRunning());
  EXPECT_TRUE(doc_.IsModified());
  doc_.OnPlay();
  bar_.OnFrameRateChosen("5");  // playing: the timer restarts with the new period
  EXPECT_EQ(bar_.TimerPeriod(), 200);
}

TEST_F(ControlBarTest, PlayingAtATypedTinyRateStartsTheLongestTimer) {
  bar_.fpsText = "0.0000001";
  doc_.OnPlay();
  ASSERT_TRUE(bar_.TimerRunning());
  EXPECT_EQ(bar_.TimerPeriod(), std::numeric_limits<int32_t>::max());
  EXPECT_FLOAT_EQ(scene().m_fps, 0.0000001f);  // the rate is taken as typed
  bar_.OnFrameRateChosen("0.00000000000000000001");  // changed while playing
  EXPECT_EQ(bar_.TimerPeriod(), std::numeric_limits<int32_t>::max());
}

TEST_F(ControlBarTest, LastFrameFieldRestoresNegativesAndRefitsTracks) {
  bar_.lastFrameText = "-1";
  bar_.CommitLastFrame();
  EXPECT_EQ(bar_.lastFrameText, "60");
  EXPECT_EQ(scene().m_lastFrame, 60);
  EXPECT_FALSE(doc_.IsModified());

  bar_.lastFrameText = "30";
  bar_.CommitLastFrame();
  EXPECT_EQ(scene().m_lastFrame, 30);
  EXPECT_EQ(scene().m_previousLastFrame, 30);  // the change's second application, as the bar does
  EXPECT_EQ(testing::CurrentTrack(scene(), 1).size(), 31u);
  EXPECT_EQ(bar_.sliderMaximum, 30);
  EXPECT_TRUE(doc_.IsModified());

  bar_.lastFrameText = "0";
  bar_.CommitLastFrame();
  EXPECT_EQ(testing::CurrentTrack(scene(), 0).size(), 1u);
}

TEST_F(ControlBarTest, XyzFieldsSetThePoseOrOffsetTheCamera) {
  const CVector camera = scene().m_cameras[0].m_position;
  bar_.xText = "10";
  bar_.yText = "0";
  bar_.zText = "0";
  bar_.CommitXYZ();  // no selection, move mode: an offset of the camera
  EXPECT_EQ(scene().m_cameras[0].m_position, camera + CVector(10, 0, 0));

  scene().m_selectedModel = 1;
  scene().m_currentFrame = 4;
  struct Case { TransformMode mode; const char *x, *y, *z; CVector CAnimation::*field; CVector expected; };
  const Case cases[] = {{kTransformMove, "1.5", "-2", "3", &CAnimation::m_position, {1.5f, -2, 3}},
                        {kTransformRotate, "90", "0", "45", &CAnimation::m_rotation, {90, 0, 45}},
                        {kTransformScale, "0.001", "2", "1", &CAnimation::m_scale, {0.001f, 2, 1}}};  // no lower limit
  for (const Case& c : cases) {
    doc_.OnTransformMode(c.mode);
    bar_.xText = c.x;
    bar_.yText = c.y;
    bar_.zText = c.z;
    bar_.CommitXYZ();
    EXPECT_EQ(testing::CurrentTrack(scene(), 1)[4].*c.field, c.expected) << c.mode;
  }
  EXPECT_EQ(scene().m_undoStack.size(), 3u);
  EXPECT_FALSE(doc_.IsModified());
}

// A value no float holds changes nothing, neither the pose nor the camera nor the undo list; the
// fields show the values again.
TEST_F(ControlBarTest, XyzFieldsRefuseValuesNoFloatHolds) {
  const CVector camera = scene().m_cameras[0].m_position, cameraTurn = scene().m_cameras[0].m_rotation;
  for (int selected : {-1, 1})
    for (TransformMode mode : {kTransformMove, kTransformRotate, kTransformScale}) {
      scene().m_selectedModel = selected;
      scene().m_currentFrame = 4;
      doc_.OnTransformMode(mode);
      const CAnimation pose = testing::CurrentTrack(scene(), 1)[4];
      const size_t undo = scene().m_undoStack.size();
      for (const char* text : {"nan", "inf", "-inf", "1e39", "-1e39", "1e400"}) {
        SCOPED_TRACE(std::string(text) + " mode " + std::to_string(mode) + " selected " + std::to_string(selected));
        bar_.xText = "1";
        bar_.yText = text;
        bar_.zText = "2";
        bar_.CommitXYZ();
        const CAnimation& after = testing::CurrentTrack(scene(), 1)[4];
        EXPECT_EQ(after.m_position, pose.m_position);
        EXPECT_EQ(after.m_rotation, pose.m_rotation);
        EXPECT_EQ(after.m_scale, pose.m_scale);
        EXPECT_EQ(scene().m_cameras[0].m_position, camera);
        EXPECT_EQ(scene().m_cameras[0].m_rotation, cameraTurn);
        EXPECT_EQ(scene().m_undoStack.size(), undo);
        EXPECT_NE(bar_.yText, text);
      }
    }
}

TEST_F(ControlBarTest, AxisBoxesKeyTicksAndCameraViews) {
  EXPECT_FALSE(bar_.ToggleAxis(0));
  EXPECT_TRUE(bar_.ToggleAxis(2));
  EXPECT_EQ(scene().m_axisEnabledX, 0);
  EXPECT_EQ(scene().m_axisEnabledZ, 1);

  scene().m_selectedModel = 0;
  scene().m_currentFrame = 12;
  doc_.OnAddKey(false);
  EXPECT_EQ(bar_.keyTicks, (std::vector<int32_t>{0, 12}));
  doc_.OnMouseMode(kMouseCamera);  // the camera mode lets go of the selection: no ticks
  EXPECT_TRUE(bar_.keyTicks.empty());

  scene().m_cameras[0].m_position = {5, 6, -900};
  doc_.OnCameraView(CameraView::kTop);
  EXPECT_EQ(scene().m_cameras[0].m_rotation, CVector(90, 0, 0));
  EXPECT_EQ(bar_.xText, "0.000000");
  EXPECT_EQ(bar_.yText, "0.000000");
  EXPECT_EQ(bar_.zText, "-900.000000");
}

}  // namespace
}  // namespace qv
