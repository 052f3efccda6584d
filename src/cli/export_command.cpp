// export: the document as a web page playing with WebGL or WebGPU, or as a glTF 2.0 file.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "document/web_export_command.h"
#include "export/gltf_export.h"
#include "export/path_helpers.h"
#include "publish/file_export.h"

namespace qv::cli {

namespace {

struct ExportOptions {
  std::string doc, out;
  bool webgl = false, webgpu = false, gltf = false;
};

// The output's folder is made when missing, as a save dialog would offer an existing one.
// Returns the outermost folder that was made (empty when all existed), for a failed export to
// take away again.
std::filesystem::path MakeOutputFolder(const std::string& out) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(out).parent_path();
  fs::path firstMade;
  for (fs::path p = folder; !p.empty() && !fs::exists(p); p = p.parent_path()) {
    firstMade = p;
    if (p == p.parent_path()) break;
  }
  std::error_code error;
  if (!folder.empty()) fs::create_directories(folder, error);
  if (error) throw CommandFailure{"cannot create the folder " + folder.string() + ": " + error.message()};
  return firstMade;
}

void RemoveMadeFolder(const std::filesystem::path& firstMade) {
  std::error_code error;
  if (!firstMade.empty()) std::filesystem::remove_all(firstMade, error);
}

void RunGltfExport(const ExportOptions& o) {
  RefuseOutputOverInput(o.out, o.doc);
  EditSession session(o.doc);
  std::string extension = std::filesystem::path(o.out).extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension != ".glb" && extension != ".gltf") throw CommandFailure{"the glTF file must end in .glb or .gltf"};
  if (session.doc().scene().m_models.empty()) throw CommandFailure{kGltfEmptySceneMessage};
  const std::filesystem::path firstMade = MakeOutputFolder(o.out);
  try {
    const auto warn = [](const std::string& message) { std::cerr << "warning: " << message << '\n'; };
    for (const std::string& path : ExportDocumentGltf(session.doc(), o.out, warn)) std::cout << path << '\n';
  } catch (const FileExportError& e) {
    RemoveMadeFolder(firstMade);
    throw CommandFailure{e.what()};
  }
}

void RunExport(const ExportOptions& o) {
  // The page is the one file of the site named after the chosen name.
  std::string folder = "./", title;
  PathFolder(o.out, folder);
  if (PathTitle(o.out, title)) RefuseOutputOverInput(folder + title + ".html", o.doc);
  EditSession session(o.doc);
  const std::filesystem::path firstMade = MakeOutputFolder(o.out);
  const WebExportResult result =
      ExportWebPage(session.doc(), o.webgpu ? WebExportKind::kWebGPU : WebExportKind::kWebGL, o.out);
  if (!result.Succeeded()) {
    RemoveMadeFolder(firstMade);
    std::string message = "export to " + o.out + " failed";
    if (!result.failures.empty()) message += ": could not write " + result.failures.front();
    throw CommandFailure{message + "; nothing was written"};
  }
  for (const std::string& path : result.written) std::cout << path << '\n';
}

}  // namespace

void AddExportCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* cmd = app.add_subcommand("export", "Write the document as a web page (OUT/TITLE.html) or a glTF file");
  cmd->add_option("DOC", options->doc, "document to export")->required();
  auto* gl = cmd->add_flag("--webgl", options->webgl, "play with WebGL");
  auto* gpu = cmd->add_flag("--webgpu", options->webgpu, "play with WebGPU");
  auto* gltf = cmd->add_flag("--gltf", options->gltf, "write glTF 2.0: OUT.glb (one file) or OUT.gltf (with .bin and images)");
  gl->excludes(gpu);
  gltf->excludes(gl)->excludes(gpu);
  cmd->add_option("OUT", options->out, "page or glTF file to write, for example site/Logo.html or Logo.glb")->required();
  commands.emplace_back(cmd, [options] {
    if (!options->webgl && !options->webgpu && !options->gltf) throw CommandFailure{"choose --webgl, --webgpu or --gltf"};
    if (options->gltf)
      RunGltfExport(*options);
    else
      RunExport(*options);
  });
}

}  // namespace qv::cli
