#include "export/path_helpers.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace {

constexpr bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Position of the last separator, or npos.
size_t LastSeparator(std::string_view path) {
  for (size_t i = path.size(); i-- > 0;)
    if (IsSeparator(path[i])) return i;
  return std::string_view::npos;
}

std::string_view LastComponent(std::string_view path) {
  const size_t slash = LastSeparator(path);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool PathFolder(std::string_view path, std::string& out) {
  const size_t slash = LastSeparator(path);
  if (slash == std::string_view::npos) return false;
  std::string folder(path.substr(0, slash));
  if (folder.empty() || !IsSeparator(folder.back())) folder += '/';
  out = std::move(folder);
  return true;
}

bool PathTitle(std::string_view path, std::string& out) {
  const std::string_view name = LastComponent(path);
  const size_t dot = name.rfind('.');
  const std::string_view title = dot == std::string_view::npos ? name : name.substr(0, dot);
  if (title.empty()) return false;
  out = std::string(title);
  return true;
}

bool PathFileName(std::string_view path, std::string& out) {
  if (path.empty() || IsSeparator(path.back())) return false;
  out = std::string(LastComponent(path));
  return true;
}

bool PathExtension(std::string_view path, std::string& out) {
  const std::string_view name = LastComponent(path);
  const size_t dot = name.rfind('.');
  out = dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
  return true;
}

}  // namespace qv
