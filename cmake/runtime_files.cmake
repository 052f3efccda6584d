# The web runtime script library (DoNotTouch/webgl, DoNotTouch/webgpu) goes next to the built
# programs: the export copies it from the program's folder, and the build tree counts as an
# installation. Safe to include more than once.
include_guard(GLOBAL)

file(GLOB_RECURSE QV_RUNTIME_SOURCES CONFIGURE_DEPENDS
  RELATIVE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/DoNotTouch/*.js)
set(QV_RUNTIME_OUTPUTS)
foreach(file ${QV_RUNTIME_SOURCES})
  set(output ${CMAKE_BINARY_DIR}/bin/${file})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/${file} ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${file}
    COMMENT "Copying ${file}")
  list(APPEND QV_RUNTIME_OUTPUTS ${output})
endforeach()
add_custom_target(qv_runtime_files ALL DEPENDS ${QV_RUNTIME_OUTPUTS})
