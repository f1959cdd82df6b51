// SPDX-License-Identifier: MIT
#include "textclicks.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyleHints>

#include <utility>

TextClicks::TextClicks(QPlainTextEdit *box)
    : QObject(box)
{
    box->viewport()->installEventFilter(this);
}

TextClicks *TextClicks::of(const QPlainTextEdit *box)
{
    return box->findChild<TextClicks *>(QString(), Qt::FindDirectChildrenOnly);
}

void TextClicks::press()
{
    const bool pair = m_sincePress.isValid()
        && m_sincePress.elapsed() <= QGuiApplication::styleHints()->mouseDoubleClickInterval();
    if (pair) {
        m_sincePress.invalidate();
        Q_EMIT doubleClicked();
    } else {
        m_sincePress.start();
        Q_EMIT clicked();
    }
}

bool TextClicks::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (type == QEvent::MouseButtonDblClick) {
        // The platform makes a double-click of two quick presses wherever the first one went:
        // when it went to a control that has hidden itself since, this is a first press here.
        const bool pair = mouse->timestamp() - m_pressTime
            <= quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        if (!pair) {
            QMouseEvent press(QEvent::MouseButtonPress, mouse->position(), mouse->scenePosition(),
                mouse->globalPosition(), mouse->button(), mouse->buttons(), mouse->modifiers(),
                mouse->pointingDevice());
            press.setTimestamp(mouse->timestamp());
            QCoreApplication::sendEvent(watched, &press);
        } else {
            m_pressed = false;
            m_pairable = false;
            m_pressTime = mouse->timestamp();
            Q_EMIT doubleClicked();
        }
        return true; // either way, the box selects no word
    } else if (type == QEvent::MouseButtonPress) {
        // Two quick presses up to a line's height apart are a double-click too: a screen
        // reader's click moves the caret on, and its second click then lands a character
        // further, at large sizes farther than the platform's few pixels allow.
        const auto *box = static_cast<const QPlainTextEdit *>(watched->parent());
        const bool pair = m_pairable
            && mouse->timestamp() - m_pressTime
                <= quint64(QGuiApplication::styleHints()->mouseDoubleClickInterval())
            && (mouse->globalPosition() - m_pressPlace).manhattanLength()
                <= box->fontMetrics().height();
        m_pairable = !pair;
        m_pressed = !pair;
        m_pressTime = mouse->timestamp();
        m_pressPlace = mouse->globalPosition();
        if (pair) {
            Q_EMIT doubleClicked();
            return true;
        }
    } else {
        const bool inside
            = static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint());
        if (std::exchange(m_pressed, false) && inside)
            Q_EMIT clicked();
    }
    // The box still selects and places its caret.
    return false;
}
