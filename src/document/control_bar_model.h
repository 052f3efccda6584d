#pragma once
// The control bar's state without widgets: the X/Y/Z fields and boxes, the current- and
// last-frame fields, the frame-rate field, the slider with its key ticks and the playback timer.
// The desktop program mirrors it into its form and drives a timer with TimerPeriodMs(); the tests
// drive it directly. It is a view of the document and follows its changes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/motion_doc.h"

namespace qv {

// The timer period for a frame rate: (1 / fps) x 1000 milliseconds, truncated (30 -> 33, 60 -> 16,
// 1000 -> 1), at most the largest int32 (a tiny rate), at least 0.
int32_t TimerPeriodMs(float fps);
// A typed frame rate: the text read as a decimal number, 30 when that is not above 0 or not a
// finite float.
float ParseFrameRate(std::string_view text);
// The frame-rate list of the combo box, in order.
const std::vector<std::string>& FrameRateChoices();

class ControlBarModel : public DocumentView {
 public:
  // Attaches itself to the document, shows the document's values, X on and Y, Z off.
  explicit ControlBarModel(CMotionDoc& document);
  ~ControlBarModel() override;
  ControlBarModel(const ControlBarModel&) = delete;
  ControlBarModel& operator=(const ControlBarModel&) = delete;

  void OnUpdate(CMotionDoc& document, Change changes) override;

  // Field texts as shown; the desktop program writes what the user typed back into them before
  // calling the matching Commit.
  std::string xText, yText, zText;  // "%f"
  std::string currentFrameText;     // "%d"
  std::string lastFrameText;        // "%d"
  std::string fpsText;              // "%f" or a list entry
  int32_t sliderPosition = 0;
  int32_t sliderMaximum = 0;
  std::vector<int32_t> keyTicks;  // frames with a key in the selected model's current track

  bool TimerRunning() const { return timerRunning_; }
  int32_t TimerPeriod() const { return timerPeriodMs_; }
  // Called to redraw the viewport (a tick, the slider, typed values); may be empty.
  std::function<void()> redrawViewport;

  // One timer tick: the next frame (0 after the last), never skipping, never interpolating.
  void Tick();
  // The user moved the slider.
  void OnSliderMoved(int32_t position);
  // The current-frame field lost the focus: the slider and the current frame take the number;
  // playback stops.
  void CommitCurrentFrame();
  // The last-frame field lost the focus: below 0 the old value comes back; otherwise the frame
  // range changes (kLastFrame, modified).
  void CommitLastFrame();
  // One of the X, Y, Z fields lost the focus: the selected model's pose (position, rotation or
  // scale by the transform mode) takes the three values; without a selection they are added to
  // the camera's position or rotation. Recorded for undo; not marked modified. A value that is
  // not a finite float (nan, inf, 1e39) changes nothing: the fields show the values again.
  void CommitXYZ();
  // A click on the X (0), Y (1) or Z (2) box flips that axis; returns the new state.
  bool ToggleAxis(int32_t axis);
  // The frame-rate list's selection changed to `entry`: while playing the timer restarts with the
  // new period; the scene takes the rate; the document is marked modified.
  void OnFrameRateChosen(std::string_view entry);
  // The frame rate from a text (the list entry or the edit): the scene takes it and it is returned.
  float ReadFps(std::string_view text);

 private:
  void InitControlBar();
  void ShowCurrentFrame();
  void ShowXYZ(const CVector& v);
  void ShowForMode();
  void ShowKeyTicks();
  void StopPlayback();
  void StartPlayback();
  void Redraw() {
    if (redrawViewport) redrawViewport();
  }

  CMotionDoc& doc_;
  bool timerRunning_ = false;
  int32_t timerPeriodMs_ = 0;
};

}  // namespace qv
