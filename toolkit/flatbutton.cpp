// SPDX-License-Identifier: MIT
#include "flatbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

FlatButton::FlatButton(QWidget *parent)
    : QAbstractButton(parent)
{
    // The text colour of a label, not of a button.
    setForegroundRole(QPalette::WindowText);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::released, this, [this] { setUpdatesEnabled(true); });
}

void FlatButton::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void FlatButton::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    update();
}

QSize FlatButton::sizeHint() const
{
    if (!m_pixmap.isNull())
        return m_pixmap.deviceIndependentSize().toSize();
    return fontMetrics().size(Qt::TextSingleLine, text());
}

// Drawn as QLabel draws plain text or a picture, so that a button and a label side by side
// look alike to the pixel.
void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const Qt::Alignment aligned = QStyle::visualAlignment(layoutDirection(), m_alignment);
    if (!m_pixmap.isNull()) {
        style()->drawItemPixmap(&painter, contentsRect(), int(aligned), m_pixmap);
        return;
    }
    const int direction = layoutDirection() == Qt::LeftToRight ? Qt::TextForceLeftToRight
                                                               : Qt::TextForceRightToLeft;
    style()->drawItemText(&painter, contentsRect(), int(aligned) | direction, palette(),
        isEnabled(), text(), foregroundRole());
}

// A flat button looks the same pressed and released. QAbstractButton repaints a button at once
// when it is pressed, and again when it is released before its clicked signal, each a frame of
// its own before the frame that shows what the click changes; here neither is drawn.
void FlatButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !hitButton(event->position().toPoint())) {
        event->ignore();
        return;
    }
    setDown(true);
    Q_EMIT pressed();
    event->accept();
}

void FlatButton::mouseReleaseEvent(QMouseEvent *event)
{
    // Updates come back with the released signal, before clicked, or when no click came.
    setUpdatesEnabled(false);
    QAbstractButton::mouseReleaseEvent(event);
    setUpdatesEnabled(true);
}
