#pragma once
// The kinds of file save-as writes, told apart by the extension of the name typed.
#include <string>

#include "scene/user_interaction.h"

namespace qv {

// glTF, videos and animated images: files for other programs, written by the front end's file
// exporter (CMotionDoc::SetFileExporter), never the document itself.
bool IsFileExportType(SaveType type);
bool IsMovieSaveType(SaveType type);

// The extension a name without one gets for `type`, without the period ("qvlogo", "glb" ...).
const char* SaveTypeExtension(SaveType type);

// The type a save-as writes for `path` when `chosen` was the type selected in the dialog: a name
// ending in one type's extension (any letter case) is that type, so that "logo.glb" writes glTF
// whatever the list showed; ".html" keeps a chosen web page kind (WebGL otherwise); any other
// name, or none, keeps `chosen`.
SaveType SaveTypeForPath(const std::string& path, SaveType chosen);

}  // namespace qv
