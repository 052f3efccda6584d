#pragma once
// One surfaceless OpenGL context for all pixel tests of the program: creating contexts is slow
// on llvmpipe, and every test leaves the context as it found it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/egl_context.h"

namespace qv::testing {

inline EglContext* SharedGlContext() {
  static std::string error;
  static std::unique_ptr<EglContext> context = EglContext::Create(&error);
  if (!context) ADD_FAILURE() << "no surfaceless OpenGL context: " << error;
  else context->MakeCurrent();
  return context.get();
}

}  // namespace qv::testing
