// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A button drawn as a plain label: its caption or its picture on the window's background, with
// no frame, no pressed look and no focus. Clicks, groups and screen readers come from
// QAbstractButton.
class FlatButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(QPixmap pixmap READ pixmap WRITE setPixmap)

public:
    explicit FlatButton(QWidget *parent = nullptr);

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    QPixmap pixmap() const { return m_pixmap; }
    void setPixmap(const QPixmap &pixmap);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QPixmap m_pixmap;
};
