#include "document/recent_files.h"

#include <algorithm>

namespace qv {

namespace {

std::string ValueName(size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentFileList::Load(const SettingsStore& store) {
  entries_.clear();
  for (size_t i = 0; i < kSize; ++i) {
    std::optional<std::string> path = store.Read(kSection, ValueName(i));
    if (path && !path->empty()) entries_.push_back(*path);
  }
}

void RecentFileList::Save(SettingsStore& store) const {
  for (size_t i = 0; i < kSize; ++i) {
    if (i < entries_.size())
      store.Write(kSection, ValueName(i), entries_[i]);
    else
      store.Remove(kSection, ValueName(i));
  }
}

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > kSize) entries_.resize(kSize);
}

void RecentFileList::Remove(const std::string& path) {
  std::erase(entries_, path);
}

}  // namespace qv
