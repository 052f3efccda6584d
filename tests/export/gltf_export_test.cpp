// The glTF export: node matrices against the web export's, meshes, materials, textures, the .glb
// container and failures that leave nothing behind.
#include <gtest/gtest.h>
#include <unistd.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "animation/interpolation.h"
#include "animation/track_fit.h"
#include "export/export_matrix_pass.h"
#include "export/gltf_export.h"
#include "export/gltf_transform.h"
#include "export_test_support.h"
#include "geometry/normals.h"
#include "scene/hierarchy_walk.h"

namespace qv {
namespace {

using nlohmann::json;
using testing::ScratchFolder;

// ---- reading the asset back ----

std::vector<float> Floats(const GltfAsset& asset, int accessor) {
  const json& a = asset.json["accessors"][accessor];
  const json& view = asset.json["bufferViews"][a["bufferView"].get<int>()];
  const size_t width = a["type"] == "SCALAR" ? 1 : a["type"] == "VEC2" ? 2 : a["type"] == "VEC3" ? 3 : 4;
  std::vector<float> out(a["count"].get<size_t>() * width);
  std::memcpy(out.data(), asset.binary.data() + view.value("byteOffset", size_t{0}), out.size() * sizeof(float));
  return out;
}

std::vector<uint32_t> Indices(const GltfAsset& asset, int accessor) {
  const json& a = asset.json["accessors"][accessor];
  const json& view = asset.json["bufferViews"][a["bufferView"].get<int>()];
  const uint8_t* data = asset.binary.data() + view.value("byteOffset", size_t{0});
  std::vector<uint32_t> out(a["count"].get<size_t>());
  for (size_t i = 0; i < out.size(); ++i) {
    if (a["componentType"] == 5123) {
      uint16_t v;
      std::memcpy(&v, data + 2 * i, 2);
      out[i] = v;
    } else {
      std::memcpy(&out[i], data + 4 * i, 4);
    }
  }
  return out;
}

NodeTransform RestTransform(const json& node) {
  NodeTransform t;
  if (node.contains("translation")) t.translation = node["translation"].get<std::array<float, 3>>();
  if (node.contains("rotation")) t.rotation = node["rotation"].get<std::array<float, 4>>();
  if (node.contains("scale")) t.scale = node["scale"].get<std::array<float, 3>>();
  return t;
}

// Every node's world matrix (row vectors) with the animation's samples at `frame` applied.
std::vector<Matrix4> WorldMatrices(const GltfAsset& asset, size_t animation, size_t frame) {
  const json& nodes = asset.json["nodes"];
  std::vector<NodeTransform> local;
  for (const json& node : nodes) local.push_back(RestTransform(node));
  const json& anim = asset.json["animations"][animation];
  for (const json& channel : anim["channels"]) {
    const json& sampler = anim["samplers"][channel["sampler"].get<int>()];
    const std::vector<float> out = Floats(asset, sampler["output"]);
    NodeTransform& t = local[channel["target"]["node"].get<int>()];
    const std::string path = channel["target"]["path"];
    if (path == "translation") std::copy_n(out.begin() + 3 * frame, 3, t.translation.begin());
    if (path == "rotation") std::copy_n(out.begin() + 4 * frame, 4, t.rotation.begin());
    if (path == "scale") std::copy_n(out.begin() + 3 * frame, 3, t.scale.begin());
  }
  std::vector<int> parent(nodes.size(), -1);
  for (size_t i = 0; i < nodes.size(); ++i)
    for (int child : nodes[i].value("children", json::array())) parent[child] = static_cast<int>(i);
  std::vector<Matrix4> world(nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) {
    world[i] = NodeMatrix(local[i]);
    for (int p = parent[i]; p >= 0; p = parent[p]) world[i] = world[i] * NodeMatrix(local[p]);
  }
  return world;
}

// ---- scenes ----

CModel Cube(const char* name, int32_t parent, CVector pivot, int32_t material = 0) {
  CModel model;
  model.m_name = name;
  model.m_parent = parent;
  model.m_origin = pivot;
  model.m_smoothingAngle = 0;
  for (int v = 0; v < 8; ++v)
    model.m_vertices.push_back({pivot.x + (v & 1 ? 10.f : -10.f), pivot.y + (v & 2 ? 10.f : -10.f),
                                pivot.z + (v & 4 ? 10.f : -10.f)});
  for (auto q : {std::array{0, 1, 3, 2}, {4, 6, 7, 5}, {0, 4, 5, 1}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 5, 7, 3}}) {
    CFace face;
    face.m_indices = {q[0], q[1], q[2], q[3]};
    face.m_material = material;
    model.m_faces.push_back(face);
  }
  RebuildSmoothingRecords(model);
  ComputeCornerNormals(model);
  return model;
}

void Key(CModel& model, size_t animation, size_t frame, CVector position, CVector rotation, CVector scale) {
  CAnimation& pose = model.m_tracks[animation][frame];
  pose.m_position = position;
  pose.m_rotation = rotation;
  pose.m_scale = scale;
  pose.m_key = 1;
}

// Three levels (Base > Arm > Hand) with pivots away from the origin, turning about every axis,
// in two animations of different lengths.
Scene ThreeLevelScene() {
  Scene scene;
  scene.m_materials.resize(1);
  scene.m_animationNames = {"Animation_0", "\x83\x41\x83\x6a\x83\x81"};  // "アニメ"
  scene.m_models = {Cube("Base", kNoModel, {5, 0, 0}), Cube("Arm", 0, {0, 40, 3}), Cube("Hand", 1, {-7, 80, 1})};
  for (CModel& model : scene.m_models) model.m_tracks = {Track(31), Track(11)};
  for (CModel& model : scene.m_models)
    for (Track& track : model.m_tracks) track[0].m_key = 1;
  Key(scene.m_models[0], 0, 30, {100, -20, 5}, {30, 370, -45}, {1.5f, 1, 0.5f});
  Key(scene.m_models[1], 0, 15, {0, 10, 0}, {-80, 20, 170}, {1, 2, 1});
  Key(scene.m_models[1], 0, 30, {0, 0, 30}, {90, 90, 90}, {1, 1, 1});
  Key(scene.m_models[2], 0, 10, {3, 0, 0}, {0, -200, 10}, {0.25f, 0.25f, 0.25f});
  Key(scene.m_models[2], 1, 10, {0, 50, 0}, {45, 0, 45}, {1, 1, 1});
  scene.m_models[1].m_tracks[1].resize(4);  // a short track holds its last pose
  RebuildHierarchyWalk(scene);
  RecomputeAllFrames(scene);
  return scene;
}

GltfAsset Build(const Scene& scene, GltfExportOptions options = {}) {
  return BuildGltfAsset(scene, options, true, "test");
}

// ---- node matrices ----

TEST(GltfExport, InnerNodeWorldMatricesEqualTheWebExportMatrices) {
  Scene scene = ThreeLevelScene();
  const GltfAsset asset = Build(scene);
  FillExportMatrices(scene, 1.0f);
  ASSERT_EQ(asset.json["animations"].size(), 2u);
  for (size_t a = 0; a < 2; ++a) {
    for (size_t frame : {0, 3, 7, 10, 15, 22, 30}) {
      if (a == 1 && frame > 10) continue;
      const std::vector<Matrix4> world = WorldMatrices(asset, a, frame);
      for (size_t i = 0; i < scene.m_models.size(); ++i) {
        const Matrix4 expected = WrittenExportMatrix(scene.m_models[i], a, frame);
        for (int r = 0; r < 4; ++r)
          for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(world[2 * i + 1].m[r][c], expected.m[r][c], 1e-4)
                << "animation " << a << " frame " << frame << " model " << i << " element " << r << c;
      }
    }
  }
}

TEST(GltfExport, AnimationsSampleEveryFrameAtTheFrameRateWithUtf8Names) {
  const Scene scene = ThreeLevelScene();
  GltfExportOptions options;
  options.fps = 24;
  const GltfAsset asset = Build(scene, options);
  const json& animations = asset.json["animations"];
  EXPECT_EQ(animations[1]["name"], "\xE3\x82\xA2\xE3\x83\x8B\xE3\x83\xA1");
  const std::vector<float> times = Floats(asset, animations[0]["samplers"][0]["input"]);
  ASSERT_EQ(times.size(), 31u);
  EXPECT_FLOAT_EQ(times[24], 1.0f);
  EXPECT_EQ(animations[0]["channels"].size(), 9u);  // translation, rotation, scale of 3 models
  // The keys come out exactly: frame 30 of Base is its key pose.
  const std::vector<float> scale = Floats(asset, animations[0]["samplers"][2]["output"]);
  EXPECT_EQ(scale[90], 1.5f);
  EXPECT_EQ(scale[92], 0.5f);
  // The rotation samples never flip sign between frames (no long way round).
  const std::vector<float> rotation = Floats(asset, animations[0]["samplers"][1]["output"]);
  for (size_t k = 1; k < 31; ++k) {
    float dot = 0;
    for (int c = 0; c < 4; ++c) dot += rotation[4 * k + c] * rotation[4 * (k - 1) + c];
    EXPECT_GT(dot, 0.0f) << "frame " << k;
  }
}

TEST(GltfExport, ModelsAreOuterAndInnerNodesNestedAsTheTree) {
  const GltfAsset asset = Build(ThreeLevelScene());
  const json& nodes = asset.json["nodes"];
  EXPECT_EQ(nodes[0]["name"], "Base");
  EXPECT_EQ(nodes[1]["translation"], json({-5.0, 0.0, 0.0}));
  EXPECT_EQ(nodes[0]["children"], json({1}));  // its pivot node
  EXPECT_EQ(nodes[1]["children"], json({2}));  // Arm, moved by Base's -pivot
  EXPECT_EQ(nodes[3]["children"], json({4}));
  EXPECT_FALSE(nodes[5].contains("children"));
  EXPECT_EQ(asset.json["scenes"][0]["nodes"], json({0, 6}));  // Base and the camera
  EXPECT_EQ(nodes[6]["camera"], 0);
}

TEST(GltfExport, NumbersThatAreNotFiniteBecomeNeutralValues) {
  Scene scene = ThreeLevelScene();
  const float nan = std::nanf(""), inf = INFINITY;
  CAnimation& pose = scene.m_models[2].m_tracks[0][5];
  pose.m_position = {nan, 1, 2};
  pose.m_rotation = {inf, 0, 0};
  pose.m_scale = {1, nan, 2};
  scene.m_models[1].m_origin = {nan, 0, 0};
  scene.m_models[0].m_vertices[3].x = nan;  // its faces are left out
  scene.m_cameras[0].m_position.x = nan;     // no camera
  const GltfAsset asset = Build(scene);
  EXPECT_EQ(asset.json.dump().find("null"), std::string::npos);
  EXPECT_FALSE(asset.json.contains("cameras"));
  const std::vector<Matrix4> world = WorldMatrices(asset, 0, 5);
  for (const Matrix4& m : world)
    for (const auto& row : m.m)
      for (float v : row) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(Indices(asset, asset.json["meshes"][0]["primitives"][0]["indices"]).size(), 3u * 6u);
}

// ---- meshes ----

struct MeshCase {
  const char* name;
  std::vector<IndexList> faces;
  size_t vertices;
  std::vector<uint32_t> indices;
};

TEST(GltfExport, MeshesHoldTheViewportsTrianglesTurnedForGltf) {
  const std::vector<MeshCase> cases = {
      {"triangle swaps its last corners", {{0, 1, 2}}, 3, {0, 1, 2}},
      {"quad makes 0 2 1 and 2 0 3", {{0, 1, 2, 3}}, 4, {0, 1, 2, 1, 0, 3}},
      {"five corners are left out", {{0, 1, 2, 3, 4}, {0, 1, 2}}, 3, {0, 1, 2}},
      {"a corner outside the vertices leaves its face out", {{0, 1, 9}, {2, 3, 4}}, 3, {0, 1, 2}},
  };
  for (const MeshCase& c : cases) {
    Scene scene;
    scene.m_materials.resize(1);
    CModel model;
    model.m_vertices = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {5, 20, 0}};
    for (const IndexList& indices : c.faces) {
      CFace face;
      face.m_indices = indices;
      model.m_faces.push_back(face);
    }
    scene.m_models.push_back(model);
    const GltfAsset asset = Build(scene);
    const json& primitive = asset.json["meshes"][0]["primitives"][0];
    EXPECT_EQ(asset.json["accessors"][primitive["attributes"]["POSITION"].get<int>()]["count"], c.vertices) << c.name;
    EXPECT_EQ(Indices(asset, primitive["indices"]), c.indices) << c.name;
  }
}

TEST(GltfExport, WindingSwapKeepsTheCornerNormalsOnTheFrontSide) {
  // A counter-clockwise triangle of glTF has its normal towards the viewer by the right-hand
  // rule: the exported normal must agree, or engines light the back.
  Scene scene;
  scene.m_materials.resize(1);
  scene.m_models = {Cube("Cube", kNoModel, {0, 0, 0})};
  const GltfAsset asset = Build(scene);
  const json& primitive = asset.json["meshes"][0]["primitives"][0];
  const std::vector<float> p = Floats(asset, primitive["attributes"]["POSITION"]);
  const std::vector<float> n = Floats(asset, primitive["attributes"]["NORMAL"]);
  const std::vector<uint32_t> index = Indices(asset, primitive["indices"]);
  for (size_t t = 0; t < index.size(); t += 3) {
    auto at = [&](int k) { return CVector{p[3 * index[t + k]], p[3 * index[t + k] + 1], p[3 * index[t + k] + 2]}; };
    const CVector e1 = at(1) - at(0), e2 = at(2) - at(0);
    const CVector ccw{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
    const uint32_t v = index[t];
    EXPECT_GT(ccw.x * n[3 * v] + ccw.y * n[3 * v + 1] + ccw.z * n[3 * v + 2], 0.0f) << "triangle " << t / 3;
  }
}

TEST(GltfExport, OnePrimitivePerMaterialAndWideIndicesPastSixtyFiveThousandVertices) {
  Scene scene;
  scene.m_materials.resize(3);
  CModel big;
  for (int i = 0; i < 70000; ++i) big.m_vertices.push_back({float(i), float(i % 7), 0});
  for (int i = 0; i + 2 < 70000; i += 3) {
    CFace face;
    face.m_indices = {i, i + 1, i + 2};
    face.m_material = (i / 3) % 2 == 0 ? 2 : 0;
    big.m_faces.push_back(face);
  }
  scene.m_models = {big, Cube("Small", kNoModel, {0, 0, 0}, 1)};
  const GltfAsset asset = Build(scene);
  const json& bigPrimitives = asset.json["meshes"][0]["primitives"];
  ASSERT_EQ(bigPrimitives.size(), 2u);
  EXPECT_EQ(bigPrimitives[0]["material"], 0);
  EXPECT_EQ(bigPrimitives[1]["material"], 2);
  EXPECT_EQ(asset.json["accessors"][bigPrimitives[0]["indices"].get<int>()]["componentType"], 5125);
  const json& small = asset.json["meshes"][1]["primitives"][0];
  EXPECT_EQ(asset.json["accessors"][small["indices"].get<int>()]["componentType"], 5123);
}

TEST(GltfExport, HiddenModelKeepsItsNodeWithoutAMesh) {
  Scene scene = ThreeLevelScene();
  scene.m_models[1].m_visible = 0;
  const GltfAsset asset = Build(scene);
  EXPECT_FALSE(asset.json["nodes"][3].contains("mesh"));
  EXPECT_TRUE(asset.json["nodes"][5].contains("mesh"));
}

// ---- materials and textures ----

TEST(GltfExport, MaterialsCarryColourAlphaEmissiveAndRoughness) {
  Scene scene = ThreeLevelScene();
  scene.m_materials.resize(2);
  CMaterial& glass = scene.m_materials[1];
  glass.m_name = "\x90\xd4";  // "赤"
  glass.m_color[0] = 1, glass.m_color[1] = 0.5f, glass.m_color[2] = 0, glass.m_color[3] = 0.5f;
  glass.m_emissive = 0.5f;
  glass.m_power = 98;
  const json materials = Build(scene).json["materials"];
  EXPECT_EQ(materials[0].value("alphaMode", "OPAQUE"), "OPAQUE");
  EXPECT_FALSE(materials[0].contains("emissiveFactor"));
  EXPECT_EQ(materials[1]["name"], "\xE8\xB5\xA4");
  EXPECT_EQ(materials[1]["alphaMode"], "BLEND");
  EXPECT_EQ(materials[1]["pbrMetallicRoughness"]["baseColorFactor"], json({1.0, 0.5, 0.0, 0.5}));
  EXPECT_EQ(materials[1]["emissiveFactor"], json({0.5, 0.25, 0.0}));
  EXPECT_EQ(materials[1]["pbrMetallicRoughness"]["metallicFactor"], 0.0);
  EXPECT_NEAR(materials[1]["pbrMetallicRoughness"]["roughnessFactor"].get<double>(), 0.1414, 1e-3);
}

TEST(GltfExport, TexturesAreEmbeddedOnceAndAMissingOneIsLeftOutWithAWarning) {
  Scene scene = ThreeLevelScene();
  scene.m_materials.resize(3);
  scene.m_materials[0].m_texture = "texture.png";
  scene.m_materials[1].m_texture = "TEXTURE.PNG";  // the same file, found ignoring letter case
  scene.m_materials[2].m_texture = "missing.bmp";
  scene.m_materials[1].m_emissive = 0.5f;  // glows through its texture, as in the viewport
  for (CFace& face : scene.m_models[0].m_faces) face.m_uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  GltfExportOptions options;
  options.textures.documentFolder = std::string(QV_TEST_DATA_DIR) + "/mqo";
  std::vector<std::string> warnings;
  options.warn = [&](const std::string& m) { warnings.push_back(m); };
  const GltfAsset asset = Build(scene, options);
  const json& j = asset.json;
  ASSERT_EQ(j["images"].size(), 1u);
  EXPECT_EQ(j["images"][0]["mimeType"], "image/png");
  EXPECT_EQ(j["materials"][1]["pbrMetallicRoughness"]["baseColorTexture"]["index"], 0);
  EXPECT_EQ(j["materials"][1]["emissiveTexture"]["index"], 0);
  EXPECT_FALSE(j["materials"][2]["pbrMetallicRoughness"].contains("baseColorTexture"));
  EXPECT_FALSE(j["materials"][0].contains("emissiveTexture"));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("missing.bmp"), std::string::npos);
  // Meshes of textured materials carry coordinates, even the ones with none of their own.
  for (const json& mesh : j["meshes"]) EXPECT_TRUE(mesh["primitives"][0]["attributes"].contains("TEXCOORD_0"));
}

// ---- files ----

TEST(GltfExport, GlbIsOneAlignedFileAndGltfHasItsBinaryBeside) {
  ScratchFolder folder{"qv export"};
  const Scene scene = ThreeLevelScene();
  ExportGltf(scene, folder.Path("logo.glb"), {});
  const std::string glb = testing::ReadFile(folder.Path("logo.glb"));
  ASSERT_GE(glb.size(), 28u);
  EXPECT_EQ(glb.substr(0, 4), "glTF");
  uint32_t length, jsonLength;
  std::memcpy(&length, glb.data() + 8, 4);
  std::memcpy(&jsonLength, glb.data() + 12, 4);
  EXPECT_EQ(length, glb.size());
  EXPECT_EQ(jsonLength % 4, 0u);
  EXPECT_EQ(glb.substr(16, 4), "JSON");
  EXPECT_EQ(glb.substr(20 + jsonLength + 4, 3), "BIN");

  const std::vector<std::string> written = ExportGltf(scene, folder.Path("logo.gltf"), {});
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0], folder.Path("logo.bin"));
  const json j = json::parse(testing::ReadFile(folder.Path("logo.gltf")));
  EXPECT_EQ(j["buffers"][0]["uri"], "logo.bin");
  EXPECT_EQ(j["buffers"][0]["byteLength"], std::filesystem::file_size(folder.Path("logo.bin")));
}

TEST(GltfExport, FailuresSayWhyAndLeaveNoFiles) {
  ScratchFolder folder{"qv export"};
  Scene empty;
  EXPECT_THROW(
      {
        try {
          ExportGltf(empty, folder.Path("empty.glb"), {});
        } catch (const GltfExportError& e) {
          EXPECT_STREQ(e.what(), kGltfEmptySceneMessage);
          throw;
        }
      },
      GltfExportError);
  const Scene scene = ThreeLevelScene();
  GltfExportOptions noRate;
  noRate.fps = 0;
  EXPECT_THROW(ExportGltf(scene, folder.Path("rate.glb"), noRate), GltfExportError);
  EXPECT_THROW(ExportGltf(scene, folder.Path("no/such/folder/logo.glb"), {}), GltfExportError);
  // The .gltf itself cannot be written (a folder holds its name): its .bin goes too.
  std::filesystem::create_directories(folder.path() / "busy.gltf" / "inside");
  EXPECT_THROW(ExportGltf(scene, folder.Path("busy.gltf"), {}), GltfExportError);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"busy.gltf"});
}


// ---- files beside a .gltf that are not the export's ----

using Rgba = std::array<uint8_t, 4>;

void WriteSolidPng(const std::filesystem::path& path, Rgba colour) {
  std::filesystem::create_directories(path.parent_path());
  std::vector<uint8_t> pixels;
  for (int i = 0; i < 4; ++i) pixels.insert(pixels.end(), colour.begin(), colour.end());
  ASSERT_TRUE(stbi_write_png(path.c_str(), 2, 2, 4, pixels.data(), 8));
}

Rgba FirstPixel(const std::filesystem::path& path) {
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &w, &h, &channels, 4);
  if (!pixels) return {0, 0, 0, 0};
  const Rgba first{pixels[0], pixels[1], pixels[2], pixels[3]};
  stbi_image_free(pixels);
  return first;
}

// A cube per texture name, each with its own material naming that texture.
Scene TexturedScene(const std::vector<std::string>& textures) {
  Scene scene;
  scene.m_animationNames = {"Animation_0"};
  for (size_t i = 0; i < textures.size(); ++i) {
    CMaterial material;
    material.m_texture = textures[i];
    scene.m_materials.push_back(material);
    CModel cube = Cube(("Cube" + std::to_string(i)).c_str(), kNoModel, {30.0f * i, 0, 0}, static_cast<int32_t>(i));
    for (CFace& face : cube.m_faces) face.m_uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    cube.m_tracks = {Track(2)};
    cube.m_tracks[0][0].m_key = 1;
    scene.m_models.push_back(std::move(cube));
  }
  RebuildHierarchyWalk(scene);
  RecomputeAllFrames(scene);
  return scene;
}

GltfExportOptions TexturesIn(const std::filesystem::path& folder) {
  GltfExportOptions options;
  options.textures.documentFolder = folder.string();
  return options;
}

// The image file a material's texture was written to, beside the .gltf.
std::filesystem::path ImageOfMaterial(const std::filesystem::path& gltf, size_t material) {
  const json j = json::parse(testing::ReadFile(gltf));
  const int texture = j["materials"][material]["pbrMetallicRoughness"]["baseColorTexture"]["index"];
  const int image = j["textures"][texture]["source"];
  return gltf.parent_path() / j["images"][image]["uri"].get<std::string>();
}

std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), folder).string()] = testing::ReadFile(entry.path());
  return files;
}

TEST(GltfExportFiles, AFailedExportLeavesTheEarlierExportAsItWas) {
  ScratchFolder folder{"qv export"};
  WriteSolidPng(folder.Path("wood.png"), {200, 100, 0, 255});
  ExportGltf(TexturedScene({"wood.png"}), folder.Path("L.gltf"), TexturesIn(folder.path()));
  const auto before = FolderContents(folder.path());
  ASSERT_EQ(before.size(), 4u);  // wood.png, L.gltf, L.bin, L_wood.png

  // A second scene whose second companion's name is too long for the file system.
  const std::string longName = std::string(pathconf(folder.path().c_str(), _PC_NAME_MAX) - 4, 'a') + ".png";
  WriteSolidPng(folder.Path(longName), {0, 0, 255, 255});
  Scene other = TexturedScene({"wood.png", longName});
  other.m_models[0].m_vertices[0].x += 1;  // another .bin
  EXPECT_THROW(ExportGltf(other, folder.Path("L.gltf"), TexturesIn(folder.path())), GltfExportError);
  auto after = FolderContents(folder.path());
  after.erase(longName);
  EXPECT_EQ(after, before);
}

TEST(GltfExportFiles, CompanionsNeverReplaceAFileTheExportDidNotMake) {
  ScratchFolder folder{"qv export"};
  const Rgba wood{200, 100, 0, 255}, label{0, 160, 0, 255};
  WriteSolidPng(folder.Path("wood.png"), wood);
  WriteSolidPng(folder.Path("L_wood.png"), label);  // the document's own texture, named as a companion would be
  std::ofstream(folder.Path("L.bin")) << "the user's own file";
  const std::string labelBytes = testing::ReadFile(folder.Path("L_wood.png"));
  const Scene scene = TexturedScene({"wood.png", "L_wood.png"});

  const std::vector<std::string> first = ExportGltf(scene, folder.Path("L.gltf"), TexturesIn(folder.path()));
  EXPECT_EQ(testing::ReadFile(folder.Path("L_wood.png")), labelBytes);
  EXPECT_EQ(testing::ReadFile(folder.Path("L.bin")), "the user's own file");
  EXPECT_EQ(FirstPixel(ImageOfMaterial(folder.Path("L.gltf"), 0)), wood);
  EXPECT_EQ(FirstPixel(ImageOfMaterial(folder.Path("L.gltf"), 1)), label);
  const json j = json::parse(testing::ReadFile(folder.Path("L.gltf")));
  EXPECT_NE(j["buffers"][0]["uri"], "L.bin");

  // Exported again: the files it made are replaced, under the same names; no new ones appear.
  const auto files = FolderContents(folder.path());
  const std::vector<std::string> second = ExportGltf(scene, folder.Path("L.gltf"), TexturesIn(folder.path()));
  EXPECT_EQ(second, first);
  EXPECT_EQ(FolderContents(folder.path()), files);
}

TEST(GltfExportFiles, TexturesOfTheSameNameGetCompanionsOfTheirOwn) {
  ScratchFolder folder{"qv export"};
  const struct {
    const char* texture;
    Rgba colour;
  } textures[] = {{"a.png", {255, 0, 0, 255}},
                  {"sub/a.png", {0, 255, 0, 255}},
                  {"a_2.png", {0, 0, 255, 255}},
                  {"A.PNG", {255, 255, 0, 255}}};  // differs from a.png only in letter case
  std::vector<std::string> names;
  for (const auto& t : textures) {
    WriteSolidPng(folder.Path(t.texture), t.colour);
    names.push_back(t.texture);
  }
  std::filesystem::create_directories(folder.path() / "out");
  ExportGltf(TexturedScene(names), folder.Path("out/L.gltf"), TexturesIn(folder.path()));
  std::set<std::string> lowerCased;
  for (size_t i = 0; i < names.size(); ++i) {
    SCOPED_TRACE(names[i]);
    const std::filesystem::path image = ImageOfMaterial(folder.path() / "out/L.gltf", i);
    EXPECT_EQ(FirstPixel(image), textures[i].colour);
    std::string lower = image.filename().string();
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(lowerCased.insert(lower).second) << image;
  }
}

}  // namespace
}  // namespace qv
