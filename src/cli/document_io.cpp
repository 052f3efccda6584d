#include "cli/document_io.h"

#include <sys/stat.h>

#include "cli/cli_command.h"
#include "scene/document_file.h"
#include "scene/scene.h"

namespace qv::cli {

void LoadDocumentOrFail(const std::string& path, CZiduderizo& scene) {
  if (auto failure = LoadDocumentFile(path, scene)) throw CommandFailure{failure->text};
}

void SaveDocumentOrFail(const std::string& path, CZiduderizo& scene) {
  if (auto failure = StoreDocumentFile(path, scene)) throw CommandFailure{failure->text};
}

EditSession::EditSession(const std::string& path, bool createIfMissing) : path_(path), doc_(ui_) {
  struct stat st {};
  if (createIfMissing && stat(path.c_str(), &st) != 0 && errno == ENOENT) {
    doc_.OnNewDocument();
    doc_.SetPath(path);
    return;
  }
  if (PathExtensionOf(path) != "qvlogo" && PathExtensionOf(path) != "QVLOGO")
    throw CommandFailure{"not a .qvlogo document: " + path};
  if (!doc_.OnOpenDocument(path)) throw CommandFailure{"cannot open " + path, 1};
}

void EditSession::Save() {
  // DoStore has shown the message on stderr already.
  if (!doc_.DoStore(path_)) throw CommandFailure{"", 1};
}

}  // namespace qv::cli
