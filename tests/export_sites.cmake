# The browser tests again, on sites made by the real exporter (qvlogo text/import/key/export).
# Included after browser.cmake, whose qv_add_browser_test it uses.
if(COMMAND qv_add_browser_test)
  add_test(NAME web_export_sites
    COMMAND ${PROJECT_SOURCE_DIR}/tests/browser/make_export_sites.sh $<TARGET_FILE:qvlogo>
            ${CMAKE_BINARY_DIR}/web-export ${PROJECT_SOURCE_DIR})
  set_tests_properties(web_export_sites PROPERTIES FIXTURES_SETUP web_export LABELS browser)
  qv_add_browser_test(browser_web_export ${CMAKE_BINARY_DIR}/web-export)
  set_tests_properties(browser_web_export browser_web_export_form PROPERTIES FIXTURES_REQUIRED web_export)
endif()
