// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <stdexcept>

// The content catalogue: every string, bitmap and icon the program shows, compiled into the
// program and looked up by number. Strings, bitmaps and icons are three separate number spaces.
// Nothing is cached; every call looks its item up afresh.

enum class CatalogueKind { String, Bitmap, Icon };

// Thrown when the catalogue holds no item of the requested kind and number.
class CatalogueError : public std::runtime_error
{
public:
    CatalogueError(CatalogueKind kind, int number);

    CatalogueKind kind() const { return m_kind; }
    int number() const { return m_number; }

private:
    CatalogueKind m_kind;
    int m_number;
};

// The string with this number, whole and exactly as stored.
QString LoadCatalogueString(int number);

// The bitmap or icon with this number, ready to show at its own pixel size. Needs a
// QGuiApplication; decodeCataloguePicture gives the same image without one.
QPixmap LoadCataloguePicture(int number, CatalogueKind kind);
QImage decodeCataloguePicture(int number, CatalogueKind kind);

// The stored bytes of a bitmap (a .bmp file) or an icon (a .ico file).
QByteArrayView catalogueItemBytes(int number, CatalogueKind kind);

// Test seam: makes one item look missing, as if the catalogue did not hold it, until
// restoreCatalogue() is called. Tests use it to drive every error path.
void hideCatalogueItem(CatalogueKind kind, int number);
void restoreCatalogue();
