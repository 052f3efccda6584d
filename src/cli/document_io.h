#pragma once
// Opening and saving the document for commands; failures become CommandFailure.
#include <string>

namespace qv::cli {

// The new-document state of the scene.
void NewDocument();
// Opens a document as the program does after loading (frame range, tracks, lighting, bounds).
void OpenDocumentOrFail(const std::string& path);
void SaveDocumentOrFail(const std::string& path);

}  // namespace qv::cli
