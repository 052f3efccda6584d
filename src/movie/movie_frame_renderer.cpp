#include "movie/movie_frame_renderer.h"

#include "movie/frame_compose.h"
#include "platform/egl_context.h"
#include "viewport/gl_device.h"
#include "viewport/headless_render.h"
#include "viewport/scene_renderer.h"

namespace qv {

struct MovieFrameRenderer::Parts {
  std::unique_ptr<EglContext> context;
  std::unique_ptr<GlDevice> device;
  std::unique_ptr<SceneRenderer> renderer;
  RgbaImage overBlack, overWhite;
  ~Parts() {
    if (renderer) renderer->ReleaseDevice();
  }
};

std::unique_ptr<MovieFrameRenderer> MovieFrameRenderer::Create(Scene& scene, int width, int height,
                                                               int supersample, bool transparent,
                                                               std::string* error) {
  std::unique_ptr<MovieFrameRenderer> self(new MovieFrameRenderer(scene));
  self->m_supersample = supersample;
  self->m_transparent = transparent;
  self->m_parts = std::make_unique<Parts>();
  Parts& parts = *self->m_parts;
  const int drawWidth = width * supersample, drawHeight = height * supersample;
  parts.context = EglContext::Create(error);
  if (!parts.context) return nullptr;
  parts.device = GlDevice::Create(GlDevice::Target::kOffscreen, drawWidth, drawHeight, error);
  if (!parts.device) return nullptr;
  PrepareSceneForDrawing(scene);
  parts.renderer = std::make_unique<SceneRenderer>(scene);
  parts.renderer->m_drawGuides = false;
  if (parts.renderer->InitDevice(parts.device.get()) != 0) {
    if (error) *error = "cannot create the viewport's buffers";
    parts.renderer.reset();
    return nullptr;
  }
  if (!parts.renderer->ResizeViewport(drawWidth, drawHeight)) {  // sizes and draws once
    if (error) *error = kResizeFailedMessage;
    return nullptr;
  }
  return self;
}

MovieFrameRenderer::MovieFrameRenderer(Scene& scene) : m_scene(scene) {}
MovieFrameRenderer::~MovieFrameRenderer() = default;

void MovieFrameRenderer::Render(int32_t frame, RgbaImage& out) {
  Parts& parts = *m_parts;
  ShownFrame shown = EditorShownFrame(m_scene);
  shown.frame = frame;
  if (m_transparent) {
    // Twice, over black and over white: the difference is how much background shows through.
    shown.backgroundColor = 0x000000;
    parts.renderer->RenderFrame(shown);
    parts.overBlack = parts.device->ReadPixels();
    shown.backgroundColor = 0xFFFFFF;
    parts.renderer->RenderFrame(shown);
    parts.overWhite = parts.device->ReadPixels();
  } else {
    parts.renderer->RenderFrame(shown);
    parts.overBlack = parts.device->ReadPixels();
  }
  if (!m_transparent && m_supersample == 1) {
    std::swap(out, parts.overBlack);
    return;
  }
  ComposeMovieFrame(parts.overBlack, m_transparent ? &parts.overWhite : nullptr, m_supersample, out);
}

}  // namespace qv
