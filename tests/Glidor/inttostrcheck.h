// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// The reference for IntToStr, shared by the in-process test and the fuzzer:
// n converted into a buffer full of guard bytes, the text checked against
// the standard library, the length limit and the bytes behind the NUL.

#ifndef INTTOSTRCHECK_H
#define INTTOSTRCHECK_H

#include "glidor.h"

#include <cstring>
#include <string>

// Empty when all holds, else what went wrong.
inline std::string checkIntToStr(int n)
{
    const char guard = '\x5a';
    char buf[32];
    std::memset(buf, guard, sizeof buf);
    IntToStr(n, buf);
    const void *nul = std::memchr(buf, 0, sizeof buf);
    if (!nul) {
        return "no NUL written for " + std::to_string(n);
    }
    const size_t len = size_t(static_cast<const char *>(nul) - buf);
    if (len + 1 > 12) {
        return "more than 12 bytes for " + std::to_string(n);
    }
    for (size_t i = len + 1; i < sizeof buf; ++i) {
        if (buf[i] != guard) {
            return "byte " + std::to_string(i) + " behind the NUL touched for " + std::to_string(n);
        }
    }
    if (std::string(buf) != std::to_string(n)) {
        return "'" + std::string(buf) + "' for " + std::to_string(n);
    }
    return {};
}

#endif
