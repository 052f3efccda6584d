// qvlogo export --gltf and render --no-guides.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdio>
#include <filesystem>

#include "export/gltf_export.h"
#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::CommandRun;
using testing::Qvlogo;

class CliGltf : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir.Path(name); }
  const testing::ScratchFolder dir{"qvlogo gltf"};
};

TEST_F(CliGltf, WritesGlbAndGltfAndRefusesWhatCannotBeExported) {
  Scene scene;
  testing::MakeAnimatedScene(scene, {}, 10);
  ASSERT_FALSE(StoreDocumentFile(Path("empty.qvlogo"), scene));
  const CommandRun empty = Qvlogo({"export", Path("empty.qvlogo"), "--gltf", Path("empty.glb")});
  EXPECT_NE(empty.status, 0);
  EXPECT_NE(empty.output.find(kGltfEmptySceneMessage), std::string::npos) << empty.output;
  EXPECT_FALSE(fs::exists(Path("empty.glb")));

  testing::MakeAnimatedScene(scene, {"Box"}, 10);
  scene.m_materials.resize(1);
  CModel& box = scene.m_models[0];
  box.m_vertices = {{0, 0, 0}, {100, 0, 0}, {0, 100, 0}};
  box.m_faces.resize(1);
  box.m_faces[0].m_indices = {0, 1, 2};
  ASSERT_FALSE(StoreDocumentFile(Path("box.qvlogo"), scene));
  // A path through a file cannot be made: a clear error and nothing written.
  const CommandRun blocked = Qvlogo({"export", Path("box.qvlogo"), "--gltf", Path("box.qvlogo/out.glb")});
  EXPECT_NE(blocked.status, 0);
  EXPECT_NE(blocked.output.find("cannot"), std::string::npos) << blocked.output;

  const CommandRun glb = Qvlogo({"export", Path("box.qvlogo"), "--gltf", Path("out/box.glb")});
  EXPECT_EQ(glb.status, 0) << glb.output;
  EXPECT_GT(fs::file_size(Path("out/box.glb")), 100u);
  const CommandRun gltf = Qvlogo({"export", Path("box.qvlogo"), "--gltf", Path("out/box.gltf")});
  EXPECT_EQ(gltf.status, 0) << gltf.output;
  EXPECT_TRUE(fs::exists(Path("out/box.bin")));
  EXPECT_NE(Qvlogo({"export", Path("box.qvlogo"), "--gltf", "--webgl", Path("x.glb")}).status, 0);
  EXPECT_NE(Qvlogo({"export", Path("box.qvlogo"), "--gltf", Path("out/box.obj")}).status, 0);
  // Only the files of the two exports, no temporaries.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path() / "out")) ++files;
  EXPECT_EQ(files, 3u);
}

TEST_F(CliGltf, RenderWithoutGuidesDrawsNoGridAxesBoxOrHandle) {
  Scene scene;
  testing::MakeAnimatedScene(scene, {"Empty"}, 10);
  ASSERT_FALSE(StoreDocumentFile(Path("doc.qvlogo"), scene));
  auto differing = [&](const testing::Args& extra) {
    const CommandRun run =
        Qvlogo(testing::Join({{"render", Path("doc.qvlogo"), "--size", "160x120"}, extra, {"-o", Path("out.png")}}));
    EXPECT_EQ(run.status, 0) << run.output;
    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load(Path("out.png").c_str(), &w, &h, &channels, 3);
    if (!pixels) return -1;
    int count = 0;
    for (int i = 0; i < w * h; ++i)
      count += pixels[3 * i] != 0x1E || pixels[3 * i + 1] != 0x41 || pixels[3 * i + 2] != 0x5A;
    stbi_image_free(pixels);
    return count;
  };
  EXPECT_GT(differing({}), 100);  // the grid and the axes
  EXPECT_EQ(differing({"--no-guides"}), 0);
  // A selected model's box outline and handle are guides too.
  for (const char* mode : {"move", "rotate", "scale"}) {
    const testing::Args select = {"--select", "Empty", "--mode", mode};
    EXPECT_GT(differing(select), differing({})) << mode;
    EXPECT_EQ(differing(testing::Join({select, {"--no-guides"}})), 0) << mode;
  }
}

}  // namespace
}  // namespace qv
