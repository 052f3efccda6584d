#pragma once
// The desktop program in the user's language. The texts are written in Japanese (in the widgets
// and in the core, where QV_TRANSLATE_NOOP marks them); English comes from the program's
// translation file, and Qt's own dialogs (file and colour dialogs, message-box buttons) speak the
// chosen language through Qt's translations.
#include <QString>
#include <string>
#include <string_view>

#include "document/interface_language.h"

namespace qv {
class SettingsStore;
}

namespace qv::ui {

// LANGUAGE, LC_ALL, LC_MESSAGES and LANG as this process has them.
LocaleVariables LocaleVariablesOfProcess();
// The language the settings ask for, else the one of the process's locale.
InterfaceLanguage ChosenInterfaceLanguage(const SettingsStore* settings);

// The folder of the program's translation files: "translations/" in the program's folder (next
// to the program in the build tree, share/quorvel-logo/ when installed).
QString TranslationFolder();
// Puts the translations of `language` in place of any installed before (call with the
// application made, before the windows are). False when a translation file was missing: its
// texts then stay as written.
bool InstallTranslations(InterfaceLanguage language);
// The language last installed (Japanese before any).
InterfaceLanguage InstalledLanguage();

// A text of the core in the interface's language, looked up under the context it was marked
// with: "Commands" (names and prompts), "Menus", "Toolbars", "Messages".
QString TranslatedText(const char* context, std::string_view text);
// A message of the document: the whole text, or a text built from a message with placeholders
// (the file names and values put back into the translation), or each of its lines so. Texts that
// are not the program's own (file names, reasons from libraries) stay as they are.
QString TranslatedMessage(std::string_view text);

}  // namespace qv::ui
