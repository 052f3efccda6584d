#include "document/control_bar_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "animation/frame_editing.h"
#include "animation/undo.h"
#include "geometry/string_separator.h"
#include "viewport/camera.h"
#include "viewport/current_pose.h"
#include "viewport/viewport_mouse.h"

namespace qv {

namespace {

std::string FormatFloat(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return text;
}

std::string FormatInt(int32_t value) { return std::to_string(value); }

constexpr float kDefaultFrameRate = 30.0f;

}  // namespace

int32_t TimerPeriodMs(float fps) {
  const float period = (1.0f / fps) * 1000.0f;
  // A rate so small that its period passes the timer's range (0.0000001 typed in the list) waits
  // as long as a timer can, some 24 days, rather than overflowing the conversion.
  if (std::isnan(period) || period >= 2147483648.0f) return std::numeric_limits<int32_t>::max();
  if (period <= 0.0f) return 0;
  return static_cast<int32_t>(period);
}

float ParseFrameRate(std::string_view text) {
  const double value = ParseDouble(text);
  // NaN fails the test too; inf and rates beyond float mean nothing either.
  return value > 0.0 && value <= std::numeric_limits<float>::max() ? static_cast<float>(value) : kDefaultFrameRate;
}

const std::vector<std::string>& FrameRateChoices() {
  static const std::vector<std::string> kChoices{"1", "5", "10", "15", "30", "60", "100", "1000"};
  return kChoices;
}

ControlBarModel::ControlBarModel(CMotionDoc& document) : doc_(document) {
  Scene& scene = doc_.scene();
  // First shown: X on, Y and Z off.
  scene.m_axisEnabledX = 1;
  scene.m_axisEnabledY = 0;
  scene.m_axisEnabledZ = 0;
  InitControlBar();
  ShowCurrentFrame();
  ShowForMode();
  doc_.AddView(this);
}

ControlBarModel::~ControlBarModel() {
  StopPlayback();
  doc_.RemoveView(this);
}

void ControlBarModel::InitControlBar() {
  const Scene& scene = doc_.scene();
  lastFrameText = FormatInt(scene.m_lastFrame);
  sliderPosition = 0;
  keyTicks.clear();
  sliderMaximum = scene.m_lastFrame;
  fpsText = FormatFloat(scene.m_fps);
}

void ControlBarModel::ShowCurrentFrame() {
  currentFrameText = FormatInt(doc_.scene().m_currentFrame);
  sliderPosition = doc_.scene().m_currentFrame;
}

void ControlBarModel::ShowXYZ(const CVector& v) {
  xText = FormatFloat(v.x);
  yText = FormatFloat(v.y);
  zText = FormatFloat(v.z);
}

void ControlBarModel::ShowForMode() {
  static constexpr ShownKind kKinds[] = {ShownKind::kPosition, ShownKind::kRotation, ShownKind::kScale};
  const int32_t mode = doc_.scene().m_transformMode;
  ShowXYZ(ShownValue(doc_.scene(), kKinds[mode >= 0 && mode <= 2 ? mode : 0]));
}

void ControlBarModel::ShowKeyTicks() {
  keyTicks.clear();
  Scene& scene = doc_.scene();
  const CModel* model = scene.SelectedModel();
  if (!model) return;
  const int32_t animation = scene.m_currentAnimation;
  if (animation < 0 || animation >= static_cast<int32_t>(model->m_tracks.size())) return;
  const Track& track = model->m_tracks[animation];
  for (size_t f = 0; f < track.size(); ++f)
    if (track[f].m_key == 1) keyTicks.push_back(static_cast<int32_t>(f));
}

void ControlBarModel::StopPlayback() {
  timerRunning_ = false;
  doc_.m_playing = false;
}

void ControlBarModel::StartPlayback() {
  timerPeriodMs_ = TimerPeriodMs(ReadFps(fpsText));
  timerRunning_ = true;
  doc_.m_playing = true;
}

void ControlBarModel::OnUpdate(CMotionDoc&, Change changes) {
  Scene& scene = doc_.scene();
  if (Has(changes, Change::kDocument)) InitControlBar();
  if (Has(changes, Change::kModels)) {
    // Other models: their animation is shown from its start.
    scene.m_currentFrame = 0;
    ShowCurrentFrame();
    ShowForMode();
    StopPlayback();
  }
  if (Has(changes, Change::kHierarchy)) {
    ShowForMode();
    StopPlayback();
  }
  if (Has(changes, Change::kCamera | Change::kSettings | Change::kUndo)) {
    ShowCurrentFrame();
    ShowKeyTicks();
  }
  if (Has(changes, Change::kLastFrame)) {
    ShowCurrentFrame();
    int32_t last = 60;
    if (!scene.m_models.empty()) {
      const CModel& first = scene.m_models[0];
      const int32_t animation = scene.m_currentAnimation;
      if (animation >= 0 && animation < static_cast<int32_t>(first.m_tracks.size()))
        last = static_cast<int32_t>(first.m_tracks[animation].size()) - 1;
    }
    lastFrameText = FormatInt(last);
    const int32_t remembered = sliderPosition;
    if (ApplyLastFrame(scene, last)) {
      sliderMaximum = last;
      sliderPosition = std::min(remembered, last);
    }
    ShowKeyTicks();
  }
  if (Has(changes, Change::kTransformMode)) {
    static constexpr ShownKind kShownOfMode[] = {ShownKind::kPosition, ShownKind::kRotation, ShownKind::kScale};
    const int32_t mode = scene.m_transformMode;
    if (mode >= kTransformMove && mode <= kTransformScale) ShowXYZ(ShownValue(scene, kShownOfMode[mode]));
  }
  if (Has(changes, Change::kSelection)) {
    ShowForMode();
    ShowKeyTicks();
  }
  if (Has(changes, Change::kPoses)) ShowKeyTicks();
  if (Has(changes, Change::kFrames)) {
    InitControlBar();
    ShowKeyTicks();
  }
  if (Has(changes, Change::kCurrentFrame)) {
    StopPlayback();
    ShowCurrentFrame();
    ShowForMode();
  }
  if (Has(changes, Change::kPlaybackStarted)) StartPlayback();
  if (Has(changes, Change::kPlaybackStopped)) StopPlayback();
  if (Has(changes, Change::kCameraView)) {
    // A camera view was chosen: the fields show the position (of the selected pose, or the
    // camera's).
    ShowXYZ(ShownValue(scene, ShownKind::kPosition));
  }
}

void ControlBarModel::Tick() {
  Scene& scene = doc_.scene();
  const int32_t next = scene.m_currentFrame + 1;
  scene.m_currentFrame = next > scene.m_lastFrame ? 0 : next;
  ShowCurrentFrame();
  ShowForMode();
  Redraw();
}

void ControlBarModel::OnSliderMoved(int32_t position) {
  doc_.scene().m_currentFrame = position;
  sliderPosition = position;
  currentFrameText = FormatInt(position);
  ShowForMode();
  Redraw();
}

void ControlBarModel::CommitCurrentFrame() {
  // Digits only: the field never holds a sign. The slider keeps within its range.
  const int32_t typed = std::clamp(ParseInt(currentFrameText), 0, std::max(sliderMaximum, 0));
  sliderPosition = typed;
  doc_.scene().m_currentFrame = typed;
  StopPlayback();
  ShowForMode();
  Redraw();
}

void ControlBarModel::CommitLastFrame() {
  const int32_t n = ParseInt(lastFrameText);
  if (n < 0) {
    lastFrameText = FormatInt(doc_.scene().m_lastFrame);
    return;
  }
  const int32_t remembered = sliderPosition;
  if (!doc_.SetLastFrame(n)) {  // beyond the largest frame count: refused, shown as it was
    lastFrameText = FormatInt(doc_.scene().m_lastFrame);
    return;
  }
  sliderMaximum = n;
  sliderPosition = std::min(remembered, n);
  ShowKeyTicks();
}

void ControlBarModel::CommitXYZ() {
  Scene& scene = doc_.scene();
  const double x = ParseDouble(xText), y = ParseDouble(yText), z = ParseDouble(zText);
  // nan, inf or a value beyond float: refused, the fields show the values again.
  for (double v : {x, y, z})
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) {
      ShowForMode();
      return;
    }
  RecordUndoSelected(scene);
  const CVector typed{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
  CAnimation* pose = nullptr;
  if (CModel* model = scene.SelectedModel()) pose = CurrentPoseOf(scene, *model);
  CAnimation& camera = CameraPose(scene);
  switch (scene.m_transformMode) {
    case 0:
      if (scene.HasValidSelection()) {
        if (pose) pose->m_position = typed;
      } else {
        camera.m_position = camera.m_position + typed;  // offsets, not values
      }
      break;
    case 1:
      if (scene.HasValidSelection()) {
        if (pose) pose->m_rotation = typed;
      } else {
        camera.m_rotation = camera.m_rotation + typed;
      }
      ShowXYZ(ShownValue(scene, ShownKind::kRotation));
      break;
    case 2:
      if (pose) pose->m_scale = typed;  // no lower limit here, unlike the mouse
      break;
    default: break;
  }
  Redraw();
}

bool ControlBarModel::ToggleAxis(int32_t axis) {
  Scene& scene = doc_.scene();
  int32_t* flags[] = {&scene.m_axisEnabledX, &scene.m_axisEnabledY, &scene.m_axisEnabledZ};
  if (axis < 0 || axis > 2) return false;
  *flags[axis] = *flags[axis] ? 0 : 1;
  return *flags[axis] != 0;
}

float ControlBarModel::ReadFps(std::string_view text) {
  const float fps = ParseFrameRate(text);
  doc_.scene().m_fps = fps;
  return fps;
}

void ControlBarModel::OnFrameRateChosen(std::string_view entry) {
  fpsText = std::string(entry);
  if (timerRunning_) {
    timerPeriodMs_ = TimerPeriodMs(ReadFps(entry));
  } else {
    StopPlayback();
    ReadFps(fpsText);
  }
  doc_.SetModifiedFlag();
}

}  // namespace qv
