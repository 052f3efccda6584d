// export: the document as a web page playing with WebGL or WebGPU.
#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "export/web_export.h"

namespace qv::cli {

namespace {

struct ExportOptions {
  std::string doc, out;
  bool webgl = false, webgpu = false;
};

void RunExport(const ExportOptions& o) {
  namespace fs = std::filesystem;
  EditSession session(o.doc);
  // The page's folder is made when missing, as a save dialog would offer an existing one; a
  // failed export takes it away again.
  const fs::path folder = fs::path(o.out).parent_path();
  fs::path firstMade;
  for (fs::path p = folder; !p.empty() && !fs::exists(p); p = p.parent_path()) {
    firstMade = p;
    if (p == p.parent_path()) break;
  }
  std::error_code error;
  if (!folder.empty()) fs::create_directories(folder, error);
  if (error) throw CommandFailure{"cannot create the folder " + folder.string() + ": " + error.message()};
  const WebExportResult result =
      ExportWebPage(session.doc(), o.webgpu ? WebExportKind::kWebGPU : WebExportKind::kWebGL, o.out);
  if (!result.Succeeded()) {
    if (!firstMade.empty()) fs::remove_all(firstMade, error);
    std::string message = "export to " + o.out + " failed";
    if (!result.failures.empty()) message += ": could not write " + result.failures.front();
    throw CommandFailure{message + "; nothing was written"};
  }
  for (const std::string& path : result.written) std::cout << path << '\n';
}

}  // namespace

void AddExportCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* cmd = app.add_subcommand("export", "Write the document as a web page (OUT/TITLE.html)");
  cmd->add_option("DOC", options->doc, "document to export")->required();
  auto* gl = cmd->add_flag("--webgl", options->webgl, "play with WebGL");
  auto* gpu = cmd->add_flag("--webgpu", options->webgpu, "play with WebGPU");
  gl->excludes(gpu);
  cmd->add_option("OUT", options->out, "page to write, for example site/Logo.html")->required();
  commands.emplace_back(cmd, [options] {
    if (!options->webgl && !options->webgpu) throw CommandFailure{"choose --webgl or --webgpu"};
    RunExport(*options);
  });
}

}  // namespace qv::cli
