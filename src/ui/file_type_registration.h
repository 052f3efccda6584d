#pragma once
// The document type in the desktop: a shared-mime-info type application/x-qvlogo for *.qvlogo,
// a .desktop entry that opens such files with this program, and their icons, all under the
// user's data folder ($XDG_DATA_HOME, or ~/.local/share). The MIME and desktop databases are
// brought up to date when their tools are installed.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace qv::ui {

inline constexpr const char* kDocumentMimeType = "application/x-qvlogo";

// After the registration was removed.
inline constexpr const char* kUnregisteredMessage = QT_TRANSLATE_NOOP("Messages", "レジストリを削除しました。");

enum class DatabaseUpdate { kInBackground, kWait };

// $XDG_DATA_HOME, or ~/.local/share when it is unset or empty.
QString UserDataFolder();
// The files that registration writes, below `dataFolder`.
QStringList RegistrationFiles(const QString& dataFolder);
// Writes the files for `program` (its whole path). Files already as they should be are left
// alone, and the databases are updated only when something changed. False when a file could not
// be written.
bool RegisterFileType(const QString& program, DatabaseUpdate update = DatabaseUpdate::kInBackground);
// Removes the files and updates the databases.
void UnregisterFileType(DatabaseUpdate update = DatabaseUpdate::kInBackground);

}  // namespace qv::ui
