# The installed layout: the build installed into a scratch prefix (whose name holds a space), then
# its files checked and both programs run from there. Labelled `install`.
set(QV_INSTALL_TEST_DIR "${CMAKE_BINARY_DIR}/install test")
set(QV_INSTALL_PREFIX "${QV_INSTALL_TEST_DIR}/prefix")
add_test(NAME install.into_scratch_prefix
  COMMAND ${CMAKE_COMMAND} -DQV_BUILD_DIR=${CMAKE_BINARY_DIR} -DQV_PREFIX=${QV_INSTALL_PREFIX}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/install/install_into_prefix.cmake)
set_tests_properties(install.into_scratch_prefix PROPERTIES FIXTURES_SETUP qv_installed)

add_test(NAME install.files_and_desktop_metadata
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/check_installed_files.sh
          ${QV_INSTALL_PREFIX} ${CMAKE_BINARY_DIR}/bin "${QV_INSTALL_TEST_DIR}/files")
add_test(NAME install.export_from_prefix
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/install/export_from_prefix.sh
          ${QV_INSTALL_PREFIX} ${QV_TEST_DATA_DIR} "${QV_INSTALL_TEST_DIR}/export")
find_program(QV_XVFB Xvfb REQUIRED)
add_test(NAME install.desktop_program_from_prefix
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/support/on_virtual_display.sh
          bash ${CMAKE_CURRENT_SOURCE_DIR}/install/desktop_from_prefix.sh
          ${QV_INSTALL_PREFIX} ${CMAKE_BINARY_DIR}/bin ${QV_TEST_DATA_DIR} "${QV_INSTALL_TEST_DIR}/desktop")
set_tests_properties(install.files_and_desktop_metadata install.export_from_prefix install.desktop_program_from_prefix
  PROPERTIES FIXTURES_REQUIRED qv_installed)
set(environment "QT_QPA_PLATFORM=xcb;LIBGL_ALWAYS_SOFTWARE=1")
if(QV_SANITIZE)
  list(APPEND environment "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0")  # as the desktop tests
endif()
set_tests_properties(install.desktop_program_from_prefix PROPERTIES ENVIRONMENT "${environment}")
set_tests_properties(install.into_scratch_prefix install.files_and_desktop_metadata
  install.export_from_prefix install.desktop_program_from_prefix PROPERTIES LABELS install TIMEOUT 180)
