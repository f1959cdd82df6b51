// SPDX-License-Identifier: MIT
#include "colours.h"

#include "toolkit.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace Toolkit {
namespace {

const char *const ForeColorProperty = "foreColor";
const char *const BackColorProperty = "backColor";

// Windows system colours by number, as the standard light palette shows them.
QColor systemColour(unsigned int index)
{
    const QPalette palette = QApplication::palette();
    switch (index) {
    case 5: // window background
        return palette.color(QPalette::Base);
    case 8: // window text
        return palette.color(QPalette::Text);
    case 15: // button face
        return palette.color(QPalette::Button);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    default:
        return palette.color(QPalette::WindowText);
    }
}

// A colour value: 0x00BBGGRR, or with the top bit set a system colour by its low byte.
QColor colourFromValue(unsigned int value)
{
    if (value & 0x80000000u)
        return systemColour(value & 0xffu);
    return QColor(int(value & 0xff), int((value >> 8) & 0xff), int((value >> 16) & 0xff));
}

// Reads a colour value written as in the designs: "&H80000010", "0x80000010" or decimal.
unsigned int parseColourValue(const QString &text, bool *ok)
{
    QString digits = text.trimmed();
    int base = 10;
    if (digits.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)
        || digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    }
    if (digits.endsWith(QLatin1Char('&')))
        digits.chop(1);
    return digits.toUInt(ok, base);
}

} // namespace

void setForeColour(QWidget *control, unsigned int value)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colourFromValue(value));
    control->setPalette(palette);
    control->setProperty(ForeColorProperty, value);
}

void applyDesignColours(QWidget *control)
{
    const QVariant colour = control->property(ForeColorProperty);
    if (colour.isValid()) {
        bool ok = false;
        const unsigned int value = parseColourValue(colour.toString(), &ok);
        if (ok)
            setForeColour(control, value);
    }
    const QVariant background = control->property(BackColorProperty);
    if (background.isValid()) {
        bool ok = false;
        const unsigned int value = parseColourValue(background.toString(), &ok);
        if (ok) {
            QPalette palette = control->palette();
            palette.setColor(QPalette::Window, colourFromValue(value));
            control->setPalette(palette);
            control->setAutoFillBackground(true);
        }
    }
}

// Fusion's light palette, written out: Fusion's own standard palette turns dark when the
// desktop is in dark mode.
QPalette lightPalette()
{
    const QColor window(239, 239, 239);
    const QColor dark = window.darker(150);
    const QColor shadow = dark.darker(135);
    const QColor mid = window.darker(130);
    const QColor disabledText(190, 190, 190);
    const QColor highlight(48, 140, 198);
    QPalette palette(Qt::black, window, window.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setBrush(QPalette::Midlight, mid.lighter(110));
    palette.setBrush(QPalette::Button, window);
    palette.setBrush(QPalette::Shadow, shadow);
    palette.setBrush(QPalette::HighlightedText, Qt::white);
    palette.setBrush(QPalette::Active, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Inactive, QPalette::Highlight, highlight);
    palette.setBrush(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setBrush(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setBrush(QPalette::Disabled, QPalette::Base, window);
    palette.setBrush(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setBrush(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    palette.setBrush(QPalette::PlaceholderText, QColor(0, 0, 0, 128));
    // Every colour counts as set, so none of a platform theme's palette shows through.
    palette.setResolveMask(~QPalette::ResolveMask(0));
    return palette;
}

} // namespace Toolkit
