#include "ui/file_type_registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace qv::ui {

namespace {

const char* const kMimeFile = "mime/packages/quorvel-logo.xml";
const char* const kDesktopFile = "applications/quorvel-logo.desktop";
const char* const kAppIconFile = "icons/hicolor/scalable/apps/quorvel-logo.svg";
const char* const kDocumentIconFile = "icons/hicolor/scalable/mimetypes/application-x-qvlogo.svg";

QByteArray MimeXml() {
  return QByteArrayLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      "  <mime-type type=\"application/x-qvlogo\">\n"
      "    <comment>Logo Document</comment>\n"
      "    <comment xml:lang=\"ja\">Quorvel Logo ファイル</comment>\n"
      "    <icon name=\"application-x-qvlogo\"/>\n"
      "    <glob pattern=\"*.qvlogo\"/>\n"
      "  </mime-type>\n"
      "</mime-info>\n");
}

// Exec takes the path in double quotes, with the characters a desktop entry reserves escaped.
QByteArray DesktopEntry(const QString& program) {
  QString quoted = program;
  quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\\\\\"));
  for (const char* special : {"\"", "`", "$"})
    quoted.replace(QLatin1String(special), QLatin1String("\\\\") + QLatin1String(special));
  quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
  return QStringLiteral(
             "[Desktop Entry]\n"
             "Type=Application\n"
             "Name=Quorvel Logo\n"
             "Name[ja]=Quorvel Logo\n"
             "GenericName=3D Logo Animator\n"
             "GenericName[ja]=3D ロゴ アニメーション\n"
             "Comment=Animated 3D logos\n"
             "Comment[ja]=アニメーションする 3D ロゴを作るツール\n"
             "Exec=\"%1\" %f\n"
             "Icon=quorvel-logo\n"
             "MimeType=application/x-qvlogo;\n"
             "Categories=Graphics;3DGraphics;\n"
             "Terminal=false\n")
      .arg(quoted)
      .toUtf8();
}

QByteArray Resource(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` unless the file holds them already; true when the file changed.
bool WriteIfChanged(const QString& path, const QByteArray& bytes, bool* failed) {
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) return false;
  existing.close();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) *failed = true;
  return true;
}

void UpdateDatabases(const QString& dataFolder, DatabaseUpdate update) {
  const struct {
    const char* tool;
    const char* folder;
  } kTools[] = {{"update-mime-database", "mime"}, {"update-desktop-database", "applications"}};
  for (const auto& entry : kTools) {
    const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(entry.tool));
    if (tool.isEmpty()) continue;
    const QString folder = dataFolder + QLatin1Char('/') + QLatin1String(entry.folder);
    QDir().mkpath(folder);
    if (update == DatabaseUpdate::kWait) {
      QProcess process;
      process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
      process.setStandardOutputFile(QProcess::nullDevice());
      process.start(tool, {folder});
      process.waitForFinished(30000);
    } else {
      QProcess::startDetached(tool, {folder});
    }
  }
}

}  // namespace

QString UserDataFolder() {
  const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
  if (!configured.isEmpty()) return configured;
  return QDir::homePath() + QStringLiteral("/.local/share");
}

QStringList RegistrationFiles(const QString& dataFolder) {
  QStringList files;
  for (const char* file : {kMimeFile, kDesktopFile, kAppIconFile, kDocumentIconFile})
    files << dataFolder + QLatin1Char('/') + QLatin1String(file);
  return files;
}

bool RegisterFileType(const QString& program, DatabaseUpdate update) {
  const QString data = UserDataFolder();
  const QStringList files = RegistrationFiles(data);
  const QByteArray icon = Resource(QStringLiteral(":/icons/app.svg"));
  const QByteArray documentIcon = Resource(QStringLiteral(":/icons/document.svg"));
  bool failed = false;
  bool changed = false;
  changed |= WriteIfChanged(files[0], MimeXml(), &failed);
  changed |= WriteIfChanged(files[1], DesktopEntry(program), &failed);
  changed |= WriteIfChanged(files[2], icon, &failed);
  changed |= WriteIfChanged(files[3], documentIcon, &failed);
  if (changed) UpdateDatabases(data, update);
  return !failed;
}

void UnregisterFileType(DatabaseUpdate update) {
  const QString data = UserDataFolder();
  for (const QString& file : RegistrationFiles(data)) QFile::remove(file);
  UpdateDatabases(data, update);
}

}  // namespace qv::ui
