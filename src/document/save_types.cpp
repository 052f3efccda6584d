#include "document/save_types.h"

#include <cctype>

#include "document/motion_doc.h"

namespace qv {

namespace {

struct Extension {
  const char* text;
  SaveType type;
};

// .apng is accepted too: the command line writes animated PNG for it.
constexpr Extension kExtensions[] = {
    {"qvlogo", SaveType::kDocument}, {"glb", SaveType::kGltfBinary}, {"gltf", SaveType::kGltf},
    {"mp4", SaveType::kMp4},         {"webm", SaveType::kWebm},      {"gif", SaveType::kGif},
    {"png", SaveType::kApng},        {"apng", SaveType::kApng},      {"webp", SaveType::kWebp},
};

}  // namespace

bool IsFileExportType(SaveType type) { return static_cast<int>(type) >= static_cast<int>(SaveType::kGltfBinary); }

bool IsMovieSaveType(SaveType type) { return static_cast<int>(type) >= static_cast<int>(SaveType::kMp4); }

const char* SaveTypeExtension(SaveType type) {
  switch (type) {
    case SaveType::kDocument: return "qvlogo";
    case SaveType::kWebGL:
    case SaveType::kWebGPU: return "html";
    case SaveType::kGltfBinary: return "glb";
    case SaveType::kGltf: return "gltf";
    case SaveType::kMp4: return "mp4";
    case SaveType::kWebm: return "webm";
    case SaveType::kGif: return "gif";
    case SaveType::kApng: return "png";
    case SaveType::kWebp: return "webp";
  }
  return "qvlogo";
}

SaveType SaveTypeForPath(const std::string& path, SaveType chosen) {
  std::string extension = PathExtensionOf(path);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == "html" || extension == "htm")
    return chosen == SaveType::kWebGL || chosen == SaveType::kWebGPU ? chosen : SaveType::kWebGL;
  for (const Extension& known : kExtensions)
    if (extension == known.text) return known.type;
  return chosen;
}

}  // namespace qv
