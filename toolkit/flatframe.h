// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

// A frame with its caption along the top edge and a single flat outline, filled with its own
// background colour: the look of a flat Windows frame on any style. A press and release of
// the left button on it (not on a control inside it that keeps its clicks) is a click.
class FlatFrame : public QGroupBox
{
    Q_OBJECT
    // The frame's own caption, not the group box's title: Qt reports every control of a titled
    // group box as labelled by the box, and a screen reader then says the caption again before
    // each radio button in it.
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit FlatFrame(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Where the caption is drawn, over a gap in the top line; empty without a caption.
    QRect captionRect() const;

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString m_caption;
    bool m_pressed = false;
};
