# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# A program's pseudo-translation, KDE's "x-test" language: every text that
# its Messages.sh extracts comes back as "xx<text>xx", so that a test sees at
# once which text the program shows without the translation system.
#   cmake -D MESSAGES=<program>/Messages.sh -D DOMAIN=<domain> -D WORK=<dir>
#         -D MO=<catalog.mo> -D XGETTEXT=... -D MSGEN=... -D MSGFILTER=... -D MSGFMT=...
#         -P PseudoTranslation.cmake

# The keywords KDE's translation tooling gives xgettext for C++ sources.
set(kde_keywords -C --kde --from-code=UTF-8 -ci18n -ki18n:1 -ki18nc:1c,2 -ki18np:1,2 -ki18ncp:1c,2,3
    -kki18n:1 -kki18nc:1c,2 -kki18np:1,2 -kki18ncp:1c,2,3 -kxi18n:1 -kxi18nc:1c,2 -kxi18np:1,2 -kxi18ncp:1c,2,3
    -kkxi18n:1 -kkxi18nc:1c,2 -kkxi18np:1,2 -kkxi18ncp:1c,2,3 -kI18N_NOOP:1 -kI18NC_NOOP:1c,2)
list(JOIN kde_keywords " " kde_keywords)
get_filename_component(source_dir ${MESSAGES} DIRECTORY)
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env "XGETTEXT=${XGETTEXT} ${kde_keywords}" podir=${WORK} sh ${MESSAGES}
    WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE failed)
set(pot ${WORK}/${DOMAIN}.pot)
if(failed OR NOT EXISTS ${pot})
    message(FATAL_ERROR "${MESSAGES} made no ${DOMAIN}.pot")
endif()
# The texts are UTF-8, whatever charset the gettext tools assume (xgettext
# leaves a placeholder, msgen of gettext 0.23 says ASCII).
function(utf8 file)
    file(READ ${file} text)
    string(REGEX REPLACE "charset=[A-Za-z0-9_-]+" "charset=UTF-8" text "${text}")
    file(WRITE ${file} "${text}")
endfunction()
utf8(${pot})
execute_process(COMMAND ${MSGEN} -o ${WORK}/${DOMAIN}.en.po ${pot} COMMAND_ERROR_IS_FATAL ANY)
utf8(${WORK}/${DOMAIN}.en.po)
execute_process(COMMAND ${MSGFILTER} --keep-header -i ${WORK}/${DOMAIN}.en.po -o ${WORK}/${DOMAIN}.po sed -e "s/^/xx/" -e "s/$/xx/"
    COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(mo_dir ${MO} DIRECTORY)
file(MAKE_DIRECTORY ${mo_dir})
execute_process(COMMAND ${MSGFMT} -o ${MO} ${WORK}/${DOMAIN}.po COMMAND_ERROR_IS_FATAL ANY)
