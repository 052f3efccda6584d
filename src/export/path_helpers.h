#pragma once
// Splitting file paths into folder, title, file name and extension.
//
// Paths are file-system paths in UTF-8; both "/" and "\" count as separators (a path typed on
// Windows still splits at its backslashes). Walking UTF-8 bytes backwards is safe: no byte of a
// multibyte character equals a separator or a period. Scene strings in code page 932 must be
// converted to UTF-8 first (a trail byte of a code page 932 character can equal "\").
#include <string>
#include <string_view>

#include "platform/program_folder.h"  // ModuleFolder

namespace qv {

// The text before the last separator followed by one "/" (none is added when the text already
// ends with a separator). False, with `out` untouched, when the path has no separator.
bool PathFolder(std::string_view path, std::string& out);
// The last component up to, not including, its last "."; the whole last component when it has
// no ".". False when that text is empty (".html", "folder/").
bool PathTitle(std::string_view path, std::string& out);
// The whole last component (the whole path when it has no separator). False when the path is
// empty or ends with a separator.
bool PathFileName(std::string_view path, std::string& out);
// The text after the last "." of the last component; empty when it has none. Always true.
bool PathExtension(std::string_view path, std::string& out);


}  // namespace qv
