#pragma once
// SceneRenderer: draws the scene at the current frame of the current animation through a
// RenderDevice: background, models with their materials and textures, the selected model's box
// outline, the ground grid, then (over a cleared depth buffer) the transform handle of the
// selected model. It also keeps what picking needs from the last frame: view, projection and
// the matrices the handle parts were drawn with.
//
// GPU copies of the scene's data are made on demand: a model's vertex array (m_meshVertices)
// becomes its vertex buffer (m_vertexBuffer) and a material's decoded image (m_image) its
// texture (m_textureHandle) the first time they are drawn. The renderer remembers which model
// and which data each handle was made for, so copied or moved models and rebuilt arrays get
// fresh buffers instead of someone else's. Whoever rebuilds vertex arrays in place without
// changing their size should call RebuildModelBuffers (or ReleaseModelBuffer).
#include <cstdint>
#include <unordered_map>

#include "scene/interface_text.h"
#include "scene/scene.h"
#include "viewport/matrix_stack.h"
#include "viewport/render_device.h"
#include "viewport/shown_frame.h"

namespace qv {

// "Resizing failed."
inline constexpr const char* kResizeFailedMessage = QV_TRANSLATE_NOOP("Messages", "リサイズに失敗しました。");

inline constexpr int kInitialBackBufferWidth = 800;
inline constexpr int kInitialBackBufferHeight = 600;
inline constexpr int kGridLineCount = 45;

class SceneRenderer {
 public:
  explicit SceneRenderer(Scene& scene) : m_scene(scene) {}
  SceneRenderer(const SceneRenderer&) = delete;
  SceneRenderer& operator=(const SceneRenderer&) = delete;

  // Takes the device (not owned; it must outlive ReleaseDevice), sets up light 0 and builds the
  // fixed grid and handle buffers. 0, or -1 when the buffers could not be created.
  int InitDevice(RenderDevice* device);
  bool HasDevice() const { return m_device != nullptr; }

  // One frame as shown: its pose, selection, handle and background. Nothing without a device.
  void RenderFrame(const ShownFrame& shown);
  // One frame as the editor shows the scene now.
  void RenderFrame() { RenderFrame(EditorShownFrame(m_scene)); }

  // Ignored unless both are at least 1. Resets the device to the new size and draws a frame;
  // false when the reset failed (show kResizeFailedMessage; the next size change tries again).
  bool ResizeViewport(int width, int height, const ShownFrame& shown);
  bool ResizeViewport(int width, int height) { return ResizeViewport(width, height, EditorShownFrame(m_scene)); }

  // Releases the fixed buffers and every buffer and texture made on the device (the scene's
  // decoded images stay), and forgets the device.
  void ReleaseDevice();
  // Releases every model's vertex buffer and every material's texture and decoded image.
  void ReleaseSceneResources();
  // Rebuilds every model's vertex array from its faces and gives it a new vertex buffer.
  void RebuildModelBuffers();
  // Forgets one model's vertex buffer (made again when it is next drawn).
  void ReleaseModelBuffer(CModel& model);
  // Forgets one material's texture (made again from m_image when it is next drawn).
  void ReleaseMaterialTexture(CMaterial& material);

  Scene& DrawnScene() { return m_scene; }
  const Scene& DrawnScene() const { return m_scene; }

  // Grid, axes, the selected model's box outline and its handle. Off, only the models are drawn
  // (pictures to compare with other renderers).
  bool m_drawGuides = true;

  // State of the last frame, read by picking and by the web export (scene.m_inverseView).
  RenderDevice* m_device = nullptr;
  float m_viewportWidth = 0;
  float m_viewportHeight = 0;
  DirectionalLight m_light;
  Matrix4 m_view;
  Matrix4 m_inverseView;
  Matrix4 m_projection;
  CVector m_lightDirection;
  MatrixStack m_matrixStack;

  uint32_t m_gridBuffer = 0;
  uint32_t m_moveGizmoBuffer = 0;
  uint32_t m_ringBufferX = 0;
  uint32_t m_ringBufferY = 0;
  uint32_t m_ringBufferZ = 0;
  uint32_t m_centreCubeBuffer = 0;
  uint32_t m_scaleGizmoBuffer = 0;

  Matrix4 m_gizmoMatrix;
  Matrix4 m_ringMatrixX;
  Matrix4 m_ringMatrixY;
  Matrix4 m_ringMatrixZ;

  // The back-buffer size a failed present falls back to (the creation size).
  int m_resetWidth = kInitialBackBufferWidth;
  int m_resetHeight = kInitialBackBufferHeight;

 private:
  void ReleaseDeviceCopies();
  void SetFrameStates();
  void DrawWalk(const ShownFrame& shown);
  void DrawBoxOutline(const CModel& model, const Matrix4& world);
  void DrawModel(CModel& model, const Matrix4& world);
  void DrawGrid();
  void SetGridStates();  // the states the grid is drawn with, which the next frame inherits
  void DrawHandle(MatrixStack& stack, CModel& model, const ShownFrame& shown);
  uint32_t ModelBuffer(CModel& model);
  uint32_t MaterialTexture(CMaterial& material);

  Scene& m_scene;

  // What each handle made here belongs to.
  struct BufferOwner {
    const CModel* model;
    const void* data;
    size_t vertexCount;
  };
  struct TextureOwner {
    const CMaterial* material;
    const void* data;
    int width, height;
  };
  std::unordered_map<uint32_t, BufferOwner> m_modelBuffers;
  std::unordered_map<uint32_t, TextureOwner> m_textures;
};

}  // namespace qv
