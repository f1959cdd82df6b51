// SPDX-License-Identifier: MIT
// The committed artwork in the exact form the program and its installers rely on, and the
// catalogue's pictures against what Qt's own BMP and ICO readers make of the same bytes.

#include "testsupport.h"

#include <QImageReader>
#include <QSet>

#include <algorithm>
#include <cmath>

using namespace TestSupport;
using enum CatalogueKind;

namespace {
QByteArray sourceFile(const QString &path)
{
    QFile file(QStringLiteral(ASTRELO_SOURCE_DIR "/") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How two colours stand out from each other: the ratio of their relative luminances, each
// lifted by 0.05, as the web's legibility guidelines measure it.
double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb colour) {
        const auto linear = [](int c) {
            return c <= 10 ? c / 255.0 / 12.92 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour))
            + 0.0722 * linear(qBlue(colour)) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// The pixel, or transparent black outside the picture.
QRgb pixelAt(const QImage &image, int x, int y)
{
    return image.rect().contains(x, y) ? image.pixel(x, y) : 0;
}

// The longest run of pure-red pixels through (x, y) along (dx, dy), both ways.
int redRun(const QImage &image, int x, int y, int dx, int dy)
{
    const auto red = [&](int step) {
        const QRgb c = pixelAt(image, x + step * dx, y + step * dy);
        return qAlpha(c) && qRed(c) >= 150 && qGreen(c) <= 90 && qBlue(c) <= 90;
    };
    int run = red(0) ? 1 : 0;
    for (int step = 1; run && red(step); ++step)
        ++run;
    for (int step = -1; run && red(step); --step)
        ++run;
    return run;
}

// Whether a drawing at twice the pixels is the picture drawn at that size, not each pixel
// doubled: at least `drawn` of its two by two blocks hold more than one colour, and in
// `keptPercent` of them one pixel at least has the picture's colour there or one close to it.
void compareLarge(const QImage &picture, const QImage &large, int drawn, int keptPercent)
{
    QCOMPARE(large.size(), picture.size() * 2);
    const auto close = [](QRgb a, QRgb b) {
        return qAlpha(a) == qAlpha(b) && std::abs(qRed(a) - qRed(b)) <= 24
            && std::abs(qGreen(a) - qGreen(b)) <= 24 && std::abs(qBlue(a) - qBlue(b)) <= 24;
    };
    int mixed = 0, kept = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QList<QRgb> block { large.pixel(2 * x, 2 * y), large.pixel(2 * x + 1, 2 * y),
                large.pixel(2 * x, 2 * y + 1), large.pixel(2 * x + 1, 2 * y + 1) };
            mixed += block.count(block[0]) < 4;
            kept += std::any_of(
                block.begin(), block.end(), [&](QRgb c) { return close(c, picture.pixel(x, y)); });
        }
    }
    QCOMPARE_GE(mixed, drawn);
    QCOMPARE_GE(kept * 100, picture.width() * picture.height() * keptPercent);
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
        QTest::addColumn<int>("largeSize"); // the drawing at twice the pixels: its file's size,
        QTest::addColumn<int>("drawn"); // its blocks of more than one colour, at least,
        QTest::addColumn<int>("keptPercent"); // and how like the picture (a hand-set icon less)
        // A bitmap: BITMAPFILEHEADER (its size, the pixels after 16 colours), BITMAPINFOHEADER:
        // 120 x 190 or 32 x 32, bottom-up, 4 bits, uncompressed, the pixels' size, no
        // resolution, 16 colours. An icon: ICONDIR with one ICONDIRENTRY (32 x 32, 8 bits,
        // 2216 bytes at 22), BITMAPINFOHEADER: 32 x 64 with the AND mask, 8 bits, 256 colours.
        const QByteArray picture("424dfe2c000000000000760000002800000078000000be00000001000400"
                                 "00000000882c000000000000000000001000000000000000");
        const QByteArray thumbnail("424d7602000000000000760000002800000020000000200000000100"
                                   "0400000000000002000000000000000000001000000000000000");
        const QByteArray icon("0000010001002020000001000800a8080000160000002800000020000000"
                              "4000000001000800000000008004000000000000000000000001000000000000");
        for (int sign = 0; sign < 12; ++sign) {
            QTest::addRow("bitmap %d", 100 + sign)
                << Bitmap << 100 + sign << picture << 14 + 40 + 64 + 380 * 120 << 1800 << 90;
            QTest::addRow("bitmap %d", 1000 + sign)
                << Bitmap << 1000 + sign << thumbnail << 14 + 40 + 64 + 64 * 32 << 250 << 80;
        }
        for (const int number : { 1, 10, 100, 101, 102, 103, 104, 105 })
            QTest::addRow("icon %d", number)
                << Icon << number << icon << 22 + 40 + 1024 + 64 * 64 + 64 * 8 << 60 << 75;
    }
    // The file in its exact form, its palette's reserved bytes 0; a sign picture of 8 colours at
    // least and unlike the others; an icon's masked pixels index 0 and its shape on a
    // transparent ground; what the picture must show, for readers and on desktops. The
    // catalogue gives what Qt's reader shows of the same bytes; on a screen of scale 2 and more
    // the drawing at twice the pixels, with the same form and palette, and never without the
    // item itself.
    void picture()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(int, number);
        QFETCH(QByteArray, header);
        const QString path = QString::asprintf(
            kind == Icon ? "catalogue/icons/%d%%1.ico" : "catalogue/bitmaps/%d%%1.bmp", number);
        const QByteArray file = sourceFile(path.arg(QString()));
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
        const bool sign = kind == Bitmap && number < 1000, thumbnail = kind == Bitmap && !sign;
        if (sign) {
            static QSet<QByteArray> others; // the palettes and the pixels of those before
            QSet<int> used;
            for (const char byte : file.mid(118)) // two pixels a byte, rows of 120 unpadded
                used << (quint8(byte) >> 4) << (byte & 0x0f);
            QCOMPARE_GE(used.size(), 8);
            QVERIFY(!others.contains(file.mid(54, 64)));
            QVERIFY(!others.contains(file.mid(118)));
            others << file.mid(54, 64) << file.mid(118);
        }
        QCOMPARE(catalogueItemBytes(number, kind), file);
        const QImage expected = qtDecoded(number, kind);
        int white = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb c = expected.pixel(x, y);
                const auto where
                    = [x, y] { return QString::asprintf("pixel %d,%d", x, y).toLatin1(); };
                // The strip the sign page writes the planets over (rows 164 on) is a light
                // ground: black type on it stands out at 7 : 1 or better.
                if (sign && y >= 164)
                    QVERIFY2(contrast(c, Black) >= 7.0, where().constData());
                // The white symbol against every pixel of its disc two pixels clear of it: at
                // 4.5 : 1, as a symbol this small needs to be read at a glance.
                bool nearSymbol = false;
                for (int k = 0; thumbnail && k < 25; ++k)
                    nearSymbol |= qGray(pixelAt(expected, x + k % 5 - 2, y + k / 5 - 2)) >= 240;
                white += thumbnail && qGray(c) >= 240;
                if (thumbnail && !nearSymbol && std::hypot(x - 15.5, y - 15.5) <= 13)
                    QVERIFY2(contrast(c, White) >= 4.5, where().constData());
                // No topic icon carries a red cross, the protected emblem: no pure-red pixel
                // lies on both a row and a column of nine or more.
                if (kind == Icon && number >= 100)
                    QVERIFY2(
                        std::min(redRun(expected, x, y, 1, 0), redRun(expected, x, y, 0, 1)) < 9,
                        where().constData());
                // The program icon stands on title bars of any colour: every pixel on its edge
                // stands out from a dark bar at 3 : 1 and from the window grey at 1.5 : 1.
                const bool edge = !qAlpha(pixelAt(expected, x - 1, y))
                    || !qAlpha(pixelAt(expected, x + 1, y)) || !qAlpha(pixelAt(expected, x, y - 1))
                    || !qAlpha(pixelAt(expected, x, y + 1));
                if (kind == Icon && number < 100 && qAlpha(c) && edge)
                    QVERIFY2(contrast(c, 0xff2d2d2d) >= 3.0 && contrast(c, 0xffefefef) >= 1.5,
                        where().constData());
                // The heart's outline is the same on both sides, to the pixel.
                if (kind == Icon && number == 103)
                    QCOMPARE(qAlpha(c), qAlpha(expected.pixel(31 - x, y)));
            }
        }
        QVERIFY(!thumbnail || white >= 40);
        QCOMPARE(qAlpha(expected.pixel(0, 0)), kind == Icon ? 0 : 255);
        QCOMPARE(seen(decodeCataloguePicture(number, kind)), expected);
        QCOMPARE(seen(loadCataloguePicture(number, kind).toImage()), expected);

        QFETCH(int, largeSize);
        QFETCH(int, drawn);
        QFETCH(int, keptPercent);
        const QByteArray largeFile = sourceFile(path.arg(u8("@2x")));
        QCOMPARE(largeFile.size(), largeSize);
        if (kind == Bitmap) // "BM", where the pixels start, the header's size, 4 bits, palette
            for (const auto &[from, size] : { std::pair(0, 2), { 10, 8 }, { 28, 4 }, { 54, 64 } })
                QCOMPARE(largeFile.mid(from, size).toHex(), file.mid(from, size).toHex());
        QImage large = seen(QImage::fromData(largeFile));
        compareLarge(expected, large, drawn, keptPercent);
        large.setDevicePixelRatio(2); // compared too
        QCOMPARE(seen(loadCataloguePicture(number, kind, 2).toImage()), large);
        QCOMPARE(seen(loadCataloguePicture(number, kind, 1.5).toImage()), expected);
        CatalogueCopy catalogue;
        catalogue.hide(kind, number);
        QVERIFY_THROWS_EXCEPTION(CatalogueError, loadCataloguePicture(number, kind, 2));
    }
    // No committed picture beyond those above; the program's icon under two numbers.
    void noOtherPictures()
    {
        QCOMPARE(QDir(ASTRELO_SOURCE_DIR "/catalogue/bitmaps").entryList(QDir::Files).size(), 48);
        QCOMPARE(QDir(ASTRELO_SOURCE_DIR "/catalogue/icons").entryList(QDir::Files).size(), 16);
        QCOMPARE(sourceFile(u8("catalogue/icons/10.ico")), sourceFile(u8("catalogue/icons/1.ico")));
    }
    // GIF89a, 220 x 35, a global table of 8 colours; one graphic control extension with a
    // transparent colour, disposal none or in place and no delay; one whole-screen image, no
    // local table, not interlaced, LZW code size 3; then the trailer. The wordmark, from x 40
    // on, is navy with its greys: no warm pixel from the stars. Its drawing at twice the pixels.
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
        const QImage image = seen(QImage::fromData(gif));
        QCOMPARE(image.size(), QSize(220, 35));
        for (int y = 0; y < 35; ++y)
            for (int x = 40; x < 220; ++x)
                QVERIFY(qBlue(image.pixel(x, y)) >= qRed(image.pixel(x, y)));
        compareLarge(
            image, seen(QImage::fromData(sourceFile(u8("about_window/banner@2x.gif")))), 150, 80);
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
