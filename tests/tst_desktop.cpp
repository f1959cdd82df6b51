// SPDX-License-Identifier: MIT
// The program as a desktop reader meets it, in process: Qt's own words in Czech whatever the
// locale, the text read and selected from the keyboard, and labels that fit their captions in
// whatever faces the system supplies (CTest runs this with a font setup of DejaVu only).

#include "form1.h"
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

    // Every label that fits its text is at least as wide as its caption, panel shown.
    void labelsFitTheirCaptions()
    {
        QWidget *text = m_window->findChild<QPlainTextEdit *>(QStringLiteral("Text1"))->viewport();
        QTest::mouseClick(text, Qt::LeftButton);
        QTest::mouseDClick(text, Qt::LeftButton);
        QVERIFY(m_window->findChild<QWidget *>(QStringLiteral("Frame1"))->isVisible());
        const QList<QLabel *> labels = m_window->findChildren<QLabel *>();
        int fitting = 0;
        for (const QLabel *label : labels) {
            if (!label->property("fitsText").toBool())
                continue;
            ++fitting;
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(label->width() >= needed,
                qPrintable(QStringLiteral("%1: %2 px for \"%3\", which needs %4")
                               .arg(label->objectName())
                               .arg(label->width())
                               .arg(label->text())
                               .arg(needed)));
        }
        QCOMPARE(fitting, 29);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
