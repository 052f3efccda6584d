#pragma once
#include <string>

#include "platform/rgba_image.h"

namespace qv {

// Writes the picture as an 8-bit RGBA PNG file. False (with a reason in `error`) when the image
// is empty or the file cannot be written.
bool WritePng(const std::string& path, const RgbaImage& image, std::string* error = nullptr);

}  // namespace qv
