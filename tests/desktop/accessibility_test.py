# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""Usage: accessibility_test.py <Program> <binary>

Starts the program on a private X server and reads its widget tree with a real
AT-SPI client, as a screen reader does: every control and status bar must be
there, showing and named as programs.py says, and the status bar must follow
what the program shows."""

import re

from desktopsession import Session, accessibility, application, close_and_check, main, poke, role_name, walk
from programs import NAMED_ROLES, qt_version, spoken


def matches(expected, actual):
    return expected.fullmatch(actual) is not None if isinstance(expected, re.Pattern) else expected == actual


def run(name, binary, expected):
    with Session('x11') as session:
        program = session.start(binary, accessible=True)
        pyatspi = accessibility()
        app = application(pyatspi, name.lower())
        if app.childCount != 1 or role_name(app.getChildAtIndex(0)) != 'frame':
            raise AssertionError('expected one frame, found %d children' % app.childCount)
        window = app.getChildAtIndex(0)
        if (window.name, window.description) != spoken(expected, qt_version()):
            raise AssertionError('window is (%r, %r), expected %r'
                                 % (window.name, window.description, spoken(expected, qt_version())))

        seen = []
        for depth, a in walk(window):
            if depth == 0:
                continue
            role, label, description = role_name(a), a.name, a.description
            seen.append((role, label, description))
            if not a.getState().contains(pyatspi.STATE_SHOWING):
                raise AssertionError('%s "%s" is not showing' % (role, label))
            if role == 'status bar' and not description:
                raise AssertionError('the status bar has no description')
            if role in NAMED_ROLES and not label:
                raise AssertionError('a %s has no name' % role)
        want = expected['widgets']
        if len(seen) != len(want) or not all(
                w[0] == s[0] and matches(w[1], s[1]) and w[2] == s[2] for w, s in zip(want, seen)):
            raise AssertionError('widget tree differs:\n  seen:     %s\n  expected: %s' % (seen, want))

        if expected.get('poke'):
            poke(session, window, expected['poke'])
        close_and_check(program)


if __name__ == '__main__':
    main(run)
