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

// The numbers of the item families, by sign (0 Aries .. 11 Pisces) and topic (0 character ..
// 5 occupation). A topic text's number is made by the main window's own rule.
namespace CatalogueNumber {
constexpr int signTitle(int sign)
{
    return sign;
} // string: "beran - Aries"
constexpr int signPlanets(int sign)
{
    return 100 + sign;
} // string: "mars"
constexpr int signDates(int sign)
{
    return 1000 + sign;
} // string: "21.3. - 20.4."
constexpr int signName(int sign)
{
    return 1100 + sign;
} // string: "Beran"
constexpr int topicName(int topic)
{
    return 1200 + topic;
} // string: "Povaha"
constexpr int signPicture(int sign)
{
    return 100 + sign;
} // bitmap, 120 x 190
constexpr int signThumbnail(int sign)
{
    return 1000 + sign;
} // bitmap, 32 x 32
constexpr int topicIcon(int topic)
{
    return 100 + topic;
} // icon, 32 x 32
} // namespace CatalogueNumber

// The string with this number, whole and exactly as stored.
QString LoadCatalogueString(int number);

// The bitmap or icon with this number, ready to show at its own pixel size. Needs a
// QGuiApplication; decodeCataloguePicture gives the same image without one.
QPixmap LoadCataloguePicture(int number, CatalogueKind kind);
QImage decodeCataloguePicture(int number, CatalogueKind kind);

// The stored bytes of a bitmap (a .bmp file) or an icon (a .ico file).
QByteArrayView catalogueItemBytes(int number, CatalogueKind kind);
