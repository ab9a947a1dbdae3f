#!/bin/sh
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The texts of Pebblor for its translators. KDE's translation tooling runs this
# in this folder with $XGETTEXT (xgettext and KDE's keywords, i18n() and the
# rest) and $podir set; the template pebblor.pot is what po/<language>/pebblor.po
# translates. The build makes the tests' pseudo-translation from it the same way.
$XGETTEXT *.cpp -o "$podir/pebblor.pot"
