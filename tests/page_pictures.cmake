# Exported pages against the viewport's own pictures, and the pages on high-density screens and
# under GPU faults (scenes made by tests/browser/make_agreement_sites.sh). Included after
# browser.cmake, which finds node (QV_NODE).
if(QV_NODE)
  add_test(NAME agreement_sites
    COMMAND ${PROJECT_SOURCE_DIR}/tests/browser/make_agreement_sites.sh $<TARGET_FILE:qvlogo>
            ${CMAKE_BINARY_DIR}/agreement-sites ${PROJECT_SOURCE_DIR})
  set_tests_properties(agreement_sites PROPERTIES FIXTURES_SETUP agreement_sites LABELS browser)
  foreach(name picture_agreement page_faults)
    add_test(NAME browser_${name}
      COMMAND ${QV_NODE} --test ${PROJECT_SOURCE_DIR}/tests/browser/${name}.test.mjs
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(browser_${name} PROPERTIES
      LABELS browser
      TIMEOUT 900
      RESOURCE_LOCK chromium
      FIXTURES_REQUIRED agreement_sites
      ENVIRONMENT "QV_AGREEMENT_DIR=${CMAKE_BINARY_DIR}/agreement-sites;QV_RUNTIME_DIR=${CMAKE_BINARY_DIR}/bin/DoNotTouch;QV_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/browser-screenshots/${name}")
  endforeach()
endif()
