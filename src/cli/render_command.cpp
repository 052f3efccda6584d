// render: the viewport's picture of a frame, drawn without a display, as a PNG file.
#include <memory>
#include <optional>

#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "platform/picture_size.h"
#include "platform/png_writer.h"
#include "platform/text_codec.h"
#include "scene/limits.h"
#include "viewport/headless_render.h"

namespace qv::cli {

namespace {

constexpr int kMaxRenderSide = kMaxMovieSide;  // one picture; its pixel count is bounded below

struct RenderOptions {
  std::string doc, out, size = "800x600", mode;
  std::optional<int32_t> frame;
  std::optional<std::string> select;
  bool noGuides = false;
};

void RunRender(const RenderOptions& o) {
  RefuseOutputOverInput(o.out, o.doc);
  EditSession session(o.doc, /*createIfMissing=*/false, /*loadTextures=*/true);
  Scene& scene = session.doc().scene();
  FrameImageOptions options;
  const std::optional<PictureSize> size = ParsePictureSize(o.size, kMaxRenderSide);
  if (!size) throw CommandFailure{PictureSizeRule("--size", kMaxRenderSide)};
  options.width = size->width;
  options.height = size->height;
  // Drawing costs some 12 bytes a pixel: refused up front rather than gigabytes later.
  if (int64_t{options.width} * options.height > kMaxDrawnPixels)
    throw CommandFailure{"--size " + o.size + " is more than " + std::to_string(kMaxDrawnPixels) +
                         " pixels (8192x8192); choose a smaller size"};
  if (o.frame) {
    if (*o.frame < 0 || *o.frame > scene.m_lastFrame)
      throw CommandFailure{"--frame must be from 0 to the last frame, " + std::to_string(scene.m_lastFrame)};
    options.frame = *o.frame;
  }
  if (o.select) {
    const int32_t index = FindModelByName(scene, Utf8ToCp932(*o.select));
    if (index < 0) throw CommandFailure{"no model named " + *o.select};
    options.selectedModel = index;
  }
  options.guides = !o.noGuides;
  if (!o.mode.empty()) options.transformMode = o.mode == "move" ? 0 : o.mode == "rotate" ? 1 : 2;
  std::string error;
  auto image = RenderSceneImage(scene, options, &error);
  if (!image) throw CommandFailure{"cannot render: " + error};
  if (!WritePng(o.out, *image, &error)) throw CommandFailure{"cannot write " + o.out + ": " + error};
}

}  // namespace

void AddRenderCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto options = std::make_shared<RenderOptions>();
  CLI::App* cmd = app.add_subcommand("render", "Draw a frame as the viewport shows it, into a PNG file");
  cmd->add_option("DOC", options->doc, "document to draw")->required();
  cmd->add_option("--frame", options->frame, "frame to draw (default 0)");
  cmd->add_option("--size", options->size, "picture size WxH")->capture_default_str();
  cmd->add_option("--select", options->select, "model to show selected, with its box and handle");
  cmd->add_option("--mode", options->mode, "handle of the selected model")->check(CLI::IsMember({"move", "rotate", "scale"}));
  cmd->add_flag("--no-guides", options->noGuides, "draw the models only: no grid, axes, box outline or handle");
  cmd->add_option("-o,--output", options->out, "PNG file to write")->required();
  commands.emplace_back(cmd, [options] { RunRender(*options); });
}

}  // namespace qv::cli
