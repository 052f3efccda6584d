#include "ui/interface_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <optional>
#include <vector>

#include "document/recent_files.h"
#include "geometry/text_model.h"
#include "geometry/texture_loader.h"
#include "platform/program_folder.h"
#include "publish/file_export_command.h"
#include "scene/messages.h"

namespace qv::ui {

namespace {

constexpr const char* kMessages = "Messages";

std::unique_ptr<QTranslator> g_program;
std::unique_ptr<QTranslator> g_qt;
InterfaceLanguage g_installed = InterfaceLanguage::kJapanese;

std::string Variable(const char* name) { return qEnvironmentVariable(name).toStdString(); }

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// The messages that are filled in before they reach the user: what stands in their
// placeholders is a file name, a font family, characters or a reason.
std::vector<std::string_view> MessagePatterns() {
  std::vector<std::string_view> patterns;
  for (int id = 61857; id <= 61870; ++id) patterns.push_back(MessageText(id));
  for (const char* pattern : {kTextureTooLargeMessage, kTextureTooLargeLine, kTextureNotFoundLine,
                              kTextureUnsupportedLine, kFamilySubstitutedNote, kCharactersSubstitutedNote,
                              kCharactersMissingNote, kFileExportFailedMessage})
    patterns.push_back(pattern);
  return patterns;
}

// The translation of a whole message text, or nothing when it has none.
std::optional<QString> Exact(const QString& text) {
  const QByteArray source = text.toUtf8();
  const QString translated = QCoreApplication::translate(kMessages, source.constData());
  if (translated == text) return std::nullopt;
  return translated;
}

// A text built from one of the patterns: the pattern's translation with the same pieces in it
// (each translated too when it is a message of its own, a failure's reason).
std::optional<QString> FromPattern(const QString& text) {
  static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
  for (std::string_view pattern : MessagePatterns()) {
    const QString source = FromUtf8(pattern);
    // A piece stays on its line, unless the pattern spans lines (a failure's reason, last).
    const QString piece = source.contains(QLatin1Char('\n')) ? QStringLiteral("(.*?)") : QStringLiteral("([^\n]*?)");
    QString expression;
    qsizetype at = 0;
    for (QRegularExpressionMatchIterator it = placeholder.globalMatch(source); it.hasNext();) {
      const QRegularExpressionMatch found = it.next();
      expression += QRegularExpression::escape(source.mid(at, found.capturedStart() - at)) + piece;
      at = found.capturedEnd();
    }
    expression += QRegularExpression::escape(source.mid(at));
    const QRegularExpression whole(QRegularExpression::anchoredPattern(expression),
                                   QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = whole.match(text);
    if (!match.hasMatch()) continue;
    const std::string sourceText(pattern);
    QString translated = QCoreApplication::translate(kMessages, sourceText.c_str());
    if (translated == source) return std::nullopt;  // no translation: keep the text as it came
    // Placeholders are numbered in the order they stand in the Japanese text.
    QStringList pieces;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) pieces.push_back(Exact(match.captured(i)).value_or(match.captured(i)));
    // In one pass: a file name may itself hold "%2".
    switch (pieces.size()) {
      case 1: return translated.arg(pieces[0]);
      case 2: return translated.arg(pieces[0], pieces[1]);
      case 3: return translated.arg(pieces[0], pieces[1], pieces[2]);
      default: return translated;
    }
  }
  return std::nullopt;
}

std::optional<QString> Translated(const QString& text) {
  if (auto exact = Exact(text)) return exact;
  return FromPattern(text);
}

}  // namespace

LocaleVariables LocaleVariablesOfProcess() {
  return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

InterfaceLanguage ChosenInterfaceLanguage(const SettingsStore* settings) {
  LanguageSetting setting = LanguageSetting::kSystem;
  if (settings) {
    if (const std::optional<std::string> stored = settings->Read(kLanguageSection, kLanguageName))
      setting = ReadLanguageSetting(*stored);
  }
  return ChooseInterfaceLanguage(setting, LocaleVariablesOfProcess());
}

QString TranslationFolder() { return QString::fromStdString(ModuleFolder()) + QStringLiteral("translations/"); }

bool InstallTranslations(InterfaceLanguage language) {
  for (std::unique_ptr<QTranslator>* installed : {&g_program, &g_qt}) {
    if (*installed) QCoreApplication::removeTranslator(installed->get());
    installed->reset();
  }
  g_installed = language;
  // The program's texts are written in Japanese; Qt's in English.
  auto load = [](std::unique_ptr<QTranslator>& slot, const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder)) return false;
    QCoreApplication::installTranslator(translator.get());
    slot = std::move(translator);
    return true;
  };
  if (language == InterfaceLanguage::kEnglish)
    return load(g_program, QStringLiteral("quorvel-logo_en"), TranslationFolder());
  return load(g_qt, QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

InterfaceLanguage InstalledLanguage() { return g_installed; }

QString TranslatedText(const char* context, std::string_view text) {
  const std::string source(text);
  return QCoreApplication::translate(context, source.c_str());
}

QString TranslatedMessage(std::string_view text) {
  const QString source = FromUtf8(text);
  if (g_installed == InterfaceLanguage::kJapanese) return source;
  if (auto whole = Translated(source)) return *whole;
  if (!source.contains(QLatin1Char('\n'))) return source;
  QStringList lines = source.split(QLatin1Char('\n'));
  for (QString& line : lines) line = Translated(line).value_or(line);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace qv::ui
