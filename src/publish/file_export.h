#pragma once
// The work of writing the document as a glTF file or a movie, shared by the command line
// (`qvlogo export --gltf`, `qvlogo movie`) and the desktop program's save-as.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "document/motion_doc.h"
#include "movie/movie_writer.h"

namespace qv {

// A failure the user must see, UTF-8; nothing is left at the chosen path.
struct FileExportError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The glTF file of the document: in-between frames rebuilt from the keys first (the file plays
// the stored poses, as the web page does), textures looked up beside the document and in the
// program's folder. `warn` hears of what was left out (a texture that cannot be read). Returns
// the files written, the main file last. Throws FileExportError.
std::vector<std::string> ExportDocumentGltf(CMotionDoc& doc, const std::string& path,
                                            const std::function<void(const std::string&)>& warn = {});

// WriteMovie with its failures as FileExportError ("cannot write PATH: why" for the file system).
void WriteDocumentMovie(Scene& scene, const MovieSettings& settings, const std::string& path,
                        const MovieProgress& progress = {});

// A movie written on a thread of its own, from a copy of the scene taken when the job is made: the
// window can go on drawing (and even editing) its own scene meanwhile. The thread draws through
// its own offscreen context, as the command line does. Cancel stops it at the next frame and the
// file is not written.
class MovieExportJob {
 public:
  enum class Outcome { kRunning, kWritten, kCancelled, kFailed };

  // `frameDrawn`, when given, hears of each frame on the job's own thread, before the next is
  // drawn: a Cancel from there stops the job exactly at that frame.
  MovieExportJob(const Scene& scene, const MovieSettings& settings, std::string path,
                 std::function<void(int64_t done)> frameDrawn = {});
  ~MovieExportJob();  // cancels and waits
  MovieExportJob(const MovieExportJob&) = delete;
  MovieExportJob& operator=(const MovieExportJob&) = delete;

  void Start();
  // Safe from any thread, also after the end.
  void Cancel() { m_cancel = true; }
  bool Finished() const { return m_finished; }
  void Wait();
  // Frames drawn and to draw (a GIF draws each frame twice); 0 of 0 before the first.
  int64_t Done() const { return m_done; }
  int64_t Total() const { return m_total; }
  // After Finished(): how it ended, and the reason of a failure.
  Outcome outcome() const { return m_finished ? m_outcome : Outcome::kRunning; }
  const std::string& error() const { return m_error; }
  const std::string& path() const { return m_path; }
  const MovieSettings& settings() const { return m_settings; }

 private:
  void Run();

  Scene m_scene;
  MovieSettings m_settings;
  std::string m_path;
  std::function<void(int64_t done)> m_frameDrawn;
  std::atomic<bool> m_cancel{false};
  std::atomic<bool> m_finished{false};
  std::atomic<int64_t> m_done{0};
  std::atomic<int64_t> m_total{0};
  Outcome m_outcome = Outcome::kRunning;
  std::string m_error;
  std::thread m_thread;
};

}  // namespace qv
