# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# cmake -D MODE=files|install ... -P desktop_files.cmake
#
# files:   validates every generated launcher and metainfo file (DIR), also
#          those of programs not built yet.
# install: installs the build tree (BUILD) into a fresh prefix (PREFIX) and
#          checks that each program (PROGRAMS, ids IDS, both comma-separated) has its binary,
#          launcher and metainfo in ECM's places (BINDIR, APPDIR, METAINFODIR),
#          a launcher that starts that binary, and a tree that AppStream accepts.

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    list(GET ARGN 0 tool)
    get_filename_component(tool ${tool} NAME)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${tool} failed (${status}):\n${out}")
    endif()
    # desktop-file-validate passes files with warnings and hints; they count here.
    if(tool STREQUAL "desktop-file-validate" AND out)
        message(FATAL_ERROR "${tool}:\n${out}")
    endif()
    message(STATUS "${tool}: ok")
endfunction()

if(MODE STREQUAL "files")
    file(GLOB launchers ${DIR}/*.desktop)
    file(GLOB metainfo ${DIR}/*.metainfo.xml)
    list(LENGTH launchers n)
    if(n EQUAL 0)
        message(FATAL_ERROR "no launchers in ${DIR}")
    endif()
    run(${DESKTOP_FILE_VALIDATE} ${launchers})
    foreach(file IN LISTS metainfo)
        run(${APPSTREAMCLI} validate --no-net ${file})
    endforeach()
elseif(MODE STREQUAL "install")
    file(REMOVE_RECURSE ${PREFIX})
    run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})
    string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
    string(REPLACE "," ";" IDS "${IDS}")
    foreach(program id IN ZIP_LISTS PROGRAMS IDS)
        set(launcher ${PREFIX}/${APPDIR}/${id}.desktop)
        foreach(file ${PREFIX}/${BINDIR}/${program} ${launcher} ${PREFIX}/${METAINFODIR}/${id}.metainfo.xml)
            if(NOT EXISTS ${file})
                message(FATAL_ERROR "${program}: ${file} is not installed")
            endif()
        endforeach()
        file(STRINGS ${launcher} exec REGEX "^Exec=")
        if(NOT exec STREQUAL "Exec=${program}")
            message(FATAL_ERROR "${program}: the launcher runs '${exec}'")
        endif()
        run(${DESKTOP_FILE_VALIDATE} ${launcher})
    endforeach()
    # Every metainfo file with the launcher it names.
    run(${APPSTREAMCLI} validate-tree --no-net ${PREFIX})
    file(REMOVE_RECURSE ${PREFIX})
else()
    message(FATAL_ERROR "MODE must be files or install")
endif()
