# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Sourced by the scripts that need a private X server.
#
# start_xvfb: starts Xvfb on the first free display and exports DISPLAY.
# XVFB_PID is the server's process id: the caller ends that process, and
# only that one, when it is done.
start_xvfb() {
    local number
    exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
    XVFB_PID=$!
    read -r -u 3 number || { echo "Xvfb did not start" >&2; return 1; }
    exec 3<&-
    export DISPLAY=:$number
}
