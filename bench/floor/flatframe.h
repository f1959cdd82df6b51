// SPDX-License-Identifier: MIT
// The floor's FlatFrame: Qt's own group box, whose title takes the design file's caption. This
// folder comes first on the floor's include path, so the design file's custom frame is built as
// a plain QGroupBox there.
#pragma once
#include <QGroupBox>
class FlatFrame : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;
    void setCaption(const QString &caption) { setTitle(caption); }
};
