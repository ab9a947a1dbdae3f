# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""Usage: wayland_test.py <Program> <binary>

Runs the program under a headless weston compositor with Qt's Wayland
platform: the window must appear under the program's desktop id with its size
limits, be painted, react (one action through AT-SPI, the compositor having no
input devices), and close with status 0 having printed nothing."""

import os

from desktopsession import (Session, accessibility, application, bounding_box, close_and_check, desktop_id,
                            main, poke, same_picture, wait_until)

# The largest width or height a widget can have: no limit.
UNLIMITED = 16777215


def run(name, binary, expected):
    with Session('wayland') as session:
        program = session.start(binary, accessible=bool(expected.get('poke')))
        app_id = '"%s"' % desktop_id(name)
        wait_until(lambda: session.requests('set_app_id'), what='an app id')
        if session.requests('set_app_id') != [app_id]:
            raise AssertionError('app ids %s, expected [%s]' % (session.requests('set_app_id'), app_id))
        # The window on the screen: only it differs from the plain background. Qt may draw a
        # title bar and frame around what the program draws (Qt 6 does here); the window's own
        # part is its size (700 x 500 for the fixed ones), the rest is that frame.
        shot = os.path.join(session.runtime, 'window.png')
        limits = expected['size']
        shown = expected.get('shown', limits[1])

        def painted():
            w, h, _, _ = bounding_box(session.screenshot(shot))
            frame = (w - shown[0], h - shown[1])
            return frame if 0 <= frame[0] <= 40 and 0 <= frame[1] <= 60 else None
        frame = wait_until(painted, what='the window on the screen')

        # The size limits: the program's own (Qt 5), or the program's own with that same frame
        # added (Qt 6), so that what the program draws stays within its limits. Where the
        # program sets none, Qt 6 sends the frame alone as the minimum and the largest size a
        # widget can have (16777215) plus the frame as the maximum.
        for request, size in zip(('set_min_size', 'set_max_size'), limits):
            framed = tuple(s + f for s, f in zip(size, frame))
            allowed = {size, framed}
            if size == (0, 0):
                allowed |= {frame, tuple(UNLIMITED + f for f in frame)}
            sent = [tuple(map(int, r.split(','))) for r in session.requests(request)[-1:]]
            if not sent or sent[0] not in allowed:
                raise AssertionError('%s %s, expected one of %s (a frame of %s around the window)'
                                     % (request, sent, sorted(allowed), frame))

        if expected.get('poke'):
            pyatspi = accessibility()
            window = application(pyatspi, name.lower()).getChildAtIndex(0)
            poke(session, window, expected['poke'])
            after = os.path.join(session.runtime, 'after.png')
            wait_until(lambda: not same_picture(shot, session.screenshot(after)),
                       what='the window to show the change')
        close_and_check(program)


if __name__ == '__main__':
    main(run)
