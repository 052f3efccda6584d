#pragma once
// The system's message texts, with their string-table numbers.
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/file_error.h"
#include "scene/archive.h"

namespace qv {

struct Message {
  int id = 0;
  std::string text;  // UTF-8
};

namespace msg {
inline constexpr int kInvalidFileName = 61696;
inline constexpr int kFailedToOpen = 61697;
inline constexpr int kFailedToSave = 61698;
inline constexpr int kUnexpectedFormat = 61728;
}  // namespace msg

// The text of a string-table message; empty for numbers the table does not have.
std::string_view MessageText(int id);
Message MakeMessage(int id);

// Message for a file-system failure, %1 replaced by the file name; falls back to the
// operation's default message `defaultId` when the cause has no text of its own.
Message FileErrorMessage(const FileException& error, int defaultId);
// `pattern` with %1 ... %9 replaced by the arguments in one pass (an argument that holds "%2"
// stays as it is); a placeholder without its argument stays too.
std::string FillMessage(std::string_view pattern, std::initializer_list<std::string_view> arguments);
// Message for an archive failure while loading (true) or storing (false).
Message ArchiveErrorMessage(ArchiveCause cause, bool loading);

}  // namespace qv
