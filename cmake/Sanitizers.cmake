# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

# What the sanitizer build (ECM_ENABLE_SANITIZERS, applied to every target by
# KDECompilerSettings) adds on top: every program, test and benchmark gets
# the runtime defaults of SanitizerDefaults.cpp.
if(ECM_ENABLE_SANITIZERS)
    # Undefined behaviour ends the process like an ASan report does, so no
    # test can pass with a report in its output.
    add_compile_options(-fno-sanitize-recover=undefined)
    add_library(sanitizer_defaults OBJECT ${CMAKE_CURRENT_LIST_DIR}/SanitizerDefaults.cpp)
    link_libraries(sanitizer_defaults)
endif()
