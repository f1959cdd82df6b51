// SPDX-License-Identifier: MIT
// The program as a desktop reader meets it, in process: Qt's own words in Czech whatever the
// locale, the text read and selected from the keyboard, and labels that fit their captions in
// whatever faces the system supplies (CTest runs this with a font setup of DejaVu only), inside
// their windows.

#include "form1.h"
#include "form2.h"
#include "startup.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

class TestDesktop : public QObject
{
    Q_OBJECT

    std::unique_ptr<Form1> m_window;

private Q_SLOTS:
    void initTestCase()
    {
        Startup::configureApplication(*qApp);
        m_window = Startup::createMainWindow();
        QVERIFY(m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void contextMenuInCzech()
    {
        auto *text = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        std::unique_ptr<QMenu> menu(text->createStandardContextMenu());
        QStringList items;
        for (const QAction *action : menu->actions())
            items.append(action->text().remove(u'&').section(u'\t', 0, 0));
        for (const char16_t *item : { u"Kopírovat", u"Vybrat vše" })
            QVERIFY2(items.contains(item), qPrintable(items.join(u", ")));
    }

    void keyboardSelection()
    {
        auto *text = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
        QVERIFY(text->hasFocus());
        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
        for (int k = 0; k < 5; ++k)
            QTest::keyClick(text, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(text, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Beran"));
    }

    void labelsFitTheirCaptions_data()
    {
        QTest::addColumn<QString>("thumbnail");
        QTest::newRow("Střelec, the longest dates") << "Image9";
        QTest::newRow("Ryby, the longest planets") << "Image12";
    }
    // With DejaVu standing in for every face: each caption fits its label in the label's own
    // font, each label lies inside its window or inside the panel's outline, and the planets
    // stay over the picture. The panel and the about window are open.
    void labelsFitTheirCaptions()
    {
        QFETCH(QString, thumbnail);
        QTest::mouseClick(m_window->findChild<QWidget *>(thumbnail), Qt::LeftButton);
        auto *frame = m_window->findChild<QWidget *>(QStringLiteral("Frame1"));
        if (frame->isHidden()) {
            QWidget *text
                = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->viewport();
            QTest::mouseClick(text, Qt::LeftButton);
            QTest::mouseDClick(text, Qt::LeftButton);
        }
        QVERIFY(frame->isVisible());
        QTest::mouseClick(
            m_window->findChild<QWidget *>(QStringLiteral("Image13")), Qt::LeftButton);
        QVERIFY(m_window->aboutWindow());
        QVERIFY(m_window->aboutWindow()->isVisible());

        int checked = 0;
        for (const QWidget *window : { static_cast<QWidget *>(m_window.get()),
                 static_cast<QWidget *>(m_window->aboutWindow()) }) {
            for (const QLabel *label : window->findChildren<QLabel *>()) {
                if (label->text().isEmpty())
                    continue;
                ++checked;
                const QWidget *parent = label->parentWidget();
                // A frame draws a one-pixel outline on its edges.
                const QRect room
                    = parent->isWindow() ? parent->rect() : parent->rect().adjusted(1, 0, -1, -1);
                const QString what
                    = QStringLiteral("%1 \"%2\" at %3,%4 %5x%6 in %7x%8, needs %9")
                          .arg(label->objectName(), label->text())
                          .arg(label->x())
                          .arg(label->y())
                          .arg(label->width())
                          .arg(label->height())
                          .arg(parent->width())
                          .arg(parent->height())
                          .arg(label->fontMetrics().horizontalAdvance(label->text()));
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                    qPrintable(what));
                QVERIFY2(room.contains(label->geometry()), qPrintable(what));
            }
        }
        QCOMPARE(checked, 40);
        const QRect picture = m_window->findChild<QWidget *>(QStringLiteral("Image14"))->geometry();
        const QRect planets = m_window->findChild<QWidget *>(QStringLiteral("Label21"))->geometry();
        QVERIFY2(planets.left() >= picture.left() && planets.right() <= picture.right(),
            qPrintable(
                QStringLiteral("planets from %1 to %2").arg(planets.left()).arg(planets.right())));
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
