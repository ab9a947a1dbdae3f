# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""What assistive technology and the compositor should see of each program.

window:   the main window's accessible (name, description)
widgets:  everything below the window, depth first: (role, name, description);
          a status bar's name is the message it shows (a name set on it would
          hide the message from screen readers), so its description names it;
          a name may be a compiled pattern
size:     (minimum, maximum) size the window asks the compositor for
shown:    its size on the screen, if not the maximum
poke:     (role, name, status text after a click on it or None): a control that
          shows the program working
"""

import re

PROGRAMS = {
    'Wavelry': dict(
        window=('KDE-QT RadioButton test!', ''),
        widgets=[
            ('status bar', 'FM is true!', 'The band that is switched on'),
            ('panel', 'RadioButton', ''),
            ('radio button', 'FM', ''),
            ('radio button', 'AM', ''),
            ('radio button', 'LW', ''),
        ],
        size=((700, 500), (700, 500)),
        poke=('radio button', 'AM', 'AM is true!'),
    ),
    'Pebblor': dict(
        window=("Pebblor, by the KDE-QT demo programs' authors",
                'A red stone falls behind a blue board and is seen only through its four holes'),
        widgets=[
            ('push button', 'Stein Move', ''),
            ('push button', 'Neu Zeichnen', ''),
            ('label', 'Masken', ''),
            ('check box', 'Maske1 Und', ''),
            ('check box', 'Makse2 Oder', ''),
        ],
        size=((0, 0), (0, 0)),
        shown=(400, 525),
        poke=('push button', 'Stein Move', None),
    ),
    'Driftel': dict(
        window=('KDE-QT Driftel  "Hello World"  test!   ', 'Hold a mouse button and drag: the text Hello World! follows the pointer'),
        widgets=[],
        size=((0, 0), (700, 500)),
        poke=None,
    ),
    'Driftel2': dict(
        window=('KDE-QT Driftel  "Hello World"  test!   ', 'Hold a mouse button and drag: a small red square follows the pointer'),
        widgets=[],
        size=((0, 0), (700, 500)),
        poke=None,
    ),
    'Glidor': dict(
        window=('KDE-QT Glidor test!', ''),
        widgets=[
            ('status bar', '', 'The value of the bar moved last, shown for a second'),
            ('scroll bar', 'Horizontal value', ''),
            ('scroll bar', 'Vertical value', ''),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
    ),
    'Quillet': dict(
        window=('KDE-QT LineEdit test!', ''),
        widgets=[
            ('status bar', '', 'The text entered last'),
            ('text', 'Text to show', 'Return moves the text into the status bar'),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
    ),
    'Tockwell': dict(
        window=('KDE-QT Tockwell test!', ''),
        widgets=[
            ('status bar', re.compile(r'(\d\d:\d\d:\d\d)?'), 'The time'),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
    ),
    'Notchly': dict(
        window=('KDE-QT Slider test!', ''),
        widgets=[
            ('status bar', '', 'Status messages'),
            ('label', '0', "The slider's value"),
            ('slider', 'Value', ''),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
    ),
}

# Roles that a user operates or reads: each needs a name (a status bar its description).
NAMED_ROLES = {'push button', 'check box', 'radio button', 'slider', 'scroll bar', 'text', 'entry',
               'spin button', 'combo box', 'panel', 'frame', 'canvas', 'drawing area', 'filler'}
