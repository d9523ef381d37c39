# Helpers that register the test layers with CTest. Labels: unit (native core), win32 (GoogleTest
# programs run under Wine), e2e (the real tavrin.exe driven from outside), fuzz (libFuzzer targets).

set(TAVRIN_FUZZ_SECONDS 10 CACHE STRING "Seconds each libFuzzer target runs in the short fuzz test")

# Native unit tests of the portable core. Each GoogleTest case becomes one CTest test.
function(tavrin_unit_test name)
    if(WIN32 OR NOT TAVRIN_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tavrin_options ${ARG_DEPENDS} tavrin_test_support GTest::gmock
                                          GTest::gtest_main)
    set(prefix "unit/")
    set(labels unit)
    if(TAVRIN_SANITIZE)
        set(prefix "asan/")
        list(APPEND labels asan)
    endif()
    gtest_discover_tests(${name} TEST_PREFIX "${prefix}" PROPERTIES LABELS "${labels}"
                         WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" DISCOVERY_TIMEOUT 60)
endfunction()

# GoogleTest programs cross-compiled for Windows and run under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
# One CTest test per program keeps the Wine start-up cost to one process.
function(tavrin_win32_test name)
    if(NOT WIN32)
        return()
    endif()
    cmake_parse_arguments(ARG "" "LABEL;TIMEOUT" "SOURCES;DEPENDS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL win32)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tavrin_options ${ARG_DEPENDS} tavrin_test_support GTest::gmock
                                          GTest::gtest_main)
    add_test(NAME ${ARG_LABEL}/${name} COMMAND ${name} --gtest_color=no)
    # Programs under Wine share one display, focus and clipboard: they run one at a time, beside the
    # native tests.
    set_tests_properties(${ARG_LABEL}/${name} PROPERTIES LABELS ${ARG_LABEL} TIMEOUT ${ARG_TIMEOUT}
                         WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}" RESOURCE_LOCK wine_display)
endfunction()

# libFuzzer targets: one test replays the checked-in corpus, one fuzzes briefly from it.
function(tavrin_fuzzer name)
    if(NOT TAVRIN_FUZZ)
        return()
    endif()
    cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tavrin_options ${ARG_DEPENDS})
    target_include_directories(${name} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set(work "${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus")
    add_test(NAME fuzz/${name}/replay COMMAND ${name} -runs=0 "${ARG_CORPUS}")
    add_test(NAME fuzz/${name}/run
             COMMAND "${CMAKE_COMMAND}" -E env ASAN_OPTIONS=detect_leaks=1
                     "${PROJECT_SOURCE_DIR}/scripts/fuzz-run.sh" "$<TARGET_FILE:${name}>" "${ARG_CORPUS}"
                     "${work}" ${TAVRIN_FUZZ_SECONDS})
    set_tests_properties(fuzz/${name}/replay fuzz/${name}/run PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()

# Google Benchmark programs. They are built with the tests but never run as tests: speed is
# measured, not asserted.
function(tavrin_benchmark name)
    if(NOT TAVRIN_BENCH OR WIN32)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    find_package(benchmark REQUIRED)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tavrin_options ${ARG_DEPENDS} tavrin_test_support
                                          benchmark::benchmark_main)
endfunction()
