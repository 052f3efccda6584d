#include "export/gltf_export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "animation/pose_matrix.h"
#include "export/export_matrices.h"
#include "export/gltf_buffer.h"
#include "export/gltf_images.h"
#include "export/gltf_mesh.h"
#include "export/gltf_transform.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/regular_file.h"
#include "platform/text_codec.h"
#include "scene/hierarchy_walk.h"
#include "viewport/camera.h"

namespace qv {

using nlohmann::json;

namespace {

constexpr const char* kGenerator = "Quorvel Logo";

float Clamp01(float v) { return std::isfinite(v) ? std::clamp(v, 0.0f, 1.0f) : 0.0f; }

// The shortest decimal that reads back as the same float: 0.8f is written 0.8, not
// 0.800000011920929.
double Short(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  *end = '\0';
  return std::strtod(text, nullptr);
}

json Array(const std::array<float, 3>& v) { return json::array({Short(v[0]), Short(v[1]), Short(v[2])}); }
json Array(const std::array<float, 4>& v) {
  return json::array({Short(v[0]), Short(v[1]), Short(v[2]), Short(v[3])});
}

// The parent of each model as the viewport nests them: the model the walk entered last before it.
// Models the walk does not reach (a broken parent chain) are top level.
std::vector<int32_t> WalkParents(const std::vector<CModel>& models) {
  std::vector<int32_t> parents(models.size(), -1);
  std::vector<int32_t> open;
  for (const WalkStep& step : BuildHierarchyWalk(models)) {
    if (step.model < 0 || static_cast<size_t>(step.model) >= models.size()) continue;
    if (step.kind == kWalkEnter) {
      parents[step.model] = open.empty() ? -1 : open.back();
      open.push_back(step.model);
    } else if (step.kind == kWalkLeave && !open.empty()) {
      open.pop_back();
    }
  }
  return parents;
}

// Roughness of a glossy highlight of the given specular power: the usual match of a Blinn-Phong
// exponent to a microfacet roughness, sqrt(2 / (power + 2)).
float RoughnessOfPower(float power) {
  if (!std::isfinite(power) || power <= 0) return 1.0f;
  return Clamp01(std::sqrt(2.0f / (power + 2.0f)));
}

std::string LowerAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Names of the companion files beside a .gltf, each different from the others even where letter
// case does not count (the folder may be published to such a server), and free as the caller
// says.
class CompanionNames {
 public:
  explicit CompanionNames(std::function<bool(const std::string&)> free) : m_free(std::move(free)) {}

  // "<base><extension>", else "<base>_2<extension>", "<base>_3<extension>"...
  std::string Choose(const std::string& base, const std::string& extension) {
    for (size_t n = 1;; ++n) {
      const std::string name = base + (n == 1 ? std::string() : "_" + std::to_string(n)) + extension;
      if (m_chosen.count(LowerAscii(name)) || (m_free && !m_free(name))) continue;
      m_chosen.insert(LowerAscii(name));
      return name;
    }
  }

 private:
  std::function<bool(const std::string&)> m_free;
  std::set<std::string> m_chosen;
};

// Percent-encoding of everything but unreserved characters, for relative URIs.
std::string UriOf(const std::string& utf8) {
  std::string uri;
  for (unsigned char c : utf8) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '_' || c == '.' || c == '~';
    if (unreserved) {
      uri += static_cast<char>(c);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", c);
      uri += escaped;
    }
  }
  return uri;
}

class AssetBuilder {
 public:
  AssetBuilder(const Scene& scene, const GltfExportOptions& options, bool embedImages, const std::string& stem)
      : m_scene(scene), m_options(options), m_embed(embedImages), m_stem(stem), m_names(options.companionNameFree) {}

  GltfAsset Build() {
    json& j = m_asset.json;
    if (!m_embed) m_asset.binaryFileName = m_names.Choose(m_stem, ".bin");
    j["asset"] = {{"version", "2.0"}, {"generator", kGenerator}};
    AddMaterials();
    AddModels();
    AddCamera();
    AddAnimations();
    j["scene"] = 0;
    j["scenes"] = json::array({json{{"nodes", m_roots}}});
    j["nodes"] = m_nodes;
    if (!m_meshes.empty()) j["meshes"] = m_meshes;
    if (!m_materials.empty()) j["materials"] = m_materials;
    if (!m_textures.empty()) {
      j["textures"] = m_textures;
      j["images"] = m_images;
      // Linear filtering as the viewport samples; the coordinates repeat.
      j["samplers"] = json::array({json{{"magFilter", 9729}, {"minFilter", 9729}}});
    }
    if (!m_cameras.empty()) j["cameras"] = m_cameras;
    if (!m_animations.empty()) j["animations"] = m_animations;
    if (!m_buffer.accessors().empty()) j["accessors"] = m_buffer.accessors();
    if (!m_buffer.views().empty()) j["bufferViews"] = m_buffer.views();
    m_asset.binary = m_buffer.bytes();
    if (!m_asset.binary.empty()) {
      json buffer{{"byteLength", m_asset.binary.size()}};
      if (!m_embed) buffer["uri"] = UriOf(m_asset.binaryFileName);
      j["buffers"] = json::array({buffer});
    }
    return std::move(m_asset);
  }

 private:
  void Warn(const std::string& message) {
    if (m_options.warn) m_options.warn(message);
  }

  void AddMaterials() {
    std::map<std::string, int> textureOfPath;
    m_textured.assign(m_scene.m_materials.size(), false);
    for (size_t i = 0; i < m_scene.m_materials.size(); ++i) {
      const CMaterial& material = m_scene.m_materials[i];
      json pbr{{"baseColorFactor", Array(std::array<float, 4>{Clamp01(material.m_color[0]), Clamp01(material.m_color[1]),
                                                               Clamp01(material.m_color[2]), Clamp01(material.m_color[3])})},
               {"metallicFactor", 0.0},
               {"roughnessFactor", Short(RoughnessOfPower(material.m_power))}};
      bool translucent = Clamp01(material.m_color[3]) < 1.0f;
      std::string failure;
      if (auto texture = ResolveTexture(material, m_options.textures, failure)) {
        auto [it, added] = textureOfPath.try_emplace(texture->foundPath, static_cast<int>(m_textures.size()));
        if (added) AddImage(std::move(*texture));
        pbr["baseColorTexture"] = {{"index", it->second}};
        translucent = translucent || m_translucentTexture[it->second];
        m_textured[i] = true;
      } else if (!material.m_texture.empty()) {
        Warn("texture " + Cp932ToUtf8(material.m_texture) + " of material " + Cp932ToUtf8(material.m_name) + ": " +
             failure + "; exported without it");
      }
      json out{{"name", Cp932ToUtf8(material.m_name)}, {"pbrMetallicRoughness", pbr}};
      const float emissive = material.m_emissive;
      const std::array<float, 3> glow{Clamp01(material.m_color[0] * emissive), Clamp01(material.m_color[1] * emissive),
                                      Clamp01(material.m_color[2] * emissive)};
      if (glow[0] > 0 || glow[1] > 0 || glow[2] > 0) {
        out["emissiveFactor"] = Array(glow);
        // The viewport multiplies all its lighting, the glow included, by the texture.
        if (pbr.contains("baseColorTexture")) out["emissiveTexture"] = pbr["baseColorTexture"];
      }
      if (translucent) out["alphaMode"] = "BLEND";
      m_materials.push_back(std::move(out));
    }
  }

  void AddImage(ResolvedTexture texture) {
    json image{{"name", std::filesystem::path(texture.foundPath).filename().string()}};
    if (m_embed) {
      image["bufferView"] = m_buffer.AddView(texture.image.bytes.data(), texture.image.bytes.size(), 0);
      image["mimeType"] = texture.image.mimeType;
    } else {
      // "<stem>_<name of the found file>.png" (or .jpg).
      std::string file = std::filesystem::path(texture.foundPath).stem().string();
      if (file.empty()) file = "texture";
      texture.image.fileName =
          m_names.Choose(m_stem + "_" + file, texture.image.mimeType == "image/jpeg" ? ".jpg" : ".png");
      image["uri"] = UriOf(texture.image.fileName);
      m_asset.images.push_back(std::move(texture.image));
    }
    m_images.push_back(std::move(image));
    m_textures.push_back({{"sampler", 0}, {"source", m_images.size() - 1}});
    m_translucentTexture.push_back(texture.translucent);
  }

  static json TransformJson(json node, const NodeTransform& t) {
    if (t.translation != std::array<float, 3>{0, 0, 0}) node["translation"] = Array(t.translation);
    if (t.rotation != std::array<float, 4>{0, 0, 0, 1}) node["rotation"] = Array(t.rotation);
    if (t.scale != std::array<float, 3>{1, 1, 1}) node["scale"] = Array(t.scale);
    return node;
  }

  // Nodes 2i (outer, posed) and 2i + 1 (inner, moved by -pivot) for model i.
  void AddModels() {
    const std::vector<CModel>& models = m_scene.m_models;
    const std::vector<int32_t> parents = WalkParents(models);
    m_nodes = json::array();
    for (size_t i = 0; i < models.size(); ++i) {
      const CModel& model = models[i];
      const std::string name = Cp932ToUtf8(model.m_name);
      const NodeTransform rest = OuterNodeTransform(PoseAt(model, m_options.restAnimation, 0), model.m_origin);
      m_nodes.push_back(TransformJson({{"name", name}, {"children", {2 * i + 1}}}, rest));
      NodeTransform pivot;
      const CVector back = -model.m_origin;
      pivot.translation = {std::isfinite(back.x) ? back.x : 0, std::isfinite(back.y) ? back.y : 0,
                           std::isfinite(back.z) ? back.z : 0};
      json inner = TransformJson({{"name", name + " pivot"}}, pivot);
      // A hidden model keeps its node (its children still show) but, as in the viewport, no mesh.
      if (model.m_visible) {
        const int mesh = AddMesh(model, name);
        if (mesh >= 0) inner["mesh"] = mesh;
      }
      m_nodes.push_back(std::move(inner));
    }
    for (size_t i = 0; i < models.size(); ++i) {
      if (parents[i] < 0)
        m_roots.push_back(2 * i);
      else
        m_nodes[2 * parents[i] + 1]["children"].push_back(2 * i);
    }
  }

  int AddMesh(const CModel& model, const std::string& name) {
    GltfMesh mesh = BuildGltfMesh(model, m_scene.m_materials.size());
    if (mesh.primitives.empty()) return -1;
    bool needsUvs = false;
    for (const GltfPrimitive& p : mesh.primitives) needsUvs = needsUvs || m_textured[p.material];
    if (needsUvs && mesh.uvs.empty()) mesh.uvs.assign(mesh.VertexCount() * 2, 0.0f);
    json attributes{{"POSITION", m_buffer.AddFloats(mesh.positions, "VEC3", kGltfArrayBuffer, true)},
                    {"NORMAL", m_buffer.AddFloats(mesh.normals, "VEC3", kGltfArrayBuffer, false)}};
    if (!mesh.uvs.empty()) attributes["TEXCOORD_0"] = m_buffer.AddFloats(mesh.uvs, "VEC2", kGltfArrayBuffer, false);
    json primitives = json::array();
    const auto vertexCount = static_cast<uint32_t>(mesh.VertexCount());
    for (const GltfPrimitive& p : mesh.primitives)
      primitives.push_back(
          {{"attributes", attributes}, {"indices", m_buffer.AddIndices(p.indices, vertexCount)}, {"material", p.material}});
    m_meshes.push_back({{"name", name}, {"primitives", std::move(primitives)}});
    return static_cast<int>(m_meshes.size()) - 1;
  }

  // The viewport's camera: the view T(-target) * S(zoom) * Rz * Ry * Rx * T(position) inverted,
  // without a follow target (not part of the document). glTF cameras carry no zoom of their own,
  // so the node's uniform scale 1 / zoom keeps it.
  void AddCamera() {
    if (m_scene.m_cameras.empty()) return;
    const float fov = m_scene.m_fieldOfView;
    if (!(fov > 0 && fov < 180)) return;
    const CAnimation& camera = m_scene.m_cameras[0];
    const CVector& r = camera.m_rotation;
    const float zoom = camera.m_scale.x > 0 && std::isfinite(camera.m_scale.x) ? camera.m_scale.x : kMinimumZoom;
    const Matrix4 turn = RotationXMatrix(-r.x * kDegreesToRadians) * RotationYMatrix(-r.y * kDegreesToRadians) *
                         RotationZMatrix(-r.z * kDegreesToRadians);
    const CVector eye = TransformDirection(-camera.m_position, turn) * (1.0f / zoom);
    NodeTransform t;
    t.translation = {eye.x, eye.y, eye.z};
    // Row vectors turned by Rx * Ry * Rz are column vectors turned by Rz * Ry * Rx.
    const std::array<float, 4> qz = PoseQuaternion({0, 0, -r.z});
    const std::array<float, 4> qy = PoseQuaternion({0, -r.y, 0});
    const std::array<float, 4> qx = PoseQuaternion({-r.x, 0, 0});
    t.rotation = Multiply(Multiply(qz, qy), qx);
    t.scale = {1.0f / zoom, 1.0f / zoom, 1.0f / zoom};
    for (float v : {t.translation[0], t.translation[1], t.translation[2], t.rotation[0], t.rotation[3], t.scale[0]})
      if (!std::isfinite(v)) return;  // a camera the document cannot place is left out
    json perspective{{"yfov", Short(fov * kDegreesToRadians)}, {"znear", kCameraNear}, {"zfar", kCameraFar}};
    if (m_scene.m_canvasWidth > 0 && m_scene.m_canvasHeight > 0)
      perspective["aspectRatio"] = Short(static_cast<float>(m_scene.m_canvasWidth) / m_scene.m_canvasHeight);
    m_cameras.push_back({{"name", "Camera"}, {"type", "perspective"}, {"perspective", perspective}});
    m_nodes.push_back(TransformJson({{"name", "Camera"}, {"camera", 0}}, t));
    m_roots.push_back(m_nodes.size() - 1);
  }

  static std::array<float, 4> Multiply(const std::array<float, 4>& a, const std::array<float, 4>& b) {
    const double ax = a[0], ay = a[1], az = a[2], aw = a[3], bx = b[0], by = b[1], bz = b[2], bw = b[3];
    const double q[4] = {aw * bx + ax * bw + ay * bz - az * by, aw * by - ax * bz + ay * bw + az * bx,
                         aw * bz + ax * by - ay * bx + az * bw, aw * bw - ax * bx - ay * by - az * bz};
    const double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    return {static_cast<float>(q[0] / length), static_cast<float>(q[1] / length), static_cast<float>(q[2] / length),
            static_cast<float>(q[3] / length)};
  }

  // One sample per stored frame of the longest track; shorter tracks hold their last pose.
  void AddAnimations() {
    const std::vector<CModel>& models = m_scene.m_models;
    for (size_t a = 0; a < m_scene.m_animationNames.size(); ++a) {
      size_t frames = 0;
      for (const CModel& model : models) frames = std::max(frames, TrackLength(model, a));
      if (frames == 0) continue;
      std::vector<float> times(frames);
      for (size_t k = 0; k < frames; ++k) {
        times[k] = static_cast<float>(static_cast<double>(k) / m_options.fps);
        if (k > 0 && !(times[k] > times[k - 1]))
          throw GltfExportError("the frame rate is too high for the frames to have distinct times");
      }
      const int input = m_buffer.AddFloats(times, "SCALAR", 0, true);
      json samplers = json::array();
      json channels = json::array();
      for (size_t i = 0; i < models.size(); ++i) {
        std::vector<float> translation, rotation, scale;
        std::array<float, 4> previous{0, 0, 0, 1};
        for (size_t k = 0; k < frames; ++k) {
          const NodeTransform t = OuterNodeTransform(PoseAt(models[i], a, k), models[i].m_origin);
          previous = NearestQuaternion(t.rotation, previous);
          translation.insert(translation.end(), t.translation.begin(), t.translation.end());
          rotation.insert(rotation.end(), previous.begin(), previous.end());
          scale.insert(scale.end(), t.scale.begin(), t.scale.end());
        }
        const std::pair<const char*, int> paths[] = {
            {"translation", m_buffer.AddFloats(translation, "VEC3", 0, false)},
            {"rotation", m_buffer.AddFloats(rotation, "VEC4", 0, false)},
            {"scale", m_buffer.AddFloats(scale, "VEC3", 0, false)}};
        for (const auto& [path, output] : paths) {
          channels.push_back({{"sampler", samplers.size()}, {"target", {{"node", 2 * i}, {"path", path}}}});
          samplers.push_back({{"input", input}, {"output", output}, {"interpolation", "LINEAR"}});
        }
      }
      m_animations.push_back(
          {{"name", Cp932ToUtf8(m_scene.m_animationNames[a])}, {"samplers", samplers}, {"channels", channels}});
    }
  }

  const Scene& m_scene;
  const GltfExportOptions& m_options;
  bool m_embed;
  std::string m_stem;
  CompanionNames m_names;
  GltfAsset m_asset;
  GltfBuffer m_buffer;
  json m_nodes = json::array(), m_roots = json::array(), m_meshes = json::array(), m_materials = json::array();
  json m_textures = json::array(), m_images = json::array(), m_cameras = json::array(), m_animations = json::array();
  std::vector<bool> m_textured, m_translucentTexture;
};

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool EndsWithGlb(const std::string& path) {
  if (path.size() < 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".glb";
}

// Percent-decoding of a relative URI; empty when it is not a plain file name beside the .gltf.
std::string FileNameOfUri(const std::string& uri) {
  std::string name;
  for (size_t i = 0; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
      name += static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      name += uri[i];
    }
  }
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != std::string::npos ||
      name.find('\0') != std::string::npos)
    return {};
  return name;
}

// The companion files that an earlier export of ours at `path` made: the buffer and image files
// its .gltf names. Nothing when there is no such file or it is not one of ours.
std::set<std::string> CompanionsNamedBy(const std::string& path) {
  constexpr long kLargestGltf = 256L << 20;  // far beyond any .gltf we write; its data is in .bin
  std::set<std::string> names;
  std::FILE* file = OpenRegularFileStream(path);
  if (!file) return names;
  std::string text;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && size <= kLargestGltf && std::fseek(file, 0, SEEK_SET) == 0) {
      text.resize(static_cast<size_t>(size));
      text.resize(std::fread(text.data(), 1, text.size(), file));
    }
  }
  std::fclose(file);
  const json earlier = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!earlier.is_object() || !earlier.contains("asset") || !earlier["asset"].is_object() ||
      earlier["asset"].value("generator", json()) != kGenerator)
    return names;
  for (const char* list : {"buffers", "images"}) {
    if (!earlier.contains(list) || !earlier[list].is_array()) continue;
    for (const json& entry : earlier[list])
      if (entry.is_object() && entry.contains("uri") && entry["uri"].is_string())
        if (std::string name = FileNameOfUri(entry["uri"].get<std::string>()); !name.empty()) names.insert(name);
  }
  return names;
}

// Every existing file that a texture name of the scene may be read from.
std::vector<std::string> TextureFilesOf(const Scene& scene, const TextureLookup& lookup) {
  std::set<std::string> names;
  for (const CMaterial& material : scene.m_materials)
    if (!material.m_texture.empty()) names.insert(material.m_texture);
  std::vector<std::string> files;
  for (const std::string& name : names)
    for (const TextureCandidate& candidate : TextureCandidates(name, lookup))
      if (std::string found = FindFileNoCase(candidate.path, candidate.baseLength); !found.empty())
        files.push_back(std::move(found));
  return files;
}

std::string FileFailure(const std::string& path, const FileException& e) {
  return "cannot write " + path + (e.error() ? std::string(": ") + std::strerror(e.error()) : std::string());
}

}  // namespace

GltfAsset BuildGltfAsset(const Scene& scene, const GltfExportOptions& options, bool embedImages,
                         const std::string& stem) {
  if (scene.m_models.empty()) throw GltfExportError(kGltfEmptySceneMessage);
  if (!(options.fps > 0) || !std::isfinite(options.fps))
    throw GltfExportError("the frame rate must be a positive number to time the animation");
  return AssetBuilder(scene, options, embedImages, stem).Build();
}

std::vector<uint8_t> PackGlb(const GltfAsset& asset) {
  std::string text = asset.json.dump(-1, ' ', false, json::error_handler_t::replace);
  while (text.size() % 4 != 0) text += ' ';
  std::vector<uint8_t> binary = asset.binary;
  while (binary.size() % 4 != 0) binary.push_back(0);
  const size_t total = 12 + 8 + text.size() + (binary.empty() ? 0 : 8 + binary.size());
  if (total > 0xFFFFFFFFu) throw GltfExportError("the scene is too large for a .glb file (4 GB)");
  std::vector<uint8_t> out;
  out.reserve(total);
  AppendU32(out, 0x46546C67);  // "glTF"
  AppendU32(out, 2);
  AppendU32(out, static_cast<uint32_t>(total));
  AppendU32(out, static_cast<uint32_t>(text.size()));
  AppendU32(out, 0x4E4F534A);  // "JSON"
  out.insert(out.end(), text.begin(), text.end());
  if (!binary.empty()) {
    AppendU32(out, static_cast<uint32_t>(binary.size()));
    AppendU32(out, 0x004E4942);  // "BIN\0"
    out.insert(out.end(), binary.begin(), binary.end());
  }
  return out;
}

std::vector<std::string> ExportGltf(const Scene& scene, const std::string& path,
                                    const GltfExportOptions& options) {
  const bool glb = EndsWithGlb(path);
  const std::filesystem::path target(path);
  const std::string stem = target.stem().string();
  if (stem.empty()) throw GltfExportError("the file name " + path + " has no name before its extension");
  const std::filesystem::path folder = target.parent_path();
  auto beside = [&](const std::string& name) { return (folder / name).string(); };

  GltfExportOptions own = options;
  if (!glb) {
    const std::set<std::string> ours = CompanionsNamedBy(path);
    const std::vector<std::string> images = TextureFilesOf(scene, options.textures);
    own.companionNameFree = [&, ours, images](const std::string& name) {
      if (options.companionNameFree && !options.companionNameFree(name)) return false;
      const std::string file = beside(name);
      std::error_code error;
      const auto status = std::filesystem::symlink_status(file, error);
      // A name the folder cannot be asked about is left to the write, which says why it fails.
      if (error || !std::filesystem::exists(status)) return true;
      // An existing file is replaced only when the earlier export made it, and never when the
      // document reads it as a texture.
      if (!ours.count(name) || !std::filesystem::is_regular_file(status)) return false;
      for (const std::string& image : images)
        if (std::filesystem::equivalent(file, image, error)) return false;
      return true;
    };
  }
  const GltfAsset asset = BuildGltfAsset(scene, own, glb, stem);

  std::vector<std::pair<std::string, std::vector<uint8_t>>> files;
  if (glb) {
    files.emplace_back(path, PackGlb(asset));
  } else {
    if (!asset.binary.empty()) files.emplace_back(beside(asset.binaryFileName), asset.binary);
    for (const GltfImage& image : asset.images) files.emplace_back(beside(image.fileName), image.bytes);
    const std::string text = asset.json.dump(1, '\t', false, json::error_handler_t::replace);
    files.emplace_back(path, std::vector<uint8_t>(text.begin(), text.end()));
  }

  // All files are complete beside their targets before the first one replaces anything: a
  // failure leaves the earlier export (and everything else) as it was.
  std::vector<std::string> written;
  try {
    AtomicFileGroup group;
    for (const auto& [file, contents] : files) {
      const std::vector<uint8_t>& bytes = contents;  // a lambda cannot capture a structured binding
      group.Add(file, [&bytes](ByteSink& sink) { sink.Write(bytes.data(), bytes.size()); });
      written.push_back(file);
    }
    group.Commit();
  } catch (const FileException& e) {
    throw GltfExportError(FileFailure(e.path(), e));
  }
  return written;
}

}  // namespace qv
