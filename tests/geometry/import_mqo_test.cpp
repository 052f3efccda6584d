#include "geometry/import_mqo.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <bit>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

using testing::ScratchFolder;

const std::string kHeader = "Metasequoia Document\r\nFormat Text Ver 1.0\r\n\r\n";

// A unit cube: 8 vertices, 6 quadrilaterals.
const std::string kCubeVertices =
    "\tvertex 8 {\r\n"
    "\t\t-1 1 1\r\n\t\t-1 -1 1\r\n\t\t1 1 1\r\n\t\t1 -1 1\r\n"
    "\t\t1 1 -1\r\n\t\t1 -1 -1\r\n\t\t-1 1 -1\r\n\t\t-1 -1 -1\r\n"
    "\t}\r\n";
const std::string kCubeFaces =
    "\tface 6 {\r\n"
    "\t\t4 V(0 2 3 1)\r\n\t\t4 V(2 4 5 3)\r\n\t\t4 V(4 6 7 5)\r\n"
    "\t\t4 V(6 0 1 7)\r\n\t\t4 V(6 4 2 0)\r\n\t\t4 V(1 3 5 7)\r\n"
    "\t}\r\n";

std::string Object(const std::string& name, const std::string& body) {
  return "Object \"" + name + "\" {\r\n" + body + "}\r\n";
}

class ImportMqoTest : public ::testing::Test {
 protected:

  MqoImportResult Import(const std::string& body, const std::string& name = "model.mqo") {
    MqoImportOptions options;
    options.showMessage = [this](const std::string& text) { messages.push_back(text); };
    options.programFolder = (folder.path() / "program").string();
    return ImportMQO(scene, folder.Write(name, body), options);
  }

  ScratchFolder folder{"qv mqo"};
  Scene scene;
  std::vector<std::string> messages;
};

TEST_F(ImportMqoTest, RefusesOtherDocumentsAndVersions) {
  scene.m_materials.emplace_back();
  scene.m_materials[0].m_number = 40;  // a refused file does not even renumber the materials
  struct Case {
    std::string text;
    int32_t code;
  };
  for (const Case& c : {Case{"Metasequoia Document\r\nFormat Text Ver 1.2\r\n" + Object("a", kCubeVertices + kCubeFaces),
                             kMqoUnsupportedVersion},
                        Case{"Metasequoia Document\r\nFormat Compress Ver 1.1\r\n", kMqoUnsupportedVersion},
                        Case{"Metasequoia Document\r\n", kMqoUnsupportedVersion},
                        Case{"Metasequoia\r\nFormat Text Ver 1.0\r\n", kMqoNotMetasequoia},
                        Case{"", kMqoNotMetasequoia},
                        Case{"\x89PNG\r\n\x1a\n", kMqoNotMetasequoia}}) {
    const MqoImportResult result = Import(c.text);
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(result.code, c.code) << c.text;
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(scene.m_models.empty());
    EXPECT_EQ(scene.m_materials.size(), 1u);  // nothing added
    EXPECT_EQ(scene.m_materials[0].m_number, 40);
  }
  EXPECT_FALSE(ImportMQO(scene, (folder.path() / "missing.mqo").string()).opened);
  EXPECT_FALSE(ImportMQO(scene, folder.path().string()).opened);  // a folder
  EXPECT_EQ(scene.m_materials.size(), 1u);
}

TEST_F(ImportMqoTest, CountersAtTheLargestIdRenumberInsteadOfOverflowing) {
  scene.m_models.resize(2);
  scene.m_models[0].m_id = 7;
  scene.m_models[1].m_id = INT_MAX;
  scene.m_nextModelId = INT_MAX;
  scene.m_nextMaterialId = INT_MAX;
  const MqoImportResult result =
      Import(kHeader + "Material 2 {\r\n\"a\"\r\n\"b\"\r\n}\r\n" + Object("x", kCubeVertices + kCubeFaces) +
             Object("y", kCubeVertices + kCubeFaces));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(scene.m_models.size(), 4u);
  EXPECT_EQ(scene.m_models[0].m_id, 1);
  EXPECT_EQ(scene.m_models[1].m_id, 2);
  EXPECT_EQ(scene.m_models[2].m_id, 3);
  EXPECT_EQ(scene.m_models[3].m_id, 4);
  ASSERT_EQ(scene.m_materials.size(), 2u);
  EXPECT_EQ(scene.m_materials[0].m_number, 0);
  EXPECT_EQ(scene.m_materials[1].m_number, 1);
  EXPECT_EQ(scene.m_nextMaterialId, 2);

  // A scene without materials gets its default one the same way.
  Scene empty;
  empty.m_nextMaterialId = INT_MAX;
  ASSERT_TRUE(ImportMQO(empty, folder.Write("bare.mqo", kHeader + Object("z", kCubeVertices + kCubeFaces))).ok());
  EXPECT_EQ(empty.m_materials.size(), 1u);
  EXPECT_EQ(empty.m_nextMaterialId, 2);
}

// Sizes that make no sense for a logo are refused as a whole, before the memory is spent.
TEST_F(ImportMqoTest, FilesBeyondTheLimitsAreRefusedAsAWhole) {
  const std::string triangle = "\tvertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n\t}\r\n\tface 1 {\r\n3 V(0 1 2)\r\n\t}\r\n";
  std::string manyObjects = kHeader;
  for (int64_t i = 0; i <= kMaxImportObjects; ++i) manyObjects += Object("o", triangle);
  std::string mirrored = kHeader + "Object \"m\" {\r\n\tmirror_axis 7\r\n" +
                         "\tvertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n\t}\r\n\tface 1 {\r\n";
  for (int64_t i = 0; i <= kMaxImportFaces / 8; ++i) mirrored += "3 V(0 1 2)\r\n";
  mirrored += "\t}\r\n}\r\n";
  const struct {
    const char* name;
    const std::string& text;
  } cases[] = {{"objects", manyObjects}, {"mirrored faces", mirrored}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Scene fresh;
    scene = std::move(fresh);
    scene.m_materials.emplace_back();
    const MqoImportResult result = Import(c.text);
    EXPECT_EQ(result.code, kMqoTooLarge);
    EXPECT_EQ(result.modelsAdded, 0);
    EXPECT_TRUE(scene.m_models.empty());
    EXPECT_EQ(scene.m_materials.size(), 1u);
    EXPECT_EQ(scene.m_nextModelId, 5);
  }
}

// The scene's materials and its poses (a pose per model and frame) have limits, which one import
// cannot pass, nor imports added up; an import that would pass them is refused as a whole.
TEST_F(ImportMqoTest, ImportsCannotPassTheScenesLimits) {
  std::string manyMaterials = kHeader + "Material " + std::to_string(kMaxSceneMaterials + 1) + " {\r\n";
  for (int64_t i = 0; i <= kMaxSceneMaterials; ++i) manyMaterials += "\t\"m\" col(1 1 1 1)\r\n";
  manyMaterials += "}\r\n";
  scene.m_materials.emplace_back();
  const MqoImportResult one = Import(manyMaterials);
  EXPECT_EQ(one.code, kMqoTooManyMaterials);
  EXPECT_EQ(scene.m_materials.size(), 1u);
  messages.clear();

  const std::string triangle = "\tvertex 3 {\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n\t}\r\n\tface 1 {\r\n3 V(0 1 2)\r\n\t}\r\n";
  const std::string twoMaterials =
      kHeader + "Material 2 {\r\n\t\"a\" col(1 0 0 1)\r\n\t\"b\" col(0 1 0 1)\r\n}\r\n" + Object("o", triangle);

  scene.m_materials.resize(kMaxSceneMaterials - 1);  // imports add up
  const MqoImportResult materials = Import(twoMaterials);
  EXPECT_EQ(materials.code, kMqoTooManyMaterials);
  EXPECT_EQ(materials.modelsAdded, 0);
  EXPECT_EQ(scene.m_materials.size(), static_cast<size_t>(kMaxSceneMaterials - 1));
  EXPECT_NE(std::string(MqoResultText(materials.code)).find("10000 materials"), std::string::npos);

  // Ten models on a timeline of a million frames hold the ten million poses already; the scene's
  // tracks are short here, the frame range alone counts.
  Scene full;
  scene = std::move(full);
  scene.m_materials.emplace_back();
  scene.m_lastFrame = scene.m_previousLastFrame = kMaxLastFrame - 1;
  scene.m_models.resize(10);
  for (CModel& model : scene.m_models) model.m_tracks.assign(1, Track(1));
  const MqoImportResult poses = Import(kHeader + Object("o", triangle));
  EXPECT_EQ(poses.code, kMqoTooManyPoses);
  EXPECT_EQ(poses.modelsAdded, 0);
  EXPECT_EQ(scene.m_models.size(), 10u);
  EXPECT_NE(std::string(MqoResultText(poses.code)).find("10000000 poses"), std::string::npos);

  // The desktop program tells which limit refused the file.
  EXPECT_EQ(messages, (std::vector<std::string>{kTooManyMaterialsMessage, kTooManyPosesMessage}));

  // 11 x 909,090 poses fit.
  scene.m_lastFrame = scene.m_previousLastFrame = 909'089;
  EXPECT_TRUE(Import(kHeader + Object("o", triangle)).ok());
  EXPECT_EQ(scene.m_models.size(), 11u);
}

TEST_F(ImportMqoTest, AcceptsBothTextVersionsAndAnEmptyBody) {
  for (const char* version : {"1.0", "1.1", "1.10"}) {
    const MqoImportResult result = Import(std::string("Metasequoia Document\nFormat Text Ver ") + version + "\n");
    EXPECT_TRUE(result.ok()) << version;
  }
}

TEST_F(ImportMqoTest, KeepsTrianglesAndQuadsCutsPolygonsAndUsesLinesAsThePivot) {
  const MqoImportResult result = Import(kHeader + Object("shape",
      "\tvertex 6 {\r\n\t\t0 0 0\r\n\t\t2 0 0\r\n\t\t3 2 0\r\n\t\t1 3 0\r\n\t\t-1 2 0\r\n\t\t7 8 9\r\n\t}\r\n"
      "\tface 5 {\r\n"
      "\t\t1 V(0)\r\n"
      "\t\t2 V(5 0)\r\n"
      "\t\t3 V(0 1 2)\r\n"
      "\t\t4 V(0 1 2 3)\r\n"
      "\t\t5 V(0 1 2 3 4) UV(0 0 0.1 0.1 0.2 0.2 0.3 0.3 0.4 0.4)\r\n"
      "\t}\r\n"));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(scene.m_models.size(), 1u);
  const CModel& model = scene.m_models[0];
  EXPECT_EQ(model.m_origin, CVector(7, 8, 9));
  ASSERT_EQ(model.m_faces.size(), 5u);  // triangle, quad, the pentagon as three triangles
  EXPECT_EQ(model.m_faces[0].m_indices.size(), 3u);
  EXPECT_EQ(model.m_faces[1].m_indices.size(), 4u);
  for (size_t f = 2; f < 5; ++f) {
    const CFace& piece = model.m_faces[f];
    ASSERT_EQ(piece.m_indices.size(), 3u);
    ASSERT_EQ(piece.m_uvs.size(), 3u);
    for (size_t c = 0; c < 3; ++c) {
      // Each corner keeps its own texture coordinates.
      const float expected = 0.1f * static_cast<float>(piece.m_indices[c]);
      EXPECT_FLOAT_EQ(piece.m_uvs[c].u, expected);
    }
    // The pieces face the way the pentagon did (its corners run counter-clockwise about +z).
    EXPECT_GT(piece.m_normal.z, 0.99f) << f;
  }
}

TEST_F(ImportMqoTest, ObjectWithoutUsableFacesIsDroppedWithoutTakingAnId) {
  const MqoImportResult result = Import(kHeader +
      Object("lines", "\tvertex 2 {\r\n\t\t0 0 0\r\n\t\t1 1 1\r\n\t}\r\n\tface 1 {\r\n\t\t2 V(0 1)\r\n\t}\r\n") +
      Object("empty", "\tvertex 0 {\r\n\t}\r\n\tface 0 {\r\n\t}\r\n") +
      Object("cube", kCubeVertices + kCubeFaces));
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(scene.m_models.size(), 1u);
  EXPECT_EQ(scene.m_models[0].m_name, "cube");
  EXPECT_EQ(scene.m_models[0].m_id, 6);
  EXPECT_EQ(scene.m_nextModelId, 6);
}

TEST_F(ImportMqoTest, FacesOutsideTheVerticesAreDroppedUnknownMaterialsKept) {
  const MqoImportResult result = Import(kHeader + "Material 1 {\r\n\t\"m\" col(1 0 0 1)\r\n}\r\n" +
      Object("o", "\tvertex 3 {\r\n\t\t0 0 0\r\n\t\t1 0 0\r\n\t\t0 1 0\r\n\t}\r\n"
                  "\tface 4 {\r\n"
                  "\t\t3 V(0 1 3)\r\n"
                  "\t\t3 V(0 -1 2)\r\n"
                  "\t\t3 V(0 1 2) M(7)\r\n"
                  "\t\t3 V(0 1 2) M(0)\r\n"
                  "\t}\r\n"));
  ASSERT_TRUE(result.ok());
  const CModel& model = scene.m_models.at(0);
  ASSERT_EQ(model.m_faces.size(), 2u);
  EXPECT_EQ(model.m_faces[0].m_material, 7);  // kept as read; never drawn
  EXPECT_EQ(model.m_faces[1].m_material, 0);
  EXPECT_EQ(model.m_trianglesPerMaterial, std::vector<int32_t>{1});
  EXPECT_EQ(model.m_meshVertices.size(), 3u);
}

TEST_F(ImportMqoTest, MaterialIndicesAreOffsetByTheMaterialsAlreadyThere) {
  scene.m_materials.resize(2);
  scene.m_materials[0].m_number = 40;
  scene.m_nextMaterialId = 9;
  const MqoImportResult result = Import(kHeader +
      "Material 2 {\r\n"
      "\t\"red\" shader(3) col(1.000 0.000 0.000 0.500) dif(0.800) amb(0.600) emi(0.100) spc(0.200) power(7.00)\r\n"
      "\t\"glass\" dbls(1) uid(4) reflect(0.5) aplane(\"a.psd\") bump(\"b.jpg\")\r\n"
      "}\r\n" +
      Object("o", kCubeVertices + "\tface 2 {\r\n\t\t3 V(0 1 2) M(1)\r\n\t\t3 V(0 1 2)\r\n\t}\r\n"));
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.materialsAdded, 2);
  ASSERT_EQ(scene.m_materials.size(), 4u);
  EXPECT_EQ(scene.m_materials[0].m_number, 0);  // renumbered before the import
  const CMaterial& red = scene.m_materials[2];
  EXPECT_EQ(red.m_name, "red");
  EXPECT_EQ(red.m_number, 9);
  EXPECT_EQ(red.m_shader, 3);
  EXPECT_FLOAT_EQ(red.m_color[0], 1.0f);
  EXPECT_FLOAT_EQ(red.m_color[3], 0.5f);
  EXPECT_FLOAT_EQ(red.m_diffuse, 0.8f);
  EXPECT_FLOAT_EQ(red.m_ambient, 0.6f);
  EXPECT_FLOAT_EQ(red.m_emissive, 0.1f);
  EXPECT_FLOAT_EQ(red.m_specular, 0.2f);
  EXPECT_FLOAT_EQ(red.m_power, 7.0f);
  EXPECT_FLOAT_EQ(red.m_lighting.diffuse.r, 0.8f);  // lighting brought up to date
  const CMaterial& glass = scene.m_materials[3];
  EXPECT_EQ(glass.m_number, 10);
  EXPECT_EQ(glass.m_alphaPlane, "a.psd");  // read after the unknown reflect(...)
  EXPECT_EQ(glass.m_bump, "b.jpg");
  EXPECT_EQ(scene.m_nextMaterialId, 11);
  EXPECT_EQ(scene.m_models[0].m_faces[0].m_material, 3);
  EXPECT_EQ(scene.m_models[0].m_faces[1].m_material, 2);
}

TEST_F(ImportMqoTest, MaterialLineStopsAtAMisplacedParenthesisButIsStillAdded) {
  const MqoImportResult result = Import(kHeader +
      "Material 3 {\r\n"
      "\t\"a\" dif(0.5) power(9) col(1 0 0)\r\n"   // col too short: taken as unknown, skipped
      "\t\"b\" dif 0.5 power(9)\r\n"              // no "(" after dif: rest ignored
      "\t\"c\" col(0.1 0.2 0.3 0.4 power(9)\r\n"  // ")" not where col needs it: rest ignored
      "}\r\n");
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(scene.m_materials.size(), 3u);
  EXPECT_FLOAT_EQ(scene.m_materials[0].m_diffuse, 0.5f);
  EXPECT_FLOAT_EQ(scene.m_materials[0].m_power, 9.0f);
  EXPECT_FLOAT_EQ(scene.m_materials[0].m_color[1], 0.8f);
  EXPECT_FLOAT_EQ(scene.m_materials[1].m_power, 5.0f);
  EXPECT_FLOAT_EQ(scene.m_materials[2].m_color[0], 0.8f);
  EXPECT_FLOAT_EQ(scene.m_materials[2].m_power, 5.0f);
}

TEST_F(ImportMqoTest, OneDefaultMaterialWhenTheSceneHasNone) {
  ASSERT_TRUE(Import(kHeader + Object("cube", kCubeVertices + kCubeFaces)).ok());
  ASSERT_EQ(scene.m_materials.size(), 1u);
  EXPECT_EQ(scene.m_materials[0].m_name, "Material");
  EXPECT_EQ(scene.m_nextMaterialId, 1);
  EXPECT_EQ(scene.m_models[0].m_meshVertices.size(), 36u);  // six quads on the default material
}

TEST_F(ImportMqoTest, MirrorAxisOneDoublesTheCubeWithReversedFaces) {
  ASSERT_TRUE(Import(kHeader + Object("cube", "\tmirror 1\r\n\tmirror_axis 1\r\n" + kCubeVertices + kCubeFaces)).ok());
  const CModel& model = scene.m_models.at(0);
  ASSERT_EQ(model.m_vertices.size(), 16u);
  ASSERT_EQ(model.m_faces.size(), 12u);
  EXPECT_EQ(model.m_mirrorAxis, 1);
  EXPECT_EQ(model.m_vertices[8], CVector(1, 1, 1));  // copy of vertex 0 with x negated
  EXPECT_EQ(model.m_faces[6].m_indices, (IndexList{9, 11, 10, 8}));  // 0 2 3 1 reversed, + 8
}

TEST_F(ImportMqoTest, MirrorAxesCombine) {
  struct Case {
    int axis;
    size_t copies;
  };
  for (const Case& c : {Case{0, 1}, Case{2, 2}, Case{3, 4}, Case{6, 4}, Case{7, 8}, Case{8, 1}, Case{-1, 1}}) {
    scene.m_models.clear();
    ASSERT_TRUE(Import(kHeader + Object("cube", "\tmirror_axis " + std::to_string(c.axis) + "\r\n" + kCubeVertices +
                                                    kCubeFaces)).ok());
    EXPECT_EQ(scene.m_models.at(0).m_vertices.size(), 8 * c.copies) << c.axis;
    EXPECT_EQ(scene.m_models.at(0).m_faces.size(), 6 * c.copies) << c.axis;
  }
}

TEST_F(ImportMqoTest, FacetSetsTheSmoothingAngle) {
  ASSERT_TRUE(Import(kHeader + Object("a", "\tfacet 59.5\r\n" + kCubeVertices + kCubeFaces) +
                     Object("b", kCubeVertices + kCubeFaces)).ok());
  EXPECT_FLOAT_EQ(scene.m_models.at(0).m_smoothingAngle, 59.5f);
  EXPECT_FLOAT_EQ(scene.m_models.at(1).m_smoothingAngle, 0.0f);
}

// Eight vertices as little-endian float32 triples, with line feeds and braces among the bytes.
std::string BinaryCube() {
  const float values[24] = {-1, 1, 1, -1, -1, 1, 1, 1, 1, 1, -1, 1, 1, 1, -1, 1, -1, -1,
                            -1, 1, -1, -1, -1, std::bit_cast<float>(0x7D0A7B0Au)};
  std::string bytes(96, '\0');
  std::memcpy(bytes.data(), values, 96);
  return bytes;
}

TEST_F(ImportMqoTest, BinaryVerticesAreReadFromTheirExactByteCount) {
  const MqoImportResult result = Import(kHeader + Object("b",
      "\tBVertex 8 {\r\n\t\tVector 8 [96]\r\n" + BinaryCube() + "\r\n"
      "\t\tweit 8 [32]\r\n" + std::string(32, '\n') + "\r\n"
      "\t}\r\n" + kCubeFaces));
  ASSERT_TRUE(result.ok()) << MqoResultText(result.code) << " line " << result.line;
  const CModel& model = scene.m_models.at(0);
  ASSERT_EQ(model.m_vertices.size(), 8u);
  EXPECT_EQ(model.m_vertices[1], CVector(-1, -1, 1));
  EXPECT_EQ(std::bit_cast<uint32_t>(model.m_vertices[7].z), 0x7D0A7B0Au);
  EXPECT_EQ(model.m_faces.size(), 6u);
}

TEST_F(ImportMqoTest, SkippedChunksSkipBinaryPayloadsExactly) {
  // The payload looks like an object; skipping exactly 96 bytes keeps it from being read.
  std::string payload = "Object \"fake\" {\r\n" + kCubeVertices;
  payload.resize(96, ' ');
  const MqoImportResult result = Import(kHeader + "Blob {\r\n\tVector 8 [96]\r\n" + payload + "\r\n}\r\n" +
                                        "Vector 8 [96]\r\n" + payload + "\r\n" + Object("real", kCubeVertices + kCubeFaces));
  ASSERT_TRUE(result.ok()) << MqoResultText(result.code) << " line " << result.line;
  ASSERT_EQ(scene.m_models.size(), 1u);
  EXPECT_EQ(scene.m_models[0].m_name, "real");
}

TEST_F(ImportMqoTest, PayloadCutShortIsASyntaxError) {
  const MqoImportResult result = Import(kHeader + Object("b", "\tBVertex 8 {\r\n\t\tVector 8 [96]\r\n" + std::string(40, 'x')));
  EXPECT_EQ(result.code, kMqoSyntaxError);
  EXPECT_TRUE(scene.m_models.empty());
}

TEST_F(ImportMqoTest, HalfReadObjectStaysOnlyWithUsableFaces) {
  // The file ends inside the face chunk: the faces read so far make a complete model.
  MqoImportResult result = Import(kHeader + Object("whole", kCubeVertices + kCubeFaces) +
                                  "Object \"half\" {\r\n" + kCubeVertices + "\tface 6 {\r\n\t\t4 V(0 2 3 1)\r\n");
  EXPECT_EQ(result.code, kMqoUnexpectedEnd);
  ASSERT_EQ(scene.m_models.size(), 2u);
  const CModel& half = scene.m_models[1];
  EXPECT_EQ(half.m_name, "half");
  EXPECT_EQ(half.m_id, 7);
  EXPECT_EQ(half.m_faces.size(), 1u);
  EXPECT_EQ(half.m_tracks.size(), 1u);
  EXPECT_EQ(half.m_tracks[0].size(), static_cast<size_t>(scene.m_lastFrame + 1));
  EXPECT_EQ(half.m_meshVertices.size(), 6u);

  // A syntax error before any face: the object goes; the line is reported.
  scene.m_models.clear();
  result = Import(kHeader + "Object \"broken\" {\r\n" + kCubeVertices + "\tface 1 {\r\n\t\t3 X(0 1 2)\r\n\t}\r\n}\r\n");
  EXPECT_EQ(result.code, kMqoSyntaxError);
  EXPECT_EQ(result.line, 16);
  EXPECT_TRUE(scene.m_models.empty());
}

TEST_F(ImportMqoTest, FaceLineSyntax) {
  struct Case {
    const char* line;
    int32_t code;
    size_t faces;
  };
  for (const Case& c : {Case{"3 V(0 1 2)", kMqoOk, 1}, Case{"3 V 0 1 2) x", kMqoOk, 0},
                        Case{"3 V(0 1 2 3)", kMqoOk, 0}, Case{"3 V(0 1 2) M[0]", kMqoOk, 0},
                        Case{"3 V(0 1 2) M(0) UV(0 0 1 0 1 1", kMqoOk, 1},  // too short for UV: no coordinates
                        Case{"3 V(0 1 2) UV(0 0 1 0 1 1 x", kMqoOk, 0},
                        Case{"3 V(0 1)", kMqoSyntaxError, 0}, Case{"3", kMqoSyntaxError, 0},
                        Case{"-2 V(0 1)", kMqoSyntaxError, 0}, Case{"99999999999 V(0 1 2)", kMqoSyntaxError, 0},
                        Case{"3 W(0 1 2)", kMqoSyntaxError, 0}}) {
    scene.m_models.clear();
    const MqoImportResult result =
        Import(kHeader + Object("o", kCubeVertices + "\tface 1 {\r\n\t\t" + c.line + "\r\n\t\t3 V(0 1 2)\r\n\t}\r\n"));
    EXPECT_EQ(result.code, c.code) << c.line;
    const size_t faces = scene.m_models.empty() ? 0 : scene.m_models[0].m_faces.size();
    // Lines that end the import leave the model with nothing; others add the second face too.
    EXPECT_EQ(faces, c.code == kMqoOk ? c.faces + 1 : 0) << c.line;
  }
}

TEST_F(ImportMqoTest, NamesAreMadeUniqueAndModelsComplete) {
  scene.m_models.emplace_back();
  scene.m_models[0].m_name = "Cube";
  ASSERT_TRUE(Import(kHeader + Object("cube", kCubeVertices + kCubeFaces) + Object("CUBE", kCubeVertices + kCubeFaces)).ok());
  ASSERT_EQ(scene.m_models.size(), 3u);
  EXPECT_EQ(scene.m_models[0].m_name, "Cube");
  EXPECT_EQ(scene.m_models[1].m_name, "cube_3");
  EXPECT_EQ(scene.m_models[2].m_name, "CUBE_2");
  for (size_t i = 1; i < 3; ++i) {
    const CModel& model = scene.m_models[i];
    EXPECT_EQ(model.m_parent, kNoModel);
    EXPECT_EQ(model.m_parentName, "<NULL>");
    EXPECT_EQ(model.m_tracks.at(0).at(0).m_key, 1);
    EXPECT_EQ(model.m_boundsMax, CVector(1, 1, 1));
    EXPECT_EQ(model.m_boundsMin, CVector(-1, -1, -1));
    EXPECT_EQ(model.m_vertexRecords.size(), 8u);
  }
}

TEST_F(ImportMqoTest, UnknownChunksAndKeywordsAreSkippedByTheirBraces) {
  ASSERT_TRUE(Import(kHeader +
      "Scene {\r\n\tpos 0 0 1500\r\n\tdirlights 1 {\r\n\t\tlight {\r\n\t\t\tdir 0 0 1\r\n\t\t}\r\n\t}\r\n}\r\n"
      "IncludeXml \"x.xml\"\r\n"
      "Thumbnail 128 128 24 rgb raw {\r\n\t00FF00\r\n}\r\n"
      "MaterialEx2 {\r\n\tmaterial 0 {\r\n\t\tshaderparam {\r\n\t\t}\r\n\t}\r\n}\r\n" +
      Object("o", "\tvertexattr {\r\n\t\tuid {\r\n\t\t}\r\n\t}\r\n\tscale 1 1 1\r\n" + kCubeVertices + kCubeFaces) +
      "Eof\r\n").ok());
  EXPECT_EQ(scene.m_models.size(), 1u);
  EXPECT_EQ(scene.m_materials.size(), 1u);
}

TEST_F(ImportMqoTest, TexturesResolveAgainstTheFileFolderWithoutChangingTheCurrentDirectory) {
  // 24-bit BMP, 1 x 1 pixel, blue-green-red 10 20 30.
  const std::string bmp(
      "BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0\x04\0\0\0\x13\x0b\0\0\x13\x0b\0\0"
      "\0\0\0\0\0\0\0\0\x0a\x14\x1e\0",
      58);
  // A folder path well beyond 256 bytes.
  std::string deep;
  for (int i = 0; i < 12; ++i) deep += std::string(30, static_cast<char>('a' + i)) + "/";
  folder.Write(deep + "Images/Wood.BMP", bmp);
  const std::string before = std::filesystem::current_path().string();
  const MqoImportResult result =
      Import(kHeader + "Material 2 {\r\n\t\"wood\" reflect(0.5) tex(\"images\\wood.bmp\")\r\n\t\"gone\" tex(\"none.png\")\r\n}\r\n",
             deep + "model.mqo");
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(std::filesystem::current_path().string(), before);
  ASSERT_EQ(scene.m_materials.size(), 2u);
  EXPECT_EQ(scene.m_materials[0].m_texture, "images\\wood.bmp");
  ASSERT_EQ(scene.m_materials[0].m_image.size(), 1u);
  EXPECT_EQ(scene.m_materials[0].m_image.data()[0], 0xFF1E140Au);
  EXPECT_EQ(scene.m_materials[1].m_texture, "none.png");  // not found: the name is kept
  EXPECT_TRUE(scene.m_materials[1].m_image.empty());
  EXPECT_EQ(messages, std::vector<std::string>{std::string(kTextureFailedMessage) + "\n\nnone.png：見つかりません"});
}

}  // namespace
}  // namespace qv

namespace qv {
namespace {

// The fuzzer's seed inputs import like any file (the sanitizer build replays them as well).
TEST(MqoFuzzSeeds, ImportWithoutFault) {
  const std::filesystem::path seeds = std::filesystem::path(QV_SOURCE_DIR) / "fuzz" / "corpus" / "mqo_import";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    Scene scene;
    MqoImportOptions options;
    options.loadTextures = false;
    const MqoImportResult result = ImportMQO(scene, entry.path().string(), options);
    EXPECT_TRUE(result.opened) << entry.path();
    for (const CModel& model : scene.m_models) {
      for (const CFace& face : model.m_faces) {
        for (int32_t index : face.m_indices) ASSERT_LT(static_cast<size_t>(index), model.m_vertices.size());
      }
    }
    ++count;
  }
  EXPECT_GE(count, 8);
}

}  // namespace
}  // namespace qv
