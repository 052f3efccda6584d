#pragma once
// An offscreen colour + depth framebuffer with pixel read-back, for drawing without a window.
#include <cstdint>

#include "platform/rgba_image.h"

namespace qv {

class GlFramebuffer {
 public:
  GlFramebuffer() = default;
  ~GlFramebuffer();
  GlFramebuffer(const GlFramebuffer&) = delete;
  GlFramebuffer& operator=(const GlFramebuffer&) = delete;

  // (Re)creates the attachments at this size; false if the driver refuses it.
  bool Resize(int width, int height);
  void Bind() const;
  // The colour attachment, rows from the top (OpenGL stores them from the bottom). Alpha is
  // 255 everywhere: the picture is what a window would show.
  RgbaImage Read() const;
  int Width() const { return m_width; }
  int Height() const { return m_height; }

 private:
  void Destroy();
  uint32_t m_framebuffer = 0;
  uint32_t m_color = 0;
  uint32_t m_depth = 0;
  int m_width = 0;
  int m_height = 0;
};

}  // namespace qv
