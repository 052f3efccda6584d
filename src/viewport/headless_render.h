#pragma once
// One viewport frame of a scene drawn without a window: a surfaceless OpenGL context, an
// offscreen framebuffer and the same SceneRenderer as the desktop viewport.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/rgba_image.h"
#include "scene/scene.h"
#include "viewport/shown_frame.h"

namespace qv {

struct FrameImageOptions {
  int width = 800;
  int height = 600;
  std::optional<int32_t> frame;          // default: the scene's m_currentFrame
  std::optional<int32_t> selectedModel;  // model index; default: the scene's own selection
  std::optional<int32_t> transformMode;  // 0 move, 1 rotate, 2 scale; default: the scene's
  bool guides = true;  // grid, axes, box outline and handle; off: the models alone
};

// Makes what drawing needs and a loaded document does not store: the hierarchy walk when it is
// missing, and smoothing records, vertex arrays, bounds and (for the shown selection) the box
// outline of models that lack them. Textures are the caller's: decoded images (m_image) are
// uploaded.
void PrepareSceneForDrawing(Scene& scene, const ShownFrame& shown);
inline void PrepareSceneForDrawing(Scene& scene) { PrepareSceneForDrawing(scene, EditorShownFrame(scene)); }

// Draws the frame and reads it back (rows from the top, opaque). The scene's own frame,
// selection and transform mode stay as they are. Nothing, with a reason in
// `error`, when no OpenGL context can be made or the size is not positive.
std::optional<RgbaImage> RenderSceneImage(Scene& scene, const FrameImageOptions& options,
                                          std::string* error = nullptr);

// The index of the first model named `name` (exact bytes first, then ignoring letter case);
// -1 when there is none.
int32_t FindModelByName(const Scene& scene, const std::string& name);

}  // namespace qv
