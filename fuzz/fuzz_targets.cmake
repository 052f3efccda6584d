# libFuzzer programs: fuzz/<name>_fuzzer.cpp becomes fuzz_<name>, linked with the core, and a
# test (label "fuzz") replays its seed inputs in fuzz/corpus/<name>/ once.
#
# Meant for the clang sanitizer build: include this file from the top-level CMakeLists.txt when
# QV_FUZZ is on, after giving the core libFuzzer's coverage instrumentation with
#   add_compile_options(-fsanitize=fuzzer-no-link)
# before add_subdirectory(src). A longer run, from the build folder:
#   bin/fuzz_mqo_import -dict=../fuzz/mqo.dict -max_total_time=600 ../fuzz/corpus/mqo_import
file(GLOB QV_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_fuzzer.cpp)
foreach(src ${QV_FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  string(REGEX REPLACE "_fuzzer$" "" name ${name})
  add_executable(fuzz_${name} ${src})
  target_link_libraries(fuzz_${name} PRIVATE qvcore)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME fuzz_${name}_seeds COMMAND fuzz_${name} -runs=0 ${CMAKE_CURRENT_LIST_DIR}/corpus/${name})
  set_tests_properties(fuzz_${name}_seeds PROPERTIES LABELS fuzz)
endforeach()
