#pragma once
// The document file: exactly the stored form of the scene.
#include <optional>
#include <string>

#include "scene/archive.h"
#include "scene/messages.h"
#include "scene/scene.h"

namespace qv {

// Reads a whole document into `scene`, replacing its stored fields (m_fps among them). The file
// is read into a separate scene first and moved in only when all of it was read and checked, so
// a failed load leaves `scene` exactly as it was. Throws ArchiveException.
void LoadScene(CArchive& ar, Scene& scene);
// Sets m_version to 2.7 and writes the scene. Throws ArchiveException or FileException.
void StoreScene(CArchive& ar, Scene& scene);

// File-level wrappers returning the message to show on failure (nothing on success).
// A zero-byte file loads nothing and succeeds.
std::optional<Message> LoadDocumentFile(const std::string& path, Scene& scene);
// Saving replaces the file only after everything was written.
std::optional<Message> StoreDocumentFile(const std::string& path, Scene& scene);

}  // namespace qv
