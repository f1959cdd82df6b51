// SPDX-License-Identifier: MIT
#pragma once

class QString;
class QWidget;

// What screen readers are told about the windows, over the platform's accessibility bus.
namespace Toolkit {

// Properties the toolkit keeps on widgets for screen readers. The windows may set the last
// four: a control hidden from screen readers (it only repeats or decorates another one), the
// role of a label that is not plain text ("heading" or "link") or of a window ("dialog"), the words
// that name the value a label shows (the label "8" is heard as "Velikost písma 8"), and the name of
// the row of tabs a chosen control belongs to (a tab is chosen as setChosen marks it; the row is
// heard as a row of tabs of that name, and it tells when a new tab is chosen).
inline constexpr char ChosenProperty[] = "chosen";
inline constexpr char ToggledProperty[] = "toggled";
inline constexpr char HiddenFromScreenReadersProperty[] = "hiddenFromScreenReaders";
inline constexpr char ScreenReaderRoleProperty[] = "screenReaderRole";
inline constexpr char ValueNameProperty[] = "valueName";
inline constexpr char TabRowProperty[] = "tabRow";

// Every control with a click handler offers the action "press", which does what the click
// does; a chosen control reports itself checked; controls hidden from screen readers are left
// out of their window.
void installAccessibility();

// Says a short message to screen readers, once, as a notice in the window's status line:
// what a click has just chosen or changed. Nothing is drawn.
void announce(QWidget *window, const QString &message);

// Tells screen readers that the window's title has changed, with the new title, as they
// expect a title change to be told; they say the title. False when it could not be told.
bool announceTitle(QWidget *window);

// Marks a control that switches something on and off (bold, italic) as on or off: screen
// readers hear it as a check box, checked or not. Nothing visible changes.
void setToggled(QWidget *control, bool on);

} // namespace Toolkit
