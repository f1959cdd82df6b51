// SPDX-License-Identifier: MIT
#include "accessible.h"

#include "toolkit.h"

#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>

namespace Toolkit {
namespace {

// A label, picture or frame. One that reacts to a click is a button (or one of several
// choices) with the action "press". Screen readers may ask for it while the window is still
// being built, so what it is is decided on each question, not when it is made.
class ControlAccessible : public QAccessibleWidget
{
public:
    explicit ControlAccessible(QWidget *control)
        : QAccessibleWidget(control)
    {
    }

    QAccessible::Role role() const override
    {
        if (qobject_cast<const QGroupBox *>(widget()))
            return QAccessible::Grouping;
        if (hasClickHandler(widget()))
            return widget()->property(ChosenProperty).isValid() ? QAccessible::RadioButton
                                                                : QAccessible::Button;
        const auto *label = qobject_cast<const QLabel *>(widget());
        return label && !label->pixmap().isNull() ? QAccessible::Graphic : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        // A control is named by its own words, never by the frame around it.
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        if (const auto *label = qobject_cast<const QLabel *>(widget()))
            return label->text();
        if (const auto *frame = qobject_cast<const QGroupBox *>(widget()))
            return frame->title();
        return QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant chosen = widget()->property(ChosenProperty);
        if (chosen.isValid()) {
            state.checkable = true;
            state.checked = chosen.toBool();
        }
        return state;
    }

    QStringList actionNames() const override
    {
        if (!hasClickHandler(widget()))
            return QAccessibleWidget::actionNames();
        return QStringList { pressAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            performClick(widget());
        else
            QAccessibleWidget::doAction(action);
    }
};

// A window of the program, without the controls hidden from screen readers.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Window)
    {
    }

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> children = shownChildren();
        return index >= 0 && index < children.size()
            ? QAccessible::queryAccessibleInterface(children.at(index))
            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(shownChildren().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

private:
    QList<QWidget *> shownChildren() const
    {
        QList<QWidget *> children
            = widget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        children.removeIf([](const QWidget *child) {
            return child->isWindow() || child->property(HiddenFromScreenReadersProperty).toBool();
        });
        return children;
    }
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    // Asked once for each class of the object's ancestry: answer for its own class only.
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    // The program's own windows (Qt's own classes all begin with a Q).
    if (widget->isWindow() && !className.startsWith(u'Q'))
        return new WindowAccessible(widget);
    // Everything else, the text box among them, keeps Qt's own interface.
    if (qobject_cast<QLabel *>(widget) || qobject_cast<QGroupBox *>(widget))
        return new ControlAccessible(widget);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleFor);
}

void setChosen(QWidget *control, bool chosen)
{
    const QVariant before = control->property(ChosenProperty);
    control->setProperty(ChosenProperty, chosen);
    if (QAccessible::isActive() && before.isValid() && before.toBool() != chosen) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(control, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void hideFromScreenReaders(QWidget *control)
{
    control->setProperty(HiddenFromScreenReadersProperty, true);
}

} // namespace Toolkit
