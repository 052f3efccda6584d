// key, frames, set: editing a document in place through the document's own commands.
#include <cmath>
#include <memory>
#include <optional>

#include "animation/interpolation.h"
#include "cli/cli_command.h"
#include "cli/document_io.h"
#include "geometry/model_geometry.h"
#include "platform/picture_size.h"
#include "platform/text_codec.h"
#include "document/dialog_fields.h"
#include "scene/bgr_color.h"
#include "scene/limits.h"
#include "document/motion_doc.h"

namespace qv::cli {

namespace {

struct KeyOptions {
  std::string doc, model;
  int32_t frame = 0;
  // Texts, read as the dialogs read numbers: CLI11 would take nan, inf and 1e39 as floats.
  std::optional<std::vector<std::string>> position, rotation, scale;
  bool remove = false;
};

struct FramesOptions {
  std::string doc;
  std::optional<int32_t> insertAfter, count, last;
  std::vector<int32_t> remove;
};

struct SetOptions {
  std::string doc;
  std::optional<std::string> fps, fov;  // read as the dialogs read numbers
  std::optional<std::string> interpolation, background, canvas;
};

int32_t FindModel(const Scene& scene, const std::string& utf8Name) {
  const std::string name = Utf8ToCp932(utf8Name);
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    if (scene.m_models[i].m_name == name) return static_cast<int32_t>(i);
  for (size_t i = 0; i < scene.m_models.size(); ++i)
    if (EqualsNoCase(scene.m_models[i].m_name, name)) return static_cast<int32_t>(i);
  throw CommandFailure{"no model named " + utf8Name};
}

// x,y,z of --position, --rotation or --scale: three numbers a float holds (no nan, no inf,
// nothing beyond float's range), refused before anything changes.
std::optional<CVector> ReadVector(const std::optional<std::vector<std::string>>& texts, const char* option) {
  if (!texts) return std::nullopt;
  float xyz[3] = {};
  for (size_t i = 0; i < 3; ++i) {
    const std::optional<float> value = i < texts->size() ? ReadNumberField((*texts)[i]) : std::nullopt;
    if (!value || texts->size() != 3)
      throw CommandFailure{std::string(option) + " must be x,y,z: three numbers from -3.4e38 to 3.4e38"};
    xyz[i] = *value;
  }
  return CVector{xyz[0], xyz[1], xyz[2]};
}

void RunKey(const KeyOptions& o) {
  const std::optional<CVector> position = ReadVector(o.position, "--position");
  const std::optional<CVector> rotation = ReadVector(o.rotation, "--rotation");
  const std::optional<CVector> scale = ReadVector(o.scale, "--scale");
  EditSession session(o.doc);
  CMotionDoc& doc = session.doc();
  Scene& scene = doc.scene();
  scene.m_selectedModel = FindModel(scene, o.model);
  if (o.frame < 0 || o.frame > scene.m_lastFrame)
    throw CommandFailure{"--frame must be from 0 to the last frame, " + std::to_string(scene.m_lastFrame)};
  scene.m_currentFrame = o.frame;
  RecomputeAllFrames(scene);
  if (o.remove) {
    if (o.frame == 0) throw CommandFailure{"frame 0 is always a key"};
    if (scene.m_models[scene.m_selectedModel].m_tracks[scene.m_currentAnimation][o.frame].m_key == 0)
      throw CommandFailure{"frame " + std::to_string(o.frame) + " of " + o.model + " is no key"};
    doc.OnDeleteKey(false);
  } else {
    CAnimation& pose = scene.m_models[scene.m_selectedModel].m_tracks[scene.m_currentAnimation][o.frame];
    if (position) pose.m_position = *position;
    if (rotation) pose.m_rotation = *rotation;
    if (scale) pose.m_scale = *scale;
    doc.OnAddKey(false);
  }
  session.Save();
}

void RunFrames(const FramesOptions& o) {
  EditSession session(o.doc);
  CMotionDoc& doc = session.doc();
  // Only the edit's own refusal fails the command, not what opening reported (a missing texture).
  const int messagesBefore = session.ui().messagesShown;
  if (o.insertAfter) {
    session.ui().framePair = std::pair{*o.insertAfter, o.count.value_or(1)};
    doc.OnInsertFrames();
  } else if (o.remove.size() == 2) {
    session.ui().framePair = std::pair{o.remove[0], o.remove[1]};
    doc.OnDeleteFrames();
  } else if (o.last) {
    if (!doc.SetLastFrame(*o.last)) {
      if (session.ui().messagesShown > messagesBefore) throw CommandFailure{"", 1};  // said already
      throw CommandFailure{"--last must be from 0 to " + std::to_string(kMaxLastFrame)};
    }
  } else {
    throw CommandFailure{"say what to do: --insert-after A --count N, --delete FIRST LAST or --last N"};
  }
  if (session.ui().messagesShown > messagesBefore) throw CommandFailure{"", 1};
  session.Save();
}

// What the command line accepts for the settings: kMinFps, kMaxFps (scene/limits.h) and the canvas.
constexpr int kMaxCanvas = kMaxCanvasSide;

uint32_t ParseBackground(const std::string& text) {
  if (const std::optional<uint32_t> bgr = BgrOfHex(text)) return *bgr;
  throw CommandFailure{"--background must be RRGGBB, for example 1E415A"};
}

void RunSet(const SetOptions& o) {
  EditSession session(o.doc);
  CMotionDoc& doc = session.doc();
  Scene& scene = doc.scene();
  // Nonsense is refused before anything changes (the desktop dialogs keep their own rules).
  const float fps = o.fps ? ReadNumberField(*o.fps).value_or(0.0f) : 0.0f;
  const float fov = o.fov ? ReadNumberField(*o.fov).value_or(0.0f) : 0.0f;
  if (o.fps && !(fps >= kMinFps && fps <= kMaxFps)) throw CommandFailure{"--fps must be a number from 1 to 1000"};
  if (o.fov && !(fov >= 1.0f && fov < 176.0f)) throw CommandFailure{"--fov must be a number of degrees from 1 to 175"};
  const std::optional<PictureSize> canvas = o.canvas ? ParsePictureSize(*o.canvas, kMaxCanvas) : std::nullopt;
  if (o.canvas && !canvas) throw CommandFailure{PictureSizeRule("--canvas", kMaxCanvas)};
  const std::optional<uint32_t> background = o.background ? std::optional(ParseBackground(*o.background)) : std::nullopt;
  if (o.fps) scene.m_fps = fps;
  if (o.interpolation) {
    const bool hermite = *o.interpolation == "hermite";
    if (hermite != scene.m_hermite) doc.OnToggleHermite();
  }
  if (background) doc.SetBackgroundColor(*background);
  if (canvas) {
    scene.m_canvasWidth = canvas->width;
    scene.m_canvasHeight = canvas->height;
  }
  // The settings dialog's rule: a whole number of degrees.
  if (o.fov) scene.m_fieldOfView = static_cast<float>(FieldOfViewPosition(fov));
  if (o.canvas || o.fov) doc.UpdateAllViews(Change::kSettings);
  doc.SetModifiedFlag();
  session.Save();
}

}  // namespace

void AddEditCommands(CLI::App& app, std::vector<std::pair<CLI::App*, CommandRunner>>& commands) {
  auto key = std::make_shared<KeyOptions>();
  CLI::App* keyCmd = app.add_subcommand("key", "Set a model's pose at a frame and make it a key, or remove the key");
  keyCmd->add_option("DOC", key->doc, "document to edit")->required();
  keyCmd->add_option("--model", key->model, "model name")->required();
  keyCmd->add_option("--frame", key->frame, "frame number")->required();
  keyCmd->add_option("--position", key->position, "x,y,z")->delimiter(',')->expected(3);
  keyCmd->add_option("--rotation", key->rotation, "x,y,z in degrees")->delimiter(',')->expected(3);
  keyCmd->add_option("--scale", key->scale, "x,y,z")->delimiter(',')->expected(3);
  auto* removeFlag = keyCmd->add_flag("--delete", key->remove, "remove the key at that frame");
  removeFlag->excludes(keyCmd->get_option("--position"))->excludes(keyCmd->get_option("--rotation"))->excludes(keyCmd->get_option("--scale"));
  commands.emplace_back(keyCmd, [key] { RunKey(*key); });

  auto frames = std::make_shared<FramesOptions>();
  CLI::App* framesCmd = app.add_subcommand("frames", "Insert or delete frames, or set the last frame");
  framesCmd->add_option("DOC", frames->doc, "document to edit")->required();
  auto* insert = framesCmd->add_option("--insert-after", frames->insertAfter, "insert after this frame");
  auto* count = framesCmd->add_option("--count", frames->count, "number of frames to insert")->needs(insert);
  auto* remove = framesCmd->add_option("--delete", frames->remove, "FIRST LAST: delete these frames")->expected(2);
  auto* last = framesCmd->add_option("--last", frames->last, "set the last frame");
  insert->needs(count)->excludes(remove)->excludes(last);
  remove->excludes(last);
  commands.emplace_back(framesCmd, [frames] { RunFrames(*frames); });

  auto set = std::make_shared<SetOptions>();
  CLI::App* setCmd = app.add_subcommand("set", "Change the document's settings");
  setCmd->add_option("DOC", set->doc, "document to edit")->required();
  setCmd->add_option("--fps", set->fps, "frames per second");
  setCmd->add_option("--interpolation", set->interpolation, "hermite or linear")
      ->check(CLI::IsMember({"hermite", "linear"}));
  setCmd->add_option("--background", set->background, "background colour RRGGBB");
  setCmd->add_option("--canvas", set->canvas, "canvas size WxH of the exported page");
  setCmd->add_option("--fov", set->fov, "vertical field of view in degrees");
  commands.emplace_back(setCmd, [set] { RunSet(*set); });
}

}  // namespace qv::cli
