// SPDX-License-Identifier: MIT
#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The catalogue's own resources answer to the search path "catalogue" from the start.
void addCatalogueSearchPath()
{
    QDir::setSearchPaths(u"catalogue"_s, { u":/catalogue"_s });
}
Q_CONSTRUCTOR_FUNCTION(addCatalogueSearchPath)

// The message names the missing item in Czech, as the program speaks: "V katalogu chybí
// řetězec 10006."
std::string errorMessage(CatalogueKind kind, int number)
{
    const char *what = "řetězec";
    if (kind == CatalogueKind::Bitmap)
        what = "bitmapa";
    else if (kind == CatalogueKind::Icon)
        what = "ikona";
    return std::string("V katalogu chybí ") + what + ' ' + std::to_string(number) + '.';
}

// Where a picture is: "catalogue:bitmaps/100.bmp", "catalogue:icons/1.ico", and where its
// drawing at twice the pixels for scaled screens is, if it has one: "catalogue:bitmaps/100@2x.bmp".
QString picturePath(int number, CatalogueKind kind, const QString &suffix = {})
{
    if (kind == CatalogueKind::String)
        throw CatalogueError(kind, number);
    return (kind == CatalogueKind::Bitmap ? u"catalogue:bitmaps/"_s : u"catalogue:icons/"_s)
        + QString::number(number) + suffix
        + (kind == CatalogueKind::Bitmap ? u".bmp"_s : u".ico"_s);
}

// Opens an item's file; the catalogue does not hold the item when there is none.
void openItem(QFile &file, CatalogueKind kind, int number)
{
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(kind, number);
}

QImage decode(QFile &file, CatalogueKind kind, int number)
{
    openItem(file, kind, number);
    // The format is known: guessing it from the contents would ask every image plugin.
    QImageReader reader(&file, kind == CatalogueKind::Bitmap ? "bmp" : "ico");
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        throw CatalogueError(kind, number);
    return image;
}

// The bytes of an open file, valid while it is open: a resource stored uncompressed is mapped
// where it lies in the program, any other file is read.
QByteArray contents(QFile &file)
{
    if (const uchar *data = file.map(0, file.size()))
        return QByteArray::fromRawData(reinterpret_cast<const char *>(data), file.size());
    return file.readAll();
}

// A topic text file holds one paragraph a line, an empty line between paragraphs, and ends
// with a newline. The string separates its paragraphs with CR LF CR LF, as a Windows text box
// expects: every newline but the last becomes CR LF.
QString topicText(QByteArrayView file)
{
    if (file.endsWith('\n'))
        file.chop(1);
    return QString::fromUtf8(file).replace(u'\n', u"\r\n"_s);
}

// The text of row "number<tab>text" of strings.tsv, if it has one; the file's other lines are
// rows of other numbers or comments, which start with #.
std::optional<QString> shortString(int number)
{
    QFile file(u"catalogue:strings.tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray table = contents(file);
    const QByteArray key = QByteArray::number(number) + '\t';
    for (qsizetype at = 0; at < table.size();) {
        qsizetype end = table.indexOf('\n', at);
        if (end < 0)
            end = table.size();
        const QByteArrayView row = QByteArrayView(table).sliced(at, end - at);
        if (row.startsWith(key))
            return QString::fromUtf8(row.sliced(key.size()));
        at = end + 1;
    }
    return std::nullopt;
}

} // namespace

CatalogueError::CatalogueError(CatalogueKind kind, int number)
    : std::runtime_error(errorMessage(kind, number))
    , m_kind(kind)
    , m_number(number)
{ }

QString loadCatalogueString(int number)
{
    // Strings and topic texts share one number space: a number is a row's or a text's. The
    // rows are looked at first: a look-up for a file that is not there asks the disk as well.
    if (std::optional<QString> string = shortString(number))
        return *std::move(string);
    QFile text(u"catalogue:texts/"_s + QString::number(number) + u".txt"_s);
    openItem(text, CatalogueKind::String, number);
    return topicText(contents(text));
}

QByteArray catalogueItemBytes(int number, CatalogueKind kind)
{
    QFile file(picturePath(number, kind));
    openItem(file, kind, number);
    return file.readAll();
}

QImage decodeCataloguePicture(int number, CatalogueKind kind)
{
    QFile file(picturePath(number, kind));
    return decode(file, kind, number);
}

QPixmap loadCataloguePicture(int number, CatalogueKind kind, qreal pixelRatio)
{
    QFile file(picturePath(number, kind));
    // The drawing at twice the pixels stands in for the item only while the catalogue holds it.
    if (pixelRatio >= 2 && file.exists()) {
        QFile large(picturePath(number, kind, u"@2x"_s));
        if (large.exists()) {
            QPixmap pixmap = QPixmap::fromImage(decode(large, kind, number));
            pixmap.setDevicePixelRatio(2);
            return pixmap;
        }
    }
    return QPixmap::fromImage(decode(file, kind, number));
}
