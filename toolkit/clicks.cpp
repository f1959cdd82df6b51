// SPDX-License-Identifier: MIT
#include "toolkit.h"

#include "guard.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace Toolkit {
namespace {

// The control that took the last press of the left button: a double-click is two presses on
// the same control, and a second press that lands on another control is a single press there.
QPointer<QWidget> lastPressed;

// Watches one control's mouse events and turns them into click and double-click handlers.
class ClickFilter : public QObject
{
    Q_OBJECT

public:
    ClickFilter(QWidget *target, bool consume)
        : QObject(target)
        , m_target(target)
        , m_consume(consume)
    {
        target->installEventFilter(this);
    }

    std::function<void()> click;
    std::function<void()> doubleClick;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_target)
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            press(static_cast<QMouseEvent *>(event));
            return m_consume;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const bool clicked = m_pressed && mouse->button() == Qt::LeftButton
                && m_target->rect().contains(mouse->position().toPoint());
            m_pressed = false;
            if (clicked && click)
                runGuarded(click);
            return m_consume;
        }
        case QEvent::MouseButtonDblClick: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (lastPressed != m_target) {
                // The first press went to another control (one that has hidden itself since,
                // say): for this control it is a plain press.
                QMouseEvent plain(QEvent::MouseButtonPress, mouse->position(),
                    mouse->scenePosition(), mouse->globalPosition(), mouse->button(),
                    mouse->buttons(), mouse->modifiers(), mouse->pointingDevice());
                QCoreApplication::sendEvent(m_target, &plain);
                return true;
            }
            if (!doubleClick) {
                // A control that knows no double-click counts every press: the second press
                // of a quick pair is a press of its own, and its release another click.
                press(mouse);
                return m_consume;
            }
            // The second press of a double-click is the double-click event only, never a
            // second click.
            m_pressed = false;
            if (mouse->button() == Qt::LeftButton)
                runGuarded(doubleClick);
            return m_consume;
        }
        default:
            return false;
        }
    }

private:
    void press(const QMouseEvent *mouse)
    {
        m_pressed = mouse->button() == Qt::LeftButton;
        lastPressed = m_target;
    }

    QWidget *const m_target;
    const bool m_consume;
    bool m_pressed = false;
};

// A scrolling control gets its mouse events on its viewport; it keeps them too, so that
// selecting and scrolling still work.
QWidget *clickTarget(QWidget *control)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(control);
    return area ? area->viewport() : control;
}

ClickFilter *existingClickFilter(QWidget *control)
{
    return clickTarget(control)->findChild<ClickFilter *>(QString(), Qt::FindDirectChildrenOnly);
}

ClickFilter *clickFilter(QWidget *control)
{
    ClickFilter *filter = existingClickFilter(control);
    return filter ? filter : new ClickFilter(clickTarget(control), clickTarget(control) == control);
}

// Runs one of a control's handlers as its mouse event would; false when it has none.
bool perform(QWidget *control, std::function<void()> ClickFilter::*handler)
{
    const ClickFilter *filter = existingClickFilter(control);
    if (!filter || !(filter->*handler))
        return false;
    runGuarded(filter->*handler);
    return true;
}

} // namespace

void onClick(QWidget *control, std::function<void()> handler)
{
    clickFilter(control)->click = std::move(handler);
}

void onDoubleClick(QWidget *control, std::function<void()> handler)
{
    clickFilter(control)->doubleClick = std::move(handler);
}

void swallowClicks(QWidget *control)
{
    clickFilter(control);
}

bool hasClickHandler(QWidget *control)
{
    const ClickFilter *filter = existingClickFilter(control);
    return filter && filter->click;
}

bool performClick(QWidget *control)
{
    return perform(control, &ClickFilter::click);
}

bool performDoubleClick(QWidget *control)
{
    return perform(control, &ClickFilter::doubleClick);
}

} // namespace Toolkit

#include "clicks.moc"
