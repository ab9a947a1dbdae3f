# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# Each program's folder copied alone to a fresh place and built there as a
# learner who copies one example builds it: CMake and the compiler must say
# no warning, and --version must print the program's name and version and
# nothing else (no catalog is there: English, and not a word about it).
#   cmake -D PROGRAMS=<Program,...> -D SOURCE=<tree> -D QT_MAJOR_VERSION=<6|5>
#         -D CXX=<compiler> -P copied_folders.cmake
execute_process(COMMAND mktemp -d OUTPUT_VARIABLE work OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
find_program(NINJA ninja)
if(NINJA)
    set(generator -G Ninja)
endif()
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
foreach(program IN LISTS PROGRAMS)
    string(TIMESTAMP start "%s")
    set(dir ${work}/${program})
    file(COPY ${SOURCE}/${program} DESTINATION ${work})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${dir} -B ${dir}/build ${generator} -DQT_MAJOR_VERSION=${QT_MAJOR_VERSION} -DCMAKE_CXX_COMPILER=${CXX}
        RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${dir}/build RESULT_VARIABLE built OUTPUT_VARIABLE build ERROR_VARIABLE build)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${work} ${dir}/build/bin/${program} --version
        RESULT_VARIABLE ran OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(TIMESTAMP end "%s")
    math(EXPR seconds "${end} - ${start}")
    message(STATUS "${program}: ${seconds} s")
    string(TOLOWER "${program} 1.0\n" version)
    if(NOT "${configured}${built}${ran}" STREQUAL "000" OR "${log}${build}" MATCHES "[Ww]arning" OR NOT out STREQUAL version)
        message(SEND_ERROR "${program} alone, in ${dir}:\n${log}${build}${out}")
        set(failed TRUE)
    endif()
endforeach()
if(NOT failed)
    file(REMOVE_RECURSE ${work})
endif()
