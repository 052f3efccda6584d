#pragma once
// Texture images for glTF, which carries PNG and JPEG only: a JPEG file is taken byte for byte, a
// sound PNG file with its pixel data unchanged (notes on colour space and gamma left out), and any
// other image the loader decodes (BMP, TGA, a PNG with a bad checksum or cut-short data...) is
// written as PNG from its decoded pixels.
#include <optional>
#include <string>

#include "export/gltf_export.h"
#include "scene/material.h"

namespace qv {

struct ResolvedTexture {
  std::string foundPath;  // file system path of the image, the key that shares an image
  GltfImage image;        // bytes and MIME type; fileName is left to the caller
  bool translucent = false;  // some pixel has alpha below 255
};

// Finds and reads the image that the material's m_texture names. Nothing, with the reason in
// `failure`, when the name is empty, no file is found or it cannot be decoded.
std::optional<ResolvedTexture> ResolveTexture(const CMaterial& material, const TextureLookup& lookup,
                                              std::string& failure);

}  // namespace qv
