#pragma once
// The frame-rate meter of the status bar, stepped by the viewport before each frame it draws.
//
// It measures over roughly one second's worth of frames at the document's frame rate (at most
// twice the last measured rate), and counts a pause longer than a second as one second.
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

class FrameRateMeter {
 public:
  // Counters to zero, base time = now (milliseconds of a monotonic clock).
  void Restart(uint32_t nowMs);
  // One frame at time `nowMs` with the document's frame rate; a newly measured rate, if any.
  std::optional<double> Step(uint32_t nowMs, float fps);

  double MeasuredRate() const { return m_measured; }

 private:
  uint32_t m_base = 0;
  uint32_t m_elapsed = 0;
  uint32_t m_frames = 0;
  uint32_t m_framesAtMeasure = 0;
  uint32_t m_elapsedAtMeasure = 0;
  double m_measured = 0;
  double m_cap = 0;
};

// "FPS %f", the status bar text for a measured rate.
std::string FrameRateText(double rate);
// Milliseconds of the monotonic clock, wrapping like a 32-bit tick count.
uint32_t MillisecondClock();

}  // namespace qv
