#include "cli/document_io.h"

#include <cerrno>
#include <iostream>
#include <set>

#include "cli/cli_command.h"
#include "cli/cli_messages.h"
#include "geometry/texture_loader.h"
#include "platform/file_probe.h"
#include "platform/regular_file.h"
#include "platform/text_codec.h"
#include "scene/document_file.h"
#include "scene/scene.h"

namespace qv::cli {

namespace {

// A FIFO or a device would block or never end: refused by name before it is read. A file that is
// not there is left to the reader, whose message names it.
void RefuseNonRegularFile(const std::string& path) {
  const int error = RegularFileError(path);
  if (error == EISDIR) throw CommandFailure{path + ": is a folder"};
  if (error == EINVAL) throw CommandFailure{path + ": not a regular file"};
}

}  // namespace

void RefuseOutputOverInput(const std::string& output, const std::string& input) {
  if (IsSameFile(output, input)) throw CommandFailure{output + ": is " + input + " itself; choose another file to write"};
}

void ReportUnloadedTextures(const Scene& scene, const std::string& documentFolder, size_t first,
                            const std::string& subject) {
  const TextureLookup lookup = MakeTextureLookup(documentFolder);
  std::set<std::string> reported;
  for (size_t i = first; i < scene.m_materials.size(); ++i) {
    const CMaterial& material = scene.m_materials[i];
    if (material.m_texture.empty() || !material.m_image.empty() || !reported.insert(material.m_texture).second)
      continue;
    CMaterial probe;
    probe.m_texture = material.m_texture;
    TextureLoadReport report;
    LoadTexture(probe, lookup, {}, &report);
    std::cerr << subject << ": texture " << Cp932ToUtf8(material.m_texture) << ": "
              << (report.loaded ? std::string("not loaded") : report.failure) << '\n';
  }
}

void LoadDocumentOrFail(const std::string& path, Scene& scene) {
  RefuseNonRegularFile(path);
  if (auto failure = LoadDocumentFile(path, scene)) throw CommandFailure{EnglishMessage(failure->text, path)};
}

void SaveDocumentOrFail(const std::string& path, Scene& scene) {
  if (auto failure = StoreDocumentFile(path, scene)) throw CommandFailure{EnglishMessage(failure->text, path)};
}

EditSession::EditSession(const std::string& path, bool createIfMissing, bool loadTextures)
    : path_(path), doc_(ui_) {
  ui_.subject = path;
  doc_.m_loadTexturesOnOpen = loadTextures;
  if (createIfMissing && RegularFileError(path) == ENOENT) {
    doc_.OnNewDocument();
    doc_.SetPath(path);
    return;
  }
  RefuseNonRegularFile(path);
  if (PathExtensionOf(path) != "qvlogo" && PathExtensionOf(path) != "QVLOGO")
    throw CommandFailure{path + ": not a .qvlogo document"};
  // A failed open has printed its message already.
  if (!doc_.OnOpenDocument(path)) throw CommandFailure{"", 1};
  if (loadTextures) ReportUnloadedTextures(doc_.scene(), doc_.m_documentFolder, 0, path);
}

void EditSession::Save() {
  // DoStore has shown the message on stderr already.
  if (!doc_.DoStore(path_)) throw CommandFailure{"", 1};
}

}  // namespace qv::cli
