// SPDX-License-Identifier: MIT
#include "accessible.h"

#include "toolkit.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>
#include <map>
#include <utility>

namespace Toolkit {
namespace {

// While set, the factory leaves every object to Qt's own interfaces.
bool askingQt = false;

// Qt's own interface for a widget, made by Qt while the factory below steps aside.
QAccessibleInterface *qtInterface(QWidget *widget)
{
    askingQt = true;
    QAccessibleInterface *own = QAccessible::queryAccessibleInterface(widget);
    askingQt = false;
    return own;
}

bool readable(const QWidget *child)
{
    return !child->isWindow() && !child->isHidden()
        && !child->property(HiddenFromScreenReadersProperty).toBool();
}

// The children a screen reader meets in a window or a frame: the shown controls, in the
// order of the design (the later ones lie on top).
QList<QWidget *> readableChildren(const QWidget *parent)
{
    QList<QWidget *> children
        = parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    children.removeIf([](const QWidget *child) { return !readable(child); });
    return children;
}

QString tabRowOf(const QWidget *control)
{
    return control->property(TabRowProperty).toString();
}

// The shown tabs of a row, in the order of the design.
QList<QWidget *> tabsOf(const QWidget *window, const QString &row)
{
    QList<QWidget *> tabs = readableChildren(window);
    tabs.removeIf([&row](const QWidget *tab) { return tabRowOf(tab) != row; });
    return tabs;
}

// A list of controls as a screen reader walks it: the control at an index, the index of a
// control, and the control at a point of the screen (the later ones lie on top).
QAccessibleInterface *controlAt(const QList<QWidget *> &controls, int index)
{
    return index >= 0 && index < controls.size()
        ? QAccessible::queryAccessibleInterface(controls.at(index))
        : nullptr;
}
int indexOfControl(const QList<QWidget *> &controls, const QAccessibleInterface *control)
{
    return control ? int(controls.indexOf(qobject_cast<QWidget *>(control->object()))) : -1;
}
QAccessibleInterface *controlAt(const QList<QWidget *> &controls, int x, int y)
{
    for (qsizetype i = controls.size() - 1; i >= 0; --i) {
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(controls.at(i));
        if (control && control->rect().contains(x, y))
            return control;
    }
    return nullptr;
}

// Sends an event to the AT-SPI bus as AT-SPI defines it, on Qt's own connection to that bus
// (Qt calls it "a11y"), so that it comes from this program's objects. Qt 6.4 sends a changed
// name without the name itself and sends no change of selection at all. False when there is no
// such connection: no screen reader listens, or Qt connects otherwise.
bool sendToBus(
    QAccessibleInterface *source, const QString &event, const QString &detail, const QVariant &data)
{
    const QDBusConnection bus(QStringLiteral("a11y"));
    if (!source || !bus.isConnected())
        return false;
    QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/a11y/atspi/accessible/")
            + QString::number(QAccessible::uniqueId(source)),
        QStringLiteral("org.a11y.atspi.Event.Object"), event);
    message << detail << 0 << 0 << QVariant::fromValue(QDBusVariant(data)) << QVariantMap();
    return bus.send(message);
}

class WindowAccessible;

// Something a window holds for screen readers only: nothing is drawn for it, and it keeps no
// words of its own but a name. Unless it covers controls, it is at no point of the screen.
class UnseenAccessible : public QAccessibleInterface
{
public:
    explicit UnseenAccessible(QWidget *window)
        : m_window(window)
    { }

    bool isValid() const override { return !m_window.isNull(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }
    QRect rect() const override { return QRect(); }
    QAccessible::State state() const override { return QAccessible::State(); }

protected:
    QWidget *owner() const { return m_window.data(); }

private:
    QPointer<QWidget> m_window;
};

// The status line of a window: an unseen strip that holds the notice below and is named by it,
// so that asking a screen reader for the status line repeats the last notice. Screen readers
// say a notice in a status line without naming its role.
class StatusLineAccessible : public UnseenAccessible
{
public:
    StatusLineAccessible(QWidget *window, QAccessibleInterface *notice)
        : UnseenAccessible(window)
        , m_notice(notice)
    { }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(owner());
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? m_notice : nullptr;
    }
    int childCount() const override { return 1; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child == m_notice ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override { return m_notice->text(t); }
    QAccessible::Role role() const override { return QAccessible::StatusBar; }

private:
    QAccessibleInterface *const m_notice;
};

// The last notice of a window. Showing it again is what makes a screen reader say it.
class NoticeAccessible : public UnseenAccessible
{
public:
    using UnseenAccessible::UnseenAccessible;

    void setStatusLine(QAccessibleInterface *line) { m_line = line; }
    void setMessage(const QString &message) { m_message = message; }

    QAccessibleInterface *parent() const override { return m_line; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_message : QString();
    }
    QAccessible::Role role() const override { return QAccessible::Notification; }

private:
    QAccessibleInterface *m_line = nullptr;
    QString m_message;
};

// A row of tabs: the controls of a window that share a row name, of which one is chosen (the
// thumbnails of the signs, the topics). It covers its tabs; the window lists it where its
// first tab would be.
class TabRowAccessible : public UnseenAccessible
{
public:
    TabRowAccessible(QWidget *window, QString name)
        : UnseenAccessible(window)
        , m_name(std::move(name))
    { }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(owner());
    }
    QAccessibleInterface *child(int index) const override { return controlAt(tabs(), index); }
    int childCount() const override { return int(tabs().size()); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return indexOfControl(tabs(), child);
    }
    QAccessibleInterface *childAt(int x, int y) const override { return controlAt(tabs(), x, y); }
    QRect rect() const override
    {
        QRect covered;
        for (QWidget *tab : tabs()) {
            if (const QAccessibleInterface *control = QAccessible::queryAccessibleInterface(tab))
                covered |= control->rect();
        }
        return covered;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? m_name : QString();
    }
    QAccessible::Role role() const override { return QAccessible::PageTabList; }

private:
    QList<QWidget *> tabs() const { return tabsOf(owner(), m_name); }

    const QString m_name;
};

// A label, picture, frame or window. A control that reacts to a click is a button (a tab of a
// row, one of several choices, or an on/off switch) with the action "press". Screen readers may ask
// for it while the window is still being built, so what it is is decided on each question.
class ControlAccessible : public QAccessibleWidget
{
public:
    explicit ControlAccessible(QWidget *control)
        : QAccessibleWidget(
            control, control->isWindow() ? QAccessible::Window : QAccessible::Client)
    { }

    QAccessible::Role role() const override
    {
        const QString kind = widget()->property(ScreenReaderRoleProperty).toString();
        // A dialog's words are read to the user when it opens.
        if (widget()->isWindow())
            return kind == QLatin1String("dialog") ? QAccessible::Dialog : QAccessible::Window;
        if (qobject_cast<const QGroupBox *>(widget()))
            return QAccessible::Grouping;
        if (kind == QLatin1String("heading"))
            return QAccessible::Heading;
        if (kind == QLatin1String("link"))
            return QAccessible::Link;
        if (hasClickHandler(widget())) {
            if (!tabRowOf(widget()).isEmpty())
                return QAccessible::PageTab;
            if (widget()->property(ToggledProperty).isValid())
                return QAccessible::CheckBox;
            return widget()->property(ChosenProperty).isValid() ? QAccessible::RadioButton
                                                                : QAccessible::Button;
        }
        const auto *label = qobject_cast<const QLabel *>(widget());
        return label && !label->pixmap().isNull() ? QAccessible::Graphic : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        // A control is named by its own words, never by the frame around it.
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty() || widget()->isWindow())
            return QAccessibleWidget::text(t);
        const QString valueName = widget()->property(ValueNameProperty).toString();
        if (const auto *label = qobject_cast<const QLabel *>(widget()))
            return valueName.isEmpty() ? label->text() : valueName + u' ' + label->text();
        if (const auto *frame = qobject_cast<const QGroupBox *>(widget()))
            return frame->title();
        return QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        for (const char *property : { ChosenProperty, ToggledProperty }) {
            const QVariant on = widget()->property(property);
            if (!on.isValid())
                continue;
            // The chosen tab of a row is its selected one.
            if (tabRowOf(widget()).isEmpty()) {
                state.checkable = true;
                state.checked = on.toBool();
            } else {
                state.selectable = true;
                state.selected = on.toBool();
            }
        }
        return state;
    }

    // A tab lies in its row.
    QAccessibleInterface *parent() const override;

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

    // Only the shown controls that say something of their own; what lies on top is found
    // first.
    int childCount() const override { return int(readableChildren(widget()).size()); }
    QAccessibleInterface *child(int index) const override
    {
        return controlAt(readableChildren(widget()), index);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return indexOfControl(readableChildren(widget()), child);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return controlAt(readableChildren(widget()), x, y);
    }
};

// A window of the program: its shown controls, then its status line. A window in which no
// control takes the keyboard holds the focus itself, so that a screen reader moves into it
// when it opens.
class WindowAccessible : public ControlAccessible
{
public:
    explicit WindowAccessible(QWidget *window)
        : ControlAccessible(window)
        , m_notice(new NoticeAccessible(window))
        , m_line(new StatusLineAccessible(window, m_notice))
    {
        m_notice->setStatusLine(m_line);
        m_noticeId = QAccessible::registerAccessibleInterface(m_notice);
        m_lineId = QAccessible::registerAccessibleInterface(m_line);
    }
    ~WindowAccessible() override
    {
        QAccessible::deleteAccessibleInterface(m_noticeId);
        QAccessible::deleteAccessibleInterface(m_lineId);
        for (const auto &[name, row] : m_rows)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(row));
    }
    WindowAccessible(const WindowAccessible &) = delete;
    WindowAccessible &operator=(const WindowAccessible &) = delete;

    NoticeAccessible *notice() const { return m_notice; }

    QAccessible::State state() const override
    {
        QAccessible::State state = ControlAccessible::state();
        if (widget()->isActiveWindow() && !QApplication::focusWidget()) {
            state.focusable = true;
            state.focused = true;
        }
        return state;
    }

    // The row of tabs of that name, made when first asked for.
    TabRowAccessible *row(const QString &name) const
    {
        TabRowAccessible *&row = m_rows[name];
        if (!row) {
            row = new TabRowAccessible(widget(), name);
            QAccessible::registerAccessibleInterface(row);
        }
        return row;
    }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QAccessibleInterface *> all = children();
        return index >= 0 && index < all.size() ? all.at(index) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(children().indexOf(child));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        QAccessibleInterface *found = ControlAccessible::childAt(x, y);
        return found && found->role() == QAccessible::PageTab ? found->parent() : found;
    }

private:
    // The shown controls with each row of tabs in place of its tabs, then the status line.
    QList<QAccessibleInterface *> children() const
    {
        QList<QAccessibleInterface *> all;
        for (QWidget *control : readableChildren(widget())) {
            const QString name = tabRowOf(control);
            QAccessibleInterface *item
                = name.isEmpty() ? QAccessible::queryAccessibleInterface(control) : row(name);
            if (!all.contains(item))
                all.append(item);
        }
        all.append(m_line);
        return all;
    }

    NoticeAccessible *const m_notice;
    StatusLineAccessible *const m_line;
    QAccessible::Id m_noticeId = 0;
    QAccessible::Id m_lineId = 0;
    mutable std::map<QString, TabRowAccessible *> m_rows;
};

// The interface of one of the program's windows; null for any other widget.
WindowAccessible *windowAccessible(QWidget *window)
{
    return dynamic_cast<WindowAccessible *>(QAccessible::queryAccessibleInterface(window));
}

QAccessibleInterface *ControlAccessible::parent() const
{
    const QString name = tabRowOf(widget());
    WindowAccessible *window
        = name.isEmpty() ? nullptr : windowAccessible(widget()->parentWidget());
    return window ? window->row(name) : QAccessibleWidget::parent();
}

// Qt's own text of the text box, with the places of its characters on the screen: Qt places
// every paragraph of a plain text box at the top of the box, so they are measured here from
// the caret's place instead.
class TextPlaces : public QAccessibleTextInterface
{
public:
    TextPlaces(QPlainTextEdit *box, QAccessibleTextInterface *own)
        : m_box(box)
        , m_own(own)
    { }

    void selection(int index, int *start, int *end) const override
    {
        m_own->selection(index, start, end);
    }
    int selectionCount() const override { return m_own->selectionCount(); }
    void addSelection(int start, int end) override { m_own->addSelection(start, end); }
    void removeSelection(int index) override { m_own->removeSelection(index); }
    void setSelection(int index, int start, int end) override
    {
        m_own->setSelection(index, start, end);
    }
    int cursorPosition() const override { return m_own->cursorPosition(); }
    void setCursorPosition(int position) override { m_own->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        const int count = characterCount();
        return m_own->text(std::clamp(start, 0, count), end < 0 ? count : std::min(end, count));
    }
    // A screen reader may still ask at the places of a longer text that was shown before:
    // there is nothing there.
    QString textBeforeOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString()
                                           : m_own->textBeforeOffset(offset, type, start, end);
    }
    QString textAfterOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString()
                                           : m_own->textAfterOffset(offset, type, start, end);
    }
    QString textAtOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString()
                                           : m_own->textAtOffset(offset, type, start, end);
    }
    int characterCount() const override { return m_own->characterCount(); }
    void scrollToSubstring(int start, int end) override { m_own->scrollToSubstring(start, end); }
    QString attributes(int offset, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString() : m_own->attributes(offset, start, end);
    }

    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(m_box->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        QRect rect = m_box->cursorRect(cursor);
        rect.setWidth(m_box->fontMetrics().horizontalAdvance(text(offset, offset + 1)));
        return QRect(m_box->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return m_box->cursorForPosition(m_box->viewport()->mapFromGlobal(point)).position();
    }

private:
    bool outside(int offset, int *start, int *end) const
    {
        if (offset >= 0 && offset <= characterCount())
            return false;
        *start = *end = -1;
        return true;
    }

    QPlainTextEdit *const m_box;
    QAccessibleTextInterface *const m_own;
};

// The read-only text box: Qt's own interface for it (its text by visual line, word and
// character, its attributes, caret and selection), with the click and double-click as the
// actions "press" (hides the settings panel) and "toggle" (shows or hides it).
class TextBoxAccessible : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    explicit TextBoxAccessible(QPlainTextEdit *box)
        : m_box(box)
        , m_own(qtInterface(box))
        , m_ownId(QAccessible::uniqueId(m_own))
        , m_places(box, m_own->textInterface())
    { }
    ~TextBoxAccessible() override { QAccessible::deleteAccessibleInterface(m_ownId); }
    TextBoxAccessible(const TextBoxAccessible &) = delete;
    TextBoxAccessible &operator=(const TextBoxAccessible &) = delete;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(&m_places);
        return m_own->interface_cast(type);
    }

    bool isValid() const override { return !m_box.isNull() && m_own->isValid(); }
    QObject *object() const override { return m_box.data(); }
    QWindow *window() const override { return m_own->window(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override
    {
        return m_own->relations(match);
    }
    QAccessibleInterface *focusChild() const override { return m_own->focusChild(); }
    QAccessibleInterface *childAt(int x, int y) const override { return m_own->childAt(x, y); }
    QAccessibleInterface *parent() const override { return m_own->parent(); }
    QAccessibleInterface *child(int index) const override { return m_own->child(index); }
    int childCount() const override { return m_own->childCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return m_own->indexOfChild(child);
    }
    QString text(QAccessible::Text t) const override { return m_own->text(t); }
    void setText(QAccessible::Text t, const QString &text) override { m_own->setText(t, text); }
    QRect rect() const override { return m_own->rect(); }
    QAccessible::Role role() const override { return m_own->role(); }
    QAccessible::State state() const override { return m_own->state(); }

    QStringList actionNames() const override
    {
        const QAccessibleActionInterface *own = m_own->actionInterface();
        return QStringList { pressAction(), toggleAction() }
        + (own ? own->actionNames() : QStringList());
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            performClick(m_box);
        else if (action == toggleAction())
            performDoubleClick(m_box);
        else if (QAccessibleActionInterface *own = m_own->actionInterface())
            own->doAction(action);
    }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        const QAccessibleActionInterface *own = m_own->actionInterface();
        return own ? own->keyBindingsForAction(action) : QStringList();
    }

private:
    QPointer<QPlainTextEdit> m_box;
    QAccessibleInterface *const m_own;
    const QAccessible::Id m_ownId;
    TextPlaces m_places;
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    // Asked once for each class of the object's ancestry: answer for its own class only.
    if (askingQt || !widget || className != QLatin1String(object->metaObject()->className()))
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

void send(QAccessibleEvent &&event)
{
    QAccessible::updateAccessibility(&event);
}

// Records a control's checked state in a property; screen readers are told when it changes
// (not when it is first recorded).
void setChecked(QWidget *control, const char *property, bool on)
{
    const QVariant before = control->property(property);
    control->setProperty(property, on);
    if (!QAccessible::isActive() || !before.isValid() || before.toBool() == on)
        return;
    QAccessible::State changed;
    if (tabRowOf(control).isEmpty()) {
        changed.checked = true;
        send(QAccessibleStateChangeEvent(control, changed));
        return;
    }
    changed.selected = true;
    send(QAccessibleStateChangeEvent(control, changed));
    // A new tab chosen: its row's selection has changed, which tells a screen reader that
    // what it has read of the window is out of date.
    if (on) {
        QAccessibleInterface *tab = QAccessible::queryAccessibleInterface(control);
        sendToBus(tab ? tab->parent() : nullptr, QStringLiteral("SelectionChanged"), QString(),
            QVariant(0));
    }
}

// Every accessibility event passes here on its way to the platform.
void forward(QAccessibleEvent *event);

void focusActiveWindow()
{
    QWidget *window = QApplication::activeWindow();
    if (window && !QApplication::focusWidget() && QAccessible::isActive())
        send(QAccessibleEvent(window, QAccessible::Focus));
}

void passOn(QAccessibleEvent *event)
{
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(forward);
}

void forward(QAccessibleEvent *event)
{
    QObject *object = event->object();
    auto *widget = qobject_cast<QWidget *>(object);
    // Nothing of a control that screen readers do not see, nor of the controls of a window that
    // is not shown (one still being built is met whole when it is shown).
    if (widget && widget->property(HiddenFromScreenReadersProperty).toBool())
        return;
    if (widget && !widget->isWindow() && !widget->window()->isVisible())
        return;
    // The text box's name follows the choice, which is told to screen readers as a title or a
    // notice; Qt 6.4 would tell of the new name without the name itself, which the screen
    // reader in the box cannot say. They read the name afresh whenever they ask for it.
    if (event->type() == QAccessible::NameChanged && qobject_cast<QPlainTextEdit *>(object))
        return;
    // Qt counts the closing paragraph mark of a text box's text among the characters that a
    // removal reaching the end takes away: what was removed is told with the length it had.
    if (event->type() == QAccessible::TextRemoved && qobject_cast<QPlainTextEdit *>(object)) {
        const auto *change = static_cast<QAccessibleTextRemoveEvent *>(event);
        const int at = change->changePosition();
        const QString removed = change->textRemoved();
        if (!removed.isEmpty()
            && at == static_cast<QPlainTextEdit *>(object)->document()->characterCount() - 1) {
            QAccessibleTextRemoveEvent told(object, at, removed.left(removed.size() - 1));
            passOn(&told);
            return;
        }
    }
    passOn(event);
    // A window in which nothing takes the keyboard holds the focus itself once it is active;
    // the check waits until Qt has settled which window is active and what has the focus.
    if (event->type() == QAccessible::StateChanged && widget && widget->isWindow()
        && static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().active)
        QTimer::singleShot(0, qApp, focusActiveWindow);
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(accessibleFor);
    QAccessible::installUpdateHandler(forward);
    // A window that becomes active with nothing to take the keyboard leaves the focus to no
    // control at all.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *, QWidget *now) {
        if (!now)
            QTimer::singleShot(0, qApp, focusActiveWindow);
    });
}

void announce(QWidget *window, const QString &message)
{
    if (!QAccessible::isActive())
        return;
    WindowAccessible *accessible = windowAccessible(window);
    if (!accessible)
        return;
    NoticeAccessible *notice = accessible->notice();
    notice->setMessage(message);
    // The new words first, then the notice shows itself again.
    send(QAccessibleEvent(notice, QAccessible::NameChanged));
    send(QAccessibleEvent(notice, QAccessible::ObjectShow));
}

bool announceTitle(QWidget *window)
{
    if (!QAccessible::isActive())
        return false;
    WindowAccessible *accessible = windowAccessible(window);
    if (!accessible
        || !sendToBus(accessible, QStringLiteral("PropertyChange"),
            QStringLiteral("accessible-name"), window->windowTitle()))
        return false;
    // The status line repeats it, as the last thing told.
    accessible->notice()->setMessage(window->windowTitle());
    return true;
}

void setChosen(QWidget *control, bool chosen)
{
    setChecked(control, ChosenProperty, chosen);
}

void setToggled(QWidget *control, bool on)
{
    setChecked(control, ToggledProperty, on);
}

} // namespace Toolkit
