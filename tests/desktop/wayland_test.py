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


def run(name, binary, expected):
    with Session('wayland') as session:
        program = session.start(binary, accessible=bool(expected.get('poke')))
        app_id = '"%s"' % desktop_id(name)
        wait_until(lambda: session.requests('set_app_id'), what='an app id')
        if session.requests('set_app_id') != [app_id]:
            raise AssertionError('app ids %s, expected [%s]' % (session.requests('set_app_id'), app_id))
        (min_w, min_h), maximum = expected['size']
        for request, size in (('set_min_size', (min_w, min_h)), ('set_max_size', maximum)):
            if session.requests(request)[-1:] != ['%d, %d' % size]:
                raise AssertionError('%s: %s, expected %s' % (request, session.requests(request), size))

        # Only the window differs from the plain background; decorations may add a frame.
        shot = os.path.join(session.runtime, 'window.png')

        shown_w, shown_h = expected.get('shown', maximum)

        def painted():
            w, h, _, _ = bounding_box(session.screenshot(shot))
            return shown_w <= w <= shown_w + 40 and shown_h <= h <= shown_h + 60
        wait_until(painted, what='the window on the screen')

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
