# Exported web pages played in headless Chromium (tests/browser/*.test.mjs, node's test runner,
# playwright-core from the repository's package-lock.json).
include(${PROJECT_SOURCE_DIR}/cmake/runtime_files.cmake)
find_program(QV_NODE node)

if(QV_NODE)
  # Plays every exported site found in pages_dir (sub-folders holding T.html with webgl/T.js or
  # webgpu/T.js) with both kinds; runtime files a site lacks come from the build's DoNotTouch.
  # Also registers ${name}_form: the line form of every exported file there.
  function(qv_add_browser_test name pages_dir)
    add_test(NAME ${name}
      COMMAND ${QV_NODE} --test ${PROJECT_SOURCE_DIR}/tests/browser/web_pages.test.mjs
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(${name} PROPERTIES
      LABELS browser
      TIMEOUT 1200
      RESOURCE_LOCK chromium
      ENVIRONMENT "QV_WEB_PAGES=${pages_dir};QV_RUNTIME_DIR=${CMAKE_BINARY_DIR}/bin/DoNotTouch;QV_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/browser-screenshots/${name}")
    add_test(NAME ${name}_form
      COMMAND ${QV_NODE} --test ${PROJECT_SOURCE_DIR}/tests/browser/export_form.test.mjs
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(${name}_form PROPERTIES LABELS web ENVIRONMENT "QV_WEB_PAGES=${pages_dir}")
  endfunction()

  qv_add_browser_test(browser_web_samples ${CMAKE_CURRENT_SOURCE_DIR}/data/web)

  # The runtime's model code without a browser.
  add_test(NAME web_runtime_model
    COMMAND ${QV_NODE} --test ${PROJECT_SOURCE_DIR}/tests/browser/runtime_model.test.mjs
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  set_tests_properties(web_runtime_model PROPERTIES LABELS web
    ENVIRONMENT "QV_RUNTIME_DIR=${CMAKE_BINARY_DIR}/bin/DoNotTouch")
else()
  message(WARNING "node not found: the browser tests of the web export are not registered")
endif()
