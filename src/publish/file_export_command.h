#pragma once
// Save-as to glTF or a movie: the document's side of the command. The front end only asks and
// shows (FileExportFrontEnd); the options, their rules and the work are here. Exporting never
// changes the document's path, title or modified flag.
#include <functional>
#include <string>
#include <vector>

#include "document/motion_doc.h"
#include "publish/file_export.h"
#include "scene/interface_text.h"

namespace qv {

class FileExportFrontEnd {
 public:
  virtual ~FileExportFrontEnd() = default;
  // The options of a movie, opened with `settings`. OK must be refused, the dialog staying open
  // with the message, while `check` (CheckMovieSettings for this animation) returns a reason.
  // False when cancelled.
  virtual bool AskMovieSettings(MovieSettings& settings,
                                const std::function<std::string(const MovieSettings&)>& check) = 0;
  // Shows the progress of the started `job` until it has finished, offering to cancel it.
  virtual void WaitForMovie(MovieExportJob& job) = 0;
  // Each frame of the movie as it is drawn, on the job's thread (see MovieExportJob); nothing
  // unless a front end needs it.
  virtual void MovieFrameDrawn(MovieExportJob&, int64_t /*done*/) {}
  // Runs short work (a glTF file) showing that the program is busy.
  virtual void RunBusy(const std::function<void()>& work) = 0;
  // The file is written: where it went, with what was left out of it (may be empty).
  virtual void ShowWritten(const std::string& path, const std::vector<std::string>& warnings) = 0;
};

enum class FileExportResult { kWritten, kCancelled, kFailed };

// The message of a failed export: the file, then the reason on a line of its own.
inline constexpr const char* kFileExportFailedMessage = QV_TRANSLATE_NOOP("Messages", "%1 を書き出せませんでした。\n%2");
std::string FileExportFailureMessage(const std::string& path, const std::string& reason);

// Writes `path` as `type` (a glTF or movie type of save-as). A movie asks its options, starting
// from what `settings` remembers (when given) and remembering what was asked for; failures are
// shown through the document's user interaction.
FileExportResult RunFileExport(CMotionDoc& doc, const std::string& path, SaveType type, FileExportFrontEnd& frontEnd,
                               SettingsStore* settings);

}  // namespace qv
