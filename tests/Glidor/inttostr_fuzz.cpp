// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// libFuzzer target: IntToStr against the standard library for any int,
// with guard bytes behind the text it writes.

#include "glidor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(int)) {
        return 0;
    }
    int n;
    std::memcpy(&n, data, sizeof n);

    const char guard = '\x5a';
    char buf[32];
    std::memset(buf, guard, sizeof buf);
    IntToStr(n, buf);

    const std::string expected = std::to_string(n);
    if (expected.size() + 1 > 12 || std::memcmp(buf, expected.c_str(), expected.size() + 1) != 0) {
        std::abort();
    }
    for (size_t i = expected.size() + 1; i < sizeof buf; ++i) {
        if (buf[i] != guard) {
            std::abort();
        }
    }
    return 0;
}
