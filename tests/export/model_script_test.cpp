// The model scripts, line for line.
#include "export/model_script.h"

#include <limits>

#include <gtest/gtest.h>

#include "export/export_geometry.h"
#include "export/export_test_support.h"
#include "geometry/model_geometry.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

using testing::CrLfLines;
using testing::ReadFile;
using testing::ScratchFolder;

// A scene holding only the default material (the state of a new document).
Scene DefaultMaterialScene() {
  Scene scene;
  scene.m_materials.push_back(CMaterial{});
  return scene;
}

// One quad with corners 0, 1, 2, 3 in the z = 0 plane, no texture coordinates; one animation of
// `frames` identity poses.
CModel QuadModel(size_t frames) {
  CModel model;
  model.m_vertices = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  CFace quad;
  quad.m_indices = {0, 1, 2, 3};
  model.m_faces.push_back(quad);
  model.m_tracks.push_back(Track(frames));
  RebuildModelGeometry(model, 1);
  return model;
}

std::string WriteWebGL(Scene& scene, const ScratchFolder& temp, const char* title = "logo") {
  const std::string path = temp.Path(std::string("Model_") + title + ".js");
  EXPECT_TRUE(WriteModelScript(scene, path, 1.0f));
  return ReadFile(path);
}

std::string WriteWebGPU(Scene& scene, const ScratchFolder& temp, const char* title = "logo") {
  const std::string path = temp.Path(std::string("Model_") + title + ".js");
  EXPECT_TRUE(WriteModelClass(scene, path, 1.0f));
  return ReadFile(path);
}

TEST(ModelScript, DefaultMaterialAndNoModelsGivesElevenLines) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  EXPECT_EQ(WriteWebGL(scene, temp),
            CrLfLines({"var Model_logo = function()", "{", "\tthis.init();", "",
                       "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);", "", "", "",
                       "\tthis.initBuffers();", "};", "Model_logo.prototype = new BoneModel3D();"}));
  EXPECT_EQ(WriteWebGPU(scene, temp),
            CrLfLines({"class Model_logo extends BoneModel3D {", "  constructor() {", "    super();", "",
                       "    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);", "", "", "",
                       "    this.initBuffers();", "  }", "}"}));
}

TEST(ModelScript, QuadWithTwoFrames) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  scene.m_models.push_back(QuadModel(2));
  RebuildHierarchyWalk(scene);
  const char* identity =
      "this.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,"
      "0.0000,0.0000,1.0000]);";
  EXPECT_EQ(WriteWebGL(scene, temp),
            CrLfLines({"var Model_logo = function()",
                       "{",
                       "\tthis.init();",
                       "",
                       "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);",
                       "",
                       "\tthis.setB(0.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0,0.0000,0.0000,0);",
                       "\tthis.setB(10.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0,0.0000,0.0000,0);",
                       "\tthis.setB(10.0000,10.0000,0.0000,0.0000,0.0000,1.0000,0,0.0000,0.0000,0);",
                       "\tthis.setB(0.0000,10.0000,0.0000,0.0000,0.0000,1.0000,0,0.0000,0.0000,0);",
                       "",
                       "\tthis.setBI(0,1,2);",
                       "\tthis.setBI(2,3,0);",
                       "",
                       std::string("\t") + identity,
                       "\tthis.setMatrix2();",
                       std::string("\t") + identity,
                       "\tthis.setMatrix2();",
                       "\tthis.setMatrix3();",
                       "",
                       "\tthis.initBuffers();",
                       "};",
                       "Model_logo.prototype = new BoneModel3D();"}));
  const std::string gpu = WriteWebGPU(scene, temp);
  EXPECT_NE(gpu.find("\r\n    this.setB(10.0000,10.0000,0.0000,0.0000,0.0000,1.0000,0,0.0000,0.0000,0);\r\n"),
            std::string::npos);
  EXPECT_NE(gpu.find(std::string("\r\n    ") + identity + "\r\n    this.setMatrix2();\r\n    " + identity +
                     "\r\n    this.setMatrix2();\r\n    this.setMatrix3();\r\n\r\n    this.initBuffers();\r\n  }\r\n}\r\n"),
            std::string::npos);
  ExportMesh mesh;
  BuildExportMesh(scene, 1.0f, mesh);
  EXPECT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.indices, (std::vector<int32_t>{0, 1, 2, 2, 3, 0}));
  EXPECT_TRUE(scene.m_models[0].m_exportMatrices.empty());  // released after writing
}

// Texture names: the last path component, in UTF-8, escaped for a double-quoted string.
TEST(ModelScript, MaterialLinesWithTextures) {
  ScratchFolder temp{"qv export"};
  Scene scene;
  CMaterial plain;
  plain.m_color[0] = 0.1235f;  // just below 0.1235 as a float
  plain.m_color[3] = 0.5f;
  plain.m_power = 12.345f;
  CMaterial wood;
  wood.m_texture = "C:\\tex\\wood.png";
  CMaterial japanese;
  japanese.m_texture = "tex\\\x96\xd8\x96\xda.bmp";  // 木目 in code page 932: its trail byte is no separator
  CMaterial quoted;
  quoted.m_texture = "a\"b.png";
  CMaterial folderOnly;
  folderOnly.m_texture = "tex/";
  scene.m_materials = {plain, wood, japanese, quoted, folderOnly};
  const std::string gl = WriteWebGL(scene, temp);
  EXPECT_NE(gl.find("\r\n\tthis.setMaterial(0.123,0.800,0.800,0.500,1.000,0.250,0.000,0.000,12.35);\r\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,initTexture(\"wood.png\"));\r\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,initTexture(\"木目.bmp\"));\r\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,initTexture(\"a\\\"b.png\"));\r\n"
                    "\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);\r\n\r\n"),
            std::string::npos)
      << gl;
  const std::string gpu = WriteWebGPU(scene, temp);
  EXPECT_NE(gpu.find("\r\n    this.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00,\"木目.bmp\");\r\n"),
            std::string::npos);
}

// Vertices are shared only within a model; texture coordinates a face lacks are 0; faces that
// are neither triangles nor quadrilaterals, or name a missing vertex, are left out; a material
// the list lacks becomes the last one.
TEST(ModelScript, GeometryRules) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  scene.m_materials.push_back(CMaterial{});
  CModel model;
  model.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  CFace a;
  a.m_indices = {0, 1, 2};
  a.m_uvs = {{0.5f, 0.25f}};  // shorter than the face
  a.m_normal = {0, 0, -1};    // no corner records: the face normal
  a.m_material = 7;           // beyond the list
  CFace pentagon;
  pentagon.m_indices = {0, 1, 2, 3, 0};
  CFace broken;
  broken.m_indices = {0, 1, 9};
  CFace b = a;  // the same three corners again: no new vertex
  b.m_material = -3;
  model.m_faces = {a, pentagon, broken, b};
  model.m_tracks.push_back(Track(1));
  scene.m_models = {model, model};
  RebuildHierarchyWalk(scene);
  const std::string gl = WriteWebGL(scene, temp);
  EXPECT_NE(gl.find("\r\n\r\n"
                    "\tthis.setB(0.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,1,0.5000,0.2500,0);\r\n"
                    "\tthis.setB(1.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,1,0.0000,0.0000,0);\r\n"
                    "\tthis.setB(0.0000,1.0000,0.0000,0.0000,0.0000,-1.0000,1,0.0000,0.0000,0);\r\n"
                    "\tthis.setB(0.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,1,0.5000,0.2500,1);\r\n"
                    "\tthis.setB(1.0000,0.0000,0.0000,0.0000,0.0000,-1.0000,1,0.0000,0.0000,1);\r\n"
                    "\tthis.setB(0.0000,1.0000,0.0000,0.0000,0.0000,-1.0000,1,0.0000,0.0000,1);\r\n"
                    "\r\n"
                    "\tthis.setBI(0,1,2);\r\n\tthis.setBI(0,1,2);\r\n\tthis.setBI(3,4,5);\r\n\tthis.setBI(3,4,5);\r\n"),
            std::string::npos)
      << gl;
}

// A scene without materials still names a material its vertices can use.
TEST(ModelScript, SceneWithoutMaterialsGetsTheDefaultOne) {
  ScratchFolder temp{"qv export"};
  Scene scene;
  scene.m_models.push_back(QuadModel(1));
  RebuildHierarchyWalk(scene);
  const std::string gl = WriteWebGL(scene, temp);
  EXPECT_NE(gl.find("\tthis.init();\r\n\r\n\tthis.setMaterial(0.800,0.800,0.800,1.000,1.000,0.250,0.000,0.000,5.00);\r\n\r\n\tthis.setB("),
            std::string::npos);
}

// Matrices follow the parents; frames beyond a shorter track hold the model's last matrix, and a
// model the walk does not reach gets the identity.
TEST(ModelScript, MatrixBlock) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  scene.m_animationNames = {"Animation_0", "Animation_1"};
  CModel parent;
  parent.m_tracks = {Track(3), Track(2)};
  for (int k = 0; k < 3; ++k) parent.m_tracks[0][k].m_position = {10.0f * k, 0, 0};
  parent.m_tracks[1][1].m_position = {0, 5, 0};
  CModel child;
  child.m_parent = 0;
  child.m_tracks = {Track(2), Track(2)};  // one frame short in animation 0
  child.m_tracks[0][0].m_position = {0, 0, 1};
  child.m_tracks[0][1].m_position = {0, 0, 2};
  CModel orphan;
  orphan.m_parent = 7;  // no such model: the walk passes it by
  orphan.m_tracks = {Track(3), Track(2)};
  orphan.m_tracks[0][0].m_position = {9, 9, 9};
  scene.m_models = {parent, child, orphan};
  RebuildHierarchyWalk(scene);
  const std::string gl = WriteWebGL(scene, temp);
  const auto translation = [](const char* x, const char* y, const char* z) {
    return std::string("\tthis.setMatrix([1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,0.0000,0.0000,0.0000,1.0000,0.0000,") +
           x + "," + y + "," + z + ",1.0000]);\r\n";
  };
  const std::string end = "\tthis.setMatrix2();\r\n";
  const std::string expected =
      "\r\n\r\n\r\n\r\n" +  // materials end, no vertices, no triangles, matrix block starts
      translation("0.0000", "0.0000", "0.0000") + translation("0.0000", "0.0000", "1.0000") +
      translation("0.0000", "0.0000", "0.0000") + end +  //
      translation("10.0000", "0.0000", "0.0000") + translation("10.0000", "0.0000", "2.0000") +
      translation("0.0000", "0.0000", "0.0000") + end +  //
      translation("20.0000", "0.0000", "0.0000") + translation("10.0000", "0.0000", "2.0000") +
      translation("0.0000", "0.0000", "0.0000") + end + "\tthis.setMatrix3();\r\n" +  //
      translation("0.0000", "0.0000", "0.0000") + translation("0.0000", "0.0000", "0.0000") +
      translation("0.0000", "0.0000", "0.0000") + end +  //
      translation("0.0000", "5.0000", "0.0000") + translation("0.0000", "5.0000", "0.0000") +
      translation("0.0000", "0.0000", "0.0000") + end + "\tthis.setMatrix3();\r\n\r\n\tthis.initBuffers();\r\n";
  EXPECT_NE(gl.find(expected), std::string::npos) << gl;
}

// Frames beyond the first model's track are not written; a shorter first model limits them.
TEST(ModelScript, FrameCountComesFromTheFirstModel) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  CModel first;
  first.m_tracks = {Track(1)};
  CModel second;
  second.m_tracks = {Track(4)};
  scene.m_models = {first, second};
  RebuildHierarchyWalk(scene);
  const std::string gl = WriteWebGL(scene, temp);
  size_t frames = 0;
  for (size_t at = gl.find("setMatrix2"); at != std::string::npos; at = gl.find("setMatrix2", at + 1)) ++frames;
  EXPECT_EQ(frames, 1u);
}

// A value that is not a number still gives a script that parses.
TEST(ModelScript, NonFiniteValuesAreScriptLiterals) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  scene.m_materials[0].m_power = std::numeric_limits<float>::infinity();
  scene.m_models.push_back(QuadModel(1));
  scene.m_models[0].m_vertices[0].x = std::numeric_limits<float>::quiet_NaN();
  RebuildHierarchyWalk(scene);
  const std::string gl = WriteWebGL(scene, temp);
  EXPECT_NE(gl.find("0.000,0.000,Infinity);"), std::string::npos);
  EXPECT_NE(gl.find("\tthis.setB(NaN,0.0000,0.0000,"), std::string::npos);
  EXPECT_EQ(gl.find("nan"), std::string::npos);
}

TEST(ModelScript, FileThatCannotBeCreatedLeavesTheListsAlone) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  scene.m_models.push_back(QuadModel(1));
  RebuildHierarchyWalk(scene);
  ASSERT_TRUE(WriteModelScript(scene, temp.Path("Model_a.js"), 1.0f));
  EXPECT_FALSE(WriteModelScript(scene, temp.Path("missing/Model_a.js"), 1.0f));
  EXPECT_FALSE(WriteModelClass(scene, temp.Path("missing/Model_a.js"), 1.0f));
  ExportMesh mesh;
  BuildExportMesh(scene, 1.0f, mesh);
  EXPECT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.indices.size(), 6u);
}

// The class is named after the file's title, made an identifier.
TEST(ModelScript, ClassNameFromTheFileTitle) {
  ScratchFolder temp{"qv export"};
  Scene scene = DefaultMaterialScene();
  EXPECT_EQ(WriteWebGL(scene, temp, "my logo").substr(0, 33), "var Model_my_logo = function()\r\n{");
  EXPECT_EQ(WriteWebGPU(scene, temp, "ロゴ").rfind("class Model_ロゴ extends BoneModel3D {\r\n", 0), 0u);
  EXPECT_NE(WriteWebGL(scene, temp, "my.logo").find("\r\nModel_my_logo.prototype = new BoneModel3D();\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// Appending follows the list as it stands: a model appended twice, or entries put there by other
// code, are found as a scan from the start would find them.
TEST(ExportGeometry, AppendingAgainFindsTheFirstEntries) {
  CModel model;
  model.m_vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};
  CFace quad;
  quad.m_indices = {0, 1, 2, 3};
  model.m_faces = {quad};
  {
    ExportMesh mesh;
    AppendModelGeometry(mesh, model, 1.0f, 3, 1);
    AppendModelGeometry(mesh, model, 1.0f, 4, 1);
    AppendModelGeometry(mesh, model, 1.0f, 3, 1);
    EXPECT_EQ(mesh.vertices.size(), 8u);
    EXPECT_EQ(mesh.indices, (std::vector<int32_t>{0, 1, 2, 2, 3, 0, 4, 5, 6, 6, 7, 4, 0, 1, 2, 2, 3, 0}));
  }
  {
    ExportMesh mesh;
    mesh.vertices.push_back({1, 0, 0, 0, 0, 1, 0, 0, 0, 5});  // equal to corner 1 of model 5
    mesh.vertices.push_back({1, 0, 0, 0, 0, 1, 0, 0, 0, 5});  // a later duplicate is never used
    AppendModelGeometry(mesh, model, 1.0f, 5, 1);
    EXPECT_EQ(mesh.vertices.size(), 5u);
    EXPECT_EQ(mesh.indices, (std::vector<int32_t>{2, 0, 3, 3, 4, 2}));
  }

  // Both zeros are the same value; a scale multiplies the positions only.
  ExportMesh mesh;
  model.m_vertices[2] = {-0.0f, 1, 0};
  AppendModelGeometry(mesh, model, 2.0f, 0, 1);
  EXPECT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.vertices[2].y, 2.0f);
  EXPECT_EQ(mesh.vertices[2].nz, 1.0f);
}

}  // namespace
}  // namespace qv
