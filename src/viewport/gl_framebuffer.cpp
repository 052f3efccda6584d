#include "viewport/gl_framebuffer.h"

#include <epoxy/gl.h>

#include <algorithm>

namespace qv {

GlFramebuffer::~GlFramebuffer() { Destroy(); }

void GlFramebuffer::Destroy() {
  if (m_framebuffer) glDeleteFramebuffers(1, &m_framebuffer);
  if (m_color) glDeleteRenderbuffers(1, &m_color);
  if (m_depth) glDeleteRenderbuffers(1, &m_depth);
  m_framebuffer = m_color = m_depth = 0;
  m_width = m_height = 0;
}

bool GlFramebuffer::Resize(int width, int height) {
  if (width < 1 || height < 1) return false;
  Destroy();
  glGenFramebuffers(1, &m_framebuffer);
  glGenRenderbuffers(1, &m_color);
  glGenRenderbuffers(1, &m_depth);
  glBindRenderbuffer(GL_RENDERBUFFER, m_color);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, 0);
  glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_color);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
  const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (!complete) {
    Destroy();
    return false;
  }
  m_width = width;
  m_height = height;
  return true;
}

void GlFramebuffer::Bind() const { glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer); }

RgbaImage GlFramebuffer::Read() const {
  RgbaImage image;
  if (!m_framebuffer) return image;
  image.width = m_width;
  image.height = m_height;
  image.pixels.resize(static_cast<size_t>(m_width) * m_height * 4);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
  const size_t rowBytes = static_cast<size_t>(m_width) * 4;
  for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom)
    std::swap_ranges(image.pixels.begin() + top * rowBytes, image.pixels.begin() + (top + 1) * rowBytes,
                     image.pixels.begin() + bottom * rowBytes);
  for (size_t i = 3; i < image.pixels.size(); i += 4) image.pixels[i] = 255;
  return image;
}

}  // namespace qv
