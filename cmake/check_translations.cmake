# Checks one .ts file against the sources and builds its .qm (cmake/translations.cmake).
# -DLUPDATE -DLRELEASE: the tools; -DTS: the .ts file; -DQM: the .qm to write; -DSOURCES: the
# list file of sources for lupdate; -DWORK: a folder for the copy; -DOPTIONS: lupdate's options.
get_filename_component(name ${TS} NAME)
set(copy ${WORK}/check/${name})
file(MAKE_DIRECTORY ${WORK}/check)
file(COPY_FILE ${TS} ${copy})
execute_process(COMMAND ${LUPDATE} ${OPTIONS} @${SOURCES} -ts ${copy}
  RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
  message(FATAL_ERROR "lupdate failed on ${name}:\n${output}")
endif()

# What lupdate found changed: new texts are unfinished, texts gone from the sources vanished.
file(READ ${copy} updated)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n\t]*<translation type=\"(unfinished|vanished|obsolete)\"" stale "${updated}")
if(stale)
  set(listed "")
  foreach(entry ${stale})
    string(REGEX REPLACE "<source>([^<]*)</source>.*type=\"([a-z]+)\"" "  \\2: \\1" entry "${entry}")
    string(APPEND listed "${entry}\n")
  endforeach()
  message(FATAL_ERROR "${name} does not match the sources (new texts to translate, or texts no "
    "longer used). Run `cmake --build <build> --target qv_update_translations`, translate the "
    "unfinished entries and build again:\n${listed}")
endif()

get_filename_component(folder ${QM} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${LRELEASE} ${TS} -qm ${QM}
  RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(failed)
  message(FATAL_ERROR "lrelease failed on ${name}:\n${output}")
endif()
if(NOT output MATCHES "Generated [0-9]+ translation\\(s\\) \\([0-9]+ finished and 0 unfinished\\)"
   OR output MATCHES "Ignored [1-9][0-9]* untranslated")
  file(REMOVE ${QM})
  message(FATAL_ERROR "${name} has unfinished or untranslated entries:\n${output}")
endif()
