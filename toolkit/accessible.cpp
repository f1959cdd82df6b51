// SPDX-License-Identifier: MIT
#include "accessible.h"

#include "toolkit.h"

#include <QAccessibleWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

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
    { }

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

// The read-only text box: its text, caret and selection for screen readers, and its click and
// double-click as the actions "press" (hides the settings panel) and "toggle" (shows or hides
// it).
class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TextBoxAccessible(QPlainTextEdit *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
    { }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->toPlainText() : QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList { pressAction(), toggleAction() } + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            performClick(box());
        else if (action == toggleAction())
            performDoubleClick(box());
        else
            QAccessibleWidget::doAction(action);
    }

    void selection(int index, int *start, int *end) const override
    {
        const QTextCursor cursor = box()->textCursor();
        const bool has = index == 0 && cursor.hasSelection();
        *start = has ? cursor.selectionStart() : 0;
        *end = has ? cursor.selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { setCursorPosition(cursorPosition()); }
    void setSelection(int, int start, int end) override
    {
        QTextCursor cursor = cursorAt(start);
        cursor.setPosition(clamped(end), QTextCursor::KeepAnchor);
        box()->setTextCursor(cursor);
    }

    int cursorPosition() const override { return box()->textCursor().position(); }
    void setCursorPosition(int position) override { box()->setTextCursor(cursorAt(position)); }

    QString text(int start, int end) const override
    {
        return box()->toPlainText().mid(start, end < 0 ? -1 : end - start);
    }
    int characterCount() const override { return int(box()->toPlainText().size()); }

    QRect characterRect(int offset) const override
    {
        QRect rect = box()->cursorRect(cursorAt(offset));
        const QString character = text(offset, offset + 1);
        rect.setWidth(box()->fontMetrics().horizontalAdvance(character));
        return QRect(box()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorForPosition(box()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int end) override
    {
        setSelection(0, start, end);
        box()->ensureCursorVisible();
    }
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }

private:
    QPlainTextEdit *box() const { return static_cast<QPlainTextEdit *>(widget()); }
    int clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }
    QTextCursor cursorAt(int offset) const
    {
        QTextCursor cursor(box()->document());
        cursor.setPosition(clamped(offset));
        return cursor;
    }
};

// A window of the program, without the controls hidden from screen readers.
class WindowAccessible : public QAccessibleWidget
{
public:
    explicit WindowAccessible(QWidget *window)
        : QAccessibleWidget(window, QAccessible::Window)
    { }

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
    if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
        return new TextBoxAccessible(box);
    // Everything else keeps Qt's own interface.
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
