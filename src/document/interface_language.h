#pragma once
// Which language the desktop program speaks: Japanese (its texts as written) or English. The
// user's choice in the settings comes first; "system" follows the locale variables the way
// message catalogues do.
#include <string>
#include <string_view>

namespace qv {

enum class InterfaceLanguage { kEnglish, kJapanese };

// The settings dialog's choice, kept under kLanguageSection / kLanguageName as "system", "en" or
// "ja"; any other stored text reads as kSystem.
enum class LanguageSetting { kSystem, kEnglish, kJapanese };
inline constexpr const char* kLanguageSection = "Settings";
inline constexpr const char* kLanguageName = "Language";
LanguageSetting ReadLanguageSetting(std::string_view stored);
std::string_view StoredLanguageSetting(LanguageSetting setting);

// The locale variables as the environment holds them (empty when unset).
struct LocaleVariables {
  std::string language;    // LANGUAGE: a priority list, "fr:ja:en"
  std::string lcAll;       // LC_ALL
  std::string lcMessages;  // LC_MESSAGES
  std::string lang;        // LANG
};

// The messages' locale is the first set of LC_ALL, LC_MESSAGES and LANG. Under the C locale
// (or none) the program speaks English and LANGUAGE is not read, as gettext does; otherwise the
// first entry of LANGUAGE that is Japanese or English decides, then the messages' locale: "ja*"
// is Japanese, anything else English.
InterfaceLanguage LanguageOfLocale(const LocaleVariables& variables);
InterfaceLanguage ChooseInterfaceLanguage(LanguageSetting setting, const LocaleVariables& variables);

}  // namespace qv
