#pragma once
// The per-user settings of the desktop program in QSettings, under the organisation
// "Quorvel Logo Application" and the application "Quorvel Motion".
#include <QSettings>

#include "document/recent_files.h"

namespace qv::ui {

inline constexpr const char* kSettingsOrganisation = "Quorvel Logo Application";
inline constexpr const char* kSettingsApplication = "Quorvel Motion";

class QtSettingsStore : public SettingsStore {
 public:
  QtSettingsStore();
  std::optional<std::string> Read(const std::string& section, const std::string& name) const override;
  void Write(const std::string& section, const std::string& name, const std::string& value) override;
  void Remove(const std::string& section, const std::string& name) override;
  void Sync() { settings_.sync(); }

 private:
  mutable QSettings settings_;
};

}  // namespace qv::ui
