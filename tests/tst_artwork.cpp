// SPDX-License-Identifier: MIT
// The committed artwork in the exact form the program and its installers rely on, and the
// catalogue's pictures against what Qt's own BMP and ICO readers make of the same bytes.

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>

#include <algorithm>
#include <cmath>

using namespace TestSupport;
using enum CatalogueKind;

namespace {
// The relative luminance of a colour, as the web's contrast guidelines define it.
double luminance(QRgb colour)
{
    const auto linear = [](int c) {
        return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
        + 0.0722 * linear(qBlue(colour));
}

// The longest run of pure-red pixels through (x, y) along (dx, dy), both ways.
int redRun(const QImage &image, int x, int y, int dx, int dy)
{
    const auto red = [&](int px, int py) {
        const QRgb c = image.rect().contains(px, py) ? image.pixel(px, py) : 0;
        return qAlpha(c) && qRed(c) >= 150 && qGreen(c) <= 90 && qBlue(c) <= 90;
    };
    int run = red(x, y) ? 1 : 0;
    for (int side : { -1, 1 }) {
        for (int step = 1; run > 0 && red(x + side * step * dx, y + side * step * dy); ++step)
            ++run;
    }
    return run;
}

QByteArray sourceFile(const QString &path)
{
    QFile file(QStringLiteral(ASTRELO_SOURCE_DIR "/") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A bitmap: BITMAPFILEHEADER (its size, the pixels after 16 colours), then BITMAPINFOHEADER:
// 120 x 190 or 32 x 32, bottom-up, 4 bits, uncompressed, the pixels' size, no resolution, 16
// colours. An icon: ICONDIR with one ICONDIRENTRY (32 x 32, 8 bits, 2216 bytes at 22), then
// BITMAPINFOHEADER: 32 x 64 counting the 1-bit AND mask, 8 bits, the pixels' size, 256 colours.
const char *const Picture = "424dfe2c000000000000760000002800000078000000be00000001000400"
                            "00000000882c000000000000000000001000000000000000";
const char *const Thumbnail = "424d7602000000000000760000002800000020000000200000000100"
                              "0400000000000002000000000000000000001000000000000000";
const char *const IconFile = "0000010001002020000001000800a8080000160000002800000020000000"
                             "4000000001000800000000008004000000000000000000000001000000000000";
// How black text stands out on a colour: the ratio of their relative luminances, each lifted
// by 0.05, as the usual legibility guidelines measure it.
double contrastWithBlack(QRgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
        + 0.0722 * linear(qBlue(colour));
    return (luminance + 0.05) / 0.05;
}
} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void picture_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<int>("number");
        QTest::addColumn<QByteArray>("header");
        for (int sign = 0; sign < 12; ++sign) {
            QTest::addRow("bitmap %d", 100 + sign) << Bitmap << 100 + sign << QByteArray(Picture);
            QTest::addRow("bitmap %d", 1000 + sign)
                << Bitmap << 1000 + sign << QByteArray(Thumbnail);
        }
        for (const int number : { 1, 10, 100, 101, 102, 103, 104, 105 })
            QTest::addRow("icon %d", number) << Icon << number << QByteArray(IconFile);
    }
    // The file in its exact form, its palette's reserved bytes 0; a sign picture of 8 colours at
    // least and unlike the others; an icon's masked pixels index 0 and its shape on a transparent
    // ground. The catalogue shows, at its own size, what Qt's reader shows of the same bytes.
    void picture()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(int, number);
        QFETCH(QByteArray, header);
        const QByteArray file = sourceFile(QString::asprintf(
            kind == Icon ? "catalogue/icons/%d.ico" : "catalogue/bitmaps/%d.bmp", number));
        const qsizetype headerSize = header.size() / 2, colours = kind == Icon ? 256 : 16;
        QCOMPARE(file.left(headerSize).toHex(), header);
        QCOMPARE(file.size(), kind == Icon ? 22 + 2216 : number >= 1000 ? 14 + 616 : 14 + 11504);
        for (qsizetype entry = 0; entry < colours; ++entry)
            QCOMPARE(file[headerSize + 4 * entry + 3], '\0');
        if (kind == Icon) {
            const QByteArray pixels = file.mid(headerSize + 4 * colours, 32 * 32);
            const QByteArray mask = file.mid(headerSize + 4 * colours + 32 * 32);
            QCOMPARE(file.mid(headerSize, 4), QByteArray(4, '\0'));
            int transparent = 0;
            for (int pixel = 0; pixel < 32 * 32; ++pixel) { // a byte a pixel, rows unpadded
                const bool masked = quint8(mask[pixel / 8]) & 0x80 >> pixel % 8;
                transparent += masked;
                QVERIFY(!masked || pixels[pixel] == '\0');
            }
            QCOMPARE_GT(transparent, 32);
            QCOMPARE_LT(transparent, 32 * 32 - 128);
        }
        QCOMPARE(catalogueItemBytes(number, kind), file);
        const QImage expected = qtDecoded(number, kind);
        if (kind == Bitmap && number >= 100 && number < 112) {
            static QSet<QByteArray> others; // the palettes and the pixels of those before
            QSet<int> used;
            for (const char byte : file.mid(118)) // two pixels a byte, rows of 120 unpadded
                used << (quint8(byte) >> 4) << (byte & 0x0f);
            QCOMPARE_GE(used.size(), 8);
            QVERIFY(!others.contains(file.mid(54, 64)));
            QVERIFY(!others.contains(file.mid(118)));
            others << file.mid(54, 64) << file.mid(118);
            // The strip the sign page writes the planets over (rows 164 to 189) is a light
            // ground: black type on any of its pixels stands at 7:1 or better.
            for (int at = 164 * 120; at < 190 * 120; ++at)
                QVERIFY2(contrastWithBlack(expected.pixel(at % 120, at / 120)) >= 7.0,
                    qPrintable(QString::asprintf("pixel %d,%d", at % 120, at / 120)));
        }
        if (kind == Bitmap && number >= 1000) {
            // The white symbol against every pixel of its disc two pixels clear of it: 4.5 : 1 at
            // least, as a symbol this small needs to be read at a glance.
            int white = 0;
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 32; ++x) {
                    bool nearSymbol = false;
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx)
                            nearSymbol |= QRect(0, 0, 32, 32).contains(x + dx, y + dy)
                                && qGray(expected.pixel(x + dx, y + dy)) >= 240;
                    white += qGray(expected.pixel(x, y)) >= 240;
                    if (!nearSymbol && std::hypot(x - 15.5, y - 15.5) <= 13)
                        QVERIFY2(1.05 / (luminance(expected.pixel(x, y)) + 0.05) >= 4.5,
                            qPrintable(QString::asprintf("disc pixel %d,%d", x, y)));
                }
            }
            QVERIFY(white >= 40);
        }
        if (kind == Icon && number >= 100) {
            // No topic icon carries a red cross, the protected emblem: no pure-red pixel lies
            // on both a row and a column of nine or more.
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    QVERIFY(
                        std::min(redRun(expected, x, y, 1, 0), redRun(expected, x, y, 0, 1)) < 9);
        }
        if (kind == Icon && number < 100) {
            // The program icon stands on title bars of any colour: every pixel on its edge stands
            // out from a dark bar at 3 : 1 and from the window grey, no grey fringe blended in.
            for (int at = 0; at < 32 * 32; ++at) {
                const int x = at % 32, y = at / 32;
                bool edge = false;
                for (const QPoint step :
                    { QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1) })
                    edge |= !QRect(0, 0, 32, 32).contains(x + step.x(), y + step.y())
                        || !qAlpha(expected.pixel(x + step.x(), y + step.y()));
                if (!qAlpha(expected.pixel(x, y)) || !edge)
                    continue;
                const double lit = luminance(expected.pixel(x, y));
                QVERIFY2((lit + 0.05) / (luminance(0xff2d2d2d) + 0.05) >= 3.0
                        && (luminance(0xffefefef) + 0.05) / (lit + 0.05) >= 1.5,
                    qPrintable(QString::asprintf("edge pixel %d,%d", x, y)));
            }
        }
        if (kind == Icon && number == 103) {
            // The heart's outline is the same on both sides, to the pixel.
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 16; ++x)
                    QCOMPARE(qAlpha(expected.pixel(x, y)), qAlpha(expected.pixel(31 - x, y)));
        }
        QCOMPARE(qAlpha(expected.pixel(0, 0)), kind == Icon ? 0 : 255);
        QCOMPARE(seen(decodeCataloguePicture(number, kind)), expected);
        const QPixmap loaded = loadCataloguePicture(number, kind);
        QCOMPARE(loaded.devicePixelRatio(), 1.0);
        QCOMPARE(seen(loaded.toImage()), expected);
    }
    // Every picture for scaled screens: twice the size of the picture at its own size, in the
    // same form, a bitmap with the same palette; drawn at that size rather than each pixel
    // doubled; and the same picture: most pixels have their colour, or one close to it, in their
    // two by two block. The catalogue gives it, at a device pixel ratio of 2, to a screen of
    // scale 2 and more, and the other one to a screen of less; not without the item itself.
    void largePicture_data()
    {
        QTest::addColumn<QString>("path"); // with %1 for "" or "@2x"
        QTest::addColumn<int>("number"); // in the catalogue, or 0
        QTest::addColumn<int>("fileSize");
        QTest::addColumn<int>("blocksDrawn"); // at least
        QTest::addColumn<int>("keptPercent"); // at least; a hand-set icon differs more
        for (int number = 100; number < 112; ++number)
            QTest::addRow("bitmap %d", number) << u8("catalogue/bitmaps/%1%2.bmp").arg(number)
                                               << number << 14 + 40 + 64 + 380 * 120 << 400 << 90;
        for (int number = 1000; number < 1012; ++number)
            QTest::addRow("bitmap %d", number) << u8("catalogue/bitmaps/%1%2.bmp").arg(number)
                                               << number << 14 + 40 + 64 + 64 * 32 << 60 << 80;
        for (const int number : { 1, 10, 100, 101, 102, 103, 104, 105 })
            QTest::addRow("icon %d", number) << u8("catalogue/icons/%1%2.ico").arg(number) << number
                                             << 22 + 40 + 1024 + 64 * 64 + 64 * 8 << 60 << 75;
        QTest::addRow("banner") << u8("about_window/banner%1.gif").arg(u8("%1")) << 0 << 0 << 150
                                << 80;
    }
    void largePicture()
    {
        QFETCH(QString, path);
        QFETCH(int, number);
        QFETCH(int, fileSize);
        QFETCH(int, blocksDrawn);
        QFETCH(int, keptPercent);
        const QByteArray file = sourceFile(path.arg(u8("@2x")));
        const QByteArray small = sourceFile(path.arg(QString()));
        const QImage large = seen(QImage::fromData(file));
        const QImage picture = seen(QImage::fromData(small));
        QVERIFY(!picture.isNull());
        QCOMPARE(large.size(), picture.size() * 2);
        if (fileSize)
            QCOMPARE(file.size(), fileSize);
        if (path.endsWith(u".bmp")) {
            QCOMPARE(file.left(18), small.left(2) + file.mid(2, 16)); // BM, the same header size
            QCOMPARE(file.mid(28, 4), small.mid(28, 4)); // 4 bits
            QCOMPARE(file.mid(54, 64).toHex(), small.mid(54, 64).toHex());
        }
        const auto close = [](QRgb a, QRgb b) {
            return qAlpha(a) == qAlpha(b) && std::abs(qRed(a) - qRed(b)) <= 24
                && std::abs(qGreen(a) - qGreen(b)) <= 24 && std::abs(qBlue(a) - qBlue(b)) <= 24;
        };
        int drawn = 0, kept = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QList<QRgb> block { large.pixel(2 * x, 2 * y), large.pixel(2 * x + 1, 2 * y),
                    large.pixel(2 * x, 2 * y + 1), large.pixel(2 * x + 1, 2 * y + 1) };
                drawn += block.count(block[0]) < 4;
                kept += std::any_of(block.begin(), block.end(),
                    [&](QRgb c) { return close(c, picture.pixel(x, y)); });
            }
        }
        QCOMPARE_GE(drawn, blocksDrawn);
        QCOMPARE_GE(kept * 100, picture.width() * picture.height() * keptPercent);
        if (!number)
            return;
        const CatalogueKind kind = path.endsWith(u".bmp") ? Bitmap : Icon;
        const QPixmap loaded = loadCataloguePicture(number, kind, 2);
        QCOMPARE(loaded.devicePixelRatio(), 2.0);
        QImage expected = large;
        expected.setDevicePixelRatio(2);
        QCOMPARE(seen(loaded.toImage()), expected);
        QCOMPARE(seen(loadCataloguePicture(number, kind, 1.5).toImage()), picture);
        CatalogueCopy catalogue; // without the item, its larger drawing does not stand in for it
        catalogue.hide(kind, number);
        QVERIFY_THROWS_EXCEPTION(CatalogueError, loadCataloguePicture(number, kind, 2));
    }
    // No committed picture beyond those above, the program's icon under two numbers, and the
    // desktop's icons at their sizes.
    void icons()
    {
        QCOMPARE(QDir(ASTRELO_SOURCE_DIR "/catalogue/bitmaps").entryList(QDir::Files).size(), 48);
        QCOMPARE(QDir(ASTRELO_SOURCE_DIR "/catalogue/icons").entryList(QDir::Files).size(), 16);
        QCOMPARE(sourceFile(u8("catalogue/icons/10.ico")), sourceFile(u8("catalogue/icons/1.ico")));
        for (const int size : { 16, 24, 32, 48, 64, 128 }) {
            const QString path = QString::asprintf("packaging/icons/%d/cz.kelmo.Astrelo.png", size);
            QCOMPARE(QImage::fromData(sourceFile(path)).size(), QSize(size, size));
        }
    }
    // GIF89a, 220 x 35, a global table of 8 colours; one graphic control extension with a
    // transparent colour, disposal none or in place and no delay; one whole-screen image, no
    // local table, not interlaced, LZW code size 3; then the trailer.
    void banner()
    {
        const QByteArray gif = sourceFile(u8("about_window/banner.gif"));
        const QByteArray control = gif.mid(13 + 3 * 8, 8);
        QVERIFY(gif.startsWith(QByteArray::fromHex("474946383961dc002300")));
        QCOMPARE(gif[10] & 0x87, 0x82);
        QCOMPARE(control.toHex().replace(6, 2, "xx"), QByteArray("21f904xx00000700"));
        QCOMPARE(control[3] & 0x01, 0x01); // a transparent colour
        QCOMPARE_LE(control[3] >> 2 & 7, 1); // disposal: none or leave in place
        QCOMPARE(gif.mid(13 + 3 * 8 + 8, 11).toHex(), QByteArray("2c00000000dc0023000003"));
        QVERIFY(gif.endsWith(QByteArray("\0;", 2)));
        if (!QImageReader::supportedImageFormats().contains("gif"))
            return;
        const QImage image = QImage::fromData(gif).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(220, 35));
        // The wordmark from x 40 on is navy with its greys: no warm pixel from the stars.
        for (int y = 0; y < 35; ++y)
            for (int x = 40; x < 220; ++x)
                QVERIFY(!qAlpha(image.pixel(x, y))
                    || qBlue(image.pixel(x, y)) >= qRed(image.pixel(x, y)));
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
