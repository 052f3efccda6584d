# The web runtime script library (web_runtime/ in the source tree) goes next to the built programs
# as DoNotTouch/, the name the export looks for: the export copies it from the program's folder,
# and the build tree counts as an installation. web_runtime/runtime_files.json is the one list of
# its files, per kind in copy order; a file is taken from web_runtime/<kind>/ or, when both kinds
# use it, from web_runtime/shared/, and lands in bin/DoNotTouch/<kind>/.
# The list, with the order the scene scripts load the files in ("load"), also becomes
# export/runtime_file_list.h for the export. Safe to include more than once.
include_guard(GLOBAL)

set(QV_RUNTIME_LIST ${PROJECT_SOURCE_DIR}/web_runtime/runtime_files.json)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QV_RUNTIME_LIST})
file(READ ${QV_RUNTIME_LIST} QV_RUNTIME_JSON)
set(QV_RUNTIME_OUTPUTS)
set(QV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
foreach(kind webgl webgpu)
  string(JSON count LENGTH "${QV_RUNTIME_JSON}" ${kind})
  math(EXPR last "${count} - 1")
  set(names "")
  set(copied)
  foreach(i RANGE ${last})
    string(JSON name GET "${QV_RUNTIME_JSON}" ${kind} ${i})
    list(APPEND copied ${name})
    set(source ${PROJECT_SOURCE_DIR}/web_runtime/${kind}/${name})
    if(NOT EXISTS ${source})
      set(source ${PROJECT_SOURCE_DIR}/web_runtime/shared/${name})
    endif()
    if(NOT EXISTS ${source})
      message(FATAL_ERROR "runtime file ${name} (${kind}) is neither in web_runtime/${kind} nor in web_runtime/shared")
    endif()
    set(output ${CMAKE_BINARY_DIR}/bin/DoNotTouch/${kind}/${name})
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${output}
      DEPENDS ${source}
      COMMENT "Copying DoNotTouch/${kind}/${name}")
    list(APPEND QV_RUNTIME_OUTPUTS ${output})
    string(APPEND names "\"${name}\", ")
  endforeach()
  string(TOUPPER ${kind} upper)
  set(QV_RUNTIME_FILES_${upper} "${names}")
  # The load order names the same files, each once.
  string(JSON count LENGTH "${QV_RUNTIME_JSON}" load ${kind})
  math(EXPR last "${count} - 1")
  set(names "")
  set(loaded)
  foreach(i RANGE ${last})
    string(JSON name GET "${QV_RUNTIME_JSON}" load ${kind} ${i})
    if(NOT name IN_LIST copied)
      message(FATAL_ERROR "runtime_files.json: ${name} is loaded by ${kind} pages but not copied with them")
    endif()
    list(APPEND loaded ${name})
    string(APPEND names "\"${name}\", ")
  endforeach()
  list(REMOVE_DUPLICATES loaded)
  list(LENGTH loaded loadedCount)
  list(LENGTH copied copiedCount)
  if(NOT loadedCount EQUAL count OR NOT count EQUAL copiedCount)
    message(FATAL_ERROR "runtime_files.json: the ${kind} load order must name each copied file once")
  endif()
  set(QV_RUNTIME_LOAD_ORDER_${upper} "${names}")
endforeach()
add_custom_target(qv_runtime_files ALL DEPENDS ${QV_RUNTIME_OUTPUTS})
file(CONFIGURE OUTPUT ${QV_GENERATED_DIR}/export/runtime_file_list.h CONTENT
"// Made by cmake/runtime_files.cmake from web_runtime/runtime_files.json: the runtime files of
// each kind in the order the export copies them, and in the order the scene script loads them.
#pragma once
#define QV_RUNTIME_FILES_WEBGL @QV_RUNTIME_FILES_WEBGL@
#define QV_RUNTIME_FILES_WEBGPU @QV_RUNTIME_FILES_WEBGPU@
#define QV_RUNTIME_LOAD_ORDER_WEBGL @QV_RUNTIME_LOAD_ORDER_WEBGL@
#define QV_RUNTIME_LOAD_ORDER_WEBGPU @QV_RUNTIME_LOAD_ORDER_WEBGPU@
" @ONLY)
