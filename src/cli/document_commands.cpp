// new, info, resave: the document file from the command line.
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "platform/text_codec.h"
#include "scene/bgr_color.h"
#include "scene/document_file.h"
#include "scene/scene.h"

namespace qv::cli {

namespace {

nlohmann::json VectorJson(const CVector& v) { return nlohmann::json::array({v.x, v.y, v.z}); }

// The last frame as opening the document would set it: from the first model's first track.
int32_t LastFrameOf(const Scene& scene) {
  if (scene.m_models.empty() || scene.m_models[0].m_tracks.empty() || scene.m_models[0].m_tracks[0].empty()) return 60;
  return static_cast<int32_t>(scene.m_models[0].m_tracks[0].size()) - 1;
}

nlohmann::json SceneSummary(const Scene& scene) {
  using nlohmann::json;
  json models = json::array();
  for (const CModel& model : scene.m_models) {
    json tracks = json::array();
    for (const Track& track : model.m_tracks) tracks.push_back(track.size());
    json entry{{"name", Cp932ToUtf8(model.m_name)},
               {"id", model.m_id},
               {"parent", model.m_parent},
               {"vertices", model.m_vertices.size()},
               {"faces", model.m_faces.size()},
               {"tracks", model.m_tracks.size()},
               {"posesPerTrack", tracks}};
    if (!model.m_vertices.empty()) {
      CVector lo = model.m_vertices[0], hi = lo;
      for (const CVector& v : model.m_vertices) {
        lo = {std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
        hi = {std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
      }
      entry["bounds"] = {{"min", VectorJson(lo)}, {"max", VectorJson(hi)}};
    } else {
      entry["bounds"] = nullptr;
    }
    models.push_back(entry);
  }
  json materials = json::array();
  for (const CMaterial& material : scene.m_materials)
    materials.push_back({{"name", Cp932ToUtf8(material.m_name)},
                         {"number", material.m_number},
                         {"texture", Cp932ToUtf8(material.m_texture)}});
  json animations = json::array();
  for (const std::string& name : scene.m_animationNames) animations.push_back(Cp932ToUtf8(name));
  return {{"models", models},
          {"materials", materials},
          {"animations", animations},
          {"fps", scene.m_fps},
          {"lastFrame", LastFrameOf(scene)},
          {"interpolation", scene.m_hermite ? "hermite" : "linear"},
          {"canvas", {scene.m_canvasWidth, scene.m_canvasHeight}},
          {"fieldOfView", scene.m_fieldOfView},
          {"background", HexOfBgr(scene.m_backgroundColor)}};
}

}  // namespace

void AddDocumentCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto newPath = std::make_shared<std::string>();
  CLI::App* newCmd = app.add_subcommand("new", "Write a new, empty document");
  newCmd->add_option("DOC", *newPath, "document to write")->required();
  commands.emplace_back(newCmd, [newPath] {
    Scene scene;  // the new-document state
    SaveDocumentOrFail(*newPath, scene);
  });

  auto infoPath = std::make_shared<std::string>();
  CLI::App* info = app.add_subcommand("info", "Print a JSON summary of a document");
  info->add_option("DOC", *infoPath, "document to read")->required();
  commands.emplace_back(info, [infoPath] {
    Scene scene;
    LoadDocumentOrFail(*infoPath, scene);
    std::cout << SceneSummary(scene).dump(2) << '\n';
  });

  auto resaveIn = std::make_shared<std::string>();
  auto resaveOut = std::make_shared<std::string>();
  CLI::App* resave = app.add_subcommand("resave", "Read a document and write it again, with nothing in between");
  resave->add_option("IN", *resaveIn, "document to read")->required();
  resave->add_option("OUT", *resaveOut, "document to write")->required();
  commands.emplace_back(resave, [resaveIn, resaveOut] {
    RefuseOutputOverInput(*resaveOut, *resaveIn);
    Scene scene;
    LoadDocumentOrFail(*resaveIn, scene);
    SaveDocumentOrFail(*resaveOut, scene);
  });
}

}  // namespace qv::cli
