# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# ENABLE_SANITIZERS: ECM's KDECompilerSettings adds the flags for the
# sanitizers named in ECM_ENABLE_SANITIZERS to every target; every program,
# test and benchmark also gets the runtime defaults of SanitizerDefaults.cpp.
if(ENABLE_SANITIZERS)
    set(ECM_ENABLE_SANITIZERS "address;undefined" CACHE STRING "Sanitizers ECM enables" FORCE)
    # Undefined behaviour ends the process like an ASan report does, so no
    # test can pass with a report in its output.
    add_compile_options(-fno-sanitize-recover=undefined)
    add_library(sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp)
    link_libraries(sanitizer_defaults)
endif()
