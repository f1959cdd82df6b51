// SPDX-License-Identifier: MIT
// The generated artwork: every committed picture file checked against the exact form the
// program and its installers rely on, and against what the compiled-in catalogue carries.

#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include <array>

namespace {

const QString sourceDir = QStringLiteral(ASTRELO_SOURCE_DIR);
constexpr CatalogueKind Bitmap = CatalogueKind::Bitmap, Icon = CatalogueKind::Icon;

QByteArray readSourceFile(const QString &relativePath)
{
    QFile file(sourceDir + QLatin1Char('/') + relativePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString picturePath(CatalogueKind kind, int number)
{
    return kind == Icon ? QStringLiteral("catalogue/icons/%1.ico").arg(number)
                        : QStringLiteral("catalogue/bitmaps/%1.bmp").arg(number);
}

// A little-endian unsigned field; past the end of the data it reads as -1.
qint64 field(const QByteArray &data, qsizetype at, int bytes)
{
    if (at < 0 || at + bytes > data.size())
        return -1;
    qint64 value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | quint8(data[at + i]);
    return value;
}

// Each field given as { offset, bytes, expected value }.
void expectFields(const QByteArray &data, const QList<std::array<qint64, 3>> &fields)
{
    for (const auto &[at, bytes, expected] : fields)
        QVERIFY2(field(data, at, int(bytes)) == expected, qPrintable(QString::number(at)));
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
        QTest::addColumn<QSize>("size");
        for (int sign = 0; sign < 12; ++sign) {
            QTest::addRow("bitmap %d", 100 + sign) << Bitmap << 100 + sign << QSize(120, 190);
            QTest::addRow("bitmap %d", 1000 + sign) << Bitmap << 1000 + sign << QSize(32, 32);
        }
        for (const int number : { 1, 10, 100, 101, 102, 103, 104, 105 })
            QTest::addRow("icon %d", number) << Icon << number << QSize(32, 32);
    }

    // A bitmap: BITMAPFILEHEADER, then a bottom-up (positive height) 4-bit image. An icon:
    // ICONDIR with one ICONDIRENTRY, then an 8-bit image whose height counts the 1-bit AND mask.
    void picture()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(int, number);
        QFETCH(QSize, size);
        const bool icon = kind == Icon;
        const QByteArray file = readSourceFile(picturePath(kind, number));
        const int bits = icon ? 8 : 4, headerSize = icon ? 6 + 16 : 14, colours = 1 << bits;
        const int pixelBytes = (size.width() * bits + 31) / 32 * 4 * size.height();
        const int maskBytes = icon ? (size.width() + 31) / 32 * 4 * size.height() : 0;
        const int imageSize = 40 + 4 * colours + pixelBytes + maskBytes;
        QCOMPARE(file.size(), headerSize + imageSize);
        if (icon)
            expectFields(file,
                { { 0, 2, 0 }, { 2, 2, 1 }, { 4, 2, 1 }, { 6, 1, size.width() },
                    { 7, 1, size.height() }, { 8, 1, 0 }, { 9, 1, 0 }, { 10, 2, 1 },
                    { 12, 2, bits }, { 14, 4, imageSize }, { 18, 4, headerSize } });
        else
            expectFields(file,
                { { 0, 2, 'B' | 'M' << 8 }, { 2, 4, file.size() }, { 6, 4, 0 },
                    { 10, 4, headerSize + 40 + 4 * colours } });
        const QByteArray image = file.mid(headerSize);
        expectFields(image,
            { { 0, 4, 40 }, { 4, 4, size.width() }, { 8, 4, size.height() * (icon ? 2 : 1) },
                { 12, 2, 1 }, { 14, 2, bits }, { 16, 4, 0 }, { 36, 4, 0 } });
        QVERIFY(QList<qint64>({ pixelBytes + maskBytes, icon ? 0 : pixelBytes })
                    .contains(field(image, 20, 4)));
        QVERIFY(QList<qint64>({ colours, 0 }).contains(field(image, 32, 4)));
        for (const int resolutionAt : { 24, 28 })
            QVERIFY(icon || QList<qint64>({ 0, 3780 }).contains(field(image, resolutionAt, 4)));
        for (int entry = 0; entry < colours; ++entry)
            QCOMPARE(field(image, 40 + 4 * entry + 3, 1), 0); // the reserved byte
        if (icon) {
            // Masked pixels are index 0, black; the shape stands on a transparent ground.
            QCOMPARE(field(image, 40, 4), 0);
            const int pixelsAt = 40 + 4 * colours, maskAt = pixelsAt + pixelBytes;
            int transparent = 0;
            for (int pixel = 0; pixel < pixelBytes; ++pixel) { // a byte a pixel, rows unpadded
                const bool masked = field(image, maskAt + pixel / 8, 1) & 0x80 >> pixel % 8;
                transparent += masked;
                QVERIFY(!masked || field(image, pixelsAt + pixel, 1) == 0);
            }
            QVERIFY(transparent > 32 && transparent < pixelBytes - 128);
            QCOMPARE(qAlpha(decodeCataloguePicture(number, kind).pixel(0, 0)), 0);
        }
        // The catalogue carries the committed file, and loads it at its own pixel size.
        QCOMPARE(catalogueItemBytes(number, kind).toByteArray(), file);
        const QPixmap loaded = LoadCataloguePicture(number, kind);
        QVERIFY(loaded.size() == size && loaded.devicePixelRatio() == 1.0);
    }

    void catalogueFiles()
    {
        // No committed picture beyond those checked above.
        QCOMPARE(QDir(sourceDir + "/catalogue/bitmaps").entryList(QDir::Files).size(), 24);
        QCOMPARE(QDir(sourceDir + "/catalogue/icons").entryList(QDir::Files).size(), 8);
        // The program's icon under its second number.
        QCOMPARE(readSourceFile(picturePath(Icon, 10)), readSourceFile(picturePath(Icon, 1)));
        QCOMPARE(decodeCataloguePicture(10, Icon), decodeCataloguePicture(1, Icon));
    }

    // Each sign picture uses at least 8 of its 16 colours, and no two pictures or palettes match.
    void signPictures()
    {
        QList<QByteArray> palettes;
        QList<QImage> pictures;
        for (int number = 100; number < 112; ++number) {
            const QByteArray file = readSourceFile(picturePath(Bitmap, number));
            QSet<int> used;
            for (const char byte : file.mid(14 + 40 + 16 * 4)) // rows of 120 pixels: no padding
                used << (quint8(byte) >> 4) << (byte & 0x0f);
            QVERIFY2(used.size() >= 8, qPrintable(QString::number(number)));
            palettes.append(file.mid(14 + 40, 16 * 4));
            pictures.append(decodeCataloguePicture(number, Bitmap));
        }
        QCOMPARE(QSet<QByteArray>(palettes.cbegin(), palettes.cend()).size(), 12);
        // The strip the sign page writes the planets over (rows 164 to 189) is plain sky: only
        // colours that all twelve pictures share, none of a figure's own.
        QSet<QRgb> shared;
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(pictures.indexOf(pictures[i]), i);
            QSet<QRgb> colours;
            for (int entry = 0; entry < 16; ++entry) // blue, green, red, reserved
                colours << qRgb(quint8(palettes[i][4 * entry + 2]),
                    quint8(palettes[i][4 * entry + 1]), quint8(palettes[i][4 * entry]));
            shared = i == 0 ? colours : shared & colours;
        }
        QVERIFY(shared.size() < 8);
        for (const QImage &picture : pictures) {
            for (int at = 164 * 120; at < 190 * 120; ++at)
                QVERIFY(shared.contains(picture.pixel(at % 120, at / 120)));
        }
    }

    void bannerBlocks()
    {
        const QByteArray gif = readSourceFile(QStringLiteral("about_window/banner.gif"));
        QCOMPARE(gif.left(6), QByteArray("GIF89a"));
        // Logical screen 220 x 35, a global table of 8 colours, background 0, square pixels.
        expectFields(gif, { { 6, 2, 220 }, { 8, 2, 35 }, { 11, 1, 0 }, { 12, 1, 0 } });
        QCOMPARE(field(gif, 10, 1) & 0x87, 0x82);
        // After the colour table, up to the trailer: one graphic control extension, one image.
        qsizetype at = 13 + 3 * 8;
        int controlExtensions = 0, images = 0;
        while (at < gif.size() && field(gif, at, 1) != 0x3b) {
            if (field(gif, at, 1) == 0x21) {
                QCOMPARE(field(gif, at + 1, 1), 0xf9); // no looping or comment extension
                QCOMPARE(images, 0);
                ++controlExtensions;
                // A transparent colour (7), disposal none or in place, no delay.
                expectFields(gif.mid(at), { { 2, 1, 4 }, { 4, 2, 0 }, { 6, 1, 7 }, { 7, 1, 0 } });
                QVERIFY((field(gif, at + 3, 1) & 0x01) && (field(gif, at + 3, 1) >> 2 & 7) <= 1);
                at += 8;
                continue;
            }
            QCOMPARE(field(gif, at, 1), 0x2c);
            ++images;
            // Whole screen, no local table, not interlaced, LZW code size 3 for 8 colours.
            expectFields(gif.mid(at),
                { { 1, 2, 0 }, { 3, 2, 0 }, { 5, 2, 220 }, { 7, 2, 35 }, { 9, 1, 0 },
                    { 10, 1, 3 } });
            for (at += 11; at < gif.size() && field(gif, at, 1) != 0;)
                at += 1 + field(gif, at, 1);
            ++at; // the terminator
        }
        QVERIFY(controlExtensions == 1 && images == 1);
        QCOMPARE(at, gif.size() - 1); // the trailer is the last byte
        if (QImageReader::supportedImageFormats().contains("gif"))
            QCOMPARE(QImage(sourceDir + "/about_window/banner.gif").size(), QSize(220, 35));
    }

    void desktopIconSizes()
    {
        const QString path = sourceDir + "/packaging/icons/%1/cz.kelmo.Astrelo.png";
        for (const int size : { 16, 24, 32, 48, 64, 128 })
            QCOMPARE(QImage(path.arg(size)).size(), QSize(size, size));
    }
};

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
