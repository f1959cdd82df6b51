// SPDX-License-Identifier: MIT
// Draws all of the program's pictures and writes them into the source tree:
//
//   artgen REPO_ROOT                      the bitmaps, icons, banner and desktop icons
//   artgen --sheet SHEET.png REPO_ROOT    the same, plus a contact sheet of everything
//
// The output depends on nothing but this code, so running it again gives the same bytes.

#include "art.h"
#include "writers.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "artgen: %s\n", qPrintable(message));
    std::exit(1);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        fail(QStringLiteral("cannot create the folder of %1").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(path));
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        fail(QStringLiteral("cannot encode a PNG image"));
    return bytes;
}

// What a stored picture looks like once decoded, for the contact sheet.
QImage decoded(const Quantise::IndexedImage &indexed, const std::vector<bool> &transparent = {})
{
    QImage image(indexed.width, indexed.height, QImage::Format_ARGB32);
    for (int y = 0; y < indexed.height; ++y) {
        for (int x = 0; x < indexed.width; ++x) {
            const std::size_t i = std::size_t(y) * indexed.width + x;
            const bool clear = !transparent.empty() && transparent[i];
            image.setPixel(x, y, clear ? qRgba(0, 0, 0, 0) : indexed.palette[indexed.at(x, y)]);
        }
    }
    return image;
}

QImage magnified(const QImage &image, int factor)
{
    return image.scaled(image.size() * factor); // nearest neighbour, so each pixel stays sharp
}

struct Pictures
{
    QList<QImage> signs, thumbnails, icons, desktopIcons;
    QImage banner;
};

// Every picture at its own size in rows, then again four times as large, on the window grey.
QImage contactSheet(const Pictures &pictures)
{
    constexpr int margin = 16;
    constexpr int gap = 12;
    constexpr int zoom = 4;
    QImage sheet(margin * 2 + 6 * (120 * zoom + gap) - gap, 2660, QImage::Format_RGB32);
    sheet.fill(Art::windowGrey);
    QPainter p(&sheet);
    QPoint at(margin, margin);
    const auto place = [&](const QImage &image) {
        p.drawImage(at, image);
        at.rx() += image.width() + gap;
    };
    const auto newRow = [&](int height) { at = QPoint(margin, at.y() + height + 2 * gap); };

    for (const QImage &image : pictures.signs)
        place(image);
    newRow(190);
    for (const QImage &image : pictures.thumbnails)
        place(image);
    at.rx() += 2 * gap;
    for (const QImage &image : pictures.icons)
        place(image);
    at.rx() += 2 * gap;
    for (const QImage &image : pictures.desktopIcons)
        place(image);
    at.rx() += 2 * gap;
    place(pictures.banner);
    newRow(128);

    for (qsizetype i = 0; i < pictures.signs.size(); ++i) {
        place(magnified(pictures.signs[i], zoom));
        if (i % 6 == 5)
            newRow(190 * zoom - gap);
    }
    for (const QImage &image : pictures.thumbnails)
        place(magnified(image, zoom));
    newRow(32 * zoom);
    for (const QImage &image : pictures.icons)
        place(magnified(image, zoom));
    newRow(32 * zoom);
    place(magnified(pictures.banner, zoom));
    p.end();
    return sheet.copy(0, 0, sheet.width(), at.y() + 35 * zoom + margin);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString sheetPath;
    if (args.size() == 3 && args[0] == QLatin1String("--sheet")) {
        sheetPath = args[1];
        args = args.mid(2);
    }
    if (args.size() != 1)
        fail(QStringLiteral("usage: artgen [--sheet SHEET.png] REPO_ROOT"));
    const QDir root(args[0]);
    if (!root.exists(QStringLiteral("catalogue")))
        fail(QStringLiteral("%1 is not the project's source folder").arg(args[0]));

    Pictures pictures;
    for (int sign = 0; sign < Art::signCount; ++sign) {
        const Quantise::IndexedImage picture = Art::signPictureIndexed(sign);
        writeFile(root.filePath(QStringLiteral("catalogue/bitmaps/%1.bmp").arg(100 + sign)),
            Writers::bmp4(picture));
        pictures.signs.append(decoded(picture));
        const Quantise::IndexedImage thumbnail = Art::signThumbnailIndexed(sign);
        writeFile(root.filePath(QStringLiteral("catalogue/bitmaps/%1.bmp").arg(1000 + sign)),
            Writers::bmp4(thumbnail));
        pictures.thumbnails.append(decoded(thumbnail));
    }

    const auto writeIcon = [&](int number, const QImage &icon) {
        const Art::MaskedImage masked = Art::iconIndexed(icon);
        writeFile(root.filePath(QStringLiteral("catalogue/icons/%1.ico").arg(number)),
            Writers::ico8(masked.image, masked.transparent));
        pictures.icons.append(decoded(masked.image, masked.transparent));
    };
    for (int topic = 0; topic < Art::topicCount; ++topic)
        writeIcon(100 + topic, Art::topicIcon(topic));
    // Icon 10 is the same picture as the program icon, stored under a second number.
    writeIcon(1, Art::programIcon(32));
    writeIcon(10, Art::programIcon(32));

    for (const int size : { 32, 48, 64, 128 }) {
        const QImage icon = Art::programIcon(size);
        writeFile(
            root.filePath(QStringLiteral("packaging/icons/%1/cz.kelmo.Astrelo.png").arg(size)),
            pngBytes(icon));
        pictures.desktopIcons.append(icon);
    }

    const Quantise::IndexedImage banner = Art::bannerIndexed();
    std::vector<bool> background(banner.pixels.size());
    for (std::size_t i = 0; i < banner.pixels.size(); ++i)
        background[i] = banner.pixels[i] == Art::bannerTransparentIndex;
    writeFile(root.filePath(QStringLiteral("about_window/banner.gif")),
        Writers::gif(banner, Art::bannerTransparentIndex));
    pictures.banner = decoded(banner, background);

    if (!sheetPath.isEmpty())
        writeFile(sheetPath, pngBytes(contactSheet(pictures)));
    return 0;
}
