// SPDX-License-Identifier: MIT
#pragma once

// What screen readers are told about the windows, over the platform's accessibility bus.
// Internal to the toolkit layer.
namespace Toolkit {

// Properties the toolkit keeps on widgets for screen readers.
inline constexpr char ChosenProperty[] = "chosen";
inline constexpr char HiddenFromScreenReadersProperty[] = "hiddenFromScreenReaders";

// Every control with a click handler offers the action "press", which does what the click
// does; a chosen control reports itself checked; controls hidden from screen readers are left
// out of their window.
void installAccessibility();

} // namespace Toolkit
