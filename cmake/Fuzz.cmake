# libFuzzer targets (clang): the detail echo against a model of its text
# rules, and the directory rules. Built by the `fuzz` preset, where the whole
# project is compiled with -fsanitize=fuzzer-no-link,address,undefined.
set(VARNEL_FUZZ_TIME 20 CACHE STRING "Seconds each fuzzer runs under CTest")

foreach(target echo directory)
  add_executable(${target}_fuzzer fuzz/${target}_fuzzer.cc)
  target_link_libraries(${target}_fuzzer PRIVATE varnel_core)
  target_link_options(${target}_fuzzer PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${target})
  file(MAKE_DIRECTORY ${corpus})
  # Every seed and kept finding, once: the regression run.
  add_test(NAME fuzz.${target}.regressions
    COMMAND ${target}_fuzzer -runs=0 ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${target})
  # New inputs go to the build tree; the repository's seeds are read only.
  add_test(NAME fuzz.${target}
    COMMAND ${target}_fuzzer -max_total_time=${VARNEL_FUZZ_TIME} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 ${corpus} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${target})
  set_tests_properties(fuzz.${target} PROPERTIES TIMEOUT 300)
endforeach()
