// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Runtime defaults of the sanitizer build, linked into every executable;
// ASAN_OPTIONS and UBSAN_OPTIONS in the environment still override them.
//
// LeakSanitizer is off: the toolkit keeps caches (fontconfig, the plugin
// loader, the X connection) until exit on purpose, and LSan cannot tell them
// from our own memory. Leaks are checked by the memcheck tests instead, with
// a reviewed suppression file (tests/hardening/toolkit.supp).

// The runtime finds them in the dynamic symbol table: they keep default
// visibility under KDE's compiler settings, which hide everything else.
extern "C" {
__attribute__((visibility("default"))) const char *__asan_default_options();
__attribute__((visibility("default"))) const char *__ubsan_default_options();

const char *__asan_default_options()
{
    return "detect_leaks=0:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1";
}

const char *__ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
}
