#pragma once
// ImportMQO: reads a Metasequoia file into the scene and brings the scene's derived data up to
// date. The caller (open route, model tree command, dropped files) then clears the undo history,
// refreshes the views and marks the document modified.
#include <cstdint>
#include <cstdio>
#include <string>

#include "geometry/mqo_loader.h"
#include "geometry/texture_loader.h"

namespace qv {

class Scene;

struct MqoImportOptions {
  // Shows one message naming every texture that did not load, once the file was read, or the
  // scene limit that refused the file (kTooManyPosesMessage, kTooManyMaterialsMessage).
  MessageSink showMessage;
  // Folder of the running program (its TEXTURE and Texture folders are searched); empty: the
  // executable's own folder. Relative texture names resolve against the .mqo file's folder.
  std::string programFolder;
  // Off: texture names are kept but no image is looked for (fuzzing, benchmarks).
  bool loadTextures = true;
};

struct MqoImportResult {
  bool opened = false;      // false: the file could not be opened; the scene is unchanged
  int openError = 0;        // errno of the failed open (EINVAL: not a regular file)
  int32_t code = kMqoOk;    // result of the parse (MqoResult)
  int64_t line = 0;         // line where the parse stopped with an error; 0 on success
  int32_t modelsAdded = 0;
  int32_t materialsAdded = 0;  // including the default material added to a scene without any
  bool ok() const { return opened && code == kMqoOk; }
};

// Imports `path` (a file system path, UTF-8) into `scene`. Models and materials read before a
// parse error stay. Afterwards, whatever the result: a scene without materials gets one default
// material; lighting, bounds and vertex arrays are rebuilt; model and material names are made
// unique and parent names refreshed. The process's current directory is never changed.
MqoImportResult ImportMQO(Scene& scene, const std::string& path, const MqoImportOptions& options = {});

// The same from a file already open for binary reading (left open); relative texture names
// resolve against `folder`.
MqoImportResult ImportMQO(Scene& scene, std::FILE* file, const std::string& folder,
                          const MqoImportOptions& options = {});

}  // namespace qv
