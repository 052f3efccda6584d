#pragma once
// The recent-file list: the four most recently used documents, most recent first, whole paths.
// It lives in the settings store under "Recent File List" as "File1" ... "File4"; the desktop
// program implements the store with QSettings, the tests with a map.
#include <optional>
#include <string>
#include <vector>

namespace qv {

// Per-user settings: string values by section and name.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(const std::string& section, const std::string& name) const = 0;
  virtual void Write(const std::string& section, const std::string& name, const std::string& value) = 0;
  virtual void Remove(const std::string& section, const std::string& name) = 0;
};

class RecentFileList {
 public:
  static constexpr size_t kSize = 4;
  static constexpr const char* kSection = "Recent File List";

  // Reads "File1" ... "File4" (empty and missing entries are skipped).
  void Load(const SettingsStore& store);
  // Writes the entries as "File1" ...; names past the list's length are removed.
  void Save(SettingsStore& store) const;
  // A document was opened or saved under `path`: it goes first, an older entry of the same path
  // leaves, and the list keeps four. Paths compare exactly: this file system tells case apart.
  void Add(const std::string& path);
  // An entry that could not be opened leaves the list.
  void Remove(const std::string& path);

  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace qv
