# The core's folders run one way: a file may include its own folder and the folders below it,
# never one above. Also: system headers only in platform/, Qt only in app/ and ui/.
# Run as a script:  cmake -DQV_SOURCE_DIR=<src folder> -P cmake/check_layers.cmake
# Prints every offending include with its file and fails when there is one.
cmake_minimum_required(VERSION 3.25)

# Lowest first. A folder may include the folders listed before it.
set(QV_LAYER_ORDER platform scene animation geometry viewport export document)
# Above the whole core: movie encoding (its own library, with FFmpeg), the file exports both
# front ends share (glTF and movies with their options), then the front ends.
set(QV_ALLOWED_movie ${QV_LAYER_ORDER} movie)
set(QV_ALLOWED_publish ${QV_LAYER_ORDER} movie publish)
set(QV_ALLOWED_cli ${QV_LAYER_ORDER} movie publish cli)
set(QV_ALLOWED_ui ${QV_LAYER_ORDER} movie publish ui)
set(QV_ALLOWED_app ${QV_LAYER_ORDER} movie publish ui app)
# Operating-system headers: the core reaches the system through platform/ only.
set(QV_SYSTEM_HEADER_REGEX "^(sys/|unistd\\.h|fcntl\\.h|dirent\\.h|locale\\.h|xlocale\\.h|dlfcn\\.h|pwd\\.h)")

if(NOT QV_SOURCE_DIR)
  message(FATAL_ERROR "check_layers: pass -DQV_SOURCE_DIR=<src folder>")
endif()

set(allowed)
foreach(layer ${QV_LAYER_ORDER})
  list(APPEND allowed ${layer})
  set(QV_ALLOWED_${layer} ${allowed})
endforeach()

set(failures 0)
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${QV_SOURCE_DIR} ${QV_SOURCE_DIR}/*)
foreach(folder ${folders})
  if(NOT IS_DIRECTORY ${QV_SOURCE_DIR}/${folder})
    continue()
  endif()
  if(NOT DEFINED QV_ALLOWED_${folder})
    message("${QV_SOURCE_DIR}/${folder}: folder has no place in the layer order (cmake/check_layers.cmake)")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  list(FIND QV_LAYER_ORDER ${folder} core_index)
  file(GLOB_RECURSE files ${QV_SOURCE_DIR}/${folder}/*.h ${QV_SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/[^\"]*\"")
        set(target ${CMAKE_MATCH_1})
        if(NOT target IN_LIST QV_ALLOWED_${folder})
          message("${file}: ${folder}/ may not include ${target}/ (${line})")
          math(EXPR failures "${failures} + 1")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]*)>")
        set(header ${CMAKE_MATCH_1})
        if(header MATCHES "^Q[A-Za-z]*(/|$)" AND NOT folder MATCHES "^(app|ui)$")
          message("${file}: Qt belongs to app/ and ui/ (${line})")
          math(EXPR failures "${failures} + 1")
        elseif(header MATCHES "${QV_SYSTEM_HEADER_REGEX}" AND core_index GREATER 0)
          message("${file}: system calls belong in platform/ (${line})")
          math(EXPR failures "${failures} + 1")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "check_layers: ${failures} include(s) against the layer order")
endif()
