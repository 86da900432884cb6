# ctest entries (label `fuzz`) that run every fuzz target briefly from its seed corpus. The targets
# come from the fuzz preset's tree, built beside this one; where they were not built the entries
# are skipped, not failed.
set(VARNEL_FUZZ_BIN_DIR "${PROJECT_SOURCE_DIR}/build/fuzz/bin" CACHE PATH
  "Folder of the fuzz targets that the fuzz smoke tests run")
set(VARNEL_FUZZ_SMOKE_RUNS 10000 CACHE STRING "Inputs each fuzz smoke test runs")

file(GLOB varnel_fuzz_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/fuzz_*.cpp)
foreach(source IN LISTS varnel_fuzz_sources)
  get_filename_component(name ${source} NAME_WE)
  add_test(NAME fuzz_smoke.${name}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/run_smoke.sh ${VARNEL_FUZZ_BIN_DIR}/${name}
            ${CMAKE_CURRENT_LIST_DIR}/corpus/${name} ${VARNEL_FUZZ_SMOKE_RUNS}
            ${CMAKE_BINARY_DIR}/fuzz-artifacts)
  set_tests_properties(fuzz_smoke.${name} PROPERTIES LABELS fuzz SKIP_RETURN_CODE 77 TIMEOUT 180)
endforeach()
