// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "xsession.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstring>

XServer::~XServer()
{
    if (m_display) {
        XCloseDisplay(m_display);
    }
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000)) {
            m_server.kill();
            m_server.waitForFinished(3000);
        }
    }
}

// Windows of other programs come and go while the tests look at them: a
// request about a window that is gone answers BadWindow, which must not end
// the test (Xlib's own handler would exit). The failed call returns 0.
static int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

bool XServer::start(QSize screen)
{
    XSetErrorHandler(ignoreXErrors);
    // -displayfd lets the server pick a free display number and tell us.
    const QString arguments = QStringLiteral("-displayfd 1 -screen 0 %1x%2x24 -nolisten tcp -noreset").arg(screen.width()).arg(screen.height());
    m_server.setProcessChannelMode(QProcess::SeparateChannels);
    m_server.start(QStringLiteral("Xvfb"), arguments.split(QLatin1Char(' ')));
    if (!m_server.waitForStarted(5000)) {
        return false;
    }
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.contains('\n') && clock.elapsed() < 15000) {
        if (!m_server.waitForReadyRead(500) && m_server.state() == QProcess::NotRunning) {
            return false;
        }
        number += m_server.readAllStandardOutput();
    }
    number = number.trimmed();
    if (number.isEmpty()) {
        return false;
    }
    m_name = QLatin1Char(':') + QString::fromLatin1(number);
    QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_display = XOpenDisplay(m_name.toLatin1().constData());
    return m_display != nullptr;
}

XProgram::XProgram(XServer &server, const QString &binary, const QStringList &arguments)
    : m_server(server)
    , m_binary(binary)
    , m_arguments(arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), server.name());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), server.runtimeDir());
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("SESSION_MANAGER"));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

XProgram::~XProgram()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void XProgram::setEnvironment(const QString &name, const QString &value)
{
    QProcessEnvironment env = m_process.processEnvironment();
    env.insert(name, value);
    m_process.setProcessEnvironment(env);
}

static QByteArray property(Display *dpy, Window w, const char *name, Atom type)
{
    Atom atom = XInternAtom(dpy, name, False);
    Atom actualType;
    int format;
    unsigned long count, rest;
    unsigned char *data = nullptr;
    QByteArray result;
    if (XGetWindowProperty(dpy, w, atom, 0, 4096, False, type, &actualType, &format, &count, &rest, &data) == Success && data) {
        result = QByteArray(reinterpret_cast<const char *>(data), int(count * (format == 32 ? sizeof(long) : size_t(format / 8))));
        XFree(data);
    }
    return result;
}

static long pidOf(Display *dpy, Window w)
{
    const QByteArray p = property(dpy, w, "_NET_WM_PID", XA_CARDINAL);
    if (p.size() < int(sizeof(long))) {
        return -1;
    }
    long pid;
    std::memcpy(&pid, p.constData(), sizeof pid);
    return pid;
}

bool XProgram::launch()
{
    m_process.start(m_binary, m_arguments);
    return m_process.waitForStarted(5000);
}

unsigned long XProgram::findWindow()
{
    Display *dpy = m_server.display();
    Window root = DefaultRootWindow(dpy), parent, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(dpy, root, &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count && !m_window; ++i) {
        XWindowAttributes attr;
        if (XGetWindowAttributes(dpy, children[i], &attr) && attr.map_state == IsViewable && pidOf(dpy, children[i]) == m_process.processId()) {
            m_window = children[i];
        }
    }
    if (children) {
        XFree(children);
    }
    return m_window;
}

bool XProgram::start(int timeoutMs)
{
    return launch()
        && waitUntil(
               [&] {
                   return findWindow() != 0;
               },
               timeoutMs);
}

QRect XProgram::geometry() const
{
    Display *dpy = m_server.display();
    XWindowAttributes attr;
    if (!XGetWindowAttributes(dpy, m_window, &attr)) {
        return {};
    }
    int x, y;
    Window child;
    XTranslateCoordinates(dpy, m_window, DefaultRootWindow(dpy), 0, 0, &x, &y, &child);
    return QRect(x, y, attr.width, attr.height);
}

SizeHints XProgram::sizeHints() const
{
    SizeHints result;
    XSizeHints hints;
    long supplied = 0;
    if (XGetWMNormalHints(m_server.display(), m_window, &hints, &supplied)) {
        if (hints.flags & PMinSize) {
            result.minimum = QSize(hints.min_width, hints.min_height);
        }
        if (hints.flags & PMaxSize) {
            result.maximum = QSize(hints.max_width, hints.max_height);
        }
    }
    return result;
}

QString XProgram::name() const
{
    Display *dpy = m_server.display();
    return QString::fromUtf8(property(dpy, m_window, "_NET_WM_NAME", XInternAtom(dpy, "UTF8_STRING", False)));
}

QImage XProgram::grab(const QRect &rect) const
{
    Display *dpy = m_server.display();
    XSync(dpy, False);
    const QRect window = geometry();
    QRect area = rect.isNull() ? QRect(QPoint(0, 0), window.size()) : rect;
    // Read from the root window: that is what is on the screen.
    area = area.translated(window.topLeft()).intersected(QRect(0, 0, DisplayWidth(dpy, 0), DisplayHeight(dpy, 0)));
    if (area.isEmpty()) {
        return {};
    }
    XImage *image = XGetImage(dpy, DefaultRootWindow(dpy), area.x(), area.y(), area.width(), area.height(), AllPlanes, ZPixmap);
    if (!image) {
        return {};
    }
    QImage result(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        if (image->bits_per_pixel == 32 && image->red_mask == 0xff0000) {
            std::memcpy(line, image->data + y * image->bytes_per_line, size_t(area.width()) * 4);
            for (int x = 0; x < area.width(); ++x) {
                line[x] |= 0xff000000u;
            }
        } else {
            for (int x = 0; x < area.width(); ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                line[x] = qRgb(int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff));
            }
        }
    }
    XDestroyImage(image);
    return result;
}

QColor XProgram::pixel(int x, int y) const
{
    const QImage image = grab(QRect(x, y, 1, 1));
    return image.isNull() ? QColor() : image.pixelColor(0, 0);
}

void XProgram::moveTo(int x, int y)
{
    Display *dpy = m_server.display();
    const QRect window = geometry();
    XTestFakeMotionEvent(dpy, 0, window.x() + x, window.y() + y, CurrentTime);
    XFlush(dpy);
}

void XProgram::press(int button)
{
    XTestFakeButtonEvent(m_server.display(), unsigned(button), True, CurrentTime);
    XFlush(m_server.display());
}

void XProgram::release(int button)
{
    XTestFakeButtonEvent(m_server.display(), unsigned(button), False, CurrentTime);
    XFlush(m_server.display());
}

void XProgram::click(int x, int y, int button)
{
    moveTo(x, y);
    settle(30);
    press(button);
    settle(30);
    release(button);
    settle();
}

void XProgram::drag(const QPoint &from, const QPoint &to, int steps, int button)
{
    moveTo(from.x(), from.y());
    settle(30);
    press(button);
    settle(30);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + (to - from) * i / steps;
        moveTo(p.x(), p.y());
        settle(20);
    }
    release(button);
    settle();
}

void XProgram::focus()
{
    Display *dpy = m_server.display();
    XSetInputFocus(dpy, m_window, RevertToParent, CurrentTime);
    XSync(dpy, False);
    settle(100);
}

void XProgram::key(const QString &keysym)
{
    Display *dpy = m_server.display();
    const KeySym sym = XStringToKeysym(keysym.toLatin1().constData());
    const KeyCode code = XKeysymToKeycode(dpy, sym);
    if (code == 0) {
        return;
    }
    // Characters on the shifted level of their key need Shift held.
    const bool shift = XkbKeycodeToKeysym(dpy, code, 0, 0) != sym && XkbKeycodeToKeysym(dpy, code, 0, 1) == sym;
    const KeyCode shiftCode = XKeysymToKeycode(dpy, XK_Shift_L);
    if (shift) {
        XTestFakeKeyEvent(dpy, shiftCode, True, CurrentTime);
    }
    XTestFakeKeyEvent(dpy, code, True, CurrentTime);
    XTestFakeKeyEvent(dpy, code, False, CurrentTime);
    if (shift) {
        XTestFakeKeyEvent(dpy, shiftCode, False, CurrentTime);
    }
    XFlush(dpy);
    settle(20);
}

void XProgram::type(const QString &text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char(' ')) {
            key(QStringLiteral("space"));
        } else if (c.isLetterOrNumber()) {
            key(QString(c));
        } else {
            // Punctuation goes by its keysym name, which Xlib maps from Latin-1.
            const KeySym sym = c.unicode();
            key(QString::fromLatin1(XKeysymToString(sym)));
        }
    }
}

void XProgram::close()
{
    Display *dpy = m_server.display();
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = m_window;
    event.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, m_window, False, NoEventMask, &event);
    XFlush(dpy);
}

int XProgram::waitForExit(int timeoutMs)
{
    if (!m_process.waitForFinished(timeoutMs)) {
        return -1;
    }
    output();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QStringList XProgram::openGlDrivers() const
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid()));
    if (!maps.open(QIODevice::ReadOnly)) {
        return {maps.fileName() + QStringLiteral(" (unreadable)")};
    }
    static const QRegularExpression driver(QStringLiteral("\\S*(libGLX_mesa|libEGL_mesa|_dri\\.so|libgallium)\\S*$"), QRegularExpression::MultilineOption);
    QStringList found;
    for (auto match = driver.globalMatch(QString::fromLocal8Bit(maps.readAll())); match.hasNext();) {
        found << match.next().captured(0);
    }
    found.removeDuplicates();
    return found;
}

QByteArray XProgram::output()
{
    m_output += m_process.readAll();
    return m_output;
}

void XProgram::settle(int ms)
{
    XSync(m_server.display(), False);
    QThread::msleep(ulong(ms));
    output();
}

bool XProgram::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs || m_process.state() == QProcess::NotRunning) {
            return condition();
        }
        settle(25);
    }
    return true;
}
