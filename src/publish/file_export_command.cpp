#include "publish/file_export_command.h"

#include "animation/interpolation.h"
#include "document/save_types.h"
#include "publish/movie_options.h"
#include "scene/messages.h"

namespace qv {

std::string FileExportFailureMessage(const std::string& path, const std::string& reason) {
  return FillMessage(kFileExportFailedMessage, {path, reason});
}

FileExportResult RunFileExport(CMotionDoc& doc, const std::string& path, SaveType type, FileExportFrontEnd& frontEnd,
                               SettingsStore* settings) {
  Scene& scene = doc.scene();
  const std::optional<MovieFormat> format = MovieFormatOfSaveType(type);
  if (!format) {
    if (type != SaveType::kGltfBinary && type != SaveType::kGltf) return FileExportResult::kFailed;
    std::vector<std::string> warnings;
    std::string failure;
    frontEnd.RunBusy([&] {
      try {
        ExportDocumentGltf(doc, path, [&warnings](const std::string& warning) { warnings.push_back(warning); });
      } catch (const FileExportError& e) {
        failure = e.what();
      }
    });
    if (!failure.empty()) {
      doc.ui().ShowMessage(FileExportFailureMessage(path, failure));
      return FileExportResult::kFailed;
    }
    frontEnd.ShowWritten(path, warnings);
    return FileExportResult::kWritten;
  }

  MovieSettings movie = settings ? RememberedMovieSettings(*settings, scene, *format) : DefaultMovieSettings(scene, *format);
  const int32_t lastFrame = scene.m_lastFrame;
  if (!frontEnd.AskMovieSettings(movie, [lastFrame](const MovieSettings& s) { return CheckMovieSettings(s, lastFrame); }))
    return FileExportResult::kCancelled;
  movie.format = *format;
  movie.fps = scene.m_fps;
  if (settings) RememberMovieSettings(*settings, movie, scene);
  // The frames drawn are the stored poses: fill the in-between ones from the keys first, as play
  // and the other exports do, then draw from a copy.
  RecomputeAllFrames(scene);
  // The listener runs only after Start, when `job` is whole.
  MovieExportJob job(scene, movie, path, [&](int64_t done) { frontEnd.MovieFrameDrawn(job, done); });
  job.Start();
  frontEnd.WaitForMovie(job);
  job.Wait();
  switch (job.outcome()) {
    case MovieExportJob::Outcome::kWritten: frontEnd.ShowWritten(path, {}); return FileExportResult::kWritten;
    case MovieExportJob::Outcome::kCancelled: return FileExportResult::kCancelled;
    default: doc.ui().ShowMessage(FileExportFailureMessage(path, job.error())); return FileExportResult::kFailed;
  }
}

}  // namespace qv
