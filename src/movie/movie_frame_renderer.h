#pragma once
// Draws the frames of a movie one after another with one offscreen OpenGL context, the same
// renderer as the viewport and no guides: what `qvlogo render --no-guides` draws for each frame.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/rgba_image.h"
#include "scene/scene.h"

namespace qv {

class MovieFrameRenderer {
 public:
  // Makes the context for `width` x `height` pictures drawn at `supersample` times that size.
  // Null with a reason when OpenGL is not available or the size cannot be drawn.
  static std::unique_ptr<MovieFrameRenderer> Create(Scene& scene, int width, int height, int supersample,
                                                    bool transparent, std::string* error);
  ~MovieFrameRenderer();

  // The picture of `frame` of the current animation into `out` (reused between calls; opaque
  // unless transparent, then alpha 0 where no model is).
  void Render(int32_t frame, RgbaImage& out);

 private:
  struct Parts;
  explicit MovieFrameRenderer(Scene& scene);
  Scene& m_scene;
  std::unique_ptr<Parts> m_parts;
  int m_supersample = 1;
  bool m_transparent = false;
};

}  // namespace qv
