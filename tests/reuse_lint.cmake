# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# cmake -D REUSE=<reuse> -D ROOT=<source tree> -D WORK=<folder> -P reuse_lint.cmake
# reuse lint over the tree. The files that carry no header of their own are
# annotated in REUSE.toml, which reuse reads from version 3 on; Debian 12's
# reuse 1.1 reads the same annotations only in the older form, .reuse/dep5,
# so it lints a copy of the tracked files that has them in that form.
execute_process(COMMAND ${REUSE} --version OUTPUT_VARIABLE version)
string(REGEX MATCH "[0-9]+" major "${version}")
set(tree ${ROOT})
if(major LESS 3)
    file(REMOVE_RECURSE ${WORK})
    execute_process(COMMAND git -C ${ROOT} ls-files OUTPUT_VARIABLE files RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "reuse ${major} cannot read REUSE.toml, and ${ROOT} is no git checkout to copy")
    endif()
    string(REPLACE "\n" ";" files "${files}")
    foreach(f IN LISTS files)
        if(f)
            get_filename_component(dir ${WORK}/${f} DIRECTORY)
            file(COPY ${ROOT}/${f} DESTINATION ${dir})
        endif()
    endforeach()
    file(READ ${ROOT}/REUSE.toml toml)
    set(dep5 "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
    string(REGEX MATCHALL "\\[\\[annotations\\]\\][^[]*\\[[^]]*\\][^[]*" annotations "${toml}")
    foreach(a IN LISTS annotations)
        string(REGEX MATCH "path = \\[([^]]*)\\]" _ "${a}")
        string(REGEX REPLACE "[\",]" "" paths "${CMAKE_MATCH_1}")
        string(REPLACE "**" "*" paths "${paths}")
        string(REGEX MATCH "SPDX-FileCopyrightText = \"([^\"]*)\"" _ "${a}")
        set(copyright "${CMAKE_MATCH_1}")
        string(REGEX MATCH "SPDX-License-Identifier = \"([^\"]*)\"" _ "${a}")
        string(APPEND dep5 "\nFiles: ${paths}\nCopyright: ${copyright}\nLicense: ${CMAKE_MATCH_1}\n")
    endforeach()
    file(WRITE ${WORK}/.reuse/dep5 "${dep5}")
    file(REMOVE ${WORK}/REUSE.toml)
    execute_process(COMMAND git init -q ${WORK}) # reuse warns outside a checkout
    set(tree ${WORK})
endif()
execute_process(COMMAND ${REUSE} --root ${tree} lint OUTPUT_VARIABLE out ERROR_VARIABLE out RESULT_VARIABLE status)
# Clean and silent: compliant, and no warning (reuse 6 warns of .reuse/dep5 as deprecated).
if(NOT status EQUAL 0 OR out MATCHES "WARNING|is deprecated")
    message(FATAL_ERROR "reuse lint (reuse ${major}):\n${out}")
endif()
