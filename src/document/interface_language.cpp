#include "document/interface_language.h"

#include <optional>

namespace qv {

namespace {

// The language part of a locale name ("ja_JP.UTF-8@x" -> "ja").
std::string_view LanguagePart(std::string_view locale) {
  const size_t end = locale.find_first_of("_.@");
  return end == std::string_view::npos ? locale : locale.substr(0, end);
}

std::optional<InterfaceLanguage> KnownLanguage(std::string_view locale) {
  const std::string_view language = LanguagePart(locale);
  if (language == "ja") return InterfaceLanguage::kJapanese;
  if (language == "en") return InterfaceLanguage::kEnglish;
  return std::nullopt;
}

bool IsCLocale(std::string_view locale) {
  return locale.empty() || locale == "POSIX" || LanguagePart(locale) == "C";
}

}  // namespace

LanguageSetting ReadLanguageSetting(std::string_view stored) {
  if (stored == "en") return LanguageSetting::kEnglish;
  if (stored == "ja") return LanguageSetting::kJapanese;
  return LanguageSetting::kSystem;
}

std::string_view StoredLanguageSetting(LanguageSetting setting) {
  switch (setting) {
    case LanguageSetting::kEnglish: return "en";
    case LanguageSetting::kJapanese: return "ja";
    case LanguageSetting::kSystem: break;
  }
  return "system";
}

InterfaceLanguage LanguageOfLocale(const LocaleVariables& variables) {
  const std::string& messages = !variables.lcAll.empty()        ? variables.lcAll
                                : !variables.lcMessages.empty() ? variables.lcMessages
                                                                : variables.lang;
  if (IsCLocale(messages)) return InterfaceLanguage::kEnglish;
  std::string_view list = variables.language;
  while (!list.empty()) {
    const size_t colon = list.find(':');
    if (const auto known = KnownLanguage(list.substr(0, colon))) return *known;
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  return KnownLanguage(messages).value_or(InterfaceLanguage::kEnglish);
}

InterfaceLanguage ChooseInterfaceLanguage(LanguageSetting setting, const LocaleVariables& variables) {
  switch (setting) {
    case LanguageSetting::kEnglish: return InterfaceLanguage::kEnglish;
    case LanguageSetting::kJapanese: return InterfaceLanguage::kJapanese;
    case LanguageSetting::kSystem: break;
  }
  return LanguageOfLocale(variables);
}

}  // namespace qv
