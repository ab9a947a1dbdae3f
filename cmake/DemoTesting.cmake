# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

set(HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness)
set(BENCH_DIR ${CMAKE_CURRENT_LIST_DIR}/../benchmarks)
set(DEMO_LIBS Qt5::Widgets KF5::XmlGui KF5::CoreAddons KF5::I18n)

# The program's own source with its main() renamed to programMain().
function(_demo_inprocess_library program)
    set(inproc ${program}_inprocess)
    if(NOT TARGET ${inproc})
        get_target_property(dir ${program} SOURCE_DIR)
        get_target_property(srcs ${program} SOURCES)
        list(TRANSFORM srcs PREPEND "${dir}/")
        add_library(${inproc} OBJECT ${srcs})
        target_compile_definitions(${inproc} PRIVATE main=programMain)
        target_include_directories(${inproc} PUBLIC ${dir})
        target_link_libraries(${inproc} PUBLIC ${DEMO_LIBS})
    endif()
endfunction()

# In-process tests: the program's own source, its main() renamed to
# programMain(), runs inside the test (harness/programtest.h).
#   add_program_test(NAME <test> PROGRAM <target> SOURCES <test sources>)
function(add_program_test)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    _demo_inprocess_library(${ARG_PROGRAM})
    set(inproc ${ARG_PROGRAM}_inprocess)
    ecm_add_test(${ARG_SOURCES}
        TEST_NAME ${ARG_NAME}
        LINK_LIBRARIES ${inproc} Qt5::Test ${DEMO_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${HARNESS_DIR})
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# End-to-end tests: the real binary on a private Xvfb server, driven with
# real X input (harness/xsession.h).
#   add_x11_test(NAME <test> PROGRAM <target> SOURCES <test sources>)
find_program(XVFB_EXECUTABLE Xvfb)
if(X11_FOUND AND X11_XTest_FOUND AND XVFB_EXECUTABLE)
    add_library(xsession STATIC ${HARNESS_DIR}/xsession.cpp ${HARNESS_DIR}/xsession.h)
    target_include_directories(xsession PUBLIC ${HARNESS_DIR})
    target_link_libraries(xsession PUBLIC Qt5::Gui Qt5::Test X11::X11 X11::Xtst)
    set(HAVE_X11_TESTS TRUE)
else()
    message(STATUS "Xvfb, Xlib or XTest missing: end-to-end tests are not built")
endif()

function(add_x11_test)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    if(NOT HAVE_X11_TESTS)
        return()
    endif()
    ecm_add_test(${ARG_SOURCES} TEST_NAME ${ARG_NAME} LINK_LIBRARIES xsession)
    target_compile_definitions(${ARG_NAME} PRIVATE PROGRAM_BINARY="$<TARGET_FILE:${ARG_PROGRAM}>")
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT 300)
endfunction()


# Benchmarks: like the in-process tests, but not run by ctest; scripts/bench.sh
# runs them all.
#   add_program_benchmark(NAME <benchmark> PROGRAM <target> SOURCES <sources>)
function(add_program_benchmark)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    _demo_inprocess_library(${ARG_PROGRAM})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} ${ARG_PROGRAM}_inprocess Qt5::Test ${DEMO_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${HARNESS_DIR} ${BENCH_DIR})
endfunction()
