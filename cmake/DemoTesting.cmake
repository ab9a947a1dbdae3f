# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

set(HARNESS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness)
set(BENCH_DIR ${CMAKE_CURRENT_LIST_DIR}/../benchmarks)
set(DEMO_LIBS Qt::Widgets KF${QT_MAJOR_VERSION}::XmlGui KF${QT_MAJOR_VERSION}::CoreAddons KF${QT_MAJOR_VERSION}::I18n)

# The style the tests run the programs under, whatever the desktop of whoever
# runs them: Fusion (the tests' positions of arrows and grooves are Fusion's),
# Qt's generic platform theme rather than a desktop's, and a configuration
# folder that holds nothing, so that no colour scheme or style setting of the
# user's reaches them. Qt loads the platform theme of the desktop it is told it
# runs on even when another theme is asked for: the desktop's name goes too.
# And English, the programs' own texts, whatever language the user speaks.
# The Plasma profile's tests (tests/desktop) set their own.
set(DEMO_TEST_STYLE "QT_STYLE_OVERRIDE=Fusion;QT_QPA_PLATFORMTHEME=generic;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/empty-config"
    "XDG_CURRENT_DESKTOP=;KDE_FULL_SESSION=;DESKTOP_SESSION=;GNOME_DESKTOP_SESSION_ID=;LANGUAGE=en")

# Test tools. Each one is listed in the configure summary, and without it
# the tests that need it are left out; under CI (CI set in the environment)
# a missing tool stops the configure instead, so that a smaller suite cannot
# pass for the whole one. scripts/deps.sh test installs them all.
#   demo_test_tool(<name> <found> <what it is for>)
function(demo_test_tool name found purpose)
    if(found)
        set(have TRUE)
    else()
        set(have FALSE)
        set_property(GLOBAL APPEND PROPERTY DEMO_MISSING_TEST_TOOLS ${name})
    endif()
    add_feature_info(${name} have "${purpose}")
endfunction()

function(demo_check_test_tools)
    get_property(missing GLOBAL PROPERTY DEMO_MISSING_TEST_TOOLS)
    if(missing AND DEFINED ENV{CI})
        message(FATAL_ERROR "Test tools missing under CI: ${missing} (scripts/deps.sh test installs them)")
    endif()
endfunction()

# The program's own source with its main() renamed to programMain().
function(_demo_inprocess_library program)
    set(inproc ${program}_inprocess)
    if(NOT TARGET ${inproc})
        get_target_property(dir ${program} SOURCE_DIR)
        get_target_property(srcs ${program} SOURCES)
        list(TRANSFORM srcs PREPEND "${dir}/")
        add_library(${inproc} OBJECT ${srcs})
        target_compile_definitions(${inproc} PRIVATE main=programMain
            INTERFACE PSEUDO_TRANSLATION_DIR="${DEMO_PSEUDO_TRANSLATION_DIR}")
        target_include_directories(${inproc} PUBLIC ${dir})
        target_link_libraries(${inproc} PUBLIC ${DEMO_LIBS})
    endif()
endfunction()

# A language other than English needs a locale other than C: gettext ignores
# LANGUAGE under C (glibc 2.41, Debian 13's, under C.UTF-8 as well), as a
# user's German desktop never is. The tests in other languages run under
# en_US.UTF-8 and de_DE.UTF-8.
execute_process(COMMAND locale -a OUTPUT_VARIABLE installed_locales ERROR_QUIET)
if(installed_locales MATCHES "en_US\\.utf8" AND installed_locales MATCHES "de_DE\\.utf8")
    set(HAVE_LOCALES TRUE)
endif()
demo_test_tool(locales-all "${HAVE_LOCALES}"
    "the tests in other languages (pseudo-translation, damaged catalogs, German under Plasma): the locales en_US.UTF-8 and de_DE.UTF-8")

# The program's pseudo-translation (cmake/PseudoTranslation.cmake), made from
# what its Messages.sh extracts: <build>/pseudo-translation/locale/x-test/...
# Without the locales the check is skipped (PSEUDO_TRANSLATION_DIR empty).
if(HAVE_LOCALES)
    set(DEMO_PSEUDO_TRANSLATION_DIR ${CMAKE_BINARY_DIR}/pseudo-translation)
endif()
find_program(MSGEN_EXECUTABLE msgen)
find_program(MSGFILTER_EXECUTABLE msgfilter)
find_program(XGETTEXT_EXECUTABLE xgettext)
function(_demo_pseudo_translation program)
    string(TOLOWER ${program} domain)
    set(mo ${CMAKE_BINARY_DIR}/pseudo-translation/locale/x-test/LC_MESSAGES/${domain}.mo)
    if(NOT TARGET ${program}_pseudo_translation)
        get_target_property(dir ${program} SOURCE_DIR)
        get_target_property(srcs ${program} SOURCES)
        list(TRANSFORM srcs PREPEND "${dir}/")
        set(script ${CMAKE_SOURCE_DIR}/cmake/PseudoTranslation.cmake)
        add_custom_command(OUTPUT ${mo}
            COMMAND ${CMAKE_COMMAND} -D MESSAGES=${dir}/Messages.sh -D DOMAIN=${domain}
                -D WORK=${CMAKE_CURRENT_BINARY_DIR}/${domain}-pot -D MO=${mo} -D XGETTEXT=${XGETTEXT_EXECUTABLE}
                -D MSGEN=${MSGEN_EXECUTABLE} -D MSGFILTER=${MSGFILTER_EXECUTABLE} -D MSGFMT=${GETTEXT_MSGFMT_EXECUTABLE}
                -P ${script}
            DEPENDS ${srcs} ${dir}/Messages.sh ${script}
            COMMENT "Pseudo-translating ${program}")
        add_custom_target(${program}_pseudo_translation DEPENDS ${mo})
    endif()
endfunction()

# In-process tests: the program's own source, its main() renamed to
# programMain(), runs inside the test (harness/programtest.h), and once more
# under its pseudo-translation, where every text must come back marked.
#   add_program_test(NAME <test> PROGRAM <target> SOURCES <test sources>)
function(add_program_test)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    _demo_inprocess_library(${ARG_PROGRAM})
    set(inproc ${ARG_PROGRAM}_inprocess)
    ecm_add_test(${ARG_SOURCES}
        TEST_NAME ${ARG_NAME}
        LINK_LIBRARIES ${inproc} Qt::Test ${DEMO_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${HARNESS_DIR})
    _demo_pseudo_translation(${ARG_PROGRAM})
    add_dependencies(${ARG_NAME} ${ARG_PROGRAM}_pseudo_translation)
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${DEMO_TEST_STYLE}" TIMEOUT 300)
endfunction()

# End-to-end tests: the real binary on a private Xvfb server, driven with
# real X input (harness/xsession.h).
#   add_x11_test(NAME <test> PROGRAM <target> SOURCES <test sources>)
find_package(X11)
set_package_properties(X11 PROPERTIES TYPE OPTIONAL
    PURPOSE "End-to-end tests drive the programs on a real X server (Xlib, XTest)")
find_program(XVFB_EXECUTABLE Xvfb)
if(X11_FOUND AND X11_XTest_FOUND AND XVFB_EXECUTABLE)
    add_library(xsession STATIC ${HARNESS_DIR}/xsession.cpp ${HARNESS_DIR}/xsession.h)
    target_include_directories(xsession PUBLIC ${HARNESS_DIR})
    target_link_libraries(xsession PUBLIC Qt::Gui Qt::Test X11::X11 X11::Xtst)
    set(HAVE_X11_TESTS TRUE)
endif()
demo_test_tool(Xvfb "${HAVE_X11_TESTS}" "end-to-end tests: the real programs on a private X server, with XTest input (Xvfb, Xlib, XTest)")

# They run the programs in languages whose catalogs cannot be read, an empty
# one (fr) and one that is no catalog at all (it): a program must show its own
# texts and print nothing, as in a language it has no catalog for.
set(DEMO_DAMAGED_CATALOGS ${CMAKE_BINARY_DIR}/damaged-catalogs)
foreach(program IN LISTS DEMO_PROGRAMS)
    string(TOLOWER ${program} domain)
    file(WRITE ${DEMO_DAMAGED_CATALOGS}/locale/fr/LC_MESSAGES/${domain}.mo "")
    file(WRITE ${DEMO_DAMAGED_CATALOGS}/locale/it/LC_MESSAGES/${domain}.mo "not a catalog\n")
endforeach()
set(data_dirs "$ENV{XDG_DATA_DIRS}")
if(NOT data_dirs)
    set(data_dirs /usr/local/share:/usr/share)
endif()
set(DEMO_DAMAGED_LANGUAGE "LANGUAGE=it:fr" "XDG_DATA_DIRS=${DEMO_DAMAGED_CATALOGS}:${data_dirs}")
if(HAVE_LOCALES)
    list(APPEND DEMO_DAMAGED_LANGUAGE "LC_ALL=en_US.UTF-8")
endif()

function(add_x11_test)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    if(NOT HAVE_X11_TESTS)
        return()
    endif()
    ecm_add_test(${ARG_SOURCES} TEST_NAME ${ARG_NAME} LINK_LIBRARIES xsession)
    target_compile_definitions(${ARG_NAME} PRIVATE PROGRAM_BINARY="$<TARGET_FILE:${ARG_PROGRAM}>")
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT 300 ENVIRONMENT "${DEMO_TEST_STYLE};${DEMO_DAMAGED_LANGUAGE}")
endfunction()


# Benchmarks: like the in-process tests, but not run by ctest; scripts/bench.sh
# runs them all.
#   add_program_benchmark(NAME <benchmark> PROGRAM <target> SOURCES <sources>)
function(add_program_benchmark)
    cmake_parse_arguments(ARG "" "NAME;PROGRAM" "SOURCES" ${ARGN})
    _demo_inprocess_library(${ARG_PROGRAM})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} ${ARG_PROGRAM}_inprocess Qt::Test ${DEMO_LIBS})
    target_include_directories(${ARG_NAME} PRIVATE ${HARNESS_DIR} ${BENCH_DIR})
endfunction()
