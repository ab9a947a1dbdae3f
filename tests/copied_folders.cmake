# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# Each program's folder copied alone to a fresh place and built there as a
# learner who copies one example builds it: it must take the build's
# toolkit and build with no warning of CMake or the compiler, and --version
# must print the program's name and version and nothing else (no catalog is
# there: English, and not a word about it).
#   cmake -D PROGRAMS=<Program,...> -D SOURCE=<tree> -D QT_MAJOR_VERSION=<6|5>
#         -D CXX=<compiler> -P copied_folders.cmake
execute_process(COMMAND mktemp -d OUTPUT_VARIABLE work OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
find_program(NINJA ninja)
if(NINJA)
    set(generator -G Ninja)
endif()
# Under Qt 6 the copies choose the toolkit themselves, as a learner's do;
# a Qt 5 build names it, as KF6 may be installed beside KF5.
if(QT_MAJOR_VERSION EQUAL 5)
    set(toolkit -DQT_MAJOR_VERSION=5)
endif()
string(REPLACE "," ";" PROGRAMS "${PROGRAMS}")
foreach(program IN LISTS PROGRAMS)
    set(dir ${work}/${program})
    file(COPY ${SOURCE}/${program} DESTINATION ${work})
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${dir} -B ${dir}/build ${generator} ${toolkit} -DCMAKE_CXX_COMPILER=${CXX}
        RESULT_VARIABLE configured OUTPUT_VARIABLE log ERROR_VARIABLE log)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${dir}/build RESULT_VARIABLE built OUTPUT_VARIABLE build ERROR_VARIABLE build)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${work} ${dir}/build/bin/${program} --version
        RESULT_VARIABLE ran OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(TOLOWER "${program} 1.0\n" version)
    if(NOT "${configured}${built}${ran}" STREQUAL "000" OR "${log}${build}" MATCHES "[Ww]arning" OR NOT log MATCHES "Found KF${QT_MAJOR_VERSION}: "
       OR NOT out STREQUAL version)
        message(SEND_ERROR "${program} alone, in ${dir}:\n${log}${build}${out}")
        set(failed TRUE)
    endif()
endforeach()
if(NOT failed)
    file(REMOVE_RECURSE ${work})
endif()
