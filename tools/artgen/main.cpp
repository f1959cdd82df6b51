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
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
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
    QStringList planets; // what the program writes over each sign picture
    QImage banner;
};

// A sign picture as the sign page shows it: the planets written over its lower right in black
// bold type with two white copies, up-left and down-right, right-aligned 5 pixels from its edge.
QImage withPlanets(const QImage &picture, const QString &planets)
{
    QImage shown = picture.convertToFormat(QImage::Format_RGB32);
    QPainter p(&shown);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    const QRect box(0, 168, 115, 18);
    for (const auto &[offset, colour] :
        { std::pair { QPoint(-2, -2), Qt::white }, { QPoint(2, 2), Qt::white },
            { QPoint(0, 0), Qt::black } }) {
        p.setPen(colour);
        p.drawText(box.translated(offset), Qt::AlignRight | Qt::AlignTop, planets);
    }
    return shown;
}

// Every picture at its own size, the sign pictures also as the sign page shows them, then
// everything again four times as large, on the window grey.
QImage contactSheet(const Pictures &pictures)
{
    constexpr int margin = 16;
    constexpr int gap = 12;
    constexpr int zoom = 4;
    QImage sheet(margin * 2 + 6 * (120 * zoom + gap) - gap, 4000, QImage::Format_RGB32);
    sheet.fill(Art::windowGrey);
    QPainter p(&sheet);
    QPoint at(margin, margin);
    int rowHeight = 0;
    const auto place = [&](const QImage &image) {
        p.drawImage(at, image);
        at.rx() += image.width() + gap;
        rowHeight = std::max(rowHeight, image.height());
    };
    const auto newRow = [&] {
        at = QPoint(margin, at.y() + rowHeight + 2 * gap);
        rowHeight = 0;
    };

    for (const QImage &image : pictures.signs)
        place(image);
    newRow();
    for (qsizetype i = 0; i < pictures.signs.size(); ++i)
        place(withPlanets(pictures.signs[i], pictures.planets.value(i)));
    newRow();
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
    newRow();

    for (qsizetype i = 0; i < pictures.signs.size(); ++i) {
        place(magnified(pictures.signs[i], zoom));
        if (i % 6 == 5)
            newRow();
    }
    for (const QImage &image : pictures.thumbnails)
        place(magnified(image, zoom));
    newRow();
    for (const QImage &image : pictures.icons)
        place(magnified(image, zoom));
    newRow();
    for (const QImage &image : pictures.desktopIcons)
        place(magnified(image, zoom));
    newRow();
    place(magnified(pictures.banner, zoom));
    newRow();
    p.end();
    return sheet.copy(0, 0, sheet.width(), at.y() - 2 * gap + margin);
}

// The planets of each sign as the catalogue's strings 100 to 111 give them, capitalised as the
// sign page shows them.
QStringList planetNames(const QDir &root)
{
    QFile file(root.filePath(QStringLiteral("catalogue/strings.tsv")));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(file.fileName()));
    QStringList names(Art::signCount);
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        const int number = fields.value(0).toInt();
        if (fields.size() >= 2 && number >= 100 && number < 100 + Art::signCount) {
            const QString text = QString::fromUtf8(fields[1]).trimmed();
            names[number - 100] = text.left(1).toUpper() + text.mid(1);
        }
    }
    return names;
}

} // namespace

int main(int argc, char **argv)
{
    // Only the contact sheet needs fonts, and no screen: the pictures are drawn off-screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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

    for (const int size : { 16, 24, 32, 48, 64, 128 }) {
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

    if (!sheetPath.isEmpty()) {
        pictures.planets = planetNames(root);
        writeFile(sheetPath, pngBytes(contactSheet(pictures)));
    }
    return 0;
}
