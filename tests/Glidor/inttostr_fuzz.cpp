// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// libFuzzer target: IntToStr against the standard library for any int,
// with guard bytes behind the text it writes.

#include "inttostrcheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < sizeof(int)) {
        return 0;
    }
    int n;
    std::memcpy(&n, data, sizeof n);
    if (!checkIntToStr(n).empty()) {
        std::abort();
    }
    return 0;
}
