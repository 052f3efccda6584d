#include "platform/png_writer.h"

#include <gtest/gtest.h>
#include <stb_image.h>  // implementation provided by Debian's libstb

#include <filesystem>

namespace qv {
namespace {

TEST(PngWriterTest, WritesRgbaRowsFromTheTop) {
  RgbaImage image;
  image.width = 3;
  image.height = 2;
  image.pixels = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255,  // top row: red, green, blue
                  10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0};
  const std::string path = (std::filesystem::temp_directory_path() / "qv_png_writer_test.png").string();
  ASSERT_TRUE(WritePng(path, image));
  int width = 0, height = 0, channels = 0;
  unsigned char* read = stbi_load(path.c_str(), &width, &height, &channels, 4);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(std::vector<uint8_t>(read, read + 24), image.pixels);
  stbi_image_free(read);
  std::filesystem::remove(path);
}

TEST(PngWriterTest, RefusesEmptyImagesAndUnwritablePaths) {
  std::string error;
  EXPECT_FALSE(WritePng("/tmp/never.png", RgbaImage{}, &error));
  EXPECT_FALSE(error.empty());
  RgbaImage image{1, 1, {0, 0, 0, 255}};
  EXPECT_FALSE(WritePng("/nonexistent-folder/x.png", image, &error));
  EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
}

}  // namespace
}  // namespace qv
