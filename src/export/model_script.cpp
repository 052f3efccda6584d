#include "export/model_script.h"

#include <string_view>

#include "export/export_geometry.h"
#include "export/export_matrix_pass.h"
#include "export/path_helpers.h"
#include "export/script_file.h"
#include "export/web_text.h"
#include "export/export_matrices.h"
#include "platform/text_codec.h"

namespace qv {

namespace {

// What differs between the two dialects.
struct Dialect {
  bool webgpu = false;
  std::string_view indent;  // before every call line
};

constexpr Dialect kWebGL{false, "\t"};
constexpr Dialect kWebGPU{true, "    "};

// One material line: colour, factors, power and the texture's file name when it has one.
void PutMaterial(ScriptFile& file, const Dialect& d, const CMaterial& m) {
  file.Put(d.indent).Put("this.setMaterial(");
  for (float value : {m.m_color[0], m.m_color[1], m.m_color[2], m.m_color[3], m.m_diffuse, m.m_ambient, m.m_emissive,
                      m.m_specular})
    file.Fixed(value, 3).Put(',');
  file.Fixed(m.m_power, 2);
  // Only the file name goes into the script: the page finds the image next to itself.
  std::string texture;
  if (!m.m_texture.empty() && PathFileName(Cp932ToUtf8(m.m_texture), texture)) {
    if (d.webgpu)
      file.Put(",\"").Put(ScriptString(texture, '"')).Put('"');
    else
      file.Put(",initTexture(\"").Put(ScriptString(texture, '"')).Put("\")");
  }
  file.Line(");");
}

void PutMatrix(ScriptFile& file, const Dialect& d, const Matrix4& m) {
  file.Put(d.indent).Put("this.setMatrix([");
  for (int i = 0; i < 16; ++i) {
    if (i) file.Put(',');
    file.Fixed(m.m[i / 4][i % 4], 4);
  }
  file.Line("]);");
}

bool WriteModel(Scene& scene, const std::string& path, float scale, const Dialect& d) {
  ScriptFile file;
  if (!file.Create(path)) return false;
  std::string title;
  PathTitle(path, title);
  const std::string className = ScriptIdentifier(title);

  if (d.webgpu) {
    file.Put("class ").Put(className).Line(" extends BoneModel3D {");
    file.Line("  constructor() {");
    file.Line("    super();");
  } else {
    file.Put("var ").Put(className).Line(" = function()");
    file.Line("{");
    file.Line("\tthis.init();");
  }
  file.EndLine();

  // The mesh is built first: whether it needs a material decides the material lines.
  ExportMesh mesh;
  BuildExportMesh(scene, scale, mesh);

  for (const CMaterial& material : scene.m_materials) PutMaterial(file, d, material);
  // Every vertex names a material: a scene without any still gets the default one.
  if (scene.m_materials.empty() && !mesh.vertices.empty()) PutMaterial(file, d, CMaterial{});
  file.EndLine();

  for (const ExportVertex& v : mesh.vertices) {
    file.Put(d.indent).Put("this.setB(");
    file.Fixed(v.x, 4).Put(',').Fixed(v.y, 4).Put(',').Fixed(v.z, 4).Put(',');
    file.Fixed(v.nx, 4).Put(',').Fixed(v.ny, 4).Put(',').Fixed(v.nz, 4).Put(',');
    file.Int(v.material).Put(',').Fixed(v.u, 4).Put(',').Fixed(v.v, 4).Put(',').Int(v.model);
    file.Line(");");
  }
  file.EndLine();
  for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
    file.Put(d.indent).Put("this.setBI(");
    file.Int(mesh.indices[i]).Put(',').Int(mesh.indices[i + 1]).Put(',').Int(mesh.indices[i + 2]);
    file.Line(");");
  }

  if (!scene.m_models.empty()) {
    file.EndLine();
    FillExportMatrices(scene, scale);
    for (size_t a = 0; a < scene.m_animationNames.size(); ++a) {
      const size_t frames = WrittenFrameCount(scene, a);
      for (size_t k = 0; k < frames; ++k) {
        for (const CModel& model : scene.m_models) PutMatrix(file, d, WrittenExportMatrix(model, a, k));
        file.Put(d.indent).Line("this.setMatrix2();");
      }
      file.Put(d.indent).Line("this.setMatrix3();");
    }
    for (CModel& model : scene.m_models) FreeExportMatrices(model);
  }

  file.EndLine();
  file.Put(d.indent).Line("this.initBuffers();");
  if (d.webgpu) {
    file.Line("  }");
    file.Line("}");
  } else {
    file.Line("};");
    file.Put(className).Line(".prototype = new BoneModel3D();");
  }
  return file.Close();
}

}  // namespace

bool WriteModelScript(Scene& scene, const std::string& path, float scale) {
  return WriteModel(scene, path, scale, kWebGL);
}

bool WriteModelClass(Scene& scene, const std::string& path, float scale) {
  return WriteModel(scene, path, scale, kWebGPU);
}

}  // namespace qv
