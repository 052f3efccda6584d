#include "viewport/headless_render.h"

#include "geometry/model_geometry.h"
#include "platform/egl_context.h"
#include "platform/text_codec.h"
#include "scene/hierarchy_walk.h"
#include "viewport/gl_device.h"
#include "viewport/scene_renderer.h"

namespace qv {

void PrepareSceneForDrawing(Scene& scene, const ShownFrame& shown) {
  if (scene.m_hierarchyWalk.empty() && !scene.m_models.empty()) RebuildHierarchyWalk(scene);
  for (CModel& model : scene.m_models) {
    const bool recordsMissing = model.m_vertexRecords.size() != model.m_vertices.size();
    if (recordsMissing || (model.m_meshVertices.empty() && !model.m_faces.empty()))
      RebuildModelGeometry(model, scene.m_materials.size());
  }
  if (CModel* selected = ShownSelection(scene, shown)) BuildBoxOutline(*selected);
}

std::optional<RgbaImage> RenderSceneImage(Scene& scene, const FrameImageOptions& options, std::string* error) {
  if (options.width < 1 || options.height < 1) {
    if (error) *error = "the image size must be positive";
    return std::nullopt;
  }
  std::unique_ptr<EglContext> context = EglContext::Create(error);
  if (!context) return std::nullopt;
  std::unique_ptr<GlDevice> device =
      GlDevice::Create(GlDevice::Target::kOffscreen, options.width, options.height, error);
  if (!device) return std::nullopt;

  ShownFrame shown = EditorShownFrame(scene);
  if (options.frame) shown.frame = *options.frame;
  if (options.selectedModel) shown.selectedModel = *options.selectedModel;
  if (options.transformMode) shown.transformMode = *options.transformMode;
  PrepareSceneForDrawing(scene, shown);

  SceneRenderer renderer(scene);
  renderer.m_drawGuides = options.guides;
  std::optional<RgbaImage> image;
  if (renderer.InitDevice(device.get()) != 0) {
    if (error) *error = "cannot create the viewport's buffers";
  } else if (!renderer.ResizeViewport(options.width, options.height, shown)) {  // sizes and draws
    if (error) *error = kResizeFailedMessage;
  } else {
    // Drawn again: the viewport on screen has always drawn a frame before, and each frame starts
    // from the states the last one left (the grid turns the local viewer off), so a first frame
    // would place highlights differently from what the user sees.
    renderer.RenderFrame(shown);
    image = device->ReadPixels();
  }
  renderer.ReleaseDevice();
  return image;
}

int32_t FindModelByName(const Scene& scene, const std::string& name) {
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    if (scene.m_models[i].m_name == name) return static_cast<int32_t>(i);
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    if (EqualsNoCase(scene.m_models[i].m_name, name)) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace qv
