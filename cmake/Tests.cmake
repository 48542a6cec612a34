# Unit tests against the in-memory platform, tests of the real platform, and
# the end-to-end suite that runs the real executable. In a Windows cross
# build every Windows executable runs under Wine.
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  # No GoogleTest for the target is installed: build it from Debian's sources.
  set(VARNEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${VARNEL_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest)
  if(NOT GTest_FOUND)
    message(WARNING "GoogleTest not found: the tests are not built (-DVARNEL_TESTS=OFF hides this)")
    return()
  endif()
endif()

add_library(varnel_fake STATIC src/platform/fake_platform.cc)
target_include_directories(varnel_fake PUBLIC src)

add_executable(varnel_tests
  src/detail/echo_test.cc
  src/detail/piece_reader_test.cc
  src/markers/directory_test.cc
  src/markers/markers_test.cc
  src/monitor/console_test.cc
  src/monitor/run_test.cc
  src/platform/platform_test.cc
  src/sim/scenario_test.cc
)
if(WIN32)
  target_sources(varnel_tests PRIVATE src/platform/stdout-win32_test.cc)
else()
  target_sources(varnel_tests PRIVATE src/platform/platform-posix_test.cc)
endif()
target_link_libraries(varnel_tests PRIVATE varnel_core varnel_platform varnel_fake varnel_sim_core
                                           GTest::gtest_main)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VARNEL_E2E ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/e2e_test.py)
set(VARNEL_E2E_GROUPS Outcomes Detail Invocation Streams Timing Timeout Sim Examples Faults)

if(CMAKE_CROSSCOMPILING_EMULATOR)
  # One Wine prefix of the tests' own, made afresh once per test run.
  set(VARNEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(VARNEL_WINE_ENV WINEPREFIX=${VARNEL_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=)
  add_test(NAME wine.prefix
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-prefix.sh create ${VARNEL_WINEPREFIX})
  add_test(NAME wine.stop
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine-prefix.sh stop ${VARNEL_WINEPREFIX})
  set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300 COST 10000)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

  add_test(NAME unit COMMAND varnel_tests)
  set(VARNEL_E2E_LAUNCHER --launcher ${CMAKE_CROSSCOMPILING_EMULATOR} --crlf)
  set(VARNEL_WINE_TESTS unit)
else()
  gtest_discover_tests(varnel_tests DISCOVERY_TIMEOUT 60)
endif()

# The end-to-end suite in groups, so that the slow real-time cases run
# beside the rest.
foreach(group ${VARNEL_E2E_GROUPS})
  add_test(NAME e2e.${group}
    COMMAND ${Python3_EXECUTABLE} ${VARNEL_E2E} --binary $<TARGET_FILE:varnel>
            --sim $<TARGET_FILE:varnel-sim> ${VARNEL_E2E_LAUNCHER} ${group}Test)
  set_tests_properties(e2e.${group} PROPERTIES TIMEOUT 300 LABELS e2e)
  list(APPEND VARNEL_WINE_TESTS e2e.${group})
endforeach()
# The 20-second start timeout goes first, so the rest run beside it.
set_tests_properties(e2e.Timeout PROPERTIES COST 1000)

if(CMAKE_CROSSCOMPILING_EMULATOR)
  set_tests_properties(${VARNEL_WINE_TESTS} PROPERTIES
    FIXTURES_REQUIRED wine ENVIRONMENT "${VARNEL_WINE_ENV}")
endif()
