#include "document/web_export_command.h"

namespace qv {

WebExportResult ExportWebPage(CMotionDoc& doc, WebExportKind kind, const std::string& chosenPath,
                              const WebExportOptions& options) {
  WebExportOptions resolved = options;
  if (resolved.programFolder.empty()) resolved.programFolder = doc.m_programFolder;
  WebExportResult result = ExportWebSite(doc.scene(), doc.ui(), kind, chosenPath, resolved);
  if (result.completed) doc.SetModifiedFlag(true);
  return result;
}

void InstallWebExporter(CMotionDoc& doc) {
  doc.SetWebExporter([](CMotionDoc& d, const std::string& path, SaveType type) {
    const WebExportResult result = ExportWebPage(d, WebExportKindOf(type), path);
    if (result.Succeeded()) d.ui().PageWritten(result.page);
  });
}

}  // namespace qv
