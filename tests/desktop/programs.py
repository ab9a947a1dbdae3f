# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""What assistive technology and the compositor should see of each program.

window:   the main window's accessible (name, description); spoken() gives the name as the
          toolkit in use forms it
display:  the display name the title bar shows after a caption of the program's own
widgets:  everything below the window, depth first: (role, name, description);
          a status bar's name is the message it shows (a name set on it would
          hide the message from screen readers), so its description names it;
          a name may be a compiled pattern
size:     (minimum, maximum) size the window asks the compositor for
shown:    its size on the screen, if not the maximum
poke:     (role, name, status text after a click on it or None): a control that
          shows the program working
german:   the German of the texts above that are words (po/de), as the Plasma test's run
          under LANGUAGE=de must read them
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
        german={'KDE-QT RadioButton test!': 'KDE-QT-Test: Auswahlknöpfe', 'The band that is switched on': 'Das eingeschaltete Frequenzband',
                'RadioButton': 'Frequenzband', 'FM': 'UKW', 'AM': 'MW', 'LW': 'LW', 'FM is true!': 'UKW ist eingeschaltet!',
                'AM is true!': 'MW ist eingeschaltet!', 'LW is true!': 'LW ist eingeschaltet!'},
    ),
    'Pebblor': dict(
        window=("Pebblor, by the KDE-QT demo programs' authors",
                'A red stone falls behind a blue board and is seen only through its four holes'),
        display='QT-Demo',
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
        german={"Pebblor, by the KDE-QT demo programs' authors": 'Pebblor, von den Autoren der KDE-QT-Demoprogramme',
                'A red stone falls behind a blue board and is seen only through its four holes':
                'Ein roter Stein fällt hinter ein blaues Brett und ist nur durch dessen vier Löcher zu sehen',
                'Stein Move': 'Fallen lassen', 'Neu Zeichnen': 'Neu zeichnen', 'Masken': 'Masken',
                'Maske1 Und': 'Maske 1: UND', 'Makse2 Oder': 'Maske 2: ODER'},
    ),
    'Driftel': dict(
        window=('KDE-QT Driftel  "Hello World"  test!   ', 'Hold a mouse button and drag: the text Hello World! follows the pointer'),
        display='QT-Demo',
        widgets=[],
        size=((0, 0), (700, 500)),
        poke=None,
        german={'KDE-QT Driftel  "Hello World"  test!   ': 'KDE-QT-Driftel-Test „Hallo Welt“',
                'Hold a mouse button and drag: the text Hello World! follows the pointer':
                'Halten Sie eine Maustaste gedrückt und ziehen Sie: Der Text „Hallo Welt!“ folgt dem Mauszeiger'},
    ),
    'Driftel2': dict(
        window=('KDE-QT Driftel  "Hello World"  test!   ', 'Hold a mouse button and drag: a small red square follows the pointer'),
        display='QT-Demo',
        widgets=[],
        size=((0, 0), (700, 500)),
        poke=None,
        german={'KDE-QT Driftel  "Hello World"  test!   ': 'KDE-QT-Driftel-Test „Hallo Welt“',
                'Hold a mouse button and drag: a small red square follows the pointer':
                'Halten Sie eine Maustaste gedrückt und ziehen Sie: Ein kleines rotes Quadrat folgt dem Mauszeiger'},
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
        german={'KDE-QT Glidor test!': 'KDE-QT-Glidor-Test',
                'The value of the bar moved last, shown for a second': 'Der Wert der zuletzt bewegten Leiste, eine Sekunde lang angezeigt',
                'Horizontal value': 'Horizontaler Wert', 'Vertical value': 'Vertikaler Wert'},
    ),
    'Quillet': dict(
        window=('KDE-QT LineEdit test!', ''),
        widgets=[
            ('status bar', '', 'The text entered last'),
            ('text', 'Text to show', 'Return moves the text into the status bar'),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
        german={'KDE-QT LineEdit test!': 'KDE-QT-Test: Eingabezeile', 'The text entered last': 'Der zuletzt eingegebene Text',
                'Text to show': 'Anzuzeigender Text', 'Return moves the text into the status bar': 'Die Eingabetaste verschiebt den Text in die Statusleiste'},
    ),
    'Tockwell': dict(
        window=('KDE-QT Tockwell test!', ''),
        widgets=[
            ('status bar', re.compile(r'(\d\d:\d\d:\d\d)?'), 'The time'),
        ],
        size=((700, 500), (700, 500)),
        poke=None,
        german={'KDE-QT Tockwell test!': 'KDE-QT-Tockwell-Test', 'The time': 'Die Uhrzeit'},
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
        german={'KDE-QT Slider test!': 'KDE-QT-Test: Schieberegler', 'Status messages': 'Statusmeldungen',
                "The slider's value": 'Der Wert des Schiebereglers', 'Value': 'Wert'},
    ),
}

# Roles that a user operates or reads: each needs a name (a status bar its description).
NAMED_ROLES = {'push button', 'check box', 'radio button', 'slider', 'scroll bar', 'text', 'entry',
               'spin button', 'combo box', 'panel', 'frame', 'canvas', 'drawing area', 'filler'}


def spoken(entry, qt_version):
    """The main window's (name, description) as a screen reader reads them. The name is the
    window's title as the window manager shows it from Qt 6.11 on, which reads it from the
    platform window: the caption, then " — " and the display name where the program's
    caption is its own (as on the title bar, so that a screen reader's user hears what a
    sighted user reads). Qt 5.15 and 6.8 give the caption alone."""
    name, description = entry['window']
    if 'display' in entry and qt_version >= (6, 11):
        name += ' \u2014 ' + entry['display']
    return name, description


def qt_version():
    """The version of Qt the programs are built with (DEMO_QT_VERSION, from the build)."""
    import os
    return tuple(int(n) for n in os.environ['DEMO_QT_VERSION'].split('.')[:2])
