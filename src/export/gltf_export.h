#pragma once
// The glTF 2.0 export: the whole scene (model hierarchy, meshes, materials, textures, the camera
// and every animation) as a binary .glb with the textures inside, or as a .gltf with its .bin and
// the texture images beside it.
//
// Each model is two nodes: an outer node whose translation, rotation and scale are the model's
// pose (translation = position + pivot), holding an inner node moved by -pivot that carries the
// mesh and the child models; the inner node's world matrix is the model's world matrix in the
// viewport. Each animation of the scene becomes a glTF animation with one sample per stored frame,
// at the document's frame rate.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "geometry/texture_loader.h"
#include "scene/scene.h"

namespace qv {

// A failure the user must see: the reason, UTF-8. Nothing has been written when it is thrown.
struct GltfExportError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kGltfEmptySceneMessage = "the scene has no models to export";

struct GltfExportOptions {
  float fps = 30.0f;             // frames per second of the document
  size_t restAnimation = 0;      // the animation whose frame 0 gives the nodes' own transforms
  TextureLookup textures;        // where texture names are looked up
  MessageSink warn;              // warnings (a texture left out); may be empty
  // Whether a companion file name (UTF-8, beside the .gltf) may be used; false for a name taken
  // by a file the export must not replace. Empty: every name is free.
  std::function<bool(const std::string& fileName)> companionNameFree;
};

// An image of the asset: its bytes and MIME type, and the file name it gets beside a .gltf.
struct GltfImage {
  std::vector<uint8_t> bytes;
  std::string mimeType;  // "image/png" or "image/jpeg"
  std::string fileName;  // UTF-8
};

// The asset in memory: the JSON, the binary buffer and the images. With `embedImages` the images
// are buffer views of the binary buffer (a .glb); otherwise the JSON names them and the buffer by
// their file names beside the .gltf.
struct GltfAsset {
  nlohmann::json json;
  std::vector<uint8_t> binary;
  std::vector<GltfImage> images;
  std::string binaryFileName;  // the buffer's file beside a .gltf; empty for a .glb
};

// Builds the asset of the scene as stored (in-between frames are not recomputed). `stem` names the
// companion files of a .gltf ("<stem>.bin", "<stem>_<texture>.png"); a name that is taken (by
// another companion, letter case aside, or as options.companionNameFree says) gets "_2", "_3"...
// before its extension. Throws GltfExportError for a scene without models or a frame rate that is
// not a positive number.
GltfAsset BuildGltfAsset(const Scene& scene, const GltfExportOptions& options, bool embedImages,
                         const std::string& stem);

// The .glb bytes of an asset built with embedded images.
std::vector<uint8_t> PackGlb(const GltfAsset& asset);

// Writes the scene to `path` (UTF-8): a .glb when it ends in ".glb" (any letter case), otherwise a
// .gltf with its companions in the same folder. Every file is written to a temporary file first
// and all are renamed into place only when all were written: a failure leaves every file as it
// was, and GltfExportError says which file and why. Companions never replace a file the export
// did not make: a name is free when no file has it or when the .gltf being replaced (one of ours)
// names it, and it is not one of the texture images read. Returns the files written, the main
// file last.
std::vector<std::string> ExportGltf(const Scene& scene, const std::string& path,
                                    const GltfExportOptions& options);

}  // namespace qv
