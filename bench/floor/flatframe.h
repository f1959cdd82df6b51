// SPDX-License-Identifier: MIT
// The floor's FlatFrame: Qt's own group box. This folder comes first on the floor's include
// path, so the design file's custom frame is built as a plain QGroupBox there.
#pragma once
#include <QGroupBox>
class FlatFrame : public QGroupBox
{
    using QGroupBox::QGroupBox;
};
