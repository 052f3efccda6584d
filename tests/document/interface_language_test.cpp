// Which language the desktop program speaks: the settings' choice, then the locale variables.
#include <gtest/gtest.h>

#include "document/interface_language.h"

namespace qv {
namespace {

constexpr InterfaceLanguage kEn = InterfaceLanguage::kEnglish;
constexpr InterfaceLanguage kJa = InterfaceLanguage::kJapanese;

struct LocaleCase {
  LocaleVariables variables;  // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
  InterfaceLanguage expected;
};

TEST(InterfaceLanguage, FollowsTheLocaleVariablesAsMessageCataloguesDo) {
  const LocaleCase cases[] = {
      {{}, kEn},  // nothing set: the C locale
      {{"", "", "", "ja_JP.UTF-8"}, kJa},
      {{"", "", "", "ja"}, kJa},
      {{"", "", "", "ja_JP.eucJP@x"}, kJa},
      {{"", "", "", "en_US.UTF-8"}, kEn},
      {{"", "", "", "de_DE.UTF-8"}, kEn},
      {{"", "", "", "C.UTF-8"}, kEn},
      {{"", "", "", "jav_ID"}, kEn},  // Javanese is not Japanese
      // LC_ALL before LC_MESSAGES before LANG.
      {{"", "en_GB.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8"}, kEn},
      {{"", "", "ja_JP.UTF-8", "en_US.UTF-8"}, kJa},
      {{"", "", "en_US.UTF-8", "ja_JP.UTF-8"}, kEn},
      {{"", "ja_JP.UTF-8", "en_US.UTF-8", "en_US.UTF-8"}, kJa},
      // LANGUAGE's first Japanese or English entry, other languages passed over.
      {{"ja", "", "", "en_US.UTF-8"}, kJa},
      {{"en:ja", "", "", "ja_JP.UTF-8"}, kEn},
      {{"fr:de:ja_JP:en", "", "", "en_US.UTF-8"}, kJa},
      {{"fr:de", "", "", "ja_JP.UTF-8"}, kJa},  // none of them: the locale decides
      {{"fr", "", "", "fr_FR.UTF-8"}, kEn},
      {{"::ja", "", "", "en_US.UTF-8"}, kJa},
      // Under the C locale LANGUAGE is not read.
      {{"ja", "", "", ""}, kEn},
      {{"ja", "C", "", "ja_JP.UTF-8"}, kEn},
      {{"ja", "", "", "C.UTF-8"}, kEn},
      {{"ja", "", "POSIX", ""}, kEn},
  };
  for (const LocaleCase& c : cases) {
    SCOPED_TRACE("LANGUAGE=" + c.variables.language + " LC_ALL=" + c.variables.lcAll +
                 " LC_MESSAGES=" + c.variables.lcMessages + " LANG=" + c.variables.lang);
    EXPECT_EQ(LanguageOfLocale(c.variables), c.expected);
    EXPECT_EQ(ChooseInterfaceLanguage(LanguageSetting::kSystem, c.variables), c.expected);
  }
}

TEST(InterfaceLanguage, TheSettingComesBeforeTheLocale) {
  const LocaleVariables japanese{"ja", "", "", "ja_JP.UTF-8"};
  const LocaleVariables english{"", "", "", "en_US.UTF-8"};
  EXPECT_EQ(ChooseInterfaceLanguage(LanguageSetting::kEnglish, japanese), kEn);
  EXPECT_EQ(ChooseInterfaceLanguage(LanguageSetting::kJapanese, english), kJa);
  EXPECT_EQ(ChooseInterfaceLanguage(LanguageSetting::kJapanese, {}), kJa);
}

TEST(InterfaceLanguage, TheSettingIsStoredAsAShortText) {
  for (LanguageSetting setting : {LanguageSetting::kSystem, LanguageSetting::kEnglish, LanguageSetting::kJapanese})
    EXPECT_EQ(ReadLanguageSetting(StoredLanguageSetting(setting)), setting);
  EXPECT_EQ(StoredLanguageSetting(LanguageSetting::kEnglish), "en");
  EXPECT_EQ(StoredLanguageSetting(LanguageSetting::kJapanese), "ja");
  EXPECT_EQ(StoredLanguageSetting(LanguageSetting::kSystem), "system");
  for (const char* stored : {"", "EN", "fr", "japanese"}) EXPECT_EQ(ReadLanguageSetting(stored), LanguageSetting::kSystem);
}

}  // namespace
}  // namespace qv
