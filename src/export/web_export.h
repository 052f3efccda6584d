#pragma once
// The web export: a page, a style sheet, a scene script, the generated model script and a copy of
// the runtime script library, for WebGL or WebGPU. Reached from the document's save-as (web
// types) and from the command line.
//
// For the chosen path F/T.ext the site is:
//   F/T.html, F/css/styles.css, F/K/ (K = "webgl" or "webgpu") holding the seven runtime files,
//   Model_T.js and T.js.
// The runtime files come from DoNotTouch/K/ in the program's folder.
#include <string>
#include <vector>

#include "scene/interface_text.h"
#include "scene/scene.h"
#include "scene/user_interaction.h"

namespace qv {

enum class WebExportKind { kWebGL, kWebGPU };

WebExportKind WebExportKindOf(SaveType type);  // kWebGPU for SaveType::kWebGPU, else kWebGL
const char* FolderWord(WebExportKind kind);    // "webgl" or "webgpu"
// The seven runtime file names of the kind, in copy order.
const std::vector<std::string>& RuntimeFileNames(WebExportKind kind);

inline constexpr const char* kWebGLScriptFailedMessage = QV_TRANSLATE_NOOP("Messages", "JSファイルへの書き出しに失敗しました。");
inline constexpr const char* kWebGPUScriptFailedMessage = QV_TRANSLATE_NOOP("Messages", "WebGPU JavaScriptファイルへの書き出しに失敗しました。");
// A chosen name with a backslash: on this system it would be read as folders ("..\\..\\x").
inline constexpr const char* kBackslashInNameMessage = QV_TRANSLATE_NOOP("Messages", "名前に「\\」は使えません。");
// A chosen name such as ".html" has no title to name the page, its scripts and its class after.
inline constexpr const char* kEmptyTitleMessage =
    QV_TRANSLATE_NOOP("Messages", "ページの名前がありません。「.html」の前に名前を付けて保存してください。");

struct WebExportOptions {
  // The folder holding DoNotTouch. Empty: the running program's folder.
  std::string programFolder;
};

// What an export did, for callers that report more than the one message box (the command line).
struct WebExportResult {
  bool refused = false;          // empty title: nothing was done or written
  bool modelScriptFailed = false;
  bool completed = false;        // every step ran (a WebGL model-script failure ends the export)
  std::vector<std::string> written;   // files written, in order
  std::vector<std::string> failures;  // folders, copies and files that could not be made
  std::string page;                   // the page F/T.html, once everything is in place
  bool Succeeded() const { return completed && !refused && !modelScriptFailed && failures.empty(); }
};

// Exports the scene to the site named by `chosenPath` (UTF-8; its extension plays no
// part: the page is always T.html):
//   1. in-between frames rebuilt from the keys;
//   2. the style sheet, the runtime files, the model script, the page and the scene script are
//      written into a hidden staging folder inside F;
//   3. only when all of them were written are they moved into place (folders F/K and F/css made
//      as needed, older files replaced); the document's part, marking itself modified, is
//      document/web_export_command.h.
// Any failure (a runtime file missing, a name too long for the file system, a full disk) shows
// the kind's message and leaves nothing new behind: never a page whose scripts are missing. A
// path without a folder exports into the current folder. An empty title, or a name with a
// backslash, shows its message and changes nothing.
WebExportResult ExportWebSite(Scene& scene, UserInteraction& ui, WebExportKind kind,
                              const std::string& chosenPath, const WebExportOptions& options = {});

}  // namespace qv
