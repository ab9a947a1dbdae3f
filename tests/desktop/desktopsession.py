# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later

"""A private desktop session for end-to-end tests of the real programs.

A session has its own runtime directory, configuration directory and session
D-Bus, and a display: a private Xvfb server, a headless weston compositor, or
one of the two KDE profiles, a KDE user's desktop with the KDE platform theme,
the Breeze style and a colour scheme: 'plasma', KWin as the X11 window manager
on a private Xvfb, and 'kwin-wayland', KWin 6's Wayland session (Plasma 6's
default) running headless inside a private Xvfb, the programs on Qt's Wayland
platform. Programs started in it can be read through the accessibility bus
(AT-SPI), asked to close through their main window's D-Bus interface or
through the window manager, sent real input and photographed.

Outside the KDE profiles a session states its style: Fusion, Qt's generic
platform theme and an empty configuration, so that the desktop settings of
whoever runs the tests cannot change what the programs look like.
"""

import collections
import itertools
import json
import math
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77  # ctest's SKIP_RETURN_CODE for the tests built on this module
SCREEN = (1024, 768)  # every session's screen
# The screen in device pixels of a session at an output scale above 1 (Session's scale).
SCALED_SCREEN = (2048, 1536)

# The names the desktop knows a program by; the install rules use the same.
ID_PREFIX = 'internal.kdeqtdemos'


def desktop_id(program):
    return '%s.%s' % (ID_PREFIX, program.lower())


def skip(reason):
    print('SKIP: ' + reason)
    sys.exit(SKIP)


def require(*tools):
    for tool in tools:
        if shutil.which(tool) is None and not os.access(tool, os.X_OK):
            skip('%s is not installed (scripts/deps.sh installs it)' % tool)


def wait_until(condition, timeout=15.0, what='condition'):
    """Polls condition until it returns something true; that value, or AssertionError."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError('timed out waiting for ' + what)
        time.sleep(0.1)


# The KDE profiles, and the KWin each one runs.
KDE_PROFILES = {'plasma': 'kwin_x11', 'kwin-wayland': 'kwin_wayland'}


OPENGL_DRIVER = re.compile(r'\S*(?:libGLX_mesa|libEGL_mesa|_dri\.so|libgallium)\S*$', re.M)


class Program:
    def __init__(self, session, binary, env):
        self.session = session
        self.name = os.path.basename(binary)
        self.component = self.name.lower()
        self.output_path = os.path.join(session.runtime, self.name + '.out')
        self.crashed_at = None  # how much it had printed when KWin crashed, if it did
        with open(self.output_path, 'wb') as out:
            self.process = subprocess.Popen([binary], env=env, stdout=out, stderr=subprocess.STDOUT,
                                            stdin=subprocess.DEVNULL)

    def output(self):
        with open(self.output_path, 'rb') as out:
            return out.read().decode(errors='replace')

    def bus_name(self):
        """The program's unique name on the session bus, once it has one."""
        bus = self.session.bus()
        names = bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                              'ListNames', None, None, 0, 2000, None).unpack()[0]
        for name in names:
            if not name.startswith(':'):
                continue
            try:
                pid = bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                                    'GetConnectionUnixProcessID', self.session.variant('(s)', (name,)),
                                    None, 0, 2000, None).unpack()[0]
            except Exception:  # the name has gone meanwhile
                continue
            if pid == self.process.pid:
                return name
        return None

    def close(self):
        """Closes the main window as a user does: KMainWindow's scripting interface on
        the session bus runs QWidget::close(), the path of the window's close button."""
        name = wait_until(self.bus_name, what='%s on the session bus' % self.name)
        path = '/%s/MainWindow_1' % self.component
        wait_until(lambda: self._call_close(name, path), what='the main window object %s' % path)

    def _call_close(self, name, path):
        try:
            return self.session.bus().call_sync(name, path, 'org.qtproject.Qt.QWidget', 'close', None,
                                                None, 0, 5000, None).unpack()[0]
        except Exception:  # not registered yet
            return False

    def opengl_drivers(self):
        """The OpenGL drivers mapped into the process (Mesa's, by file name); the dispatch
        libraries Qt links against (libGL, libEGL, ...) are not drivers."""
        with open('/proc/%d/maps' % self.process.pid) as maps:
            return sorted(set(OPENGL_DRIVER.findall(maps.read())))

    def wait(self, timeout=15.0):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError('%s did not end within %g s' % (self.name, timeout))


def color_scheme(scheme):
    """The installed colour scheme file <scheme>.colors from the system's data folders."""
    for folder in (os.environ.get('XDG_DATA_DIRS') or '/usr/local/share:/usr/share').split(':'):
        path = os.path.join(folder, 'color-schemes', scheme + '.colors')
        if os.path.exists(path):
            return path
    skip('no colour scheme %s.colors (the breeze package installs it)' % scheme)


class Session:
    """display: 'x11' (Xvfb), 'wayland' (weston, headless), 'plasma' (kwin_x11 on Xvfb) or
    'kwin-wayland' (kwin_wayland inside Xvfb); the last two with the KDE platform theme,
    Breeze and the colour scheme scheme, and the [KDE] settings of kde_settings, e.g.
    {'ScrollbarLeftClickNavigatesByPage': 'true'}. 'kwin-wayland' takes an output scale as a
    user sets it in the display settings (1.5: SCALED_SCREEN is 1366 x 1024 pixels of the
    desktop's); screen is the screen's size in those pixels, in which KWin, AT-SPI, the
    pictures (screenshot) and the input (pointer) count. installed is the (programs, data)
    folders of an install tree that the session has as a user's installed system has its
    programs: first on the PATH and among the data folders, from the session bus on, which
    starts the desktop's services (the desktop portal finds a program's launcher there)."""

    def __init__(self, display, scheme='BreezeDark', kde_settings=None, scale=1, installed=None):
        self.display = display
        self.scale = scale
        self.device_screen = SCALED_SCREEN if scale != 1 else SCREEN
        self.screen = tuple(math.ceil(d / scale) for d in self.device_screen)  # as KWin rounds it
        self.processes = []
        self.runtime = tempfile.mkdtemp(prefix='desktop-session-')
        os.chmod(self.runtime, 0o700)
        self.env = dict(os.environ)
        for name in ('DISPLAY', 'WAYLAND_DISPLAY', 'DBUS_SESSION_BUS_ADDRESS', 'AT_SPI_BUS_ADDRESS',
                     'QT_QPA_PLATFORM', 'QT_SCALE_FACTOR', 'QT_STYLE_OVERRIDE', 'QT_QPA_PLATFORMTHEME',
                     'XDG_CURRENT_DESKTOP', 'KDE_FULL_SESSION', 'KDE_SESSION_VERSION', 'DESKTOP_SESSION',
                     'GNOME_DESKTOP_SESSION_ID', 'XDG_SESSION_TYPE'):
            self.env.pop(name, None)
        self.env['XDG_RUNTIME_DIR'] = self.runtime
        if installed:
            programs, data = installed
            self.env['PATH'] = programs + ':' + self.env.get('PATH', '/usr/bin:/bin')
            self.env['XDG_DATA_DIRS'] = data + ':' + (self.env.get('XDG_DATA_DIRS') or '/usr/local/share:/usr/share')
        config = os.path.join(self.runtime, 'config')
        os.mkdir(config)
        self.env['XDG_CONFIG_HOME'] = config
        self.placed = {}  # pid: the window's place on the screen, once looked up
        if display in KDE_PROFILES:
            # A new user's settings: the scheme's colours, its name and the Breeze style.
            self.kde_settings = kde_settings or {}
            kde = dict(widgetStyle='Breeze', **self.kde_settings)
            with open(color_scheme(scheme)) as colors, open(os.path.join(config, 'kdeglobals'), 'w') as f:
                f.write(colors.read() + '\n[General]\nColorScheme=%s\n\n[KDE]\n' % scheme)
                f.writelines('%s=%s\n' % setting for setting in kde.items())
                # Plasma's platform theme (5.27 and 6.3 here; up to 6.6) makes an OpenGL context in
                # every program at start-up, to try the driver for Qt Quick, unless the user has
                # chosen Qt Quick's renderer. Software rendering is chosen, which nothing here uses,
                # so that a driver in a program's memory is the program's own doing.
                f.write('\n[QtQuickRendererSettings]\nSceneGraphBackend=software\n')
            self.env.update(QT_QPA_PLATFORMTHEME='kde', XDG_CURRENT_DESKTOP='KDE', KDE_FULL_SESSION='true')
        else:
            self.env.update(QT_STYLE_OVERRIDE='Fusion', QT_QPA_PLATFORMTHEME='generic')
        self._bus = None

    def __enter__(self):
        try:
            self._start_bus()
            if self.display == 'wayland':
                self._start_weston()
            else:
                self._start_x11()
            if self.display in KDE_PROFILES:
                self._update_activation_environment()  # before KWin, as Plasma's session start does
            if self.display == 'plasma':
                self._start_kwin()
            elif self.display == 'kwin-wayland':
                self._start_kwin_wayland()
            if self.display in KDE_PROFILES:
                self._start_portal()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        # What runs in this process (AT-SPI, Gio) talks to the session's bus.
        os.environ.update(self.env)
        return self

    def __exit__(self, *exc):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def _spawn(self, argv, **kwargs):
        kwargs.setdefault('stdout', subprocess.DEVNULL)
        kwargs.setdefault('stderr', subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, **kwargs)
        self.processes.append(p)
        return p

    def _start_bus(self):
        require('dbus-daemon')
        p = self._spawn(['dbus-daemon', '--session', '--nofork', '--nopidfile', '--print-address=1',
                         '--address=unix:dir=' + self.runtime], stdout=subprocess.PIPE)
        self.env['DBUS_SESSION_BUS_ADDRESS'] = p.stdout.readline().decode().strip()

    def _start_x11(self):
        require('Xvfb', 'xdotool', 'import')
        read, write = os.pipe()
        # -noreset: like a desktop's server, which always has clients, it keeps the root window's
        # properties when its last client leaves. The accessibility bus's launcher puts the bus's
        # address there and disconnects.
        self._spawn(['Xvfb', '-displayfd', str(write), '-screen', '0', '%dx%dx24' % self.device_screen, '-nolisten', 'tcp',
                     '-noreset'], pass_fds=(write,))
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise AssertionError('Xvfb did not start')
        self.env['DISPLAY'] = ':' + number
        self.env['QT_QPA_PLATFORM'] = 'xcb'

    def _start_kwin(self):
        """KWin without compositing (Xvfb has no GL worth the name); its own output goes to
        kwin.log. It is ready once it has set _NET_SUPPORTING_WM_CHECK on the root window.
        Under load it was seen to end at once, unable to connect to a server that had just
        started; it gets three tries."""
        require('kwin_x11', 'xprop')
        self._announce_plasma()
        env = dict(self.env, KWIN_COMPOSE='N')
        for attempt in range(3):
            log = open(os.path.join(self.runtime, 'kwin.log'), 'wb')
            self.kwin = subprocess.Popen(['kwin_x11'], env=env, stdin=subprocess.DEVNULL, stdout=log,
                                         stderr=subprocess.STDOUT)
            log.close()
            self.processes.append(self.kwin)
            if wait_until(lambda: self.kwin.poll() is not None or self._root_property('_NET_SUPPORTING_WM_CHECK'),
                          30, 'kwin_x11 to manage the screen') is True and self.kwin.poll() is None:
                return
        raise AssertionError('kwin_x11 ended with status %d:\n%s' % (self.kwin.returncode, self.kwin_log()))

    def _announce_plasma(self):
        """Plasma 5 or 6: KWin's own major version, which the session announces as KDE's. Asked
        off the session's bus: a Qt 6 program on it starts the desktop portal, which would then
        run without the session's display, and KWin's X11 build needs a display to say it."""
        kwin = KDE_PROFILES[self.display]
        off_bus = dict(self.env, DBUS_SESSION_BUS_ADDRESS='unix:path=' + os.path.join(self.runtime, 'no-bus'))
        version = subprocess.run([kwin, '--version'], env=off_bus, capture_output=True, text=True).stdout
        self.plasma = int(re.search(r'(\d+)\.\d+', version).group(1))
        self.env['KDE_SESSION_VERSION'] = str(self.plasma)

    def _update_activation_environment(self):
        """The session's environment to its bus, as Plasma's session start hands it on once the
        display is up: the services the bus starts (KWin starts the desktop portal) run on the
        session's display."""
        self.bus().call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                             'UpdateActivationEnvironment', self.variant('(a{ss})', (self.env,)), None, 0, 5000, None)

    def _start_portal(self):
        """Under Plasma 6, the desktop portal with its KDE back end, up before any program
        starts, as at a login. (Started instead by a program's own first call, the portal
        appears on the bus while Qt 6.11 waits for it, and Qt registers the program a second
        time, which the portal refuses: "Connection already associated with an application
        ID".)"""
        self._update_activation_environment()  # with KWin's Wayland display, where there is one
        if self.plasma < 6:
            return
        services = self.bus().call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                                        'ListActivatableNames', None, None, 0, 5000, None).unpack()[0]
        for service in ('org.freedesktop.impl.portal.desktop.kde', 'org.freedesktop.portal.Desktop'):
            if service not in services:
                skip('no %s on the session bus (xdg-desktop-portal-kde; scripts/deps.sh installs it)' % service)
            self.bus().call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                                 'StartServiceByName', self.variant('(su)', (service, 0)), None, 0, 25000, None)

    def _start_kwin_wayland(self):
        """KWin's Wayland session, headless: KWin composites (in software) into one X window
        that fills the private Xvfb's screen, so that a photograph of the X screen is what
        KWin shows, and real X input on that display reaches KWin as a seat's pointer and
        keyboard, which it passes on to its Wayland clients. Its own output, and what its
        scripts print, goes to kwin.log. Started as Plasma 6 starts it: through
        kwin_wayland_wrapper, which holds the Wayland socket (it names it: wayland-0 in the
        runtime folder) and starts KWin again when it crashes, and with QT_WAYLAND_RECONNECT,
        with which Qt programs live through that. It is ready once the socket exists and KWin
        is on the session bus. Only KWin 6 counts: Plasma 5's Wayland session is not what
        this tests."""
        require('kwin_wayland', 'kwin_wayland_wrapper')
        self._announce_plasma()
        if self.plasma < 6:
            skip('kwin_wayland is KWin %d; this profile is Plasma 6\'s (KWin 6)' % self.plasma)
        socket = 'wayland-0'
        with open(os.path.join(self.runtime, 'kwin.log'), 'wb') as log:
            self.kwin = self._spawn(['kwin_wayland_wrapper', '--x11-display', self.env['DISPLAY'], '--width',
                                     str(self.device_screen[0]), '--height', str(self.device_screen[1]),
                                     '--no-lockscreen'],
                                    stdout=log, stderr=subprocess.STDOUT)
        wait_until(lambda: self.kwin.poll() is not None or (
            os.path.exists(os.path.join(self.runtime, socket)) and self._on_bus('org.kde.KWin')),
                   30, 'kwin_wayland')
        if self.kwin.poll() is not None:
            raise AssertionError('kwin_wayland ended with status %d:\n%s' % (self.kwin.returncode, self.kwin_log()))
        self.env.update(WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM='wayland', XDG_SESSION_TYPE='wayland',
                        QT_WAYLAND_RECONNECT='1')
        if self.scale != 1:
            require('kscreen-doctor')
            self.rescale(self.scale)

    def rescale(self, scale):
        """KWin's output scaled by scale, as the display settings do it (kwin_wayland --scale
        only enlarges its X window). The pictures are still read at the session's scale."""
        subprocess.run(['kscreen-doctor', 'output.1.scale.%g' % scale], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: self._scaled(scale), 10, 'KWin to scale its output by %g' % scale)

    def _scaled(self, scale):
        out = subprocess.run(['kscreen-doctor', '-o'], env=self.env, capture_output=True, text=True).stdout
        return re.search(r'Scale:\s*%g\s' % scale, re.sub(r'\x1b\[[0-9;]*m', '', out))

    def _kwin_process(self):
        """The process id of the KWin the wrapper runs now, if one runs."""
        out = subprocess.run(['pgrep', '-P', str(self.kwin.pid), '-x', 'kwin_wayland'], capture_output=True, text=True)
        return int(out.stdout.split()[0]) if out.stdout.split() else None

    def crash_kwin(self, program):
        """KWin crashes (SIGSEGV) under the program's feet, and is back: the wrapper's new KWin
        on the session bus, with the output's scale it had. What the program prints from now
        on may be Qt's reconnect lines (RECONNECTED); until now it printed nothing."""
        printed = unexpected(program.output(), TOOLKIT_ANSWERS)
        if printed:
            raise AssertionError('%s printed before KWin crashed:\n%s' % (program.name, '\n'.join(printed)))
        program.crashed_at = len(program.output())
        old = self._kwin_process()
        os.kill(old, signal.SIGSEGV)
        wait_until(lambda: self._kwin_process() not in (None, old) and self._on_bus('org.kde.KWin'), 30,
                   'the wrapper to start KWin again')
        if self.scale != 1:
            wait_until(lambda: self._scaled(self.scale), 10, 'KWin to scale its output by %g again' % self.scale)
        self.placed.clear()

    def _on_bus(self, name):
        return self.bus().call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
                                    'NameHasOwner', self.variant('(s)', (name,)), None, 0, 2000, None).unpack()[0]

    def kwin_window(self, pid):
        """KWin's record of the window of process pid (as kwin_windows() gives it), once it is
        shown; where its inside is goes into placed."""
        window = kwin_window(self.bus(), self.runtime, pid)
        self.placed[pid] = window['clientGeometry']
        return window

    def kwin_close(self, program):
        """KWin closes the program's window, as it does for any reason of its own: closeWindow()
        (on Wayland, a close event to the client; on X11, WM_DELETE_WINDOW)."""
        kwin_script(self.bus(), self.runtime,
                    'for (const w of workspace.windowList()) if (w.pid == %d) w.closeWindow();' % program.process.pid)

    def _root_property(self, name):
        out = subprocess.run(['xprop', '-root', name], env=self.env, capture_output=True, text=True).stdout
        return 'window id' in out

    def kwin_log(self):
        with open(os.path.join(self.runtime, 'kwin.log'), errors='replace') as f:
            return f.read()

    def _start_weston(self):
        require('weston', 'weston-screenshooter', 'weston-debug')
        config = os.path.join(self.runtime, 'weston.ini')
        with open(config, 'w') as f:
            # A plain background, no panel and no animations: whatever is not
            # background in a screenshot is a program's window.
            f.write('[core]\nidle-time=0\n'
                    '[shell]\npanel-position=none\nbackground-color=0xff204060\nlocking=false\n'
                    'animation=none\nstartup-animation=none\nclose-animation=none\nfocus-animation=none\n')
        socket = 'wayland-demo'
        self.weston = self._spawn(['weston', '--backend=headless-backend.so', '--socket=' + socket,
                                   '--idle-time=0', '--use-pixman', '--debug', '--config=' + config,
                                   '--width=%d' % SCREEN[0], '--height=%d' % SCREEN[1],
                                   '--log=' + os.path.join(self.runtime, 'weston.log')])
        wait_until(lambda: os.path.exists(os.path.join(self.runtime, socket)) or self.weston.poll() is not None,
                   what='weston')
        if self.weston.poll() is not None:
            raise AssertionError('weston did not start: ' + self.weston_log())
        self.env['WAYLAND_DISPLAY'] = socket
        self.env['QT_QPA_PLATFORM'] = 'wayland'
        # The compositor's record of every request: app ids, size limits.
        self.protocol_log = os.path.join(self.runtime, 'protocol.log')
        self._spawn(['weston-debug', 'proto', '-o', self.protocol_log])
        wait_until(lambda: os.path.exists(self.protocol_log), what='the protocol log')

    def weston_log(self):
        with open(os.path.join(self.runtime, 'weston.log'), errors='replace') as f:
            return f.read()

    def requests(self, request):
        """Arguments of every logged Wayland request of this name, e.g. 'set_app_id'."""
        with open(self.protocol_log, errors='replace') as f:
            return re.findall(r' rq \w+@\d+\.%s\((.*)\)$' % re.escape(request), f.read(), re.M)

    def start(self, binary, accessible=False):
        """Starts a program. With accessible, Qt's AT-SPI bridge is on from the start, and the
        accessibility bus is up before the program, as on a desktop."""
        env = dict(self.env)
        if accessible:
            env['QT_LINUX_ACCESSIBILITY_ALWAYS_ON'] = '1'
            self._start_accessibility_bus()
        return Program(self, binary, env)

    def _start_accessibility_bus(self):
        """The accessibility bus, once a session, all the way up before any program, as on a
        desktop: its name owned on the session bus and its address handed out, which the
        launcher does only once the bus runs and, on X11, its address is on the root window.
        A program that starts while the bus comes up can find the name while the root window
        has no address yet; Qt then turns its bridge on before it has connected to the bus,
        and the program never registers (one session in eight under load)."""
        if hasattr(self, 'a11y_bus'):
            return
        launcher = '/usr/libexec/at-spi-bus-launcher'
        require(launcher)
        self.a11y_bus = self._spawn([launcher, '--launch-immediately'])
        wait_until(lambda: self.a11y_bus.poll() is not None or self._on_bus('org.a11y.Bus'), what='the accessibility bus')
        if self.a11y_bus.poll() is not None:
            raise AssertionError('at-spi-bus-launcher ended with status %d' % self.a11y_bus.returncode)
        self.bus().call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None, None, 0, 15000, None)

    def bus(self):
        if self._bus is None:
            self._bus = connect(self.env['DBUS_SESSION_BUS_ADDRESS'])
        return self._bus

    @staticmethod
    def variant(signature, value):
        from gi.repository import GLib
        return GLib.Variant(signature, value)

    def pointer(self, x, y):
        """The place on the X screen, in device pixels, of the desktop's pixel (x, y): its centre."""
        return (x, y) if self.scale == 1 else (int((x + 0.5) * self.scale), int((y + 0.5) * self.scale))

    def screenshot(self, path):
        """The whole screen as a PNG file, in the desktop's pixels: at an output scale above 1
        each the device pixel at its centre (ImageMagick's -sample), colours as they are."""
        if self.display == 'wayland':
            shots = os.path.join(self.runtime, 'shots')
            shutil.rmtree(shots, ignore_errors=True)
            os.mkdir(shots)
            subprocess.run(['weston-screenshooter'], cwd=shots, env=self.env, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            shutil.move(os.path.join(shots, os.listdir(shots)[0]), path)
        else:
            subprocess.run(['import', '-window', 'root', path], env=self.env, check=True)
            if self.scale != 1:
                subprocess.run(['convert', path, '-sample', '%dx%d!' % self.screen, path], check=True)
        return path


def connect(address):
    """A connection to the D-Bus bus at address."""
    from gi.repository import Gio
    return Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
        None, None)


_scripts = itertools.count()


def kwin_script(bus, runtime, body):
    """A KWin script run over D-Bus in the session whose bus and runtime folder these are;
    what it hands to say(value), back from JSON. KWin prints it into kwin.log, each line
    marked with this run's own tag."""
    from gi.repository import GLib
    tag = 'demo-%d-%d' % (os.getpid(), next(_scripts))
    path = os.path.join(runtime, tag + '.js')
    with open(path, 'w') as f:
        f.write('function say(value) { console.info("%s " + JSON.stringify(value)); }\n%s\nsay("end");\n'
                % (tag, body))
    log = os.path.join(runtime, 'kwin.log')

    def call(path, interface, method, args=None):
        return bus.call_sync('org.kde.KWin', path, interface, method, args, None, 0, 5000, None).unpack()

    number = call('/Scripting', 'org.kde.kwin.Scripting', 'loadScript', GLib.Variant('(ss)', (path, tag)))[0]
    try:
        call('/Scripting/Script%d' % number, 'org.kde.kwin.Script', 'run')

        def said():
            with open(log, errors='replace') as f:
                values = [json.loads(line.split(tag + ' ', 1)[1]) for line in f if tag + ' ' in line]
            return values if values and values[-1] == 'end' else None
        return wait_until(said, 10, 'KWin to run a script')[:-1]
    finally:
        call('/Scripting', 'org.kde.kwin.Scripting', 'unloadScript', GLib.Variant('(s)', (tag,)))
        os.remove(path)


def kwin_windows(bus, runtime):
    """KWin's own record of each window: a dict with pid, caption, desktopFileName,
    frameGeometry and clientGeometry (x, y, width, height: the window with and without the
    frame KWin draws around it), minSize and maxSize (width, height)."""
    def box(rect):
        return tuple(round(rect[k]) for k in ('x', 'y', 'width', 'height'))
    windows = kwin_script(bus, runtime, """
        for (const w of workspace.windowList())
            say({pid: w.pid, caption: w.caption, desktopFileName: w.desktopFileName,
                 frameGeometry: w.frameGeometry, clientGeometry: w.clientGeometry,
                 minSize: w.minSize, maxSize: w.maxSize});""")
    for w in windows:
        w['frameGeometry'], w['clientGeometry'] = box(w['frameGeometry']), box(w['clientGeometry'])
        w['minSize'], w['maxSize'] = (tuple(round(w[k][d]) for d in ('width', 'height'))
                                      for k in ('minSize', 'maxSize'))
    return windows


def kwin_window(bus, runtime, pid):
    """KWin's record of the window of process pid, once it is shown with its caption."""
    def shown():
        return [w for w in kwin_windows(bus, runtime) if w['pid'] == pid and w['caption']]
    return wait_until(shown, what='KWin to show the window of process %d' % pid)[-1]


def bounding_box(png):
    """(width, height, x, y) of all that differs from the picture's corner colour."""
    out = subprocess.run(['convert', png, '-trim', '-format', '%@', 'info:'], check=True,
                         capture_output=True, text=True).stdout
    w, h, x, y = map(int, re.match(r'(\d+)x(\d+)\+(\d+)\+(\d+)', out).groups())
    return w, h, x, y


def same_picture(a, b):
    out = subprocess.run(['compare', '-metric', 'AE', a, b, 'null:'], capture_output=True, text=True)
    return out.stderr.strip().split()[0] == '0'


def accessibility():
    """pyatspi, imported once the session's bus is set."""
    try:
        import pyatspi
    except ImportError:
        skip('python3-pyatspi is not installed for %s (scripts/deps.sh installs it)' % sys.executable)
    return pyatspi


def application(pyatspi, component, timeout=20.0):
    """The program's accessible application, once it has registered."""
    def registered():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == component and app.childCount > 0:
                return app
        return None
    return wait_until(registered, timeout, 'the accessible application "%s"' % component)


def role_name(accessible):
    """An accessible's role, by the name older AT-SPI versions give it: at-spi2-core 2.56
    calls a push button "button"."""
    name = accessible.getRoleName()
    return 'push button' if name == 'button' else name


def walk(accessible, depth=0):
    """(depth, accessible) for the accessible and everything below it, depth first."""
    yield depth, accessible
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, role, name):
    for _, a in walk(root):
        if role_name(a) == role and a.name == name:
            return a
    raise AssertionError('no %s named "%s"' % (role, name))


def main(run):
    """Usage: <test> <Program> <binary>. Runs run(program, binary, its entry in programs.py)
    as a test: status 0 on success, 1 on a failed check, SKIP when skipped."""
    from programs import PROGRAMS
    try:
        name, binary = sys.argv[1:]
        if name not in PROGRAMS:
            raise AssertionError('tests/desktop/programs.py has no entry for ' + name)
        run(name, binary, PROGRAMS[name])
    except AssertionError as e:
        print('FAIL: %s' % e)
        sys.exit(1)
    print('PASS')


def status_bar(root):
    for _, a in walk(root):
        if role_name(a) == 'status bar':
            return a
    raise AssertionError('no status bar')


def poke(session, root, entry):
    """Works a control as programs.py says. On X11 a real click at the place AT-SPI gives
    for it, then the status text that follows; under weston, which has no input devices,
    the control's first AT-SPI action (Toggle does not count as a click for a button group)."""
    role, name, status = entry
    control = find(root, role, name)
    if session.display == 'wayland':
        control.queryAction().doAction(0)
        return
    click(session, control)
    if status is not None:
        bar = status_bar(root)
        wait_until(lambda: bar.name == status, what='the status bar to say "%s" (it says "%s")'
                   % (status, bar.name))


def screen_box(session, accessible):
    """(x, y, width, height) of an accessible on the screen. On X11 AT-SPI gives that itself.
    A Wayland client does not know where the compositor put its window (Qt takes it to be at
    the screen's corner): there the box within the window, moved by the place KWin gives
    for the window's inside."""
    component = accessible.queryComponent()
    if session.display != 'kwin-wayland':
        return component.getExtents(0)  # screen coordinates
    x, y, w, h = component.getExtents(1)  # within the window
    pid = accessible.get_process_id()
    left, top = (session.placed.get(pid) or session.kwin_window(pid)['clientGeometry'])[:2]
    return x + left, y + top, w, h


def click(session, control, fx=0.5, fy=0.5):
    """A real left click on an accessible control, at a fraction of its width and height."""
    x, y, w, h = screen_box(session, control)
    subprocess.run(['xdotool', 'mousemove', *map(str, session.pointer(x + int(w * fx), y + int(h * fy))), 'click', '1'],
                   env=session.env, check=True)


def close_and_check(program):
    """Closes the program's window; it must end with status 0, having printed nothing."""
    program.close()
    ended_cleanly(program)


# What the toolkit prints when it answers a client, not of the program's doing; each line
# exactly, and nothing else. Qt 6.11's accessibility bridge warns of every AT-SPI call it
# does not implement, and at-spi2-core 2.62's client asks each application for its bus
# address (Qt 5.15 and 6.8 with at-spi2-core 2.46 and 2.56 print nothing).
TOOLKIT_ANSWERS = {
    'qt.accessibility.atspi: AtSpiAdaptor::applicationInterface does not implement "GetApplicationBusAddress" '
    '"/org/a11y/atspi/accessible/root"',
}


# What Qt's Wayland client prints when the compositor goes and it reconnects to the next one
# (QT_WAYLAND_RECONNECT), in this order, the same in Qt 6.8 and 6.11; after KWin has crashed
# and only then. The third ends in the C library's text for EBADF, in the program's language
# (the tests run it in English and in German).
RECONNECTED = {
    'The Wayland connection broke. Did the Wayland compositor die?',
    'qt.qpa.wayland: Attempting wayland reconnect',
    'Failed to write to the pipe: Bad file descriptor.',
    'Failed to write to the pipe: Ung\u00fcltiger Dateideskriptor.',
    'qt.qpa.wayland: There are no outputs - creating placeholder screen',
}


def unexpected(output, accepted):
    return [line for line in output.splitlines() if line not in accepted]


def ended_cleanly(program):
    status = program.wait()
    if status != 0:
        raise AssertionError('%s ended with status %d' % (program.name, status))
    output, mark = program.output(), program.crashed_at
    printed = unexpected(output[:mark], TOOLKIT_ANSWERS) + unexpected(output[mark:], TOOLKIT_ANSWERS | RECONNECTED)
    if printed:
        raise AssertionError('%s printed:\n%s' % (program.name, '\n'.join(printed)))


def window(session, program):
    """(x, y, width, height) on the screen of the program's visible top-level window (its
    inside, without the frame a window manager draws), and the frame's extents
    (left, right, top, bottom); under KWin's Wayland session KWin's own record of it, else
    the X server's."""
    if session.display == 'kwin-wayland':
        placed = session.kwin_window(program.process.pid)
        (x, y, w, h), (fx, fy, fw, fh) = placed['clientGeometry'], placed['frameGeometry']
        return (x, y, w, h), (x - fx, fx + fw - x - w, y - fy, fy + fh - y - h)

    def found():
        out = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid', str(program.process.pid)],
                             env=session.env, capture_output=True, text=True).stdout.split()
        return out[-1] if out else None
    wid = wait_until(found, what='the window of ' + program.name)
    info = subprocess.run(['xwininfo', '-id', wid], env=session.env, capture_output=True, text=True,
                          check=True).stdout
    values = [int(re.search(r'%s:\s+(-?\d+)' % key, info).group(1))
              for key in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height')]
    extents = subprocess.run(['xprop', '-id', wid, '_NET_FRAME_EXTENTS'], env=session.env,
                             capture_output=True, text=True).stdout
    extents = tuple(map(int, re.findall(r'\d+', extents.split('=')[-1]))) if '=' in extents else (0, 0, 0, 0)
    return tuple(values), extents


def close_through_window_manager(session, program):
    """A click on the close button of the window's title bar, which the window manager draws:
    the rightmost button, as wide as the title bar is high. The program must end with status 0,
    having printed nothing."""
    (x, y, w, _), (_, right, top, _) = window(session, program)
    if top < 10:
        raise AssertionError('the window has no title bar (frame extents %d above it)' % top)
    subprocess.run(['xdotool', 'mousemove', *map(str, session.pointer(x + w + right - top // 2, y - top // 2)),
                    'click', '1'], env=session.env, check=True)
    try:
        program.process.wait(15)
    except subprocess.TimeoutExpired:
        if session.display == 'kwin-wayland':
            shown = [w for w in kwin_windows(session.bus(), session.runtime) if w['pid'] == program.process.pid]
        else:
            shown = subprocess.run(['xdotool', 'search', '--onlyvisible', '--pid', str(program.process.pid)],
                                   env=session.env, capture_output=True, text=True).stdout.split()
        raise AssertionError('%s did not end within 15 s of the click on the close button at (%d, %d); its window '
                             'is %s' % (program.name, x + w + right - top // 2, y - top // 2,
                                        'still shown: %s' % shown if shown else 'gone'))
    ended_cleanly(program)


class Picture:
    """The pixels of a PNG file, as (r, g, b)."""

    def __init__(self, png):
        ppm = subprocess.run(['convert', png, '-depth', '8', 'ppm:-'], check=True, capture_output=True).stdout
        magic, w, h, _, self.data = ppm.split(maxsplit=4)
        self.width, self.height = int(w), int(h)

    def pixel(self, x, y):
        return next(self.pixels((x, y, 1, 1)))

    def crop(self, box):
        """The pixels of box, row by row, as bytes: quick to compare."""
        x, y, w, h = box
        return b''.join(self.data[3 * (row * self.width + x):3 * (row * self.width + x + w)] for row in range(y, y + h))

    def pixels(self, box):
        x0, y0, w, h = box
        for y in range(max(y0, 0), min(y0 + h, self.height)):
            row = 3 * y * self.width
            for x in range(max(x0, 0), min(x0 + w, self.width)):
                yield tuple(self.data[row + 3 * x:row + 3 * x + 3])


def luminance(rgb):
    """Relative luminance of an sRGB colour, as the web's contrast guidelines define it."""
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = map(linear, rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast_ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def most_common(pixels):
    counts = collections.Counter(pixels).most_common(1)
    return counts[0][0] if counts else None


def contrast(picture, box, background=None):
    """(ratio, drawn colour, background colour) of what is drawn in box: the background is
    the box's most common colour unless given, what is drawn the colour in the box farthest
    from it in luminance (a glyph's fully covered pixels, not its antialiased edge)."""
    pixels = list(picture.pixels(box))
    if background is None:
        background = most_common(pixels)
    drawn = max(pixels, key=lambda p: abs(luminance(p) - luminance(background)))
    return contrast_ratio(drawn, background), drawn, background


if __name__ == '__main__':
    # desktopsession.py plasma|kwin-wayland <scheme> -- <command...>: runs the command in that
    # KDE profile, with the session's display, bus and configuration in its environment; its
    # status. desktopsession.py window <pid>, run in a KWin 6 session (a command of the above):
    # where KWin shows the window of that process, "x y width height" of its frame and then
    # of its inside.
    args = sys.argv[1:]
    if len(args) == 2 and args[0] == 'window':
        bus = connect(os.environ['DBUS_SESSION_BUS_ADDRESS'])
        placed = kwin_window(bus, os.environ['XDG_RUNTIME_DIR'], int(args[1]))
        print(*placed['frameGeometry'], *placed['clientGeometry'])
        sys.exit(0)
    if len(args) < 4 or args[0] not in KDE_PROFILES or args[2] != '--':
        sys.exit('usage: desktopsession.py plasma|kwin-wayland <scheme> -- <command...>\n'
                 '       desktopsession.py window <pid>')
    with Session(args[0], args[1]) as profile:
        status = subprocess.run(args[3:], env=profile.env).returncode
    sys.exit(status)
