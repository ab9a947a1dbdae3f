# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""Usage: plasma_test.py <Program> <binary> [plasma | kwin-wayland]

Runs the program as a KDE Plasma user does, under KWin with the KDE platform
theme and the Breeze style, once with the Breeze Dark and once with the Breeze
Light colour scheme: on X11 with KWin as the window manager ('plasma', the
default), or in KWin 6's Wayland session, where Plasma 6 runs programs by
default, natively on Wayland ('kwin-wayland'). It must print nothing; KWin
must hold the window's caption and size limits (KWin 6); what it does must
hold under the style (real input, through KWin, at places the style gives);
every text it shows must stand at a contrast of at least 4.5:1 against what
it is drawn on, and every scroll bar and slider at 2:1 against the window,
read off the screen's pixels; and it must end with status 0 when KWin
closes it, once through KWin's own closeWindow() (KWin 6) and once through a
click on the title bar's close button. The Breeze Light run speaks German
(LANGUAGE=de, the catalogs of the build): the window, its caption and every
text a screen reader reads must be German, as programs.py says."""

import os
import re
import subprocess
import sys
import time

from accessibility_test import matches
from programs import qt_version, spoken
from desktopsession import (SKIP, Picture, Session, accessibility, application, click, close_through_window_manager,
                            contrast, contrast_ratio, desktop_id, ended_cleanly, find, main, most_common, poke,
                            role_name, screen_box, status_bar, wait_until, walk, window)

# Each colour scheme goes with one of the two ways a left click into a scroll bar's groove
# can work, which is the user's choice in KDE's settings: a page step (Plasma 5's default)
# or a jump to the place clicked (Plasma 6's); and with one of two ways KWin closes a
# window: its own closeWindow() (what it runs for a shortcut, a task bar's menu or a
# script; KWin 5's scripting differs, so Plasma 5 takes the button both times) or a click
# on the title bar's close button; and with one of two languages, English or German.
PAGE_STEPS = 'ScrollbarLeftClickNavigatesByPage'
CLOSE_WINDOW, CLOSE_BUTTON = 'closeWindow()', 'the close button'
SCHEMES = (('BreezeDark', {PAGE_STEPS: 'true'}, CLOSE_WINDOW, 'en'), ('BreezeLight', {PAGE_STEPS: 'false'}, CLOSE_BUTTON, 'de'))
# Most Plasma 6 laptops run at an output scale of 1.25 or 1.5. In KWin's Wayland session the
# programs that draw their window from a back buffer take the Breeze Light run at 1.5, where
# their steps must come out pixel for pixel as at 1 (the programs draw at the screen's
# resolution; the pictures are read at each pixel's centre).
SCALED = (1.5, 'BreezeLight', ('Pebblor', 'Driftel', 'Driftel2'))
# What KWin 6 holds for a window that sets no limit: no maximum (the largest int) and a
# minimum of KWin's own, none on X11, 150 x 150 on Wayland for any window it frames.
NO_MAXIMUM = (2 ** 31 - 1, 2 ** 31 - 1)
KWIN_MINIMUM = {'plasma': (0, 0), 'kwin-wayland': (150, 150)}
MINIMUM_CONTRAST = 4.5
# KWin's crash is asked for (DEMO_CRASH_KWIN=1), not done by default: Qt's Wayland client
# does not live through every reconnect. At exit after one, ~QWaylandDisplay may wait for
# ever for its event thread, which waits in wl_display_read_events() for another reader
# (the stacks read with gdb under Qt 6.11). Seen in about one crash in fifteen under Qt
# 6.11, and under Qt 6.8 once in a CI run of the suite (Glidor; 16 crashes in a run), in
# none of over 200 here; Qt 6.11 once died of SIGPIPE, writing to its old event thread's
# stop pipe after the thread had closed it.
CRASH_KWIN = os.environ.get('DEMO_CRASH_KWIN') == '1'
# Breeze draws scroll bars and sliders from a blend of the window's two colours
# and from the scheme's accent, which no text colour can take to 4.5:1 (with
# black text on pale yellow the blend reaches 2.9:1 under Breeze 5; the accent
# stands at 2.2:1 on Breeze Light's own window). Breeze 6 draws a thin handle,
# outlined at 2.33:1 or without its outline at 1.94:1 (seen on the vertical bar
# after page steps and the wheel); the window's text colour is already as dark
# as it goes. They must still stand out: without that text colour a dark scheme
# leaves them at about 1.1:1. By Plasma version:
MINIMUM_CONTROL_CONTRAST = {5: 2.0, 6: 1.9}
CONTROLS = ('scroll bar', 'slider')
# Breeze draws an unchecked radio button as a light disc with an outline blended from the
# window's colours: 1.6:1 against the window, as on Breeze Light's own windows. It must be
# drawn at all; what tells it from a checked one (the mark, the fill) must stand at 3:1.
MINIMUM_INDICATOR_CONTRAST = 1.5
MINIMUM_CHECKED_CONTRAST = 3.0


def minimum(plasma, role, kind):
    if kind == 'indicator':
        return MINIMUM_INDICATOR_CONTRAST
    if kind == 'checked':
        return MINIMUM_CHECKED_CONTRAST
    return MINIMUM_CONTROL_CONTRAST[plasma] if role in CONTROLS else MINIMUM_CONTRAST


class Run:
    """One program under the profile: its accessible window and real input."""

    def __init__(self, session, program, accessible, german, held):
        self.session, self.program, self.root, self.held = session, program, accessible, held
        self.frame = self.placed()
        self.german = german

    def placed(self):
        """Where KWin has put the window: framed, and in the same place twice in a row."""
        def still():
            first = window(self.session, self.program)
            time.sleep(0.2)
            return first[1] != (0, 0, 0, 0) and first == window(self.session, self.program) and first[0]
        return wait_until(still, what='KWin to place the window')

    def crash(self):
        """In KWin's Wayland session, KWin crashes and comes back: the program must live, its
        window be back as KWin held it before, where KWin puts it now. Elsewhere nothing
        happens, and here too unless asked for (CRASH_KWIN). The steps after it check what the
        program shows and that input reaches it."""
        if self.session.display != 'kwin-wayland' or not CRASH_KWIN:
            return
        self.session.crash_kwin(self.program)
        if self.program.process.poll() is not None:
            raise AssertionError('%s ended with status %d when KWin crashed' % (self.program.name, self.program.process.returncode))
        self.held()
        self.frame = self.placed()
        # The title bar painted again, before anything is read off the screen or clicked.
        (x, y, w, _), (left, right, top, _) = window(self.session, self.program)
        self.settled((x - left, y - top, w + left + right, top))

    def text(self, english):
        """A text of the program as it shows it in this run's language."""
        return self.german.get(english, english) if self.german is not None else english

    def find(self, role, name):
        return find(self.root, role, self.text(name))

    def xdotool(self, *args):
        if args[0] == 'mousemove':
            args = ('mousemove', *self.session.pointer(*args[1:3])) + args[3:]
        subprocess.run(['xdotool'] + [str(a) for a in args], env=self.session.env, check=True)

    def at(self, x, y):
        """A point of the window on the screen."""
        return self.frame[0] + x, self.frame[1] + y

    def click_in(self, role, name, fx=0.5, fy=0.5):
        click(self.session, self.find(role, name), fx, fy)

    def move(self, start, end, moves=10):
        """The pointer from start to end (window coordinates) in steps."""
        for i in range(1, moves + 1):
            self.xdotool('mousemove', *self.at(start[0] + (end[0] - start[0]) * i // moves,
                                               start[1] + (end[1] - start[1]) * i // moves))

    def settled(self, box):
        """The pixels of box once three pictures in a row agree."""
        last = []

        def still():
            last[:] = last[-2:] + [self.picture(box)]
            return len(last) == 3 and last[0] == last[1] == last[2] and last[0]
        return wait_until(still, 5, 'the window to settle')

    def shows(self, text, timeout=5.0):
        bar = status_bar(self.root)
        if isinstance(text, re.Pattern):
            return wait_until(lambda: text.fullmatch(bar.name) and bar.name, timeout,
                              'the status bar to match %s (it says "%s")' % (text.pattern, bar.name))
        text = self.text(text)
        wait_until(lambda: bar.name == text, timeout, 'the status bar to say "%s" (it says "%s")' % (text, bar.name))
        return text

    def picture(self, box=None):
        """The screen, or the pixels of box on it (Picture.crop)."""
        picture = Picture(self.session.screenshot(os.path.join(self.session.runtime, 'screen.png')))
        return picture if box is None else picture.crop(box)

    def checked(self, role, name):
        pyatspi = accessibility()
        return self.find(role, name).getState().contains(pyatspi.STATE_CHECKED)


# ---- What each program does under the style ------------------------------------

def wavelry(run):
    for band in ('AM', 'LW', 'FM'):
        poke(run.session, run.root, ('radio button', run.text(band), run.text('%s is true!' % band)))
        if band == 'AM':  # chosen when KWin crashes, and still after
            run.crash()
            run.shows('AM is true!')
            if not run.checked('radio button', 'AM'):
                raise AssertionError('AM is no longer checked')


def pebblor(run):
    def masks():
        for box in ('Maske1 Und', 'Makse2 Oder'):
            for state in (False, True):  # both are on at start-up
                run.click_in('check box', box)
                wait_until(lambda: run.checked('check box', box) == state, what='"%s" checked: %s' % (box, state))
    masks()
    # A fall with both masks on: the board stays pure blue, pixel for pixel, where the stone
    # passes behind it (above a hole, and below it), and the stone shows pure red in the hole
    # (the holes' middles are 100 pixels apart). KWin crashes while the stone is in the
    # first; the fall goes on to the second.
    blue, red = (0, 0, 255), (255, 0, 0)
    run.click_in('push button', 'Stein Move')

    def in_hole(n):
        picture = run.picture()
        for x, y in ((75, 101 + 100 * n), (75, 191 + 100 * n)):
            seen = picture.pixel(*run.at(x, y))
            if seen != blue:
                raise AssertionError('the board shows %s at (%d, %d) during the fall' % (seen, x, y))
        return picture.pixel(*run.at(75, 145 + 100 * n)) == red
    wait_until(lambda: in_hole(0), 10, 'the stone in the first hole')
    run.crash()
    wait_until(lambda: in_hole(1), 10, 'the stone in the second hole')
    masks()


def driftel(run):
    # A drag from the figure's start to a, on past the window's right and bottom edges to b,
    # and back. While the button is held, the positions out there keep coming: the figure
    # leaves the window (below the start figure the window is as before the drag). Back at a
    # the window is the same to the pixel as when the pointer was first there: every figure
    # drawn on the way was erased by drawing it again in XOR mode.
    x, y, w, h = run.frame
    lower = (x, y + 260, w, h - 260)  # below the start figure at (100, 200)
    start, a, b = (100, 200), (300, 400), (w + 150, h + 100)
    before = run.picture(lower)
    run.xdotool('mousemove', *run.at(*start), 'mousedown', 1)
    try:
        run.move(start, a)
        wait_until(lambda: run.picture(lower) != before, 5, 'the figure to follow the drag')
        at_a = run.settled(run.frame)
        now = window(run.session, run.program)[0]
        if now != run.frame:
            raise AssertionError('the drag moved the window from %s to %s, not the figure' % (run.frame, now))
        run.move(a, b)
        wait_until(lambda: run.picture(lower) == before, 5, 'the figure to leave the window')
        run.move(b, a)
        wait_until(lambda: run.picture(run.frame) == at_a, 5, 'the window to be as it was at %s' % (a,))
    finally:
        run.xdotool('mouseup', 1)
    # A click where the drag ended changes nothing; both positions are a from now on, and a
    # paint without a mouse event toggles the figure at a twice. So the paints the program
    # gets when KWin has crashed and it comes back (measured: two at a scale of 1, three at
    # 1.5) must leave the window exactly as it was, and so must those of a change of the
    # window's density and back. A press at the start then takes the figure away from a:
    # below the start figure the window is as before the drag.
    run.xdotool('click', 1)
    run.crash()
    if run.settled(run.frame) != at_a:
        raise AssertionError('the window is not as it was at %s after the click there%s' % (a, ' and KWin\'s crash' * CRASH_KWIN))
    if run.session.scale != 1:  # the density goes to 2 and back, as on a move to another screen
        for scale in (2, run.session.scale):
            run.session.rescale(scale)
        run.frame = run.placed()
        if run.settled(run.frame) != at_a:
            raise AssertionError('the window is not as it was before the density changed to 2 and back')
    x, y, w, h = run.frame
    run.xdotool('mousemove', *run.at(*start), 'click', 1)
    wait_until(lambda: run.picture((x, y + 260, w, h - 260)) == before, 5, 'the figure to leave a')


def glidor(run):
    # Both bars stand at 1. Breeze draws no arrows: a click near either end of a bar lands in
    # the groove, where it steps by a page of 10 or jumps to the place clicked, as the user
    # chose; the status bar shows the new value either way. The wheel moves by three steps.
    hor, ver = ('scroll bar', 'Horizontal value'), ('scroll bar', 'Vertical value')
    page_steps = run.session.kde_settings[PAGE_STEPS] == 'true'

    def value(bar):
        return round(run.find(*bar).queryValue().currentValue)
    for bar, fx, fy, page_step, jump in ((hor, 0.98, 0.5, 11, range(80, 101)), (hor, 0.02, 0.5, 1, range(0, 6)),
                                         (ver, 0.5, 0.98, 11, range(80, 101))):
        run.click_in(*bar, fx, fy)
        expected = [page_step] if page_steps else jump
        now = wait_until(lambda: value(bar) in expected and str(value(bar)),
                         what='%s at %s (it stands at %d)' % (bar[1], expected, value(bar)))
        run.shows(now)
    horizontal = value(hor)
    run.crash()  # the bars stand where they were
    if (value(hor), value(ver)) != (horizontal, int(now)):
        raise AssertionError('the bars stand at %d and %d, not %d and %s' % (value(hor), value(ver), horizontal, now))
    x, y, w, h = screen_box(run.session, run.find(*ver))
    for dy in (1, 0):  # the pointer onto the bar again, for the KWin that may have come since
        run.xdotool('mousemove', x + w // 2, y + int(h * 0.98) - dy)
    run.xdotool('click', 4)  # the wheel up, over the vertical bar: it alone moves
    run.shows(str(int(now) - 3))
    if (value(hor), value(ver)) != (horizontal, int(now) - 3):
        raise AssertionError('the bars stand at %d and %d, not %d and %d'
                             % (value(hor), value(ver), horizontal, int(now) - 3))


def quillet(run):
    run.click_in('text', 'Text to show')
    for text in ('Under Breeze', 'and after'):  # KWin crashes between the two
        run.xdotool('type', text)
        run.xdotool('key', 'Return')
        run.shows(text)
        wait_until(lambda: run.find('text', 'Text to show').queryText().characterCount == 0,
                   what='the field to be emptied')
        if text == 'Under Breeze':
            run.crash()
            run.shows(text)
            run.click_in('text', 'Text to show')


def tockwell(run):
    bar = status_bar(run.root)
    for crash in (True, False):  # KWin crashes between two ticks: the clock goes on
        first = run.shows(re.compile(r'\d\d:\d\d:\d\d'), 3)
        wait_until(lambda: bar.name != first, 3, 'the clock to tick')
        if crash:
            run.crash()


def notchly(run):
    run.click_in('slider', 'Value', fx=0.01)  # the handle at 0: focus, no move
    lcd = find(run.root, 'label', '0')
    for key, value in (('End', '9999'), ('Left', '9998'), ('Home', '0'), ('Right', '1'), ('Prior', '11'), ('Right', '12')):
        run.xdotool('key', key)
        wait_until(lambda: lcd.name == value, 5, 'the display to show %s after %s (it shows %s)' % (value, key, lcd.name))
        if value == '11':  # KWin crashes: the display keeps it, the slider takes keys again
            run.crash()
            if lcd.name != value or round(run.find('slider', 'Value').queryValue().currentValue) != 11:
                raise AssertionError('the slider and display show %s after the crash, not 11' % lcd.name)
            run.click_in('slider', 'Value', fx=0.01)


# behaviour: a function of the Run above
# texts: (role, name or None for all of that role, kind) of every text shown
#   text    a text on its own background (the box's most common colour)
#   label   a check box's or radio button's label, beside its indicator
#   title   a group's title, above its first child
#   window  a control or its drawing against the window around it
#   indicator  a check box's or radio button's indicator against the window around it
#   checked    the checked one's indicator against an unchecked one's, place by place: where
#              they differ most (a user tells them apart by their mark or fill)
PROFILE = {
    'Wavelry': (wavelry, [('status bar', None, 'text'), ('radio button', None, 'label'), ('panel', None, 'title'),
                          ('radio button', None, 'indicator'), ('radio button', None, 'checked')]),
    'Pebblor': (pebblor, [('check box', None, 'label'), ('label', 'Masken', 'text')]),
    'Driftel': (driftel, []),
    'Driftel2': (driftel, []),
    'Glidor': (glidor, [('status bar', None, 'text'), ('scroll bar', None, 'window')]),
    'Quillet': (quillet, [('status bar', None, 'text')]),
    'Tockwell': (tockwell, [('status bar', None, 'text')]),
    'Notchly': (notchly, [('label', None, 'window'), ('slider', None, 'window')]),
}


# ---- Contrast read off the screen ---------------------------------------------

def label_box(picture, box):
    """The part of a check box or radio button right of its indicator: the columns after the
    first run of drawn columns and the gap that ends it."""
    x, y, w, h = box
    background = most_common(picture.pixels(box))
    drawn = [any(p != background for p in picture.pixels((x + i, y, 1, h))) for i in range(w)]
    i = drawn.index(True) if True in drawn else w
    while i < w and (drawn[i] or not all(not d for d in drawn[i:i + 3])):
        i += 1
    return (x + i, y, w - i, h)


def indicator_box(picture, box):
    """The part of a check box or radio button left of its label."""
    x, y, w, h = box
    return (x, y, label_box(picture, box)[0] - x, h)


def around(run, picture, box):
    """The most common colour of a ring 4 pixels wide around box, within the window."""
    x, y, w, h = box
    return most_common([p for b in ((x - 4, y - 4, w + 8, 4), (x - 4, y + h, w + 8, 4), (x - 4, y, 4, h), (x + w, y, 4, h))
                        for p in picture.pixels(clip(b, run.frame))])


def measure(run, picture, role, name, kind):
    """(description, ratio, drawn colour, background colour) for each accessible of role."""
    found = [a for _, a in walk(run.root) if role_name(a) == role and (name is None or a.name == run.text(name))]
    if kind == 'checked':
        checked = [a for a in found if run.checked(role, a.name)]
        unchecked = [a for a in found if not run.checked(role, a.name)]
        if not checked or not unchecked:
            raise AssertionError('no checked and unchecked %s to compare' % role)
        one, other = (indicator_box(picture, screen_box(run.session, a)) for a in (checked[0], unchecked[0]))
        pairs = zip(picture.pixels(one), picture.pixels((other[0], other[1], one[2], one[3])))
        ratio, drawn, background = max((contrast_ratio(a, b), a, b) for a, b in pairs)
        yield '%s "%s" checked, against "%s"' % (role, checked[0].name, unchecked[0].name), ratio, drawn, background
        return
    for a in found:
        box = screen_box(run.session, a)
        background = None
        if kind == 'label':
            box = label_box(picture, box)
        elif kind == 'title':
            first = min(screen_box(run.session, a.getChildAtIndex(i))[1] for i in range(a.childCount))
            box = (box[0], box[1], box[2], first - box[1])
        elif kind == 'indicator':
            background = around(run, picture, box)
            box = indicator_box(picture, box)
        elif kind == 'window':
            background = around(run, picture, box)
        yield ('%s "%s"%s' % (role, a.name, ' (its indicator)' if kind == 'indicator' else ''),) + contrast(picture, box, background)


def clip(box, frame):
    x, y, w, h = box
    fx, fy, fw, fh = frame
    x0, y0, x1, y1 = max(x, fx), max(y, fy), min(x + w, fx + fw), min(y + h, fy + fh)
    return (x0, y0, max(0, x1 - x0), max(0, y1 - y0))


def held_by_kwin(session, program, name, expected):
    """KWin 6's record of the window: the program's desktop id, its caption (the window's
    title, with runs of spaces made one as KWin shows every caption, and the display name
    after it where Qt adds that), its size limits, and on Wayland its place. A Wayland client
    cannot ask for a place: the programs' (50, 1) and (1, 1) never reach KWin, which places
    the window by its own policy, Plasma 6's default: in the middle of the screen."""
    placed = session.kwin_window(program.process.pid)
    title = ' '.join(expected['window'][0].split())
    if placed['desktopFileName'] != desktop_id(name) or not (
            placed['caption'] == title or placed['caption'].startswith(title + ' \u2014 ')):
        raise AssertionError('KWin shows "%s" (%s), expected "%s" (%s)'
                             % (placed['caption'], placed['desktopFileName'], title, desktop_id(name)))
    minimum, maximum = expected['size']
    limits = (minimum if minimum != (0, 0) else KWIN_MINIMUM[session.display],
              maximum if maximum != (0, 0) else NO_MAXIMUM)
    if (placed['minSize'], placed['maxSize']) != limits:
        raise AssertionError('KWin holds the limits %s and %s, expected %s and %s'
                             % ((placed['minSize'], placed['maxSize']) + limits))
    x, y, w, h = placed['frameGeometry']
    width, height = session.screen
    if session.display == 'kwin-wayland' and (abs(x - (width - w) // 2) > 1 or abs(y - (height - h) // 2) > 1):
        raise AssertionError('KWin put the window at (%d, %d), not in the middle of the screen' % (x, y))


def translated(expected, german):
    """The entry of programs.py with its texts as german gives them."""
    def text(t):
        return german.get(t, t) if isinstance(t, str) else t
    return dict(expected, window=tuple(map(text, expected['window'])),
                widgets=[tuple(map(text, w)) for w in expected['widgets']])


def speaks(pyatspi, root, expected):
    """The window's name and description, and every accessible of programs.py showing with
    its name and description, in the language of expected."""
    if (root.name, root.description) != spoken(expected, qt_version()):
        raise AssertionError('the window is (%r, %r), expected %r'
                             % (root.name, root.description, spoken(expected, qt_version())))
    seen = [(role_name(a), a.name, a.description) for _, a in walk(root) if a.getState().contains(pyatspi.STATE_SHOWING)]
    for want in expected['widgets']:
        if not any(want[0] == s[0] and matches(want[1], s[1]) and want[2] == s[2] for s in seen):
            raise AssertionError('no %s showing as %r (seen: %s)' % (want[0], want[1:], seen))


def under(profile, scheme, kde_settings, closing, language, name, binary, expected):
    """The whole run under one colour scheme, settings and language; the contrast shortfalls
    it saw."""
    behaviour, texts = PROFILE[name]
    failures = []
    scale = SCALED[0] if profile == 'kwin-wayland' and scheme == SCALED[1] and name in SCALED[2] else 1
    if scale != 1:
        print('%s at an output scale of %g' % (scheme, scale), flush=True)
    german = expected['german'] if language == 'de' else None
    if german is not None:
        expected = translated(expected, german)
    # The program as installed (binary is in the build's install tree): its launcher, where the
    # desktop portal finds it, and its catalogs.
    installed = (os.path.dirname(binary), os.environ['DEMO_INSTALLED_DATA'])
    with Session(profile, scheme, kde_settings, scale, installed) as session:
        # The language as a user's desktop sets it.
        session.env.pop('LC_ALL', None)
        session.env.update(LANG='%s.UTF-8' % {'en': 'en_US', 'de': 'de_DE'}[language], LANGUAGE=language)
        program = session.start(binary, accessible=True)
        pyatspi = accessibility()
        root = application(pyatspi, name.lower()).getChildAtIndex(0)
        if german is not None:
            speaks(pyatspi, root, expected)
        if session.plasma >= 6:
            held_by_kwin(session, program, name, expected)
        run = Run(session, program, root, german, lambda: held_by_kwin(session, program, name, expected))
        behaviour(run)
        drivers = program.opengl_drivers()
        if drivers:
            raise AssertionError('OpenGL drivers loaded: ' + ', '.join(drivers))
        # The pointer off the window, so that no control is seen under it.
        run.xdotool('mousemove', session.screen[0] - 1, session.screen[1] - 1)
        time.sleep(0.3)
        picture = run.picture()
        for role, label, kind in texts:
            seen = list(measure(run, picture, role, label, kind))
            if not seen:
                raise AssertionError('no %s to measure' % role)
            for what, ratio, drawn, background in seen:
                print('%s %s: %.2f:1 (%s on %s)' % (scheme, what, ratio, drawn, background), flush=True)
                if ratio < minimum(session.plasma, role, kind):
                    failures.append('%s %s: %.2f:1' % (scheme, what, ratio))
        if closing == CLOSE_WINDOW and session.plasma >= 6:
            session.kwin_close(program)
            ended_cleanly(program)
        else:
            close_through_window_manager(session, program)
    return failures


def run_profile(profile, name, binary, expected):
    # Each scheme in a process of its own: the accessibility client keeps the first
    # session's bus for the life of the process.
    failed = []
    for scheme, kde_settings, closing, language in SCHEMES:
        pid = os.fork()
        if pid == 0:
            try:
                failures = under(profile, scheme, kde_settings, closing, language, name, binary, expected)
                if failures:
                    print('FAIL: contrast too low: ' + '; '.join(failures), flush=True)
                os._exit(1 if failures else 0)
            except AssertionError as e:
                print('FAIL: %s: %s' % (scheme, e), flush=True)
            except SystemExit as e:  # a skip
                sys.stdout.flush()
                os._exit(e.code)
            os._exit(1)
        status = os.waitstatus_to_exitcode(os.waitpid(pid, 0)[1])
        if status == SKIP:
            sys.exit(SKIP)
        if status != 0:
            failed.append(scheme)
    if failed:
        raise AssertionError('under %s, as printed above' % ' and '.join(failed))


if __name__ == '__main__':
    profile = sys.argv.pop(3) if len(sys.argv) > 3 else 'plasma'
    main(lambda name, binary, expected: run_profile(profile, name, binary, expected))
