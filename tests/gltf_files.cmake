# glTF files made by the real exporter, checked by the official validator and played by three.js.
# Included after browser.cmake, which finds node (QV_NODE).
if(QV_NODE)
  add_test(NAME gltf_export_files
    COMMAND ${PROJECT_SOURCE_DIR}/tests/browser/make_gltf_files.sh $<TARGET_FILE:qvlogo>
            ${CMAKE_BINARY_DIR}/gltf-export ${PROJECT_SOURCE_DIR})
  set_tests_properties(gltf_export_files PROPERTIES FIXTURES_SETUP gltf_export LABELS browser)
  add_test(NAME browser_gltf
    COMMAND ${QV_NODE} --test ${PROJECT_SOURCE_DIR}/tests/browser/gltf.test.mjs
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  set_tests_properties(browser_gltf PROPERTIES
    LABELS browser
    TIMEOUT 600
    RESOURCE_LOCK chromium
    FIXTURES_REQUIRED gltf_export
    ENVIRONMENT "QV_GLTF_DIR=${CMAKE_BINARY_DIR}/gltf-export;QV_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/browser-screenshots/gltf")
endif()
