// SPDX-License-Identifier: MIT
#include "accessible.h"

#include "flatframe.h"
#include "textclicks.h"
#include "toolkit.h"

#include <QAbstractButton>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QApplication>
#include <QButtonGroup>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace Toolkit {
namespace {

const char *const TabRowProperty = "tabRow";
// Left of every screen: where a character that is not seen is placed.
constexpr int OffScreen = -32000;

// Where a screen reader's focus rests in an active window in which nothing takes the keyboard:
// on the control the design marks, or else on the window itself.
QWidget *readerFocus(QWidget *window)
{
    for (QWidget *child : window->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->property(ScreenReaderFocusProperty).toBool())
            return child;
    }
    return window;
}
// A control's state with the screen reader's focus added where it rests.
QAccessible::State withReaderFocus(QWidget *control, QAccessible::State state)
{
    if (control->window()->isActiveWindow() && !QApplication::focusWidget()
        && readerFocus(control->window()) == control) {
        state.focusable = true;
        state.focused = true;
    }
    return state;
}

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

// The controls of a window or frame that say something of their own, the ones on top first: a
// screen reader looking for what is under the pointer takes the first that covers it. A hidden
// control stays in the list, reported invisible, so that the list a screen reader keeps does not
// change when the panel comes and goes.
QList<QWidget *> readableChildren(const QWidget *parent)
{
    QList<QWidget *> children
        = parent->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    children.removeIf([](const QWidget *child) {
        return child->isWindow() || child->property(HiddenFromScreenReadersProperty).toBool();
    });
    std::reverse(children.begin(), children.end());
    return children;
}

// The row of tabs a button belongs to, or null.
QButtonGroup *tabRowOf(const QObject *control)
{
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    QButtonGroup *group = button ? button->group() : nullptr;
    return group && group->property(TabRowProperty).isValid() ? group : nullptr;
}

// A list of interfaces as a screen reader walks it, and the first that covers a point.
QAccessibleInterface *childOf(const QList<QAccessibleInterface *> &children, int index)
{
    return index >= 0 && index < children.size() ? children.at(index) : nullptr;
}
QAccessibleInterface *childAtPoint(const QList<QAccessibleInterface *> &children, int x, int y)
{
    const auto found = std::find_if(children.begin(), children.end(),
        [x, y](const QAccessibleInterface *child) { return child->rect().contains(x, y); });
    return found == children.end() ? nullptr : *found;
}
QList<QAccessibleInterface *> interfacesOf(const QList<QWidget *> &controls)
{
    QList<QAccessibleInterface *> all;
    for (QWidget *control : controls) {
        QObject *row = tabRowOf(control);
        QAccessibleInterface *found = QAccessible::queryAccessibleInterface(row ? row : control);
        if (found && !all.contains(found))
            all.append(found);
    }
    return all;
}

// Sends an AT-SPI event on Qt's own connection to the accessibility bus ("a11y"), so that it
// comes from this program's objects, for what Qt does not tell. False when no screen reader
// listens.
bool sendToBus(QAccessibleInterface *source, const QString &event, const QString &detail, int value,
    const QVariant &data)
{
    const QDBusConnection bus(QStringLiteral("a11y"));
    if (!source || !bus.isConnected())
        return false;
    QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/a11y/atspi/accessible/")
            + QString::number(QAccessible::uniqueId(source)),
        QStringLiteral("org.a11y.atspi.Event.Object"), event);
    message << detail << value << 0 << QVariant::fromValue(QDBusVariant(data)) << QVariantMap();
    return bus.send(message);
}

// Something a window holds for screen readers only, with no object of its own and no
// children: its words, role, state and place are its kind's.
class PartAccessible : public QAccessibleInterface
{
public:
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override { }
};

// A window's status line and the notice it holds, for screen readers only: nothing is drawn
// for them and they are at no point of the screen. The line says where the reader is (the
// window's setStatus), as a screen reader's status-bar command expects; the notice shows itself
// again for each new message, and screen readers say a notice without naming its role.
class NoticeAccessible : public PartAccessible
{
public:
    NoticeAccessible(QWidget *window, NoticeAccessible *line)
        : m_window(window)
        , m_line(line)
        , m_notice(line ? nullptr : new NoticeAccessible(window, this))
        , m_noticeId(m_notice ? QAccessible::registerAccessibleInterface(m_notice) : 0)
    { }
    ~NoticeAccessible() override
    {
        if (m_notice)
            QAccessible::deleteAccessibleInterface(m_noticeId);
    }
    NoticeAccessible(const NoticeAccessible &) = delete;
    NoticeAccessible &operator=(const NoticeAccessible &) = delete;

    // The status line's notice.
    NoticeAccessible *notice() const { return m_notice; }
    QString message;

    bool isValid() const override { return !m_window.isNull(); }
    QWindow *window() const override { return m_window ? m_window->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_line ? m_line : QAccessible::queryAccessibleInterface(m_window.data());
    }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? m_notice : nullptr;
    }
    int childCount() const override { return m_notice ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child == m_notice ? 0 : -1;
    }
    QString text(QAccessible::Text t) const override
    {
        return t != QAccessible::Name ? QString() : message;
    }
    QRect rect() const override { return QRect(); }
    QAccessible::Role role() const override
    {
        return m_notice ? QAccessible::StatusBar : QAccessible::Notification;
    }
    QAccessible::State state() const override { return QAccessible::State(); }

private:
    const QPointer<QWidget> m_window;
    NoticeAccessible *const m_line;
    NoticeAccessible *const m_notice;
    const QAccessible::Id m_noticeId;
};

// What a frame shows screen readers besides its controls. Its caption, drawn on its top edge, is
// a line of its own: the frame itself is a group, which a screen reader's review of the window
// does not read. Its ground, the last of its parts, is an unnamed filler over the whole frame,
// which screen readers neither name nor review: one looking for what lies under the pointer
// takes the first part that covers the point, and would otherwise pass through the frame to the
// text it covers.
class FramePartAccessible : public PartAccessible
{
public:
    enum Kind { Caption, Ground };
    FramePartAccessible(FlatFrame *frame, Kind kind)
        : m_frame(frame)
        , m_kind(kind)
    { }

    bool isValid() const override { return !m_frame.isNull(); }
    QWindow *window() const override { return m_frame->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_frame.data());
    }
    QString text(QAccessible::Text t) const override
    {
        return m_kind == Caption && t == QAccessible::Name ? m_frame->caption() : QString();
    }
    QAccessible::Role role() const override
    {
        return m_kind == Caption ? QAccessible::StaticText : QAccessible::Client;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !m_frame->isVisible();
        return state;
    }
    QRect rect() const override
    {
        const QRect drawn = m_kind == Caption ? m_frame->captionRect() : m_frame->rect();
        return QRect(m_frame->mapToGlobal(drawn.topLeft()), drawn.size());
    }

private:
    const QPointer<FlatFrame> m_frame;
    const Kind m_kind;
};

// A row of tabs: the shown buttons of a group, covering them.
class TabRowAccessible : public QAccessibleObject
{
public:
    explicit TabRowAccessible(QButtonGroup *group)
        : QAccessibleObject(group)
    { }

    QWindow *window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        const QList<QAbstractButton *> buttons = group()->buttons();
        return buttons.isEmpty() ? nullptr
                                 : QAccessible::queryAccessibleInterface(buttons.first()->window());
    }
    QAccessibleInterface *child(int index) const override { return childOf(tabs(), index); }
    int childCount() const override { return int(tabs().size()); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(tabs().indexOf(child));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return childAtPoint(tabs(), x, y);
    }
    QRect rect() const override
    {
        QRect covered;
        for (const QAccessibleInterface *tab : tabs())
            covered |= tab->rect();
        return covered;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? group()->property(TabRowProperty).toString() : QString();
    }
    QAccessible::Role role() const override { return QAccessible::PageTabList; }
    QAccessible::State state() const override { return QAccessible::State(); }

private:
    QButtonGroup *group() const { return static_cast<QButtonGroup *>(object()); }
    QList<QAccessibleInterface *> tabs() const
    {
        QList<QAccessibleInterface *> shown;
        for (QAbstractButton *button : group()->buttons()) {
            QAccessibleInterface *tab = QAccessible::queryAccessibleInterface(button);
            if (tab && !button->isHidden())
                shown.append(tab);
        }
        return shown;
    }
};

// A label (text, picture, heading, or a value with its name) or a button of a kind Qt does not
// know: a link, or a tab of a row (selected, not checked, and pressed). What it is is decided on
// each question, as screen readers may ask while the window is still being built.
class RoleAccessible : public QAccessibleWidget
{
public:
    explicit RoleAccessible(QWidget *control)
        : QAccessibleWidget(control)
    { }

    QAccessible::Role role() const override
    {
        if (tabRowOf(widget()))
            return QAccessible::PageTab;
        const QString kind = widget()->property(ScreenReaderRoleProperty).toString();
        if (kind == QLatin1String("heading"))
            return QAccessible::Heading;
        if (kind == QLatin1String("link"))
            return QAccessible::Link;
        const auto *label = qobject_cast<const QLabel *>(widget());
        return label && !label->pixmap().isNull() ? QAccessible::Graphic : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return QAccessibleWidget::text(t);
        // Labels and buttons alike show their caption as the property "text".
        const QString valueName = widget()->property(ValueNameProperty).toString();
        const QString shown = widget()->property("text").toString();
        return valueName.isEmpty() ? shown : valueName + u' ' + shown;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget());
            button && tabRowOf(button)) {
            state.selectable = true;
            state.selected = button->isChecked();
        }
        return withReaderFocus(widget(), state);
    }
    QAccessibleInterface *parent() const override
    {
        QButtonGroup *row = tabRowOf(widget());
        return row ? QAccessible::queryAccessibleInterface(row) : QAccessibleWidget::parent();
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (qobject_cast<const QAbstractButton *>(widget()))
            names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override
    {
        auto *button = qobject_cast<QAbstractButton *>(widget());
        if (button && action == pressAction())
            button->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

// A label that shows a value ("8", heard as "Velikost písma 8") offers its words as text too, as
// a GTK label does: a screen reader's flat review then reads a text afresh each time it comes to
// it, where it keeps a name as it found it when it last read the window. Such a review keeps the
// length it first read, so the words are padded to room for a value of four characters.
class ValueLabelAccessible : public RoleAccessible, public QAccessibleTextInterface
{
public:
    using RoleAccessible::RoleAccessible;
    using RoleAccessible::text;

    // Asked each time: Qt may make a label's interface before the design has named its value.
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface && widget()->property(ValueNameProperty).isValid()
            ? static_cast<QAccessibleTextInterface *>(this)
            : RoleAccessible::interface_cast(type);
    }
    QString text(int startOffset, int endOffset) const override
    {
        return words().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(words().size()); }
    // The characters share the label's width evenly: the words are longer than the value
    // the label shows.
    QRect characterRect(int offset) const override
    {
        const int count = characterCount();
        if (offset < 0 || offset >= count)
            return QRect();
        const QRect shown = area();
        const auto edge = [&](int k) { return shown.left() + shown.width() * k / count; };
        return QRect(edge(offset), shown.top(), edge(offset + 1) - edge(offset), shown.height());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        const QRect shown = area();
        if (!shown.contains(point))
            return -1;
        return (point.x() - shown.left()) * characterCount() / std::max(1, shown.width());
    }
    // Nothing to select and no caret: the label only shows.
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return QString();
    }

private:
    // The label on the screen.
    QRect area() const { return QRect(widget()->mapToGlobal(QPoint()), widget()->size()); }
    QString words() const
    {
        const QString valueName = widget()->property(ValueNameProperty).toString();
        return text(QAccessible::Name).leftJustified(int(valueName.size()) + 5);
    }
};

// A window or a frame: only its shown controls that say something of their own, each row of
// tabs in place of its tabs; a window then lists its status line.
class ContainerAccessible : public QAccessibleWidget
{
public:
    explicit ContainerAccessible(QWidget *container)
        : QAccessibleWidget(container)
        , m_line(container->isWindow() ? new NoticeAccessible(container, nullptr) : nullptr)
        , m_lineId(m_line ? QAccessible::registerAccessibleInterface(m_line) : 0)
    {
        if (auto *frame = qobject_cast<FlatFrame *>(container)) {
            m_caption = new FramePartAccessible(frame, FramePartAccessible::Caption);
            m_captionId = QAccessible::registerAccessibleInterface(m_caption);
            m_ground = new FramePartAccessible(frame, FramePartAccessible::Ground);
            m_groundId = QAccessible::registerAccessibleInterface(m_ground);
        }
    }
    ~ContainerAccessible() override
    {
        if (m_line)
            QAccessible::deleteAccessibleInterface(m_lineId);
        if (m_caption) {
            QAccessible::deleteAccessibleInterface(m_captionId);
            QAccessible::deleteAccessibleInterface(m_groundId);
        }
    }
    ContainerAccessible(const ContainerAccessible &) = delete;
    ContainerAccessible &operator=(const ContainerAccessible &) = delete;

    NoticeAccessible *statusLine() const { return m_line; }
    // What a frame holds for screen readers only, shown and hidden with it.
    QList<QAccessibleInterface *> parts() const
    {
        return m_caption ? QList<QAccessibleInterface *> { m_caption, m_ground }
                         : QList<QAccessibleInterface *>();
    }

    // A window, not a dialog, also for the about window: Orca puts a dialog's words before
    // every item it reads in it.
    QAccessible::Role role() const override
    {
        return widget()->isWindow() ? QAccessible::Window : QAccessible::Grouping;
    }
    QString text(QAccessible::Text t) const override
    {
        const auto *frame = qobject_cast<const FlatFrame *>(widget());
        return frame && t == QAccessible::Name ? frame->caption() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        return withReaderFocus(widget(), QAccessibleWidget::state());
    }
    int childCount() const override { return int(children().size()); }
    QAccessibleInterface *child(int index) const override { return childOf(children(), index); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(children().indexOf(child));
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return childAtPoint(children(), x, y);
    }

private:
    QList<QAccessibleInterface *> children() const
    {
        QList<QAccessibleInterface *> all = interfacesOf(readableChildren(widget()));
        if (m_caption) {
            all.prepend(m_caption);
            all.append(m_ground);
        }
        if (m_line)
            all.append(m_line);
        return all;
    }

    NoticeAccessible *const m_line;
    const QAccessible::Id m_lineId;
    FramePartAccessible *m_caption = nullptr;
    QAccessible::Id m_captionId = 0;
    FramePartAccessible *m_ground = nullptr;
    QAccessible::Id m_groundId = 0;
};

ContainerAccessible *windowAccessible(QWidget *window)
{
    return dynamic_cast<ContainerAccessible *>(QAccessible::queryAccessibleInterface(window));
}

// The read-only text box: Qt's own interface with these changes. Qt 6.4 places every paragraph
// of a plain text box at the top of the box, so the characters' places are measured here from
// the caret's place instead, and only the characters seen have a place; a screen reader may
// still ask at the places of a longer text shown before, where there is nothing. Its click and
// double-click are the actions "press" and "toggle".
class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit TextBoxAccessible(QPlainTextEdit *box)
        : QAccessibleWidget(box, QAccessible::EditableText)
        , m_own(qtInterface(box))
        , m_ownId(QAccessible::uniqueId(m_own))
        , m_text(m_own->textInterface())
    { }
    ~TextBoxAccessible() override { QAccessible::deleteAccessibleInterface(m_ownId); }
    TextBoxAccessible(const TextBoxAccessible &) = delete;
    TextBoxAccessible &operator=(const TextBoxAccessible &) = delete;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return type == QAccessible::ActionInterface ? QAccessibleWidget::interface_cast(type)
                                                    : m_own->interface_cast(type);
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return childAtPoint(scrollBars(), x, y);
    }
    QAccessibleInterface *child(int index) const override { return childOf(scrollBars(), index); }
    int childCount() const override { return int(scrollBars().size()); }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(scrollBars().indexOf(child));
    }
    // Its description is its own hint for screen readers, empty once the reader has no more
    // need of it, never the tooltip that Qt falls back on (the tooltip's words are the hint's).
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Description ? widget()->accessibleDescription() : m_own->text(t);
    }
    QAccessible::Role role() const override { return m_own->role(); }
    QAccessible::State state() const override { return m_own->state(); }

    QStringList actionNames() const override { return { pressAction(), toggleAction() }; }
    void doAction(const QString &action) override
    {
        TextClicks *clicks = TextClicks::of(box());
        if (clicks && action == pressAction())
            clicks->press();
        else if (clicks && action == toggleAction())
            Q_EMIT clicks->doubleClicked();
    }

    void selection(int index, int *start, int *end) const override
    {
        m_text->selection(index, start, end);
    }
    int selectionCount() const override { return m_text->selectionCount(); }
    void addSelection(int start, int end) override { m_text->addSelection(start, end); }
    void removeSelection(int index) override { m_text->removeSelection(index); }
    void setSelection(int index, int start, int end) override
    {
        m_text->setSelection(index, start, end);
    }
    int cursorPosition() const override { return m_text->cursorPosition(); }
    void setCursorPosition(int position) override { m_text->setCursorPosition(position); }
    int characterCount() const override { return m_text->characterCount(); }
    void scrollToSubstring(int start, int end) override { m_text->scrollToSubstring(start, end); }
    QString text(int start, int end) const override
    {
        const int count = characterCount();
        return m_text->text(std::clamp(start, 0, count), end < 0 ? count : std::min(end, count));
    }
    QString textBeforeOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString()
                                           : m_text->textBeforeOffset(offset, type, start, end);
    }
    QString textAfterOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return outside(offset, start, end) ? QString()
                                           : m_text->textAfterOffset(offset, type, start, end);
    }
    // A word runs on to the next word's start, as screen readers take it when the caret moves
    // by words, and a mark of punctuation, where the caret stops too, is read with the word after
    // it ("; touží"), not alone; between two sentences the sentence is the next one.
    QString textAtOffset(
        int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        if (outside(offset, start, end))
            return QString();
        if (type != QAccessible::SentenceBoundary && type != QAccessible::WordBoundary)
            return m_text->textAtOffset(offset, type, start, end);
        const QString all = text(0, -1);
        while (type == QAccessible::SentenceBoundary && offset < all.size()
            && all.at(offset).isSpace())
            ++offset;
        QString found = m_text->textAtOffset(offset, type, start, end);
        if (type == QAccessible::SentenceBoundary)
            return found;
        const auto runOn = [&] {
            while (*end < all.size() && all.at(*end) == u' ')
                found += all.at((*end)++);
        };
        runOn();
        if (*end < all.size() && std::none_of(found.begin(), found.end(), [](QChar c) {
                return c.isLetterOrNumber();
            })) {
            int nextStart = 0;
            found += m_text->textAtOffset(*end, type, &nextStart, end);
            runOn();
        }
        return found;
    }
    // Qt names the face a text asks for, also when another face stands in for it ("Arial");
    // the text's default face is asked for by its stand-in's name, so it is named as designed.
    QString attributes(int offset, int *start, int *end) const override
    {
        if (outside(offset, start, end))
            return QString();
        const QString face = box()->font().family();
        return m_text->attributes(offset, start, end)
            .replace(u'"' + face + u'"', u'"' + designFaceOf(face) + u'"');
    }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(box()->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        QRect rect = box()->cursorRect(cursor);
        const QString character = text(offset, offset + 1);
        rect.setWidth(box()->fontMetrics().horizontalAdvance(character));
        // The space or break that ends a line fills the rest of it, as in GTK's text views: a
        // screen reader's mouse review reads a line only where the line's characters lie.
        if (cursor.atBlockEnd() || (character == u" " && offset >= lineEnd(cursor) - 1))
            rect.setRight(std::max(rect.right(), box()->viewport()->width() - 1));
        const QPoint place = box()->viewport()->mapToGlobal(rect.topLeft());
        if (seen(rect))
            return QRect(place, rect.size());
        // A character not seen has no size and lies left of every screen, at its line's height:
        // screen readers look for the first line shown by the characters' heights, and would
        // take one placed at the top of the screen for a line above the box and pass over the
        // lines after it.
        return QRect(QPoint(OffScreen, place.y()), QSize());
    }
    // A point right of a line's end is on that line's last character, as in GTK's text views:
    // a screen reader's mouse review reads the line there, where the line's end gives it none.
    int offsetAtPoint(const QPoint &point) const override
    {
        QTextCursor cursor = box()->cursorForPosition(box()->viewport()->mapFromGlobal(point));
        const int position = cursor.position();
        cursor.movePosition(QTextCursor::StartOfLine);
        return position > cursor.position() && position == lineEnd(cursor) ? position - 1
                                                                           : position;
    }

private:
    QPlainTextEdit *box() const { return static_cast<QPlainTextEdit *>(widget()); }
    static int lineEnd(QTextCursor cursor)
    {
        cursor.movePosition(QTextCursor::EndOfLine);
        return cursor.position();
    }
    // Qt lists the box's viewport as an unnamed child that covers the text and takes the
    // screen reader's focus and pointer, and each scroll bar only inside a container of no use
    // to a reader; here the box's one child is its scroll bar, while the text runs past the box.
    QList<QAccessibleInterface *> scrollBars() const
    {
        QScrollBar *bar = box()->verticalScrollBar();
        if (!bar->isVisible() || bar->maximum() <= bar->minimum())
            return {};
        return { QAccessible::queryAccessibleInterface(bar) };
    }
    // A character scrolled out of the box is not seen, nor one on a line whose middle a control
    // lying above the box crosses: a screen reader reviewing the window would read the covered
    // text and glue the control's words to the line. A line that the control only grazes, its
    // middle clear of it, is seen whole, as it is on the screen.
    bool seen(const QRect &rect) const
    {
        const QWidget *viewport = box()->viewport();
        const QWidget *parent = box()->parentWidget();
        if (!viewport->rect().contains(rect.center()) || !parent)
            return false;
        const QRect line(
            viewport->mapTo(parent, QPoint(0, rect.center().y())), QSize(viewport->width(), 1));
        const QObjectList &siblings = parent->children();
        return std::none_of(siblings.begin() + siblings.indexOf(box()) + 1, siblings.end(),
            [&line](const QObject *sibling) {
                const auto *above = qobject_cast<const QWidget *>(sibling);
                return above && !above->isHidden() && above->geometry().intersects(line);
            });
    }
    bool outside(int offset, int *start, int *end) const
    {
        if (offset >= 0 && offset <= characterCount())
            return false;
        *start = *end = -1;
        return true;
    }

    QAccessibleInterface *const m_own;
    const QAccessible::Id m_ownId;
    QAccessibleTextInterface *const m_text;
};

QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    // Asked once for each class of the object's ancestry: answer for its own class only.
    if (askingQt || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto *group = qobject_cast<QButtonGroup *>(object))
        return group->property(TabRowProperty).isValid() ? new TabRowAccessible(group) : nullptr;
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    // The program's own windows (Qt's own classes all begin with a Q) and frames.
    if ((widget->isWindow() && !className.startsWith(u'Q')) || qobject_cast<QGroupBox *>(widget))
        return new ContainerAccessible(widget);
    if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
        return new TextBoxAccessible(box);
    if (qobject_cast<QLabel *>(widget))
        return new ValueLabelAccessible(widget);
    if (tabRowOf(widget) || widget->property(ScreenReaderRoleProperty).isValid())
        return new RoleAccessible(widget);
    // Everything else keeps Qt's own interface.
    return nullptr;
}

void send(QAccessibleEvent &&event)
{
    QAccessible::updateAccessibility(&event);
}

void focusActiveWindow()
{
    QWidget *window = QApplication::activeWindow();
    if (window && !QApplication::focusWidget() && QAccessible::isActive())
        send(QAccessibleEvent(readerFocus(window), QAccessible::Focus));
}

// Every accessibility event passes here on its way to the platform.
void forward(QAccessibleEvent *event);

void passOn(QAccessibleEvent *event)
{
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(forward);
}

// A new selection in a row of tabs: Orca, for one, reads the window afresh after it.
void tellSelectionChanged(QButtonGroup *row)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    sendToBus(QAccessible::queryAccessibleInterface(row), QStringLiteral("SelectionChanged"),
        QString(), 0, QVariant(0));
#else
    QAccessibleEvent within(row, QAccessible::SelectionWithin);
    passOn(&within);
#endif
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
    // The text box's name follows the choice, which is told in a notice already, and its hint
    // only grows shorter: neither is news to be said.
    if ((event->type() == QAccessible::NameChanged
            || event->type() == QAccessible::DescriptionChanged)
        && qobject_cast<QPlainTextEdit *>(object))
        return;
    // Qt 6.4 counts the closing paragraph mark of a text box's text among the characters that a
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
    // A tab is selected, never checked; a newly selected tab is a new selection of its row,
    // which tells a screen reader that what it has read of the window is out of date.
    if (QButtonGroup *row = tabRowOf(object); row && event->type() == QAccessible::StateChanged
        && static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().checked) {
        if (static_cast<QAbstractButton *>(object)->isChecked())
            tellSelectionChanged(row);
        return;
    }
    passOn(event);
    // Qt tells a control shown or hidden as "showing" only; screen readers that keep what they
    // were told need its "visible" too, or they pass over the panel once it has come. A frame's
    // parts that have no widget of their own come and go with it, untold by Qt.
    if ((event->type() == QAccessible::ObjectShow || event->type() == QAccessible::ObjectHide)
        && widget && !widget->isWindow()) {
        const bool shown = event->type() == QAccessible::ObjectShow;
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(widget);
        sendToBus(
            control, QStringLiteral("StateChanged"), QStringLiteral("visible"), shown, QVariant(0));
        if (auto *frame = dynamic_cast<ContainerAccessible *>(control)) {
            for (QAccessibleInterface *part : frame->parts()) {
                for (const QString &state :
                    { QStringLiteral("showing"), QStringLiteral("visible") })
                    sendToBus(part, QStringLiteral("StateChanged"), state, shown, QVariant(0));
            }
        }
    }
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
    ignoreEchoedClicks();
    // A window that becomes active with nothing to take the keyboard leaves the focus to no
    // control at all.
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget *, QWidget *now) {
        if (!now)
            QTimer::singleShot(0, qApp, focusActiveWindow);
    });
}

void setTabRow(QButtonGroup *group, const QString &name)
{
    group->setProperty(TabRowProperty, name);
    // Qt makes a button's interface at its first accessibility event, before it joined the row:
    // the next question makes a tab's.
    for (QAbstractButton *button : group->buttons()) {
        if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(button))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

void setStatus(QWidget *window, const QString &message)
{
    if (ContainerAccessible *accessible = windowAccessible(window);
        accessible && accessible->statusLine())
        accessible->statusLine()->message = message;
}

void tellContentChanged(QWidget *window)
{
    if (!QAccessible::isActive())
        return;
    for (QButtonGroup *row : window->findChildren<QButtonGroup *>()) {
        if (row->property(TabRowProperty).isValid())
            return tellSelectionChanged(row);
    }
}

void announce(QWidget *window, const QString &message)
{
    if (!QAccessible::isActive())
        return;
    ContainerAccessible *accessible = windowAccessible(window);
    if (!accessible || !accessible->statusLine())
        return;
    NoticeAccessible *notice = accessible->statusLine()->notice();
    notice->message = message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    send(QAccessibleAnnouncementEvent(window, message));
#else
    // Qt before 6.8 has no announcement: the notice's new words, then it shows itself again.
    send(QAccessibleEvent(notice, QAccessible::NameChanged));
    send(QAccessibleEvent(notice, QAccessible::ObjectShow));
#endif
}

} // namespace Toolkit
