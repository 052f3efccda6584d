# The desktop program's translations. The texts are written in Japanese; app/translations/ holds
# one .ts file per other language (English), kept with Qt's lupdate and built with lrelease into
# bin/translations/ (ModuleFolder() + "translations/", installed into share/quorvel-logo/).
#
# Every build checks that the .ts files are complete: lupdate reads the sources into a copy of
# each, and a text that is new there (unfinished) or no longer in the sources (vanished), or an
# entry lrelease reports unfinished, stops the build naming the texts. `cmake --build build
# --target qv_update_translations` brings the .ts files up to date with the sources (new texts
# to translate, gone ones removed).
#
# lupdate and lrelease come from Debian's qt6-l10n-tools (/usr/lib/qt6/bin); Qt's CMake
# functions for them are in qt6-tools-dev, which would bring Qt Designer along, so they are run
# here directly.
find_program(QV_LUPDATE lupdate HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
find_program(QV_LRELEASE lrelease HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS} /usr/lib/qt6/bin NO_DEFAULT_PATH)
if(NOT QV_LUPDATE OR NOT QV_LRELEASE)
  message(FATAL_ERROR "lupdate and lrelease of Qt 6 are needed (Debian package qt6-l10n-tools)")
endif()

set(QV_TS_DIR ${PROJECT_SOURCE_DIR}/src/app/translations)
set(QV_TS_FILES ${QV_TS_DIR}/quorvel-logo_en.ts)
# The texts a person reads: the widgets and the core's marked texts. The command line prints its
# own English (cli/cli_messages) and is left out.
file(GLOB_RECURSE QV_TRANSLATED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
list(FILTER QV_TRANSLATED_SOURCES EXCLUDE REGEX "/src/cli/")
set(QV_LUPDATE_LIST ${CMAKE_BINARY_DIR}/translations/sources.lst)
string(REPLACE ";" "\n" sources_text "${QV_TRANSLATED_SOURCES}")
file(CONFIGURE OUTPUT ${QV_LUPDATE_LIST} CONTENT "${sources_text}\n")
set(QV_LUPDATE_OPTIONS -I ${PROJECT_SOURCE_DIR}/src -locations none -no-ui-lines -tr-function-alias QT_TRANSLATE_NOOP+=QV_TRANSLATE_NOOP)

set(qm_files "")
foreach(ts ${QV_TS_FILES})
  get_filename_component(name ${ts} NAME_WE)
  set(qm ${CMAKE_BINARY_DIR}/bin/translations/${name}.qm)
  add_custom_command(OUTPUT ${qm}
    COMMAND ${CMAKE_COMMAND} -DLUPDATE=${QV_LUPDATE} -DLRELEASE=${QV_LRELEASE} -DTS=${ts} -DQM=${qm}
      -DSOURCES=${QV_LUPDATE_LIST} -DWORK=${CMAKE_BINARY_DIR}/translations "-DOPTIONS=${QV_LUPDATE_OPTIONS}"
      -P ${PROJECT_SOURCE_DIR}/cmake/check_translations.cmake
    DEPENDS ${ts} ${QV_TRANSLATED_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/check_translations.cmake
    COMMENT "Checking and building the translation ${name}"
    VERBATIM)
  list(APPEND qm_files ${qm})
endforeach()
add_custom_target(qv_translations ALL DEPENDS ${qm_files})
add_dependencies(quorvel-logo qv_translations)
set_property(GLOBAL APPEND PROPERTY QV_TRANSLATION_FILES ${qm_files})

add_custom_target(qv_update_translations
  COMMAND ${QV_LUPDATE} ${QV_LUPDATE_OPTIONS} -no-obsolete @${QV_LUPDATE_LIST} -ts ${QV_TS_FILES}
  COMMENT "Bringing the .ts files up to date with the sources"
  VERBATIM)
