// Real Metasequoia files import without fault, with the model, vertex and face counts found by
// tests/geometry/mqo_counts.py (an independent byte-level counter, not this importer) and the
// textures the lookup rules find next to each file. A few files travel with the tests
// (tests/data/mqo); the whole shared corpus is tested when it is present.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/import_mqo.h"
#include "scene/scene.h"

namespace qv {
namespace {

struct CorpusFile {
  const char* path;
  int objects;
  int vertices;
  int faces;
  int32_t code;          // parse result
  int texturesLoaded;    // materials whose image was found and decoded
  int textureFailures;   // textures named in the one message shown (missing or unreadable images)
};

// Counts: python3 tests/geometry/mqo_counts.py /work/shared/corpus/mqo
const CorpusFile kCorpus[] = {
    {"anatawa12/test.mqo", 1, 22, 15, kMqoOk, 0, 0},
    {"binzume/autocsg_sample.mqo", 2, 608, 985, kMqoOk, 0, 0},
    {"dsan/d-chan2.mqo", 13, 502, 483, kMqoOk, 0, 0},
    {"dsan/d-chan3.mqo", 7, 376, 403, kMqoOk, 0, 0},          // binary vertices only
    {"dsan/wild_dsan.mqo", 3, 1825, 1788, kMqoOk, 1, 0},      // C:\Users\...\tex1.jpg found by its name
    {"glmetaseq/ninja.mqo", 17, 6567, 10518, kMqoOk, 0, 0},
    {"kattun/maid/maid.mqo", 15, 14977, 14996, kMqoOk, 4, 1},  // D:\...\tex_maid_mop2.tga is missing
    {"kattun/room/room.mqo", 8, 1859, 1923, kMqoOk, 0, 0},
    {"lsbattle/Manticore/Manticore.mqo", 1, 387, 564, kMqoOk, 1, 0},
    {"lsbattle/Phoenix/Phoenix.mqo", 2, 892, 738, kMqoOk, 3, 0},
    {"lsbattle/miku/miku.mqo", 17, 12810, 22961, kMqoOk, 0, 1},  // eyeM2.bmp is missing
    {"nutti/mirrored_multiple_axes.mqo", 1, 16, 4, kMqoOk, 0, 0},
    {"nutti/normal.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"nutti/simple.mqo", 0, 0, 0, kMqoOk, 0, 0},
    {"nutti/single_material_with_materialex2.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"nutti/single_object_with_bvertex.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"nutti/single_object_with_edge.mqo", 1, 11, 6, kMqoOk, 0, 0},
    {"nutti/texture.mqo", 1, 8, 6, kMqoOk, 1, 0},
    {"nutti/vertexattr.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"nyar/jeep.mqo", 2, 614, 597, kMqoOk, 1, 0},
    {"rlr/dia.mqo", 4, 16322, 16605, kMqoOk, 0, 0},
    {"rtm/127mmTank.mqo", 12, 16394, 18596, kMqoOk, 1, 0},
    {"rtm/Model_none.mqo", 0, 0, 0, kMqoOk, 0, 0},
    {"rtm/eb20.mqo", 0, 0, 0, kMqoUnsupportedVersion, 0, 0},  // Format Text Ver 1.2
    {"secondfps/char5_exp_ver3.mqo", 11, 22560, 44676, kMqoOk, 0, 0},  // tex("") loads nothing
    {"shapesphere/Body.mqo", 5, 5290, 10232, kMqoOk, 6, 0},  // texture\Skin2.png and others
    {"tamachan/shrinkwrap_test.mqo", 4, 1105, 1237, kMqoOk, 0, 0},
    {"tamachan/drawpolygon/furiru2.mqo", 5, 1175, 1531, kMqoOk, 2, 0},
    {"tamachan/drawpolygon/sample.mqo", 2, 199, 239, kMqoOk, 0, 0},
    {"wanwan/includexml.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"wanwan/trialnoise.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"wanwan/hachune/miku01.mqo", 3, 1364, 2369, kMqoOk, 1, 0},
    {"wanwan/medaka/medaka.mqo", 3, 306, 258, kMqoOk, 1, 0},
    {"wertrain/isu.mqo", 3, 348, 284, kMqoOk, 0, 0},
    {"wertrain/soldier/heisi.mqo", 7, 464, 464, kMqoOk, 0, 2},  // the .bmp files are missing
    {"wertrain/soldier/soldier.mqo", 5, 306, 356, kMqoOk, 2, 0},
};

// Counts: python3 tests/geometry/mqo_counts.py tests/data/mqo
const CorpusFile kBundled[] = {
    {"autocsg_sample.mqo", 2, 608, 985, kMqoOk, 0, 0},
    {"d-chan3.mqo", 7, 376, 403, kMqoOk, 0, 0},
    {"mirrored_multiple_axes.mqo", 1, 16, 4, kMqoOk, 0, 0},
    {"single_object_with_bvertex.mqo", 1, 8, 6, kMqoOk, 0, 0},
    {"texture.mqo", 1, 8, 6, kMqoOk, 1, 0},
};

std::filesystem::path CorpusRoot() { return std::filesystem::path(QV_SHARED_DIR) / "corpus" / "mqo"; }
std::filesystem::path BundledRoot() { return std::filesystem::path(QV_TEST_DATA_DIR) / "mqo"; }

void ExpectImport(const std::filesystem::path& root, const CorpusFile& file);

class MqoCorpusTest : public ::testing::TestWithParam<CorpusFile> {
 protected:
  void SetUp() override {
    if (!std::filesystem::is_directory(CorpusRoot())) GTEST_SKIP() << "no corpus at " << CorpusRoot();
  }
};

class MqoBundledTest : public ::testing::TestWithParam<CorpusFile> {
 protected:
};

TEST_P(MqoCorpusTest, ImportsWithIndependentCounts) { ExpectImport(CorpusRoot(), GetParam()); }
TEST_P(MqoBundledTest, ImportsWithIndependentCounts) { ExpectImport(BundledRoot(), GetParam()); }

void ExpectImport(const std::filesystem::path& root, const CorpusFile& file) {
  Scene scene;
  std::vector<std::string> messages;
  MqoImportOptions options;
  options.showMessage = [&](const std::string& text) { messages.push_back(text); };
  options.programFolder = "/nonexistent";  // only the file's own folder counts here
  const MqoImportResult result = ImportMQO(scene, (root / file.path).string(), options);

  ASSERT_TRUE(result.opened);
  EXPECT_EQ(result.code, file.code) << MqoResultText(result.code) << " at line " << result.line;
  EXPECT_EQ(static_cast<int>(scene.m_models.size()), file.objects);
  int vertices = 0, faces = 0;
  for (const CModel& model : scene.m_models) {
    vertices += static_cast<int>(model.m_vertices.size());
    faces += static_cast<int>(model.m_faces.size());
    // Every kept model is complete: id, top level, tracks, smoothing records, drawable faces.
    EXPECT_GT(model.m_id, 5);
    EXPECT_EQ(model.m_parent, kNoModel);
    ASSERT_EQ(static_cast<int>(model.m_tracks.size()), scene.m_animationCount);
    ASSERT_EQ(static_cast<int>(model.m_tracks[0].size()), scene.m_lastFrame + 1);
    EXPECT_EQ(model.m_tracks[0][0].m_key, 1);
    EXPECT_EQ(model.m_vertexRecords.size(), model.m_vertices.size());
    for (const CFace& face : model.m_faces) {
      ASSERT_TRUE(face.m_indices.size() == 3 || face.m_indices.size() == 4);
      for (int32_t index : face.m_indices) {
        ASSERT_GE(index, 0);
        ASSERT_LT(static_cast<size_t>(index), model.m_vertices.size());
      }
      EXPECT_TRUE(face.m_uvs.empty() || face.m_uvs.size() == face.m_indices.size());
    }
  }
  EXPECT_EQ(vertices, file.vertices);
  EXPECT_EQ(faces, file.faces);
  // A refused header adds nothing at all; any other file leaves at least the default material.
  const bool refused = result.code == kMqoNotMetasequoia || result.code == kMqoUnsupportedVersion;
  EXPECT_EQ(scene.m_materials.empty(), refused);

  int loaded = 0;
  for (const CMaterial& material : scene.m_materials) {
    if (!material.m_image.empty()) {
      ++loaded;
      EXPECT_FALSE(material.m_texture.empty());
      EXPECT_EQ(material.m_image.size(),
                static_cast<size_t>(material.m_image.width) * static_cast<size_t>(material.m_image.height));
    }
  }
  EXPECT_EQ(loaded, file.texturesLoaded);
  // One message at most, after the whole file: the failure text, then a line per texture.
  ASSERT_EQ(messages.size(), file.textureFailures > 0 ? 1u : 0u);
  if (!messages.empty())
    EXPECT_EQ(std::count(messages[0].begin(), messages[0].end(), '\n'), 1 + file.textureFailures) << messages[0];
}

std::string TestName(const ::testing::TestParamInfo<CorpusFile>& info) {
  std::string name = info.param.path;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, MqoCorpusTest, ::testing::ValuesIn(kCorpus), TestName);
INSTANTIATE_TEST_SUITE_P(Bundled, MqoBundledTest, ::testing::ValuesIn(kBundled), TestName);

// Every file of the corpus folder is in the table, so a file added later is not left untested.
TEST(MqoCorpus, TableCoversEveryFile) {
  if (!std::filesystem::is_directory(CorpusRoot())) GTEST_SKIP() << "no corpus";
  std::vector<std::string> onDisk;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(CorpusRoot())) {
    if (entry.path().extension() == ".mqo") onDisk.push_back(entry.path().lexically_relative(CorpusRoot()).string());
  }
  std::sort(onDisk.begin(), onDisk.end());
  std::vector<std::string> inTable;
  for (const CorpusFile& file : kCorpus) inTable.emplace_back(file.path);
  std::sort(inTable.begin(), inTable.end());
  EXPECT_EQ(onDisk, inTable);
}

}  // namespace
}  // namespace qv
