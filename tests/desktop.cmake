# The desktop program driven by Qt Test on a virtual X display (Qt's offscreen platform has no
# OpenGL): one program per tests/ui/*_test.cpp (windows, panes, dialogs) and tests/app/*_test.cpp
# (whole sessions through the program's window). Test names desktop.<file>, label `desktop`.
find_package(Qt6 REQUIRED COMPONENTS Test)
find_program(QV_XVFB Xvfb REQUIRED)
set(QV_ON_VIRTUAL_DISPLAY bash ${CMAKE_CURRENT_SOURCE_DIR}/support/on_virtual_display.sh)

# What the desktop tests share, built once: the test main, the modal-dialog answers, the gestures.
file(GLOB QV_DESKTOP_SUPPORT CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support/desktop/*.cpp)
add_library(qv_desktop_test_support STATIC ${QV_DESKTOP_SUPPORT})
set_target_properties(qv_desktop_test_support PROPERTIES AUTOMOC ON)
target_link_libraries(qv_desktop_test_support PUBLIC qv_ui Qt6::Test)
target_include_directories(qv_desktop_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

set(QV_DESKTOP_TESTS "")
foreach(area ${QV_DESKTOP_TEST_AREAS})
  file(GLOB area_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*_test.cpp)
  list(APPEND QV_DESKTOP_TESTS ${area_tests})
endforeach()
foreach(source ${QV_DESKTOP_TESTS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(desktop_${name} ${source})
  set_target_properties(desktop_${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(desktop_${name} PRIVATE qv_desktop_test_support)
  target_compile_definitions(desktop_${name} PRIVATE
    QV_TEST_DATA_DIR="${QV_TEST_DATA_DIR}"
    QV_SHARED_DIR="${QV_SHARED_DIR}"
    QV_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    QV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  add_dependencies(desktop_${name} quorvel-logo qvlogo)
  add_test(NAME desktop.${name}
    COMMAND ${QV_ON_VIRTUAL_DISPLAY} $<TARGET_FILE:desktop_${name}>)
  set(environment "QT_QPA_PLATFORM=xcb;LIBGL_ALWAYS_SOFTWARE=1")
  if(QV_SANITIZE)
    # Qt, Mesa and fontconfig keep process-long caches that the leak checker reports from deep
    # inside the event loop, where a suppression would hide ours too: the desktop programs run
    # without it (the core's tests keep it); addresses and undefined behaviour are still checked.
    list(APPEND environment "ASAN_OPTIONS=detect_leaks=0:abort_on_error=0")
  endif()
  # A modal dialog that no answer reaches fails its test within seconds
  # (support/desktop/modal_dialogs.h); the limit only stops a program that hangs anyway.
  set_tests_properties(desktop.${name} PROPERTIES LABELS desktop TIMEOUT 240 ENVIRONMENT "${environment}")
  if(name STREQUAL "soak_test")
    # Ten minutes of one session: run on request (scripts/soak.sh), never by ./test.
    set_tests_properties(desktop.${name} PROPERTIES LABELS soak TIMEOUT 1500)
    set_property(TEST desktop.${name} APPEND PROPERTY ENVIRONMENT QTEST_FUNCTION_TIMEOUT=1400000)
  endif()
endforeach()
