// SPDX-License-Identifier: MIT
// What screen readers are told of the main window, read in process through Qt's accessibility
// interfaces, as the accessibility bus hands them on: roles, names and states, the rows of
// tabs, the text box's words, sentences and places, and the status line.

#include "form1.h"
#include "form2.h"
#include "testsupport.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleHints>

using namespace TestSupport;

class TestAccessible : public QObject
{
    Q_OBJECT
    std::unique_ptr<ErrorLog> m_errors;
    std::unique_ptr<Form1> m_window;
    QAccessibleInterface *of(const QString &name) const
    {
        return QAccessible::queryAccessibleInterface(control(m_window.get(), name));
    }
    QAccessibleTextInterface *words() const { return of(QStringLiteral("Text1"))->textInterface(); }
    // The window's children as a screen reader lists them, by name.
    QStringList listed() const
    {
        QStringList names;
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_window.get());
        for (int k = 0; k < window->childCount(); ++k)
            names << window->child(k)->text(QAccessible::Name);
        return names;
    }

private Q_SLOTS:
    void initTestCase() { Toolkit::setUpLook(*qApp); }
    void init()
    {
        m_errors = std::make_unique<ErrorLog>();
        m_window = std::make_unique<Form1>();
        m_window->load();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        QCOMPARE(std::exchange(m_errors, {})->messages, QStringList());
    }
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("state"); // "checked", "selected" or none
        const auto row = [](const char *name, QAccessible::Role role, const char *heard,
                             const char *state = "") {
            QTest::newRow(name) << QString::fromLatin1(name) << int(role) << u8(heard)
                                << QString::fromLatin1(state);
        };
        row("Image1", QAccessible::PageTab, "Beran", "selected");
        row("Image11", QAccessible::PageTab, "Vodnář");
        row("Label1", QAccessible::PageTab, "Povaha", "selected");
        row("Label6", QAccessible::PageTab, "Povolání");
        row("Image13", QAccessible::Button, "O programu");
        row("Label7", QAccessible::Heading, "BERAN - ARIES");
        row("Image14", QAccessible::Graphic, "Beran");
        row("Label21", QAccessible::StaticText, "Mars");
        row("Label24", QAccessible::Button, "Zvětšit písmo o 1 bod");
        row("Label26", QAccessible::CheckBox, "Tučné");
        row("Label31", QAccessible::RadioButton, "MS Sans Serif", "checked");
        row("Label32", QAccessible::RadioButton, "Courier New");
        row("Label28", QAccessible::StaticText, "Velikost písma 8");
        row("Frame1", QAccessible::Grouping, "Nastavení textového okna");
    }
    // Each control's role, name and chosen state; the signs and topics are tabs in two rows.
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, heard);
        QFETCH(QString, state);
        QAccessibleInterface *control = of(name);
        QCOMPARE(int(control->role()), role);
        QCOMPARE(control->text(QAccessible::Name), heard);
        QCOMPARE(control->state().checked, state == u"checked");
        QCOMPARE(control->state().selected, state == u"selected");
        if (role == QAccessible::PageTab) {
            QCOMPARE(control->parent()->role(), QAccessible::PageTabList);
            QCOMPARE(control->parent()->text(QAccessible::Name),
                u8(name.startsWith(u"Image") ? "Znamení" : "Téma"));
        }
    }
    // The window lists the open panel before the text box it covers, one row for each row of
    // tabs, no copy of a name, and its status line last, which names the choice from the start.
    void window()
    {
        QCOMPARE(listed().last(), u8("Beran, Povaha"));
        QTest::mouseClick(control(m_window.get(), "Image11"), Qt::LeftButton);
        QCOMPARE(of(QStringLiteral("Image11"))->state().selected, true);
        QCOMPARE(of(QStringLiteral("Image1"))->state().selected, false);
        QCOMPARE(listed().count(u8("Vodnář")), 1); // the picture; the thumbnail is in its row
        QCOMPARE(listed().count(u8("Saturn a Uran")), 1); // not its two white copies
        QCOMPARE(listed().count(u8("Znamení")), 1);
        doubleClick(control<QPlainTextEdit>(m_window.get(), "Text1")->viewport());
        const QStringList open = listed();
        QVERIFY(open.indexOf(u8("Nastavení textového okna"))
            < open.indexOf(u8("Vodnář, Povaha"))); // the text box
        // The panel's caption, which it draws itself, is a line of its own, first in the panel.
        QAccessibleInterface *caption = of(QStringLiteral("Frame1"))->child(0);
        QCOMPARE(caption->role(), QAccessible::StaticText);
        QCOMPARE(caption->text(QAccessible::Name), u8("Nastavení textového okna"));
        QVERIFY(of(QStringLiteral("Frame1"))->rect().contains(caption->rect()));
        // A screen reader looking for what lies under the pointer walks the panel's parts and
        // passes on to the text beneath at a point none of them covers: every point is covered,
        // the blank ones by a part with no words.
        QAccessibleInterface *panel = of(QStringLiteral("Frame1"));
        const QRect area = panel->rect();
        for (int y = area.top(); y <= area.bottom(); y += 7) {
            for (int x = area.left(); x <= area.right(); x += 7) {
                bool covered = false;
                for (int k = 0; k < panel->childCount() && !covered; ++k)
                    covered = panel->child(k)->rect().contains(x, y);
                QVERIFY2(covered, qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
            }
        }
        QAccessibleInterface *ground = panel->child(panel->childCount() - 1);
        QCOMPARE(ground->text(QAccessible::Name), QString());
        // Nothing labels a face's radio button: a screen reader says a radio button's label
        // before its name, and would say the panel's caption before each face.
        QVERIFY(of(QStringLiteral("Label30"))->relations(QAccessible::Label).isEmpty());
    }
    void hint_data()
    {
        QTest::addColumn<bool>("panelFirst");
        QTest::addColumn<QString>("between");
        QTest::newRow("a choice, then the panel")
            << false << u8("nastavení písma otevře dvojklik na text");
        QTest::newRow("the panel, then a choice")
            << true << u8("Znamení jsou v řadě pod textem, témata vlevo od něj");
    }
    // The text box's hint, which screen readers say at every return to the text, keeps only
    // what the reader has not used yet, and never falls back on the tooltip.
    void hint()
    {
        QFETCH(bool, panelFirst);
        QFETCH(QString, between);
        const auto hint
            = [this] { return of(QStringLiteral("Text1"))->text(QAccessible::Description); };
        QCOMPARE(hint(),
            u8("Znamení jsou v řadě pod textem, témata vlevo od něj; nastavení písma otevře "
               "dvojklik na text"));
        const auto openPanel
            = [this] { doubleClick(control<QPlainTextEdit>(m_window.get(), "Text1")->viewport()); };
        const auto choose = [this] { click(control(m_window.get(), "Label6")); };
        panelFirst ? openPanel() : choose();
        QTRY_COMPARE(hint(), between);
        panelFirst ? choose() : openPanel();
        QTRY_COMPARE(hint(), QString());
    }
    // The text's face is heard by the name its radio button in the panel has, also the default
    // face, which this system shows in a stand-in.
    void face_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("heard");
        for (const auto &[button, heard] : { std::pair("Label30", "Arial"),
                 { "Label31", "MS Sans Serif" }, { "Label32", "Courier New" } })
            QTest::newRow(heard) << QString::fromLatin1(button) << QString::fromLatin1(heard);
    }
    void face()
    {
        QFETCH(QString, button);
        QFETCH(QString, heard);
        doubleClick(control<QPlainTextEdit>(m_window.get(), "Text1")->viewport());
        QTest::mouseClick(control(m_window.get(), "Label30"), Qt::LeftButton);
        QTest::mouseClick(control(m_window.get(), button), Qt::LeftButton);
        int start = -1, end = -1;
        QVERIFY2(words()
                     ->attributes(0, &start, &end)
                     .contains(QStringLiteral("font-family:\"%1\"").arg(heard)),
            qPrintable(words()->attributes(0, &start, &end)));
    }
    // The text box holds no unnamed child, only its scroll bar while the text runs past it; a
    // word runs on to the next word's start, and a comma is read with the word after it; between
    // two sentences the sentence is the next one; the characters the open panel's lines cross
    // have no place on the screen.
    void text()
    {
        QAccessibleInterface *textBox = of(QStringLiteral("Text1"));
        QCOMPARE(textBox->childCount(), 1);
        QCOMPARE(textBox->child(0)->role(), QAccessible::ScrollBar);
        QVERIFY(!textBox->child(0)->state().invisible);
        // Ctrl+Right and Ctrl+Left stop at words only: a screen reader says what the caret
        // passed, and the comma after "hlavou" is heard with that word, not alone.
        auto *box = control<QPlainTextEdit>(m_window.get(), "Text1");
        const QString shown = box->toPlainText();
        for (const Qt::Key key : { Qt::Key_Right, Qt::Key_Left }) {
            for (int k = 0; k < 8; ++k) {
                QTest::keyClick(box, key, Qt::ControlModifier);
                const QChar at = shown.at(box->textCursor().position());
                QVERIFY2(
                    at.isLetterOrNumber(), qPrintable(shown.left(box->textCursor().position())));
            }
        }

        // One press crosses a paragraph break, both ways.
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(int(shown.indexOf(u'\n')));
        box->setTextCursor(cursor);
        QTest::keyClick(box, Qt::Key_Right, Qt::ControlModifier);
        QVERIFY(shown.mid(box->textCursor().position()).startsWith(u8("Jeho největší")));
        QTest::keyClick(box, Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(shown.mid(box->textCursor().position()).startsWith(u8("promyslet.\n")));

        int start = -1, end = -1;
        QCOMPARE(words()->textAtOffset(0, QAccessible::WordBoundary, &start, &end),
            QStringLiteral("Beran "));
        QCOMPARE(std::pair(start, end), std::pair(0, 6));
        const QString all = words()->text(0, words()->characterCount());
        const int comma = int(all.indexOf(u", "));
        const QString after = all.mid(comma + 2).section(u' ', 0, 0);
        QCOMPARE(words()->textAtOffset(comma, QAccessible::WordBoundary, &start, &end),
            QStringLiteral(", ") + after + u' ');
        QCOMPARE(std::pair(start, end), std::pair(comma, comma + 3 + int(after.size())));
        // Right of a line's end, mouse review finds that line's last character, and the line's
        // place as the accessibility bus gives it (its characters through the one at its end)
        // covers the point: on the first line, wrapped, and on the first paragraph's last line,
        // at its full stop.
        const QRect shownPlace(box->viewport()->mapToGlobal(QPoint()), box->viewport()->size());
        const auto rightOf = [&](int offset) {
            return QPoint(shownPlace.right() - 4, words()->characterRect(offset).center().y());
        };
        const auto lineCovers = [&](int offset) {
            words()->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
            QRect line;
            for (int k = start; k <= end; ++k)
                line |= words()->characterRect(k);
            return line.contains(rightOf(offset));
        };
        QVERIFY(words()
                    ->textAtOffset(
                        words()->offsetAtPoint(rightOf(0)), QAccessible::LineBoundary, &start, &end)
                    .startsWith(u8("Beran se skloněnou")));
        QVERIFY(lineCovers(0));
        const int paragraphEnd = int(all.indexOf(u'\n'));
        QCOMPARE(all.at(words()->offsetAtPoint(rightOf(paragraphEnd - 1))), u'.');
        QCOMPARE(words()->offsetAtPoint(rightOf(paragraphEnd - 1)), paragraphEnd - 1);
        QVERIFY(lineCovers(paragraphEnd - 1));
        const int gap = int(all.indexOf(u". ")) + 1;
        QVERIFY(words()
                    ->textAtOffset(gap, QAccessible::SentenceBoundary, &start, &end)
                    .startsWith(all.mid(gap + 1, 20)));
        // A character on a line the panel will cross, and one on a line below the panel.
        const QWidget *panel = control(m_window.get(), "Frame1");
        const QRect covers(panel->mapToGlobal(QPoint()), panel->size());
        int crossed = -1, below = -1;
        for (int k = 0; k < words()->characterCount(); k += 10) {
            const QRect place = words()->characterRect(k);
            if (crossed < 0 && place.top() > covers.top() + 20)
                crossed = k;
            if (below < 0 && place.top() > covers.bottom() + 2)
                below = k;
        }
        QVERIFY(crossed >= 0 && below >= 0);
        doubleClick(control<QPlainTextEdit>(m_window.get(), "Text1")->viewport());
        const QRect hidden = words()->characterRect(crossed);
        QVERIFY(hidden.isEmpty());
        QVERIFY(!words()->characterRect(below).isEmpty());
        QVERIFY(!words()->characterRect(0).isEmpty()); // the first line, just above the panel
        // Off every screen, but below the first line: a screen reader finds the first line
        // shown by the characters' heights.
        QVERIFY(!qApp->primaryScreen()->virtualGeometry().contains(hidden.topLeft()));
        QVERIFY(hidden.top() > words()->characterRect(0).top());
        // At 1 point the text fits: a scroll bar with nowhere to go is no child.
        for (int k = 0; k < 7; ++k)
            click(control(m_window.get(), "Label25"));
        QTRY_COMPARE(textBox->childCount(), 0);
    }
    // A screen reader that cannot move the pointer clicks through the text box's action: two
    // quick presses open the panel as a double-click does, one press closes it, and two presses
    // further apart than a double-click are two clicks.
    void textPresses()
    {
        QAccessibleActionInterface *text = of(QStringLiteral("Text1"))->actionInterface();
        const QWidget *panel = control(m_window.get(), "Frame1");
        text->doAction(QAccessibleActionInterface::pressAction());
        text->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(panel->isVisible());
        text->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!panel->isVisible());
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        text->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(!panel->isVisible());
        // Orca's two quick clicks, the second a character further on once the first has moved
        // the caret, open the panel as a double-click does; two a few lines apart do not. Each
        // press comes so many milliseconds after the last release.
        QWidget *viewport = control<QPlainTextEdit>(m_window.get(), "Text1")->viewport();
        const auto clicks = [](QWidget *widget, const QList<std::pair<QPoint, int>> &presses) {
            QTest::lastMouseTimestamp += 1000;
            for (const auto &[at, after] : presses) {
                for (const bool down : { true, false }) {
                    QMouseEvent event(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease,
                        at, widget->mapToGlobal(at), Qt::LeftButton,
                        down ? Qt::LeftButton : Qt::NoButton, {});
                    event.setTimestamp(QTest::lastMouseTimestamp += down ? after : 40);
                    QApplication::sendEvent(widget, &event);
                }
            }
        };
        clicks(viewport, { { { 40, 20 }, 40 }, { { 40, 80 }, 40 } });
        QVERIFY(!panel->isVisible());
        clicks(viewport, { { { 40, 20 }, 40 }, { { 50, 20 }, 40 } });
        QVERIFY(panel->isVisible());
        // When the pointer already stood where it clicks, Orca clicks again at the middle of the
        // box 3 ms later: that click is no click of its own. It neither closes the panel its
        // double-click opened, nor makes one click a double-click.
        const QPoint middle = viewport->rect().center();
        clicks(viewport, { { middle, 40 } });
        QVERIFY(!panel->isVisible());
        clicks(viewport, { { { 40, 20 }, 40 }, { { 40, 20 }, 250 }, { middle, 3 } });
        QVERIFY(panel->isVisible());
        clicks(viewport, { { middle, 40 }, { middle + QPoint(2, 4), 3 } });
        QVERIFY(!panel->isVisible());
        // Nor does a switch turn twice.
        clicks(viewport, { { { 40, 20 }, 40 }, { { 40, 20 }, 40 } });
        QVERIFY(panel->isVisible());
        QWidget *bold = control(m_window.get(), "Label26");
        const QPoint onBold = bold->rect().center();
        const auto *box = control<QPlainTextEdit>(m_window.get(), "Text1");
        QVERIFY(!box->font().bold());
        clicks(bold, { { onBold, 40 }, { onBold, 2 } });
        QVERIFY(box->font().bold());
        clicks(bold, { { onBold, 40 }, { onBold, 2 } });
        QVERIFY(!box->font().bold());
    }
    // The about window is a window (Orca would read a dialog's words before each of its items),
    // and its status line names the program and its version.
    void aboutWindow()
    {
        Form2 about;
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&about);
        QCOMPARE(window->role(), QAccessible::Window);
        QAccessibleInterface *line = window->child(window->childCount() - 1);
        QCOMPARE(line->role(), QAccessible::StatusBar);
        QCOMPARE(line->text(QAccessible::Name), QStringLiteral("Astrelo v1.1."));
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_accessible.moc"
