# The layer check over the real sources (the build runs it too) and over a fixture tree whose
# includes run the wrong way, which it must refuse.
add_test(NAME LayerOrder.SourcesFollowTheOrder
  COMMAND ${CMAKE_COMMAND} -DQV_SOURCE_DIR=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)
add_test(NAME LayerOrder.WrongIncludesAreRefused
  COMMAND ${CMAKE_COMMAND} -DQV_SOURCE_DIR=${QV_TEST_DATA_DIR}/layers/src -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)
set_tests_properties(LayerOrder.WrongIncludesAreRefused PROPERTIES WILL_FAIL TRUE)
add_test(NAME LayerOrder.WrongIncludesAreNamed
  COMMAND ${CMAKE_COMMAND} -DQV_SOURCE_DIR=${QV_TEST_DATA_DIR}/layers/src -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake)
set_tests_properties(LayerOrder.WrongIncludesAreNamed PROPERTIES
  PASS_REGULAR_EXPRESSION "scene/wrong_way.h: scene/ may not include document/.*geometry/system_call.h: system calls belong in platform/|geometry/system_call.h: system calls belong in platform/.*scene/wrong_way.h: scene/ may not include document/"
  LABELS layers)
set_tests_properties(LayerOrder.SourcesFollowTheOrder LayerOrder.WrongIncludesAreRefused PROPERTIES LABELS layers)
