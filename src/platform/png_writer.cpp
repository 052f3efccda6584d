#include "platform/png_writer.h"

#include <stb_image_write.h>  // implementation provided by Debian's libstb

namespace qv {

bool WritePng(const std::string& path, const RgbaImage& image, std::string* error) {
  if (image.empty() || image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) {
    if (error) *error = "the image is empty";
    return false;
  }
  if (!stbi_write_png(path.c_str(), image.width, image.height, 4, image.pixels.data(), image.width * 4)) {
    if (error) *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace qv
