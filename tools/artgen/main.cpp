// SPDX-License-Identifier: MIT
// Exports every picture from its master drawing into the source tree:
//
//   artgen REPO_ROOT                              the bitmaps, icons, banner and desktop icons
//   artgen --sheet SHEET.png REPO_ROOT            the same, plus a contact sheet of everything
//   artgen --preview 100..111 OUT.png REPO_ROOT   one sign picture as the program shows it
//
// The output depends on nothing but the masters and this code: it is the same on every run.

#include "art.h"
#include "pixels.h"
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
    QList<QImage> signs, thumbnails, topicIcons;
    QImage windowIcon; // icons 1 and 10, one picture stored under two numbers
    QList<std::pair<int, QImage>> desktopIcons; // by pixel size
    QStringList planets; // what the program writes over each sign picture
    QImage banner;
};

// A sign picture as the sign page shows it: the planets written over its lower right in black
// bold type with two white copies, up-left and down-right, right-aligned 5 pixels from its edge.
// `scale` is the picture's pixels per pixel of the page.
QImage withPlanets(const QImage &picture, const QString &planets, int scale = 1)
{
    QImage shown = picture.convertToFormat(QImage::Format_RGB32);
    QPainter p(&shown);
    p.scale(scale, scale);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    const QRect box(0, 168, 115, 18);
    for (const auto &[offset, colour] : { std::pair { QPoint(-2, -2), Qt::white },
             { QPoint(2, 2), Qt::white }, { QPoint(0, 0), Qt::black } }) {
        p.setPen(colour);
        p.drawText(box.translated(offset), Qt::AlignRight | Qt::AlignTop, planets);
    }
    return shown;
}

// One sign picture for its illustrator: as the page shows it at scale 1 and at scale 2, and
// the scale-1 picture four times enlarged, side by side on the window grey.
QImage preview(const Master &master, const QString &planets)
{
    const QImage one = withPlanets(decoded(Art::signPictureIndexed(master, 1)), planets);
    const QImage two = withPlanets(decoded(Art::signPictureIndexed(master, 2)), planets, 2);
    const QImage four = magnified(one, 4);
    QImage sheet(10 * 4 + one.width() + two.width() + four.width(), 20 + four.height(),
        QImage::Format_RGB32);
    sheet.fill(Art::windowGrey);
    QPainter p(&sheet);
    p.drawImage(10, 10, one);
    p.drawImage(20 + one.width(), 10, two);
    p.drawImage(30 + one.width() + two.width(), 10, four);
    return sheet;
}

// Every picture at its own size, the sign pictures as the sign page shows them, then everything
// again four times as large: rows of pictures on the window grey, each under its title.
QImage contactSheet(const Pictures &pictures)
{
    constexpr int zoom = 4, margin = 16, gap = 12, titleHeight = 18;
    QList<QImage> signs, icons = pictures.topicIcons;
    for (qsizetype i = 0; i < pictures.signs.size(); ++i)
        signs.append(withPlanets(pictures.signs[i], pictures.planets.value(i)));
    for (const auto &[size, image] : pictures.desktopIcons)
        icons.append(size == 32 ? pictures.windowIcon : image);
    icons.append(pictures.banner);
    QList<std::pair<QString, QList<QImage>>> rows {
        { QStringLiteral("Sign pictures 100-111, Aries to Pisces, with the planets"), signs },
        { QStringLiteral("Thumbnails 1000-1011"), pictures.thumbnails },
        { QStringLiteral(
              "Topic icons 100-105; the program icon at 16, 22, 24, 32 (icons 1 and 10), "
              "48, 64 and 128 pixels; the banner"),
            icons },
    };
    for (const auto &[title, row] : QList(rows)) {
        QList<QImage> large;
        for (const QImage &image : row)
            large.append(magnified(image, zoom));
        for (qsizetype from = 0; from < large.size(); from += 6)
            rows.append({ from ? QString() : title + QStringLiteral(", 4x"), large.mid(from, 6) });
    }
    int height = margin;
    for (const auto &[title, row] : rows)
        height += titleHeight
            + std::max_element(row.begin(), row.end(),
                [](auto &a, auto &b) {
                    return a.height() < b.height();
                })->height()
            + 2 * gap;
    QImage sheet(margin * 2 + 6 * (120 * zoom + gap) - gap, height, QImage::Format_RGB32);
    sheet.fill(Art::windowGrey);
    QPainter p(&sheet);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x40, 0x40, 0x40));
    int top = margin;
    for (const auto &[title, row] : rows) {
        p.drawText(QPoint(margin, top + 12), title);
        int x = margin, rowHeight = 0;
        for (const QImage &image : row) {
            p.drawImage(x, top + titleHeight, image);
            x += image.width() + gap;
            rowHeight = std::max(rowHeight, image.height());
        }
        top += titleHeight + rowHeight + 2 * gap;
    }
    return sheet;
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
    QString sheetPath, previewNumber, previewPath;
    if (args.size() == 3 && args[0] == QLatin1String("--sheet")) {
        sheetPath = args[1];
        args = args.mid(2);
    } else if (args.size() == 4 && args[0] == QLatin1String("--preview")) {
        previewNumber = args[1];
        previewPath = args[2];
        args = args.mid(3);
    }
    if (args.size() != 1)
        fail(QStringLiteral("usage: artgen [--sheet SHEET.png | --preview 100..111 OUT.png] "
                            "REPO_ROOT"));
    const QDir root(args[0]);
    if (!root.exists(QStringLiteral("catalogue")))
        fail(QStringLiteral("%1 is not the project's source folder").arg(args[0]));

    if (!previewNumber.isEmpty()) {
        const int number = previewNumber.toInt();
        const Master master(
            root.filePath(QStringLiteral("catalogue/masters/bitmaps/%1.svg").arg(number)));
        writeFile(previewPath, pngBytes(preview(master, planetNames(root).value(number - 100))));
        return 0;
    }

    // Each picture at its own size and, where the program shows it on scaled screens, at twice
    // its pixels under the same name with "@2x".
    const auto write = [&](const QString &path, const QByteArray &one, const QByteArray &two) {
        writeFile(root.filePath(path.arg(QString())), one);
        writeFile(root.filePath(path.arg(QStringLiteral("@2x"))), two);
    };
    const auto master = [&](const QString &path) { return Master(root.filePath(path)); };

    Pictures pictures;
    for (int sign = 0; sign < Art::signCount; ++sign) {
        const Master picture
            = master(QStringLiteral("catalogue/masters/bitmaps/%1.svg").arg(100 + sign));
        const Quantise::IndexedImage one = Art::signPictureIndexed(picture, 1);
        write(QStringLiteral("catalogue/bitmaps/%1%2.bmp").arg(100 + sign), Writers::bmp4(one),
            Writers::bmp4(Art::signPictureIndexed(picture, 2)));
        pictures.signs.append(decoded(one));
    }
    // A thumbnail is set by hand on its 32-pixel grid, and drawn for 64 pixels from a master of
    // its own, in the same colours.
    for (int sign = 0; sign < Art::signCount; ++sign) {
        const QString path = QStringLiteral("catalogue/masters/bitmaps/%1%2.svg").arg(1000 + sign);
        const Art::Thumbnail thumbnail = Art::thumbnailIndexed(
            master(path.arg(QString())), master(path.arg(QStringLiteral("@2x"))));
        write(QStringLiteral("catalogue/bitmaps/%1%2.bmp").arg(1000 + sign),
            Writers::bmp4(thumbnail.one), Writers::bmp4(thumbnail.two));
        pictures.thumbnails.append(decoded(thumbnail.one));
    }

    const auto topicIcon = [&](const QString &path) {
        return Art::iconIndexed(master(path).layer(QStringLiteral("picture"), 1));
    };
    const auto icoBytes = [](const Art::MaskedImage &masked) {
        return Writers::ico8(masked.image, masked.transparent);
    };
    // A topic icon is set by hand on its 32-pixel grid, and drawn for 64 pixels from a master
    // of its own.
    for (int topic = 0; topic < Art::topicCount; ++topic) {
        const QString path = QStringLiteral("catalogue/masters/icons/%1%2.svg").arg(100 + topic);
        const Art::MaskedImage one = topicIcon(path.arg(QString()));
        write(QStringLiteral("catalogue/icons/%1%2.ico").arg(100 + topic), icoBytes(one),
            icoBytes(topicIcon(path.arg(QStringLiteral("@2x")))));
        pictures.topicIcons.append(decoded(one.image, one.transparent));
    }

    // The program icon has a master for each pixel size up to 64, drawn to that size's pixel
    // grid, and its scalable drawing for larger ones. Icons 1 and 10 are its 32-pixel picture
    // (and the 64-pixel one on scaled screens), stored under two numbers. It goes on title bars
    // of any colour, so its edge is hard.
    Art::MaskedImage windowIcon;
    QByteArray windowIconTwice;
    for (const int size : { 16, 22, 24, 32, 48, 64, 128 }) {
        const Master drawing
            = master(size > 64 ? QStringLiteral("packaging/icons/scalable/cz.kelmo.Astrelo.svg")
                               : QStringLiteral("packaging/icons/masters/%1.svg").arg(size));
        const QImage image = Pixels::straightAlpha(
            drawing.layer(QStringLiteral("picture"), size / drawing.size().width()));
        if (image.size() != QSize(size, size))
            drawing.fail(QStringLiteral("the %1-pixel icon is drawn %2 pixels wide")
                             .arg(size)
                             .arg(image.width()));
        writeFile(
            root.filePath(QStringLiteral("packaging/icons/%1/cz.kelmo.Astrelo.png").arg(size)),
            pngBytes(image));
        pictures.desktopIcons.append({ size, image });
        if (size == 32)
            windowIcon = Art::iconIndexed(image, Art::Edge::Hard);
        else if (size == 64)
            windowIconTwice = icoBytes(Art::iconIndexed(image, Art::Edge::Hard));
    }
    for (const int number : { 1, 10 })
        write(QStringLiteral("catalogue/icons/%1%2.ico").arg(number), icoBytes(windowIcon),
            windowIconTwice);
    pictures.windowIcon = decoded(windowIcon.image, windowIcon.transparent);

    const Master bannerMaster = master(QStringLiteral("about_window/banner.svg"));
    const auto gifBytes = [](const Quantise::IndexedImage &banner) {
        return Writers::gif(banner, Art::bannerTransparentIndex);
    };
    const Quantise::IndexedImage banner = Art::bannerIndexed(bannerMaster, 1);
    write(QStringLiteral("about_window/banner%1.gif"), gifBytes(banner),
        gifBytes(Art::bannerIndexed(bannerMaster, 2)));
    std::vector<bool> background(banner.pixels.size());
    for (std::size_t i = 0; i < banner.pixels.size(); ++i)
        background[i] = banner.pixels[i] == Art::bannerTransparentIndex;
    pictures.banner = decoded(banner, background);

    if (!sheetPath.isEmpty()) {
        pictures.planets = planetNames(root);
        writeFile(sheetPath, pngBytes(contactSheet(pictures)));
    }
    return 0;
}
