// SPDX-License-Identifier: MIT
#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

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

// Where a picture is: "catalogue:bitmaps/100.bmp", "catalogue:icons/1.ico".
QString picturePath(int number, CatalogueKind kind)
{
    if (kind == CatalogueKind::String)
        throw CatalogueError(kind, number);
    return (kind == CatalogueKind::Bitmap ? u"catalogue:bitmaps/"_s : u"catalogue:icons/"_s)
        + QString::number(number) + (kind == CatalogueKind::Bitmap ? u".bmp"_s : u".ico"_s);
}

// A topic text file holds one paragraph a line, an empty line between paragraphs, and ends
// with a newline. The string separates its paragraphs with CR LF CR LF, as a Windows text box
// expects.
QString topicText(QByteArray file)
{
    if (file.endsWith('\n'))
        file.chop(1);
    return QString::fromUtf8(file).replace(u"\n\n"_s, u"\r\n\r\n"_s);
}

// The text of row "number<tab>text" of strings.tsv; the file's other lines are rows of other
// numbers or comments, which start with #.
QString shortString(int number)
{
    QFile file(u"catalogue:strings.tsv"_s);
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(CatalogueKind::String, number);
    const QByteArray table = '\n' + file.readAll();
    const QByteArray start = '\n' + QByteArray::number(number) + '\t';
    const qsizetype at = table.indexOf(start);
    if (at < 0)
        throw CatalogueError(CatalogueKind::String, number);
    const qsizetype from = at + start.size();
    qsizetype to = table.indexOf('\n', from);
    if (to < 0)
        to = table.size();
    return QString::fromUtf8(QByteArrayView(table).sliced(from, to - from));
}

} // namespace

CatalogueError::CatalogueError(CatalogueKind kind, int number)
    : std::runtime_error(errorMessage(kind, number))
    , m_kind(kind)
    , m_number(number)
{ }

QString loadCatalogueString(int number)
{
    // Strings and topic texts share one number space: a number is a text's or a row's.
    QFile text(u"catalogue:texts/"_s + QString::number(number) + u".txt"_s);
    if (text.open(QIODevice::ReadOnly))
        return topicText(text.readAll());
    return shortString(number);
}

QByteArray catalogueItemBytes(int number, CatalogueKind kind)
{
    QFile file(picturePath(number, kind));
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(kind, number);
    return file.readAll();
}

QImage decodeCataloguePicture(int number, CatalogueKind kind)
{
    QFile file(picturePath(number, kind));
    if (!file.open(QIODevice::ReadOnly))
        throw CatalogueError(kind, number);
    // The format is known: guessing it from the contents would ask every image plugin.
    QImageReader reader(&file, kind == CatalogueKind::Bitmap ? "bmp" : "ico");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw CatalogueError(kind, number);
    return image;
}

QPixmap loadCataloguePicture(int number, CatalogueKind kind)
{
    return QPixmap::fromImage(decodeCataloguePicture(number, kind));
}
