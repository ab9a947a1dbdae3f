# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# Desktop integration: a launcher (.desktop) and an AppStream metainfo file
# for each program, installed beside the program in ECM's standard places.
#
# The ids live under "internal.kdeqtdemos": the project has no domain of its
# own, and ".internal" is reserved for private use and is never delegated, so
# the ids cannot claim or collide with any organisation's namespace. Each
# program's KAboutData must give the same name (setOrganizationDomain and
# setDesktopFileName), so that the desktop finds the launcher of a running
# window (the Wayland app id, _KDE_NET_WM_DESKTOP_FILE on X11).
set(DEMO_ORGANIZATION_DOMAIN "kdeqtdemos.internal")
set(DEMO_ID_PREFIX "internal.kdeqtdemos")
set(_demo_desktop_templates ${CMAKE_CURRENT_LIST_DIR}/../data)

# add_program_desktop_files(<Program> SUMMARY <one line> DESCRIPTION <paragraph>)
#
# Writes <prefix>.<program>.desktop and .metainfo.xml into the build tree
# and installs them beside the program. The programs listed
# and their ids are kept in the global properties DEMO_DESKTOP_PROGRAMS and
# DEMO_DESKTOP_IDS for the tests.
function(add_program_desktop_files program)
    cmake_parse_arguments(ARG "" "SUMMARY;DESCRIPTION" "" ${ARGN})
    if(NOT ARG_SUMMARY OR NOT ARG_DESCRIPTION)
        message(FATAL_ERROR "add_program_desktop_files(${program}): SUMMARY and DESCRIPTION are needed")
    endif()
    string(TOLOWER "${program}" component)
    set(DEMO_ID "${DEMO_ID_PREFIX}.${component}")
    set(DEMO_PROGRAM "${program}")
    set(DEMO_COMPONENT "${component}") # the X11 window class, from the application name
    set(DEMO_SUMMARY "${ARG_SUMMARY}")
    set(DEMO_DESCRIPTION "${ARG_DESCRIPTION}")

    set(out ${CMAKE_BINARY_DIR}/desktop)
    configure_file(${_demo_desktop_templates}/program.desktop.in ${out}/${DEMO_ID}.desktop @ONLY)
    configure_file(${_demo_desktop_templates}/program.metainfo.xml.in ${out}/${DEMO_ID}.metainfo.xml @ONLY)

    set_property(GLOBAL APPEND PROPERTY DEMO_DESKTOP_PROGRAMS ${program})
    set_property(GLOBAL APPEND PROPERTY DEMO_DESKTOP_IDS ${DEMO_ID})
    install(FILES ${out}/${DEMO_ID}.desktop DESTINATION ${KDE_INSTALL_APPDIR})
    install(FILES ${out}/${DEMO_ID}.metainfo.xml DESTINATION ${KDE_INSTALL_METAINFODIR})
endfunction()
