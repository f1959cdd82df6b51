// SPDX-License-Identifier: MIT
// The floor's FlatButton: Qt's own label, which draws the same caption or picture. This folder
// comes first on the floor's include path, so the design file's buttons are plain QLabels there.
#pragma once
#include <QLabel>
class FlatButton : public QLabel
{
    using QLabel::QLabel;
};
