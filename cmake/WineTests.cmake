# Windows tests run under Wine: GoogleTest cross-built from Debian's sources, the
# Wine session (prefix, wineserver, Xvfb) started and stopped by ctest fixtures,
# and every test program run through the session's wrapper.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

set(PELLORAN_WINE_SESSION ${CMAKE_BINARY_DIR}/wine)
set(PELLORAN_HARNESS ${CMAKE_SOURCE_DIR}/tests/harness)
set(PELLORAN_WINE_RUN ${PELLORAN_HARNESS}/wine-run.sh ${PELLORAN_WINE_SESSION})
# Every test runs under the crash watch: a Windows program that crashes while
# it runs fails it and leaves its record.
set(PELLORAN_CRASH_WATCH ${PELLORAN_HARNESS}/crash-watch.sh ${PELLORAN_WINE_SESSION})

add_test(NAME wine_session_start COMMAND ${PELLORAN_HARNESS}/wine-session.sh start ${PELLORAN_WINE_SESSION})
set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine)
add_test(NAME wine_session_stop COMMAND ${PELLORAN_HARNESS}/wine-session.sh stop ${PELLORAN_WINE_SESSION})
set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)

# A GoogleTest program run under Wine as one ctest test.
#   pelloran_win_test(NAME source... [DEPTH 16|8])
function(pelloran_win_test name)
    cmake_parse_arguments(ARG "" "DEPTH" "" ${ARGN})
    add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    target_link_libraries(${name} PRIVATE pelloran_win pelloran_resources pelloran_jpeg_writer GTest::gtest_main)
    pelloran_warnings(${name})
    add_test(NAME ${name} COMMAND ${PELLORAN_CRASH_WATCH} ${name} ${PELLORAN_WINE_RUN} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
    if(ARG_DEPTH)
        set_tests_properties(${name} PROPERTIES ENVIRONMENT PELLORAN_DEPTH=${ARG_DEPTH})
    endif()
endfunction()

# A shell script that drives the built program from outside, as one ctest test.
# It finds the wrapper, the session and the program in its environment.
function(pelloran_e2e_test name script)
    add_test(NAME ${name} COMMAND ${PELLORAN_CRASH_WATCH} ${name} ${CMAKE_CURRENT_SOURCE_DIR}/${script})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine
        ENVIRONMENT "PELLORAN_WINE_RUN=${PELLORAN_HARNESS}/wine-run.sh;PELLORAN_WINE_SESSION=${PELLORAN_WINE_SESSION};PELLORAN_SCR=$<TARGET_FILE:Pelloran>"
        ${ARGN})
endfunction()
