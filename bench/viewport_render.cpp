// Viewport frames of 1, 20 and 100 text models of about 20,000 triangles each at 800 × 600:
// frames per second through OpenGL in a surfaceless context (llvmpipe on machines without a
// GPU), and the renderer's own CPU time per frame (walks, matrices, states) with a device that
// does nothing, which is what a frame costs outside the GL driver.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <memory>

#include "geometry/text_model.h"
#include "platform/egl_context.h"
#include "scene/hierarchy_walk.h"
#include "scene/scene.h"
#include "viewport/gl_device.h"
#include "viewport/scene_renderer.h"

namespace {

using namespace qv;

// Accepts every call and does no work.
class NullDevice final : public RenderDevice {
 public:
  uint32_t CreateVertexBuffer(VertexLayout, const void*, uint32_t count) override { return count ? m_next++ : 0; }
  void ReleaseVertexBuffer(uint32_t) override {}
  uint32_t CreateTexture(int, int, const uint32_t*) override { return m_next++; }
  void ReleaseTexture(uint32_t) override {}
  bool Reset(int width, int height) override {
    m_size = {width, height};
    return true;
  }
  BackBufferSize GetBackBufferSize() const override { return m_size; }
  void Clear(bool, uint32_t, bool, float) override {}
  void BeginScene() override {}
  void EndScene() override {}
  bool Present() override { return true; }
  void SetRenderState(RenderState, uint32_t) override {}
  void SetTextureCombine(TextureCombine, TextureCombine) override {}
  void SetTextureFilter(TextureFilter, TextureFilter) override {}
  void SetTransform(TransformSlot slot, const Matrix4& m) override { m_transforms[static_cast<int>(slot)] = m; }
  Matrix4 GetTransform(TransformSlot slot) const override { return m_transforms[static_cast<int>(slot)]; }
  void SetLight(const DirectionalLight&) override {}
  void LightEnable(bool) override {}
  void SetMaterial(const MaterialLighting&) override {}
  void SetTexture(uint32_t) override {}
  void SetVertexLayout(VertexLayout) override {}
  void SetStreamSource(uint32_t, uint32_t) override {}
  void DrawPrimitive(Primitive, uint32_t, uint32_t) override {}
  void DrawPrimitiveUP(Primitive, uint32_t, const void*, uint32_t) override {}

 private:
  uint32_t m_next = 1;
  BackBufferSize m_size{800, 600};
  Matrix4 m_transforms[3];
};

// `count` copies of one text model (~19,400 triangles) in rows, the camera pulled back to see
// them all, the first one selected so that its outline and handle are drawn too.
std::unique_ptr<Scene> MakeScene(int count) {
  auto scene = std::make_unique<Scene>();
  TextParameters text;
  text.fontName = "DejaVu Sans";
  text.text = "Quorvel Logo";
  text.subdivisions = 40;
  const int first = CreateTextModel(*scene, text);
  for (int i = 1; i < count; ++i) {
    CModel copy = scene->m_models[first];
    copy.m_id = scene->m_nextModelId++;
    copy.m_name += "_" + std::to_string(i);
    scene->m_models.push_back(std::move(copy));
  }
  for (int i = 0; i < count; ++i) {
    CAnimation& pose = scene->m_models[i].m_tracks[0][0];
    pose.m_position = {static_cast<float>((i % 5) * 800 - 1600), static_cast<float>((i / 5) * 130 - 1300), 0};
  }
  RebuildHierarchyWalk(*scene);
  scene->m_cameras[0].m_scale = count > 1 ? CVector{0.2f, 0.2f, 0.2f} : CVector{1, 1, 1};
  scene->m_selectedModel = 0;
  return scene;
}

int64_t TriangleCount(const Scene& scene) {
  int64_t triangles = 0;
  for (const CModel& model : scene.m_models)
    for (int32_t n : model.m_trianglesPerMaterial) triangles += n;
  return triangles;
}

void BM_RenderFrameOpenGL(benchmark::State& state) {
  std::string error;
  auto context = EglContext::Create(&error);
  if (!context) {
    state.SkipWithError(error.c_str());
    return;
  }
  auto device = GlDevice::Create(GlDevice::Target::kOffscreen, 800, 600, &error);
  if (!device) {
    state.SkipWithError(error.c_str());
    return;
  }
  auto scene = MakeScene(static_cast<int>(state.range(0)));
  SceneRenderer renderer(*scene);
  renderer.InitDevice(device.get());
  renderer.ResizeViewport(800, 600);  // uploads the buffers and draws once
  glFinish();
  for (auto _ : state) {
    renderer.RenderFrame();
    glFinish();
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["triangles"] = static_cast<double>(TriangleCount(*scene));
  renderer.ReleaseDevice();
}
BENCHMARK(BM_RenderFrameOpenGL)->Arg(1)->Arg(20)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RendererCpuPerFrame(benchmark::State& state) {
  NullDevice device;
  auto scene = MakeScene(static_cast<int>(state.range(0)));
  SceneRenderer renderer(*scene);
  renderer.InitDevice(&device);
  renderer.ResizeViewport(800, 600);
  for (auto _ : state) renderer.RenderFrame();
  state.counters["triangles"] = static_cast<double>(TriangleCount(*scene));
  renderer.ReleaseDevice();
}
BENCHMARK(BM_RendererCpuPerFrame)->Arg(1)->Arg(20)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
