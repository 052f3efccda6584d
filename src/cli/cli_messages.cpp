#include "cli/cli_messages.h"

#include <array>
#include <optional>
#include <utility>

#include "export/web_export.h"
#include "geometry/texture_loader.h"
#include "scene/limits.h"
#include "scene/messages.h"
#include "document/motion_doc.h"

namespace qv::cli {

namespace {

// The limits' texts name the numbers of scene/limits.h.
static_assert(kMaxStoredPoses == 10'000'000 && kMaxSceneMaterials == 10000 && kMaxTextFaces == 1'000'000);

// Texts without a file name.
const std::array<std::pair<std::string_view, std::string_view>, 14> kPlain{{
    {MessageText(msg::kInvalidFileName), "invalid file name"},
    {MessageText(msg::kFailedToOpen), "cannot open the document"},
    {MessageText(msg::kFailedToSave), "cannot save the document"},
    {MessageText(msg::kUnexpectedFormat), "not a Quorvel Logo document, or a damaged one (unexpected file format)"},
    {kFrameOutOfRangeMessage, "frame number out of range"},
    {kSelectModelMessage, "select a model first"},
    {kTextureFailedMessage, "texture file not found, or an image format that is not supported"},
    {kWebGLScriptFailedMessage, "writing the WebGL scripts failed"},
    {kWebGPUScriptFailedMessage, "writing the WebGPU scripts failed"},
    {kEmptyTitleMessage, "the page needs a name before .html"},
    {kBackslashInNameMessage, "a page name may not contain a backslash"},
    {kTooManyPosesMessage,
     "the document would hold more than 10000000 poses (models x frames x animations); nothing was changed"},
    {kTooManyMaterialsMessage, "the document would hold more than 10000 materials; nothing was changed"},
    {kTextTooLargeMessage,
     "the text would make more than 1000000 faces; use fewer characters, subdivisions or a lighter weight"},
}};

// Texts with the file in place of %1.
const std::array<std::pair<std::string_view, std::string_view>, 15> kWithFile{{
    {MessageText(61857), "unknown error while accessing the file"},
    {MessageText(61858), "file not found"},
    {MessageText(61859), "invalid path"},
    {MessageText(61860), "too many open files"},
    {MessageText(61861), "access denied"},
    {MessageText(61862), "invalid file handle"},
    {MessageText(61863), "the current folder cannot be removed"},
    {MessageText(61864), "cannot be created, the folder is full"},
    {MessageText(61865), "seek failed"},
    {MessageText(61866), "hardware I/O error"},
    {MessageText(61867), "sharing violation"},
    {MessageText(61868), "lock violation"},
    {MessageText(61869), "disk full"},
    {MessageText(61870), "read beyond the end of the file"},
    {kTextureTooLargeMessage, "image too large (at most 8192x8192 pixels)"},
}};

std::string WithSubject(const std::string& subject, std::string_view text) {
  return subject.empty() ? std::string(text) : subject + ": " + std::string(text);
}

// The create-text command's notes on fonts: "フォント「A」が見つからないため、「B」を使いました。",
// "「B」にない文字を「C」で作りました: XY" and "どのフォントにもない文字は四角で表しました: XY".
std::optional<std::string> EnglishTextNote(std::string_view text) {
  constexpr std::string_view kFamilyOpen = "フォント「", kFamilyMiddle = "」が見つからないため、「",
                             kFamilyClose = "」を使いました。";
  if (text.starts_with(kFamilyOpen) && text.ends_with(kFamilyClose)) {
    const std::string_view inner = text.substr(kFamilyOpen.size(), text.size() - kFamilyOpen.size() - kFamilyClose.size());
    const size_t middle = inner.find(kFamilyMiddle);
    if (middle != std::string_view::npos)
      return "font \"" + std::string(inner.substr(0, middle)) + "\" is not installed; used \"" +
             std::string(inner.substr(middle + kFamilyMiddle.size())) + "\" instead";
  }
  constexpr std::string_view kSubstitutedMiddle = "」にない文字を「", kSubstitutedClose = "」で作りました: ";
  if (text.starts_with("「")) {
    const size_t middle = text.find(kSubstitutedMiddle), close = text.find(kSubstitutedClose);
    if (middle != std::string_view::npos && close != std::string_view::npos && middle < close) {
      const std::string_view used = text.substr(std::string_view("「").size(), middle - std::string_view("「").size());
      const std::string_view other = text.substr(middle + kSubstitutedMiddle.size(), close - middle - kSubstitutedMiddle.size());
      return "characters missing from \"" + std::string(used) + "\" were taken from \"" + std::string(other) +
             "\": " + std::string(text.substr(close + kSubstitutedClose.size()));
    }
  }
  constexpr std::string_view kMissingOpen = "どのフォントにもない文字は四角で表しました: ";
  if (text.starts_with(kMissingOpen))
    return "no installed font has these characters; drawn as boxes: " + std::string(text.substr(kMissingOpen.size()));
  return std::nullopt;
}

}  // namespace

bool IsTextureMessage(std::string_view text) {
  const std::string_view tooLarge = kTextureTooLargeMessage;
  const std::string_view tail = tooLarge.substr(tooLarge.find("%1") + 2);
  return text.starts_with(kTextureFailedMessage) ||
         (text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail);
}

std::string EnglishMessage(std::string_view text, const std::string& subject) {
  if (const std::optional<std::string> note = EnglishTextNote(text)) return WithSubject(subject, *note);
  for (const auto& [japanese, english] : kPlain)
    if (text == japanese) return WithSubject(subject, english);
  for (const auto& [japanese, english] : kWithFile) {
    const size_t at = japanese.find("%1");
    const std::string_view before = japanese.substr(0, at), after = japanese.substr(at + 2);
    if (text.size() > before.size() + after.size() && text.substr(0, before.size()) == before &&
        text.substr(text.size() - after.size()) == after) {
      const std::string file(text.substr(before.size(), text.size() - before.size() - after.size()));
      return file + ": " + std::string(english);
    }
  }
  return WithSubject(subject, text);
}

}  // namespace qv::cli
