// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>

#include <stdexcept>

// The content catalogue: every string, bitmap and icon the program shows, compiled into the
// program as Qt resources and looked up by number. Strings, bitmaps and icons are three separate
// number spaces. Nothing is cached; every call reads its item afresh.
//
// The items are read through the file search path "catalogue" (QDir::searchPaths), which the
// catalogue sets to its resources, ":/catalogue", as the program starts. A folder laid out like
// catalogue/ in the source tree serves as well when the search path is pointed at it.

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

// How many signs and topics there are: signs 0 (Aries) .. 11 (Pisces), topics 0 (character) ..
// 5 (occupation).
inline constexpr int SignCount = 12;
inline constexpr int TopicCount = 6;

// The numbers of the item families, by sign and topic. A topic text's number is made by the
// main window's own rule.
namespace CatalogueNumber {
// String: the sign's title, "beran - Aries".
constexpr int signTitle(int sign)
{
    return sign;
}
// String: the ruling planets, "mars".
constexpr int signPlanets(int sign)
{
    return 100 + sign;
}
// String: the dates, "21.3. - 20.4.".
constexpr int signDates(int sign)
{
    return 1000 + sign;
}
// String: the sign's name, "Beran".
constexpr int signName(int sign)
{
    return 1100 + sign;
}
// String: the topic's name, "Povaha".
constexpr int topicName(int topic)
{
    return 1200 + topic;
}
// Bitmap: the sign's picture, 120 x 190.
constexpr int signPicture(int sign)
{
    return 100 + sign;
}
// Bitmap: the sign's thumbnail, 32 x 32.
constexpr int signThumbnail(int sign)
{
    return 1000 + sign;
}
// Icon: the topic's icon, 32 x 32.
constexpr int topicIcon(int topic)
{
    return 100 + topic;
}
// Icon: the program's icon, the windows' icon.
constexpr int programIcon()
{
    return 1;
}
// Icon: the same picture as the program's icon, the one the about window shows.
constexpr int aboutIcon()
{
    return 10;
}
} // namespace CatalogueNumber

// The string with this number, whole and exactly as stored. A topic text's paragraphs are
// separated by CR LF CR LF.
QString loadCatalogueString(int number);

// The bitmap or icon with this number, ready to show at its own pixel size. On a screen of
// `pixelRatio` 2 or more, a picture also drawn at twice its pixels comes in that drawing, with a
// device pixel ratio of 2. Needs a QGuiApplication; decodeCataloguePicture gives the scale-1
// image without one.
QPixmap loadCataloguePicture(int number, CatalogueKind kind, qreal pixelRatio = 1);
QImage decodeCataloguePicture(int number, CatalogueKind kind);

// The stored bytes of a bitmap (a .bmp file) or an icon (a .ico file).
QByteArray catalogueItemBytes(int number, CatalogueKind kind);
