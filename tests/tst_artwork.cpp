// SPDX-License-Identifier: MIT
// The generated artwork: every committed picture file checked against the exact form the
// program and its installers rely on, and against what the compiled-in catalogue carries.

#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <tuple>

namespace {

const QString sourceDir = QStringLiteral(ASTRELO_SOURCE_DIR);

QByteArray readSourceFile(const QString &relativePath)
{
    QFile file(sourceDir + QLatin1Char('/') + relativePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16(const QByteArray &data, qsizetype at)
{
    return at + 2 <= data.size() ? qFromLittleEndian<quint16>(data.constData() + at) : 0xffff;
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return at + 4 <= data.size() ? qFromLittleEndian<quint32>(data.constData() + at) : 0xffffffffu;
}

qint32 s32(const QByteArray &data, qsizetype at)
{
    return qint32(u32(data, at));
}

quint8 u8(const QByteArray &data, qsizetype at)
{
    return at < data.size() ? quint8(data[at]) : 0;
}

QString bitmapPath(int number)
{
    return QStringLiteral("catalogue/bitmaps/%1.bmp").arg(number);
}
QString iconPath(int number)
{
    return QStringLiteral("catalogue/icons/%1.ico").arg(number);
}

// The pixel indices of a committed 4-bit bitmap, top row first.
QList<int> bitmapIndices(const QByteArray &file)
{
    const int width = s32(file, 18);
    const int height = s32(file, 22);
    const int stride = (width * 4 + 31) / 32 * 4;
    const qsizetype pixelsAt = u32(file, 10);
    QList<int> indices;
    for (int y = 0; y < height; ++y) {
        const qsizetype row = pixelsAt + qsizetype(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const quint8 byte = u8(file, row + x / 2);
            indices.append(x % 2 ? byte & 0x0f : byte >> 4);
        }
    }
    return indices;
}

QByteArray bitmapPalette(const QByteArray &file)
{
    return file.mid(14 + 40, 16 * 4);
}

int luminance(QRgb colour)
{
    return (299 * qRed(colour) + 587 * qGreen(colour) + 114 * qBlue(colour)) / 1000;
}

} // namespace

class TestArtwork : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bitmapFormat_data();
    void bitmapFormat();
    void signPictureUsesItsPalette_data();
    void signPictureUsesItsPalette();
    void signPicturesDiffer_data();
    void signPicturesDiffer();
    void captionStripIsPlainSky_data();
    void captionStripIsPlainSky();
    void thumbnailCornersAreWindowGrey_data();
    void thumbnailCornersAreWindowGrey();
    void iconFormat_data();
    void iconFormat();
    void programIconHasTwoNumbers();
    void catalogueCarriesCommittedFiles_data();
    void catalogueCarriesCommittedFiles();
    void loadedPictureSize_data();
    void loadedPictureSize();
    void bannerBlocks();
    void bannerDecodes();
    void desktopIcons_data();
    void desktopIcons();
};

void TestArtwork::bitmapFormat_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    for (int sign = 0; sign < 12; ++sign) {
        QTest::addRow("picture %d", 100 + sign) << 100 + sign << 120 << 190;
        QTest::addRow("thumbnail %d", 1000 + sign) << 1000 + sign << 32 << 32;
    }
}

void TestArtwork::bitmapFormat()
{
    QFETCH(int, number);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray file = readSourceFile(bitmapPath(number));
    const int stride = (width * 4 + 31) / 32 * 4;
    const int imageSize = stride * height;
    const int pixelsAt = 14 + 40 + 16 * 4;
    QCOMPARE(file.size(), pixelsAt + imageSize);
    // BITMAPFILEHEADER
    QCOMPARE(file.left(2), QByteArray("BM"));
    QCOMPARE(u32(file, 2), quint32(file.size()));
    QCOMPARE(u16(file, 6), 0);
    QCOMPARE(u16(file, 8), 0);
    QCOMPARE(u32(file, 10), quint32(pixelsAt));
    // BITMAPINFOHEADER: bottom-up rows (positive height), 4 bits, uncompressed.
    QCOMPARE(u32(file, 14), 40u);
    QCOMPARE(s32(file, 18), width);
    QCOMPARE(s32(file, 22), height);
    QCOMPARE(u16(file, 26), 1);
    QCOMPARE(u16(file, 28), 4);
    QCOMPARE(u32(file, 30), 0u);
    QCOMPARE(u32(file, 34), quint32(imageSize));
    for (const qsizetype resolutionAt : { 38, 42 })
        QVERIFY(u32(file, resolutionAt) == 0 || u32(file, resolutionAt) == 3780);
    QVERIFY(u32(file, 46) == 16 || u32(file, 46) == 0);
    QCOMPARE(u32(file, 50), 0u);
    // The palette's fourth byte is reserved.
    const QByteArray palette = bitmapPalette(file);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(u8(palette, 4 * i + 3), 0);
}

void TestArtwork::signPictureUsesItsPalette_data()
{
    QTest::addColumn<int>("number");
    for (int sign = 0; sign < 12; ++sign)
        QTest::addRow("%d", 100 + sign) << 100 + sign;
}

void TestArtwork::signPictureUsesItsPalette()
{
    QFETCH(int, number);
    const QByteArray file = readSourceFile(bitmapPath(number));
    QVERIFY(!file.isEmpty());
    const QList<int> indices = bitmapIndices(file);
    const QSet<int> used(indices.cbegin(), indices.cend());
    QVERIFY2(used.size() >= 8, qPrintable(QStringLiteral("uses %1 colours").arg(used.size())));
    // A palette holding one colour twice wastes one of its sixteen entries.
    const QByteArray palette = bitmapPalette(file);
    QSet<quint32> colours;
    for (int i = 0; i < 16; ++i)
        colours.insert(u32(palette, 4 * i));
    QCOMPARE(colours.size(), 16);
}

void TestArtwork::signPicturesDiffer_data()
{
    signPictureUsesItsPalette_data();
}

void TestArtwork::signPicturesDiffer()
{
    QFETCH(int, number);
    const QByteArray file = readSourceFile(bitmapPath(number));
    QVERIFY(!file.isEmpty());
    for (int other = 100; other < 112; ++other) {
        if (other == number)
            continue;
        const QByteArray otherFile = readSourceFile(bitmapPath(other));
        QVERIFY2(bitmapPalette(file) != bitmapPalette(otherFile),
            qPrintable(QStringLiteral("same palette as %1").arg(other)));
        QVERIFY2(decodeCataloguePicture(number, CatalogueKind::Bitmap)
                != decodeCataloguePicture(other, CatalogueKind::Bitmap),
            qPrintable(QStringLiteral("same picture as %1").arg(other)));
    }
}

void TestArtwork::captionStripIsPlainSky_data()
{
    signPictureUsesItsPalette_data();
}

void TestArtwork::captionStripIsPlainSky()
{
    // The ruling planet's name is written over the bottom strip in black with a white outline;
    // the strip has to stay dark, even sky for it to read.
    QFETCH(int, number);
    const QImage picture = decodeCataloguePicture(number, CatalogueKind::Bitmap);
    QCOMPARE(picture.size(), QSize(120, 190));
    int darkest = 255, brightest = 0;
    for (int y = 160; y < 190; ++y) {
        for (int x = 0; x < 120; ++x) {
            const int level = luminance(picture.pixel(x, y));
            darkest = std::min(darkest, level);
            brightest = std::max(brightest, level);
        }
    }
    QVERIFY2(brightest < 64 && brightest - darkest < 24,
        qPrintable(QStringLiteral("strip luminance %1..%2").arg(darkest).arg(brightest)));
}

void TestArtwork::thumbnailCornersAreWindowGrey_data()
{
    QTest::addColumn<int>("number");
    for (int sign = 0; sign < 12; ++sign)
        QTest::addRow("%d", 1000 + sign) << 1000 + sign;
}

void TestArtwork::thumbnailCornersAreWindowGrey()
{
    // Bitmaps have no transparency, so the corners outside the disc carry the window's grey.
    QFETCH(int, number);
    const QImage thumbnail = decodeCataloguePicture(number, CatalogueKind::Bitmap);
    QCOMPARE(thumbnail.size(), QSize(32, 32));
    for (const QPoint corner : { QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31) })
        QCOMPARE(thumbnail.pixel(corner), qRgb(239, 239, 239));
    // The centre is the sign's disc, not the background.
    QVERIFY(thumbnail.pixel(16, 4) != qRgb(239, 239, 239));
}

void TestArtwork::iconFormat_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("program 1") << 1;
    QTest::newRow("program 10") << 10;
    const char *const topics[]
        = { "character", "appearance", "illnesses", "love", "childhood", "occupation" };
    for (int topic = 0; topic < 6; ++topic)
        QTest::addRow("%s %d", topics[topic], 100 + topic) << 100 + topic;
}

void TestArtwork::iconFormat()
{
    QFETCH(int, number);
    const QByteArray file = readSourceFile(iconPath(number));
    QCOMPARE(file.size(), 6 + 16 + 2216);
    // ICONDIR and its single ICONDIRENTRY.
    QCOMPARE(u16(file, 0), 0);
    QCOMPARE(u16(file, 2), 1);
    QCOMPARE(u16(file, 4), 1);
    QCOMPARE(u8(file, 6), 32);
    QCOMPARE(u8(file, 7), 32);
    QCOMPARE(u8(file, 8), 0);
    QCOMPARE(u8(file, 9), 0);
    QCOMPARE(u16(file, 10), 1);
    QCOMPARE(u16(file, 12), 8);
    QCOMPARE(u32(file, 14), 2216u);
    QCOMPARE(u32(file, 18), 22u);
    // The image: header, 256 colours, 8-bit pixels, then the 1-bit AND mask; its height
    // counts both.
    const QByteArray dib = file.mid(22);
    QCOMPARE(u32(dib, 0), 40u);
    QCOMPARE(s32(dib, 4), 32);
    QCOMPARE(s32(dib, 8), 64);
    QCOMPARE(u16(dib, 12), 1);
    QCOMPARE(u16(dib, 14), 8);
    QCOMPARE(u32(dib, 16), 0u);
    QVERIFY(u32(dib, 20) == 32 * 32 + 32 * 4 || u32(dib, 20) == 0);
    QVERIFY(u32(dib, 32) == 256 || u32(dib, 32) == 0);
    QCOMPARE(u32(dib, 36), 0u);
    QCOMPARE(u32(dib, 40), 0u); // entry 0 is black, for the masked pixels
    const qsizetype pixelsAt = 40 + 256 * 4;
    const qsizetype maskAt = pixelsAt + 32 * 32;
    int transparent = 0;
    for (int row = 0; row < 32; ++row) {
        for (int x = 0; x < 32; ++x) {
            const bool masked = u8(dib, maskAt + row * 4 + x / 8) & (0x80 >> (x % 8));
            if (!masked)
                continue;
            ++transparent;
            QCOMPARE(u8(dib, pixelsAt + row * 32 + x), 0);
        }
    }
    // The icon is a shape on a transparent ground: both kinds of pixel are present.
    QVERIFY2(transparent > 32 && transparent < 32 * 32 - 128,
        qPrintable(QStringLiteral("%1 transparent pixels").arg(transparent)));
    const QImage decoded = decodeCataloguePicture(number, CatalogueKind::Icon);
    QCOMPARE(qAlpha(decoded.pixel(0, 0)), 0);
}

void TestArtwork::programIconHasTwoNumbers()
{
    const QByteArray one = readSourceFile(iconPath(1));
    QVERIFY(!one.isEmpty());
    QCOMPARE(readSourceFile(iconPath(10)), one);
    QCOMPARE(decodeCataloguePicture(10, CatalogueKind::Icon),
        decodeCataloguePicture(1, CatalogueKind::Icon));
}

void TestArtwork::catalogueCarriesCommittedFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::addColumn<CatalogueKind>("kind");
    for (const auto &[folder, suffix, kind] :
        { std::tuple { "bitmaps", "bmp", CatalogueKind::Bitmap },
            { "icons", "ico", CatalogueKind::Icon } }) {
        const QDir dir(sourceDir + QStringLiteral("/catalogue/") + QLatin1String(folder));
        const QStringList names
            = dir.entryList({ QStringLiteral("*.") + QLatin1String(suffix) }, QDir::Files);
        for (const QString &name : names) {
            const QString path = QStringLiteral("catalogue/%1/%2").arg(QLatin1String(folder), name);
            QTest::newRow(qPrintable(path))
                << path << QFileInfo(name).completeBaseName().toInt() << kind;
        }
    }
}

void TestArtwork::catalogueCarriesCommittedFiles()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    QFETCH(CatalogueKind, kind);
    const QByteArray file = readSourceFile(path);
    QVERIFY(!file.isEmpty());
    QCOMPARE(catalogueItemBytes(number, kind).toByteArray(), file);
}

void TestArtwork::loadedPictureSize_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<QSize>("size");
    for (int sign = 0; sign < 12; ++sign) {
        QTest::addRow("bitmap %d", 100 + sign)
            << 100 + sign << CatalogueKind::Bitmap << QSize(120, 190);
        QTest::addRow("bitmap %d", 1000 + sign)
            << 1000 + sign << CatalogueKind::Bitmap << QSize(32, 32);
    }
    for (const int number : { 1, 10, 100, 101, 102, 103, 104, 105 })
        QTest::addRow("icon %d", number) << number << CatalogueKind::Icon << QSize(32, 32);
}

void TestArtwork::loadedPictureSize()
{
    QFETCH(int, number);
    QFETCH(CatalogueKind, kind);
    QFETCH(QSize, size);
    const QPixmap picture = LoadCataloguePicture(number, kind);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), size);
    QCOMPARE(picture.devicePixelRatio(), 1.0);
}

void TestArtwork::bannerBlocks()
{
    const QByteArray gif = readSourceFile(QStringLiteral("about_window/banner.gif"));
    QVERIFY(gif.size() > 13 + 24);
    QCOMPARE(gif.left(6), QByteArray("GIF89a"));
    // Logical screen: 220 x 35, a global table of 8 colours, background 0, square pixels.
    QCOMPARE(u16(gif, 6), 220);
    QCOMPARE(u16(gif, 8), 35);
    const quint8 screenFlags = u8(gif, 10);
    QVERIFY(screenFlags & 0x80);
    QCOMPARE(screenFlags & 0x07, 2);
    QCOMPARE(u8(gif, 11), 0);
    QCOMPARE(u8(gif, 12), 0);

    // Walk the blocks after the colour table up to the trailer.
    qsizetype at = 13 + 3 * 8;
    int controlExtensions = 0, images = 0;
    const auto skipSubBlocks = [&] {
        while (at < gif.size() && u8(gif, at) != 0)
            at += 1 + u8(gif, at);
        ++at; // the terminator
    };
    while (at < gif.size() && u8(gif, at) != 0x3b) {
        const quint8 introducer = u8(gif, at);
        if (introducer == 0x21) {
            const quint8 label = u8(gif, at + 1);
            // Only the graphic control extension: no looping or comment extension.
            QCOMPARE(label, 0xf9);
            QCOMPARE(images, 0); // it describes the image after it
            ++controlExtensions;
            QCOMPARE(u8(gif, at + 2), 4);
            const quint8 flags = u8(gif, at + 3);
            QVERIFY(flags & 0x01); // a transparent colour
            QVERIFY(((flags >> 2) & 0x07) <= 1); // disposal: none or leave in place
            QCOMPARE(u16(gif, at + 4), 0); // no delay
            QCOMPARE(u8(gif, at + 6), 7); // the transparent index
            QCOMPARE(u8(gif, at + 7), 0);
            at += 8;
        } else if (introducer == 0x2c) {
            ++images;
            QCOMPARE(u16(gif, at + 1), 0);
            QCOMPARE(u16(gif, at + 3), 0);
            QCOMPARE(u16(gif, at + 5), 220);
            QCOMPARE(u16(gif, at + 7), 35);
            QCOMPARE(u8(gif, at + 9), 0); // no local table, not interlaced
            QCOMPARE(u8(gif, at + 10), 3); // LZW minimum code size for 8 colours
            at += 11;
            skipSubBlocks();
        } else {
            QFAIL(qPrintable(
                QStringLiteral("unexpected block 0x%1 at %2").arg(introducer, 0, 16).arg(at)));
        }
    }
    QCOMPARE(controlExtensions, 1);
    QCOMPARE(images, 1);
    // The trailer is the last byte.
    QCOMPARE(at, gif.size() - 1);
}

void TestArtwork::bannerDecodes()
{
    // A second opinion on the LZW data: Qt's own GIF reader must read the same picture.
    if (!QImageReader::supportedImageFormats().contains("gif"))
        QSKIP("this Qt has no GIF reader");
    const QImage banner(sourceDir + QStringLiteral("/about_window/banner.gif"));
    QCOMPARE(banner.size(), QSize(220, 35));
    QCOMPARE(qAlpha(banner.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(banner.pixel(219, 34)), 0);
    int opaque = 0, dark = 0;
    for (int y = 0; y < banner.height(); ++y) {
        for (int x = 0; x < banner.width(); ++x) {
            const QRgb pixel = banner.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            ++opaque;
            dark += luminance(pixel) < 80;
        }
    }
    // The wordmark is drawn, in dark ink, and the ground around it is transparent.
    QVERIFY2(opaque > 500 && opaque < 220 * 35 / 2, qPrintable(QString::number(opaque)));
    QVERIFY(dark > 300);
}

void TestArtwork::desktopIcons_data()
{
    QTest::addColumn<int>("size");
    for (const int size : { 32, 48, 64, 128 })
        QTest::addRow("%d", size) << size;
}

void TestArtwork::desktopIcons()
{
    QFETCH(int, size);
    const QString path
        = QStringLiteral("%1/packaging/icons/%2/cz.kelmo.Astrelo.png").arg(sourceDir).arg(size);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage icon = reader.read();
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
