// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointF>

class QPlainTextEdit;

// Clicks on a text box, which keeps its mouse events for the caret and selection. A click is a
// press and release of the left button inside the box; a double-click is the second press of a
// quick pair whose first press was on the box too, up to a line's height from it; it selects
// no word, and the release that ends it is no click of its own. Screen readers find it as the
// text box's child and click through it.
class TextClicks : public QObject
{
    Q_OBJECT

public:
    explicit TextClicks(QPlainTextEdit *box);

    static TextClicks *of(const QPlainTextEdit *box);

    // A click that comes from a screen reader's action instead of the mouse. Screen readers
    // click through the action when they cannot move the pointer (on Wayland, or when the X
    // server answers late), so as with the mouse the second of a quick pair is a double-click.
    void press();

Q_SIGNALS:
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_pressed = false;
    bool m_pairable = false; // the last press may begin a double-click
    quint64 m_pressTime = 0;
    QPointF m_pressPlace;
    QElapsedTimer m_sincePress; // since the last press() that was not a double-click's second
};
