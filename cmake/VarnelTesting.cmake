# varnel_add_gtest(NAME SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest executable; every test case becomes its own ctest entry.
function(varnel_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main Threads::Threads)
  set(labels unit)
  if(ARG_LABELS)
    set(labels ${ARG_LABELS})
  endif()
  # Settings that tests write (and the library's save at exit) stay inside the build tree.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES LABELS "${labels}"
    ENVIRONMENT "XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
endfunction()
