#pragma once
// Opening and saving the document for commands; failures become CommandFailure.
#include <string>

#include "cli/cli_interaction.h"
#include "document/motion_doc.h"

namespace qv::cli {

// The new-document state of the scene.

// Reads a document file into the scene as stored, without the steps of opening it.
void LoadDocumentOrFail(const std::string& path, Scene& scene);
void SaveDocumentOrFail(const std::string& path, Scene& scene);

// Refuses an output that is the input file itself (also through a hard or symbolic link): writing
// it would replace what is being read.
void RefuseOutputOverInput(const std::string& output, const std::string& input);

// One line on stderr for each texture name of materials[first...] that names a file but has no
// image: "SUBJECT: texture NAME: why".
void ReportUnloadedTextures(const Scene& scene, const std::string& documentFolder, size_t first,
                            const std::string& subject);

// The document of an editing command: opened as the program opens it, saved in place.
class EditSession {
 public:
  // Opens DOC; with `createIfMissing` a missing file starts a new document instead. Texture
  // images are decoded only with `loadTextures` (commands that draw).
  explicit EditSession(const std::string& path, bool createIfMissing = false, bool loadTextures = false);
  CMotionDoc& doc() { return doc_; }
  CliInteraction& ui() { return ui_; }
  // Saves DOC atomically; throws CommandFailure on failure.
  void Save();

 private:
  std::string path_;
  CliInteraction ui_;
  CMotionDoc doc_;
};

}  // namespace qv::cli
