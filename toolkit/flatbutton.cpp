// SPDX-License-Identifier: MIT
#include "flatbutton.h"

#include <QPainter>
#include <QStyle>

FlatButton::FlatButton(QWidget *parent)
    : QAbstractButton(parent)
{
    // The text colour of a label, not of a button.
    setForegroundRole(QPalette::WindowText);
    setFocusPolicy(Qt::NoFocus);
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
