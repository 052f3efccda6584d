#pragma once
// The model script of an export: the whole scene as one skinned model. Materials by index, the
// merged mesh (export_geometry.h) and one matrix per model per frame of every animation
// (export_matrix_pass.h), as calls on the runtime's BoneModel3D.
#include <string>

#include "scene/scene.h"

namespace qv {

// WebGL dialect: a constructor function whose prototype is a BoneModel3D.
// The class name is the title of `path` ("Model_" and the page title), made a valid identifier.
// Builds its own merged mesh (export_geometry.h) and every model's m_exportMatrices (released
// after writing). False when the file cannot be created (nothing is touched then) or a write fails.
bool WriteModelScript(Scene& scene, const std::string& path, float scale);
// WebGPU dialect: a class extending BoneModel3D, same content.
bool WriteModelClass(Scene& scene, const std::string& path, float scale);

}  // namespace qv
