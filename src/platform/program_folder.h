#pragma once
#include <string>

namespace qv {

// The running program's folder with a trailing "/" (from /proc/self/exe); empty when unknown.
// The runtime scripts and the TEXTURE folders live next to the program.
std::string ModuleFolder();

}  // namespace qv
