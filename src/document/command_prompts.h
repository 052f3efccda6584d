#pragma once
// The prompt of each command: a string-table entry "what it does\nits name". The status bar
// shows the first part while the command's menu item or toolbar button is under the pointer;
// the toolbar button's tool tip shows the second.
#include <cstdint>
#include <string_view>

namespace qv {

// The whole entry ("prompt\nname"); empty for ids without one (separators, ids nothing handles).
std::string_view CommandPromptEntry(int32_t command);
// The part the status bar shows.
std::string_view StatusPrompt(int32_t command);
// The command's short name, for tool tips.
std::string_view CommandName(int32_t command);

}  // namespace qv
