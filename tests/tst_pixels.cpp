// SPDX-License-Identifier: MIT
// artgen's own pixel arithmetic, against values worked out by hand: the conversions that make
// its pictures the same on every processor.

#include "pixels.h"

#include <QTest>

class TestPixels : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void straight_data()
    {
        QTest::addColumn<QRgb>("premultiplied");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("opaque stays") << 0xffc86432u << 0xffc86432u;
        QTest::newRow("clear is all zero") << 0x00000000u << 0x00000000u;
        QTest::newRow("half: 64 of 128 is 127.5, up") << 0x80400000u << 0x80800000u;
        QTest::newRow("alpha 10: 5 is 127.5, up; 4 is 102") << 0x0a050400u << 0x0a806600u;
        QTest::newRow("alpha 2: 1 is 127.5, up") << 0x02000101u << 0x02008080u;
        QTest::newRow("alpha 200: 199 is 253.7, 100 is 127.5") << 0xc8c76401u << 0xc8fe8001u;
        QTest::newRow("alpha 252: 210 is 212.5, up") << 0xfcd29e66u << 0xfcd5a067u;
        QTest::newRow("alpha 3: full channel") << 0x03030201u << 0x03ffaa55u;
    }
    void straight()
    {
        QFETCH(QRgb, premultiplied);
        QFETCH(QRgb, expected);
        QCOMPARE(
            QString::number(Pixels::straight(premultiplied), 16), QString::number(expected, 16));
    }
    // Half-covered white over black, and over a premultiplied half-clear grey: the colours and
    // the coverage of the source-over rule, as a painter on the same pixels gives them.
    void composite_data()
    {
        QTest::addColumn<QRgb>("under");
        QTest::addColumn<int>("underFormat");
        QTest::addColumn<QRgb>("over");
        QTest::addColumn<int>("overFormat");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("straight white half over black")
            << 0xff000000u << int(QImage::Format_RGB32) << 0x80ffffffu << int(QImage::Format_ARGB32)
            << 0xff808080u;
        QTest::newRow("premultiplied red quarter over blue")
            << 0xff0000ffu << int(QImage::Format_RGB32) << 0x40400000u
            << int(QImage::Format_ARGB32_Premultiplied) << 0xff4000bfu;
        QTest::newRow("clear over anything leaves it")
            << 0x80402010u << int(QImage::Format_ARGB32_Premultiplied) << 0x00000000u
            << int(QImage::Format_ARGB32) << 0x80402010u;
        QTest::newRow("half over half-clear grey adds coverage")
            << 0x80404040u << int(QImage::Format_ARGB32_Premultiplied) << 0x80800000u
            << int(QImage::Format_ARGB32_Premultiplied) << 0xc0a02020u;
        QTest::newRow("opaque over replaces")
            << 0xff123456u << int(QImage::Format_RGB32) << 0xff654321u << int(QImage::Format_ARGB32)
            << 0xff654321u;
    }
    void composite()
    {
        QFETCH(QRgb, under);
        QFETCH(int, underFormat);
        QFETCH(QRgb, over);
        QFETCH(int, overFormat);
        QFETCH(QRgb, expected);
        QImage target(2, 1, QImage::Format(underFormat));
        target.fill(under);
        QImage source(2, 1, QImage::Format(overFormat));
        source.setPixel(0, 0, over);
        source.setPixel(1, 0, over);
        Pixels::composite(target, source);
        const auto stored = reinterpret_cast<const QRgb *>(target.constScanLine(0));
        QCOMPARE(QString::number(stored[0], 16), QString::number(expected, 16));
        QCOMPARE(stored[1], stored[0]);
    }
    // The drawn image's straight and opaque copies, from premultiplied pixels.
    void wholeImages()
    {
        QImage drawn(2, 1, QImage::Format_ARGB32_Premultiplied);
        const auto pixels = reinterpret_cast<QRgb *>(drawn.scanLine(0));
        pixels[0] = 0x0a050400u;
        pixels[1] = 0xff102030u;
        const QImage straight = Pixels::straightAlpha(drawn);
        QCOMPARE(straight.format(), QImage::Format_ARGB32);
        QCOMPARE(QString::number(straight.pixel(0, 0), 16), QStringLiteral("a806600"));
        QCOMPARE(QString::number(straight.pixel(1, 0), 16), QStringLiteral("ff102030"));
        const QImage opaque = Pixels::opaque(drawn);
        QCOMPARE(opaque.format(), QImage::Format_RGB32);
        QCOMPARE(QString::number(opaque.pixel(0, 0), 16), QStringLiteral("ff806600"));
        // An image already straight is left as it is, not taken through premultiplied alpha.
        QImage already(1, 1, QImage::Format_ARGB32);
        already.setPixel(0, 0, 0x02ff0101u);
        QCOMPARE(QString::number(Pixels::straightAlpha(already).pixel(0, 0), 16),
            QStringLiteral("2ff0101"));
    }
};

QTEST_APPLESS_MAIN(TestPixels)
#include "tst_pixels.moc"
