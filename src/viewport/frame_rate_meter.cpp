#include "viewport/frame_rate_meter.h"

#include <chrono>
#include <cstdio>

namespace qv {

void FrameRateMeter::Restart(uint32_t nowMs) { *this = FrameRateMeter{}; m_base = nowMs; }

std::optional<double> FrameRateMeter::Step(uint32_t nowMs, float fps) {
  ++m_frames;
  uint32_t d = nowMs - m_base;
  if (d - m_elapsed > 1000) {  // a pause (or a clock step) counts as one second
    m_base = nowMs - m_elapsed - 1000;
    d = m_elapsed + 1000;
  }
  m_elapsed = d;
  int64_t n = static_cast<int64_t>(fps);
  if (static_cast<double>(n) > m_cap) n = static_cast<int64_t>(m_cap);
  if (static_cast<int64_t>(m_frames - m_framesAtMeasure) <= n) return std::nullopt;
  const uint32_t span = d - m_elapsedAtMeasure;
  if (span == 0) return std::nullopt;  // no time has passed: nothing to divide by yet
  const double rate = static_cast<double>(m_frames - m_framesAtMeasure) * 999.0 / span;
  m_framesAtMeasure = m_frames;
  m_elapsedAtMeasure = d;
  m_measured = rate;
  m_cap = 2 * rate;
  return rate;
}

std::string FrameRateText(double rate) {
  char text[64];
  std::snprintf(text, sizeof text, "FPS %f", rate);
  return text;
}

uint32_t MillisecondClock() {
  using namespace std::chrono;
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace qv
