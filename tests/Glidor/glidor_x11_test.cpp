// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "xsession.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QTest>

#include <X11/Xlib.h>

namespace
{
const QColor background(250, 250, 200);

// Positions of the bars' parts in the window (Fusion style, 14-pixel arrows).
const QPoint horLeftArrow(12, 467);
const QPoint horRightArrow(668, 467);
const QPoint horGrooveRight(650, 467); // right of the slider up to value 92
const QPoint verUpArrow(687, 17);
const QPoint verDownArrow(687, 468);
const QPoint verGrooveLow(687, 450); // below the slider up to value 92

// The status bar's text row: below the bars, above the window's bottom edge.
const QRect textRow(0, 475, 700, 25);

// Reads a number off the screen: the text is cut into glyphs at empty
// columns, and each glyph is matched with the digits drawn here in the
// program's font. Glyphs are compared scaled to one size, so a small
// difference in font resolution does not matter.
class DigitReader
{
public:
    explicit DigitReader(int pixelSize)
    {
        QFont font(QStringLiteral("courier"));
        font.setPixelSize(pixelSize);
        font.setBold(true);
        for (int d = 0; d < 10; ++d) {
            QImage img(pixelSize * 2, pixelSize * 2, QImage::Format_Grayscale8);
            img.fill(Qt::white);
            QPainter p(&img);
            p.setFont(font);
            p.drawText(img.rect(), Qt::AlignCenter, QString::number(d));
            p.end();
            m_digits[d] = glyph(img, 0, img.width());
        }
    }

    QString read(const QImage &image) const
    {
        const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
        QString text;
        for (int x = 0; x < gray.width(); ++x) {
            const int left = x;
            while (x < gray.width() && darkBox(gray, x, x + 1).isValid()) {
                ++x;
            }
            if (x > left) {
                text += QLatin1Char(char('0' + closestDigit(glyph(gray, left, x))));
            }
        }
        return text;
    }

private:
    struct Glyph {
        QImage shape; // 12 x 16
        double aspect;
    };

    // The bounding box of the dark pixels in columns from to to - 1.
    static QRect darkBox(const QImage &gray, int from, int to)
    {
        QRect box;
        for (int y = 0; y < gray.height(); ++y) {
            for (int x = from; x < to; ++x) {
                if (qGray(gray.pixel(x, y)) < 160) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    }

    static Glyph glyph(const QImage &gray, int from, int to)
    {
        const QRect box = darkBox(gray, from, to);
        return {gray.copy(box).scaled(12, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), double(box.width()) / box.height()};
    }

    int closestDigit(const Glyph &g) const
    {
        int best = 0;
        double bestDistance = 1e18;
        for (int d = 0; d < 10; ++d) {
            double distance = 12 * 16 * 255 * qAbs(g.aspect - m_digits[d].aspect);
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 12; ++x) {
                    distance += qAbs(qGray(g.shape.pixel(x, y)) - qGray(m_digits[d].shape.pixel(x, y)));
                }
            }
            if (distance < bestDistance) {
                bestDistance = distance;
                best = d;
            }
        }
        return best;
    }

    Glyph m_digits[10];
};
}

class GlidorX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
    }

    // Real clicks on both bars' arrows and grooves; each new value is read
    // off the screen, and the last one goes after its second.
    void session()
    {
        Display *dpy = m_server.display();
        const double dpi = 25.4 * DisplayWidth(dpy, 0) / DisplayWidthMM(dpy, 0);
        const DigitReader reader(qRound(14 * dpi / 72));

        XProgram p(m_server, QStringLiteral(PROGRAM_BINARY));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(50, 1, 700, 500));
        QCOMPARE(p.sizeHints().maximum, QSize(700, 500));
        QVERIFY2(p.name().contains(QStringLiteral("KDE-QT Glidor test!")), qPrintable(p.name()));
        QVERIFY(p.waitUntil([&] { return p.pixel(300, 200) == background; }));
        QCOMPARE(reader.read(p.grab(textRow)), QString()); // nothing reported at start-up

        struct Step {
            QPoint where;
            const char *shown;
        };
        const std::vector<Step> steps = {
            {horRightArrow, "2"},    {horLeftArrow, "1"},     {horLeftArrow, "0"},     {horGrooveRight, "10"},
            {horGrooveRight, "20"},  {horGrooveRight, "30"},  {horGrooveRight, "40"},  {horGrooveRight, "50"},
            {horGrooveRight, "60"},  {horGrooveRight, "70"},  {horGrooveRight, "80"},  {horGrooveRight, "90"},
            {horGrooveRight, "100"}, {verDownArrow, "2"},     {verGrooveLow, "12"},    {verGrooveLow, "22"},
            {verGrooveLow, "32"},    {verGrooveLow, "42"},    {verGrooveLow, "52"},    {verGrooveLow, "62"},
            {verGrooveLow, "72"},    {verGrooveLow, "82"},    {verGrooveLow, "92"},    {verGrooveLow, "100"},
            {verUpArrow, "99"},
        };
        for (const Step &s : steps) {
            p.click(s.where.x(), s.where.y());
            const QString expected = QString::fromLatin1(s.shown);
            QString seen;
            QVERIFY2(p.waitUntil([&] { return (seen = reader.read(p.grab(textRow))) == expected; }, 3000),
                     qPrintable(QStringLiteral("expected %1, read %2").arg(expected, seen)));
        }
        QVERIFY(p.waitUntil([&] { return reader.read(p.grab(textRow)).isEmpty(); }));

        p.close();
        QCOMPARE(p.waitForExit(), 0);
        QCOMPARE(p.output(), QByteArray()); // nothing printed on a healthy machine
    }

private:
    XServer m_server;
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // for the reference digits only
    QGuiApplication app(argc, argv);
    GlidorX11Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "glidor_x11_test.moc"
