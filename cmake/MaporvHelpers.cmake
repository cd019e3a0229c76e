# Shared compile settings and the sanitized twins of the Qt-free core.

set(MAPORV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
set(MAPORV_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

function(maporv_target_defaults target)
    target_compile_options(${target} PRIVATE ${MAPORV_WARNINGS})
endfunction()

# maporv_core_library(NAME sources... DEPENDS libs...)
# Builds NAME, and NAME_asan compiled with AddressSanitizer and UBSan when twins are on.
function(maporv_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    maporv_target_defaults(${name})
    if(MAPORV_SANITIZED_TWINS AND NOT MAPORV_FUZZ)
        add_library(${name}_asan STATIC ${ARG_SOURCES})
        target_include_directories(${name}_asan PUBLIC ${PROJECT_SOURCE_DIR}/src)
        set(deps)
        foreach(dep ${ARG_DEPENDS})
            list(APPEND deps ${dep}_asan)
        endforeach()
        target_link_libraries(${name}_asan PUBLIC ${deps})
        target_compile_options(${name}_asan PUBLIC ${MAPORV_SANITIZE_FLAGS} -O1 -g)
        target_link_options(${name}_asan PUBLIC ${MAPORV_SANITIZE_FLAGS})
        maporv_target_defaults(${name}_asan)
    endif()
endfunction()

# maporv_core_test(NAME sources... LIBS core_libs...)
# A GoogleTest binary over the core, registered as label "core"; its sanitized twin as "sanitize".
function(maporv_core_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} maporv_testsupport GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE MAPORV_TESTDATA="${MAPORV_TESTDATA}")
    maporv_target_defaults(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS core)
    if(MAPORV_SANITIZED_TWINS)
        set(libs)
        foreach(lib ${ARG_LIBS})
            list(APPEND libs ${lib}_asan)
        endforeach()
        add_executable(${name}_asan ${ARG_SOURCES})
        target_link_libraries(${name}_asan PRIVATE ${libs} maporv_testsupport_asan GTest::gtest_main
                              GTest::gmock)
        target_compile_definitions(${name}_asan PRIVATE MAPORV_TESTDATA="${MAPORV_TESTDATA}")
        maporv_target_defaults(${name}_asan)
        add_test(NAME ${name}_asan COMMAND ${name}_asan)
        set_tests_properties(${name}_asan PROPERTIES LABELS sanitize
                             ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
    endif()
endfunction()

# maporv_month_year(DATE OUT): "2004-04-01" gives "April 2004", the way the program
# names its release.
function(maporv_month_year date out)
    if(NOT date MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-[0-9][0-9]$")
        message(FATAL_ERROR "A release date is YYYY-MM-DD, not '${date}'")
    endif()
    set(months January February March April May June July August September October November
               December)
    math(EXPR index "${CMAKE_MATCH_2} - 1")
    list(GET months ${index} month)
    set(${out} "${month} ${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# maporv_source_date(DATE_OUT CHANGELOG_DATE_OUT YEAR_OUT): the date of the sources
# being built, for the manuals' footers and the package's changelog: SOURCE_DATE_EPOCH
# when set (a reproducible or Debian build sets it), else the time of the last commit
# when the sources are a git checkout, else the time of this configuration. DATE_OUT is
# YYYY-MM-DD, CHANGELOG_DATE_OUT the changelog's "Thu, 01 Apr 2004 12:00:00 +0000".
function(maporv_source_date date_out changelog_out year_out)
    set(outer_epoch "$ENV{SOURCE_DATE_EPOCH}")
    set(epoch "${outer_epoch}")
    if(NOT epoch MATCHES "^[0-9]+$")
        set(epoch "")
        find_package(Git QUIET)
        if(GIT_FOUND)
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                            OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            # Only the project's own history: not that of a folder it was unpacked into.
            file(REAL_PATH "${PROJECT_SOURCE_DIR}" source)
            if(top)
                file(REAL_PATH "${top}" top)
            endif()
            if(top STREQUAL source)
                execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
                                WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                                OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            endif()
        endif()
    endif()
    # string(TIMESTAMP) gives the time SOURCE_DATE_EPOCH holds, or else the current one.
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
    string(TIMESTAMP date "%Y-%m-%d" UTC)
    string(TIMESTAMP changelog "%a, %d %b %Y %H:%M:%S +0000" UTC)
    string(TIMESTAMP year "%Y" UTC)
    set(ENV{SOURCE_DATE_EPOCH} "${outer_epoch}")
    set(${date_out} "${date}" PARENT_SCOPE)
    set(${changelog_out} "${changelog}" PARENT_SCOPE)
    set(${year_out} "${year}" PARENT_SCOPE)
endfunction()
