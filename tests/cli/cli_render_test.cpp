// qvlogo render without a display.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <filesystem>

#include "scene/document_file.h"
#include "support/animated_scene.h"
#include "support/qvlogo_run.h"
#include "support/scratch_folder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

using testing::Qvlogo;

TEST(CliRender, WritesThePictureOfTheRequestedSizeAndRefusesBadRequests) {
  const testing::ScratchFolder dir("qvlogo render");
  const std::string doc = dir.Path("doc.qvlogo"), png = dir.Path("out.png");
  Scene scene;
  testing::MakeAnimatedScene(scene, {"Empty"}, 10);
  ASSERT_FALSE(StoreDocumentFile(doc, scene));

  const testing::CommandRun run = Qvlogo({"render", doc, "--size", "160x90", "--frame", "3", "-o", png});
  ASSERT_EQ(run.status, 0) << run.output;
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

  const testing::Args bad[] = {{"--size", "0x10"}, {"--frame", "11"}, {"--select", "Nobody"}, {"--size", "big"}};
  for (const testing::Args& args : bad) {
    SCOPED_TRACE(args[0] + " " + args[1]);
    EXPECT_NE(Qvlogo(testing::Join({{"render", doc}, args, {"-o", png}})).status, 0);
  }
}

}  // namespace
}  // namespace qv
