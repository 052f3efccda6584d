#pragma once
// Save-as with a web type: the export of the document's scene, after which the document counts
// as modified (exporting is not saving: the path and title stay, and closing still asks to save).
#include <string>

#include "document/motion_doc.h"
#include "export/web_export.h"

namespace qv {

// The export of export/web_export.h; an empty options.programFolder takes the document's
// m_programFolder when set. A completed export marks the document modified.
WebExportResult ExportWebPage(CMotionDoc& doc, WebExportKind kind, const std::string& chosenPath,
                              const WebExportOptions& options = {});

// Makes the document's save-as write web pages for its WebGL and WebGPU file types (the default;
// tests replace the exporter to watch the route); a written page is told to the user interaction
// (PageWritten).
void InstallWebExporter(CMotionDoc& doc);

}  // namespace qv
