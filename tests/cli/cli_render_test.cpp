// qvlogo render without a display.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <sys/wait.h>

#include <filesystem>

#include "scene/document_file.h"
#include "support/animated_scene.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

int Qvlogo(const std::string& args) {
  const int status = std::system((std::string(QV_BIN_DIR) + "/qvlogo " + args + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CliRender, WritesThePictureOfTheRequestedSizeAndRefusesBadRequests) {
  const fs::path dir = fs::temp_directory_path() / ("qvlogo-render-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const std::string doc = (dir / "doc.qvlogo").string(), png = (dir / "out.png").string();
  CZiduderizo scene;
  testing::MakeAnimatedScene(scene, {"Empty"}, 10);
  ASSERT_FALSE(StoreDocumentFile(doc, scene));

  ASSERT_EQ(Qvlogo("render " + doc + " --size 160x90 --frame 3 -o " + png), 0);
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels = stbi_load(png.c_str(), &w, &h, &channels, 3);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 160);
  EXPECT_EQ(h, 90);
  // the default background in the top-left corner
  EXPECT_EQ(pixels[0], 0x1E);
  EXPECT_EQ(pixels[1], 0x41);
  EXPECT_EQ(pixels[2], 0x5A);
  stbi_image_free(pixels);

  for (const char* bad : {" --size 0x10", " --frame 11", " --select Nobody", " --size big"})
    EXPECT_NE(Qvlogo("render " + doc + bad + " -o " + png), 0) << bad;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace qv
