// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

// A frame with its caption along the top edge and a single flat outline, filled with its own
// background colour: the look of a flat Windows frame on any style.
class FlatFrame : public QGroupBox
{
    Q_OBJECT

public:
    explicit FlatFrame(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
