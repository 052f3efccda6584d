#pragma once
// Where the running program and its own files are. In the build tree (and in any folder the
// programs are copied into together with their files) the files sit next to the programs; an
// installation keeps them apart: the programs in PREFIX/bin, their files in
// PREFIX/share/quorvel-logo, the desktop entry and the MIME type where the desktop looks for them.
// Every folder here is found from the program's own location, so one build runs from the build
// tree, from /usr and from any other prefix.
#include <string>

namespace qv {

// The names the desktop knows the program and its document type by, in the user's data folder and
// in an installed prefix's share folder alike.
inline constexpr const char* kDesktopEntryFile = "applications/quorvel-logo.desktop";
inline constexpr const char* kMimePackageFile = "mime/packages/quorvel-logo.xml";
// The web runtime's folder in the program's folder: the name the export copies from, and the mark
// by which the program's folder is recognised.
inline constexpr const char* kWebRuntimeFolder = "DoNotTouch";

// The folder of the running executable with a trailing "/" (from /proc/self/exe); empty when unknown.
std::string ExecutableFolder();

// The program's folder, with a trailing "/": where its own files are (the web runtime DoNotTouch,
// the TEXTURE folders, the help page Logo.html). Empty when the executable's folder is unknown.
std::string ModuleFolder();
// The program's folder as a caller gives it (tests and documents that keep the program's files
// elsewhere), with a trailing "/"; ModuleFolder() when `given` is empty.
std::string ProgramFolderOr(const std::string& given);
// `folder` with a trailing "/" (an empty folder stays empty).
std::string WithTrailingSlash(std::string folder);

// The rule of ModuleFolder for a program in `executableFolder`: that folder when it holds
// DoNotTouch; else the installed layout's share folder (EXECUTABLE/../share/quorvel-logo/) when
// that holds DoNotTouch; else the executable's folder itself.
std::string ProgramFilesFolder(const std::string& executableFolder);

// True when the program in `executableFolder` was installed with its desktop entry and its MIME
// type (both files present in EXECUTABLE/../share): the desktop and MIME databases of that prefix
// know it already, and the program must not put copies of its own into the user's folder, which
// would override the installed ones.
bool InstalledWithDesktopFiles(const std::string& executableFolder);

}  // namespace qv
