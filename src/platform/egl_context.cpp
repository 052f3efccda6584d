#include "platform/egl_context.h"

#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include <cstdio>

namespace qv {

namespace {

std::string EglErrorText(const char* what) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (EGL error 0x%04X)", what, static_cast<unsigned>(eglGetError()));
  return text;
}

bool HasExtension(const char* list, const std::string& name) {
  if (!list) return false;
  const std::string all = std::string(" ") + list + " ";
  return all.find(" " + name + " ") != std::string::npos;
}

}  // namespace

std::unique_ptr<EglContext> EglContext::Create(std::string* error) {
  auto fail = [error](const std::string& why) -> std::unique_ptr<EglContext> {
    if (error) *error = why;
    return nullptr;
  };
  const char* clientExtensions = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  if (!HasExtension(clientExtensions, "EGL_MESA_platform_surfaceless"))
    return fail("the surfaceless EGL platform is not available");

  std::unique_ptr<EglContext> self(new EglContext);
  EGLDisplay display = eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY) return fail(EglErrorText("no surfaceless EGL display"));
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) return fail(EglErrorText("cannot initialise EGL"));
  self->m_display = display;
  const char* displayExtensions = eglQueryString(display, EGL_EXTENSIONS);
  if (!HasExtension(displayExtensions, "EGL_KHR_surfaceless_context"))
    return fail("EGL cannot make a context current without a surface");
  if (!eglBindAPI(EGL_OPENGL_API)) return fail(EglErrorText("EGL has no desktop OpenGL"));

  // Without a surface no config is needed; pick one only when the display insists.
  EGLConfig config = EGL_NO_CONFIG_KHR;
  if (!HasExtension(displayExtensions, "EGL_KHR_no_config_context")) {
    const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &count) || count < 1)
      return fail(EglErrorText("no EGL config for OpenGL"));
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT, EGL_NONE};
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT) return fail(EglErrorText("cannot create an OpenGL 3.3 core context"));
  self->m_context = context;
  if (!self->MakeCurrent()) return fail(EglErrorText("cannot make the OpenGL context current"));
  return self;
}

EglContext::~EglContext() {
  if (m_display) {
    eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (m_context) eglDestroyContext(m_display, m_context);
    // The display is shared by every context of the process; Mesa reference-counts nothing
    // here, so it stays initialised for the next context.
  }
}

bool EglContext::MakeCurrent() {
  return eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context) == EGL_TRUE;
}

std::string EglContext::Renderer() const {
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return text ? text : "";
}

}  // namespace qv
