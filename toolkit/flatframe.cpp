// SPDX-License-Identifier: MIT
#include "flatframe.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

FlatFrame::FlatFrame(QWidget *parent)
    : QGroupBox(parent)
{
    setAutoFillBackground(true);
}

void FlatFrame::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void FlatFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(0, lineY, width() - 1, height() - 1 - lineY);

    const QRect captionBox = captionRect();
    if (captionBox.isEmpty())
        return;
    painter.fillRect(captionBox, palette().color(QPalette::Window));
    painter.drawText(captionBox, Qt::AlignCenter, m_caption);
}

QRect FlatFrame::captionRect() const
{
    if (m_caption.isEmpty())
        return QRect();
    const QFontMetrics metrics(font());
    return QRect(8, 0, metrics.horizontalAdvance(m_caption) + 4, metrics.height());
}

void FlatFrame::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void FlatFrame::mouseReleaseEvent(QMouseEvent *event)
{
    if (std::exchange(m_pressed, false) && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
