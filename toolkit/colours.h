// SPDX-License-Identifier: MIT
#pragma once

#include <QPalette>

class QWidget;

// The designs' colours: colour values, the system colours they name and the light palette.
// Internal to the toolkit layer.
namespace Toolkit {

// Fusion's light palette, whatever the desktop's colour scheme.
QPalette lightPalette();

// Applies a control's design colours held in its dynamic properties: "foreColor" (the text)
// and "backColor" (the background, which the control then fills).
void applyDesignColours(QWidget *control);

} // namespace Toolkit
