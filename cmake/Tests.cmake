# Unit tests against the in-memory platform, and the end-to-end suite that
# runs the real executable.
find_package(GTest REQUIRED)
include(GoogleTest)

add_library(varnel_fake STATIC src/platform/fake_platform.cc)
target_include_directories(varnel_fake PUBLIC src)

add_executable(varnel_tests
  src/detail/echo_test.cc
  src/detail/piece_reader_test.cc
  src/markers/directory_test.cc
  src/markers/markers_test.cc
  src/monitor/console_test.cc
  src/monitor/run_test.cc
)
target_link_libraries(varnel_tests PRIVATE varnel_core varnel_fake GTest::gtest_main)
gtest_discover_tests(varnel_tests DISCOVERY_TIMEOUT 60)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VARNEL_E2E ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/e2e_test.py)
# Split in groups so that the slow real-time cases run beside the rest.
foreach(group Outcomes Detail Invocation Streams Timing Timeout)
  add_test(NAME e2e.${group}
    COMMAND Python3::Interpreter ${VARNEL_E2E} --binary $<TARGET_FILE:varnel> ${group}Test)
  set_tests_properties(e2e.${group} PROPERTIES TIMEOUT 120 LABELS e2e)
endforeach()
# The 20-second start timeout goes first, so the rest run beside it.
set_tests_properties(e2e.Timeout PROPERTIES COST 1000)
