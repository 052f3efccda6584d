# A fresh `cmake --install` of the build QV_BUILD_DIR into QV_PREFIX: nothing left from an
# earlier run can make a missing file look installed.
file(REMOVE_RECURSE "${QV_PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${QV_BUILD_DIR}" --prefix "${QV_PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install into ${QV_PREFIX} failed: ${result}")
endif()
