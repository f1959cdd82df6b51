// SPDX-License-Identifier: MIT
#include "catalogue.h"

#include "catalogue_tables.h"
#include "dib.h"

#include <algorithm>
#include <span>

namespace {

template <typename Entry>
const Entry *findEntry(std::span<const Entry> table, CatalogueKind kind, int number)
{
    const auto it = std::lower_bound(table.begin(), table.end(), number,
        [](const Entry &entry, int wanted) { return entry.number < wanted; });
    if (it == table.end() || it->number != number)
        throw CatalogueError(kind, number);
    return &*it;
}

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

} // namespace

CatalogueError::CatalogueError(CatalogueKind kind, int number)
    : std::runtime_error(errorMessage(kind, number))
    , m_kind(kind)
    , m_number(number)
{ }

QString LoadCatalogueString(int number)
{
    using namespace CatalogueTables;
    const StringEntry *entry = findEntry(strings, CatalogueKind::String, number);
    // The text lives in static storage for the life of the program: no copy is needed.
    return QString::fromRawData(reinterpret_cast<const QChar *>(entry->text), entry->size);
}

QByteArrayView catalogueItemBytes(int number, CatalogueKind kind)
{
    using namespace CatalogueTables;
    if (kind == CatalogueKind::String)
        throw CatalogueError(kind, number);
    const auto table = kind == CatalogueKind::Bitmap ? bitmaps : icons;
    const BlobEntry *entry = findEntry(table, kind, number);
    return QByteArrayView(entry->data, entry->size);
}

QImage decodeCataloguePicture(int number, CatalogueKind kind)
{
    const QByteArrayView bytes = catalogueItemBytes(number, kind);
    QImage image
        = kind == CatalogueKind::Bitmap ? Dib::decodeBmpFile(bytes) : Dib::decodeIcoFile(bytes);
    if (image.isNull())
        throw CatalogueError(kind, number);
    return image;
}

QPixmap LoadCataloguePicture(int number, CatalogueKind kind)
{
    return QPixmap::fromImage(decodeCataloguePicture(number, kind));
}
