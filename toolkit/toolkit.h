// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QApplication;
class QPixmap;
class QWidget;

// The small layer between the windows' logic and Qt Widgets: design values (twips, colour
// values) and the sizing rules of labels, buttons and images.
namespace Toolkit {

// The designs are laid out in pixels; the windows' logic measures in twips, 15 to a pixel.
constexpr int TwipsPerPixel = 15;
constexpr int pixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// Colour values are 0x00BBGGRR, or with the top bit set a system colour by its low byte.
constexpr unsigned int Black = 0x00000000;
constexpr unsigned int Red = 0x000000FF;
constexpr unsigned int ButtonShadow = 0x80000010;

// Sets the text colour of a control and records the value (property "foreColor").
void setForeColour(QWidget *control, unsigned int value);

// Captions and bold flags of labels and flat buttons; one whose design says it fits its text
// is resized after each.
void setCaption(QWidget *label, const QString &caption);
void setBold(QWidget *label, bool bold);
// The one sizing routine: a label that fits its text takes its caption's width and one line's
// height, keeping the left edge, the right edge or the centre that its alignment gives. It
// stays inside its window, or inside the outline of the frame that holds it, and within its
// maximum width; a caption too wide for that room, or for a fixed label's box, is drawn in
// the label's face made smaller in steps until it fits. Where it fits, the design's size stays.
void fitToText(QWidget *label);

// Shows a picture at its natural size; the image keeps its top-left corner.
void setPicture(QWidget *image, const QPixmap &picture);

// Applies a window's design data held in dynamic properties of its controls ("foreColor" and
// "backColor" as colour values, "fitsText" as a flag, "pointSizeF" for fractional sizes), maps
// the design's faces with faceFor, and fixes the anchors and sizes that the sizing rule keeps.
void applyDesign(QWidget *window);

// The face this system shows for a face name of the designs. "MS Sans Serif" has no metric
// stand-in outside Windows, so it becomes Liberation Sans here, before Qt ever searches for
// it; "Arial", "Courier New" and "Comic Sans MS" resolve through fontconfig's own aliases.
QString faceFor(const QString &designFace);
// The designs' name for a face that faceFor gives, so that a reader hears the name the window
// shows ("MS Sans Serif" for its Liberation Sans).
QString designFaceOf(const QString &face);

// The program's look on every desktop: Fusion with its standard light palette, and the
// windows' default font "MS Sans Serif" 8 (through faceFor).
void setUpLook(QApplication &app);

} // namespace Toolkit
