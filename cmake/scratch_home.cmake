# No test writes into the user's home: every test registered in the calling directory runs with
# HOME and the XDG folders pointing into a scratch folder of its own under the build tree,
# test-home/<test name>/ (made here; Qt wants the runtime folder private). Chromium's profile,
# fontconfig's and Mesa's caches and Qt's settings all land there.
#
# The GoogleTest programs' cases are only known when ctest runs; those programs make their own
# scratch folder per process (tests/support/scratch_home.cpp).
function(qv_give_tests_scratch_homes)
  get_property(registered DIRECTORY PROPERTY TESTS)
  foreach(test ${registered})
    string(REGEX REPLACE "[^A-Za-z0-9_.-]" "_" folder_name "${test}")
    set(root ${CMAKE_BINARY_DIR}/test-home/${folder_name})
    set(scratch "")
    foreach(pair HOME=home XDG_CONFIG_HOME=config XDG_DATA_HOME=data XDG_CACHE_HOME=cache
                 XDG_STATE_HOME=state XDG_RUNTIME_DIR=runtime)
      string(REPLACE "=" ";" pair "${pair}")
      list(GET pair 0 variable)
      list(GET pair 1 sub)
      file(MAKE_DIRECTORY ${root}/${sub})
      list(APPEND scratch "${variable}=${root}/${sub}")
    endforeach()
    file(CHMOD ${root}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    get_test_property(${test} ENVIRONMENT environment)
    if(NOT environment)
      set(environment "")
    endif()
    list(APPEND environment ${scratch})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
  endforeach()
endfunction()
