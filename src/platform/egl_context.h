#pragma once
// An OpenGL 3.3 core context without any window system: Mesa's surfaceless EGL platform (no X
// server, no display device needed; on machines without a GPU it runs on llvmpipe). The
// command line and the tests draw into an offscreen framebuffer of this context.
#include <memory>
#include <string>

namespace qv {

class EglContext {
 public:
  // Creates the context and makes it current on this thread; null with a reason in `error`
  // when the platform, the display or a 3.3 core context is not available.
  static std::unique_ptr<EglContext> Create(std::string* error = nullptr);
  ~EglContext();
  EglContext(const EglContext&) = delete;
  EglContext& operator=(const EglContext&) = delete;

  bool MakeCurrent();
  // "llvmpipe (LLVM ...)" and the like.
  std::string Renderer() const;

 private:
  EglContext() = default;
  void* m_display = nullptr;
  void* m_context = nullptr;
};

}  // namespace qv
