// SPDX-License-Identifier: MIT
#pragma once

class QButtonGroup;
class QString;
class QWidget;

// What screen readers are told beyond what Qt's own interfaces tell: a window's status line and
// notices, rows of tabs, label roles, and the text box's clicks and character places.
namespace Toolkit {

// Properties a window's design may set on its controls: a control hidden from screen readers
// (it only repeats or decorates another one), the role of a label or button that is not plain
// ("heading" or "link"), the words that name the value a label shows
// (the label "8" is heard as "Velikost písma 8"), and the control a screen reader's focus rests
// on while its window, in which nothing takes the keyboard, is active (else the window).
inline constexpr char HiddenFromScreenReadersProperty[] = "hiddenFromScreenReaders";
inline constexpr char ScreenReaderRoleProperty[] = "screenReaderRole";
inline constexpr char ValueNameProperty[] = "valueName";
inline constexpr char ScreenReaderFocusProperty[] = "screenReaderFocus";

void installAccessibility();

// A click that a screen reader repeats within milliseconds of the last one counts once.
void ignoreEchoedClicks();

// The buttons of an exclusive group are heard as a row of tabs of that name, its checked
// button as the selected tab; a newly checked one is told as a new selection of the row.
void setTabRow(QButtonGroup *group, const QString &name);

// Says a short message to screen readers, once: what a click has just chosen or changed.
// Nothing is drawn.
void announce(QWidget *window, const QString &message);

// Sets what the window's status line says (where the reader is), without saying it.
void setStatus(QWidget *window, const QString &message);

// Tells screen readers that what they have read of the window is out of date (a panel has
// come or gone).
void tellContentChanged(QWidget *window);

} // namespace Toolkit
