#include "ui/qt_settings_store.h"

namespace qv::ui {

namespace {
QString KeyOf(const std::string& section, const std::string& name) {
  return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(name);
}
}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(kSettingsOrganisation),
                QString::fromUtf8(kSettingsApplication)) {}

std::optional<std::string> QtSettingsStore::Read(const std::string& section, const std::string& name) const {
  const QVariant value = settings_.value(KeyOf(section, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtSettingsStore::Write(const std::string& section, const std::string& name, const std::string& value) {
  settings_.setValue(KeyOf(section, name), QString::fromUtf8(value));
}

void QtSettingsStore::Remove(const std::string& section, const std::string& name) {
  settings_.remove(KeyOf(section, name));
}

}  // namespace qv::ui
