// SPDX-License-Identifier: MIT
// The program as a desktop reader meets it, in process: Qt's own words in Czech whatever the
// locale, the text read and selected from the keyboard, and labels that fit their captions in
// whatever faces the system supplies (CTest runs this with DejaVu fonts only).

#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

using namespace TestSupport;

class TestDesktop : public QObject
{
    Q_OBJECT
    std::unique_ptr<Form1> m_window;
    QWidget *at(const char *name) const { return control(m_window.get(), QLatin1String(name)); }
    QPlainTextEdit *text() const { return control<QPlainTextEdit>(m_window.get(), "Text1"); }

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
        std::unique_ptr<QMenu> menu(text()->createStandardContextMenu());
        QStringList items;
        for (const QAction *action : menu->actions())
            items.append(action->text().remove(u'&').section(u'\t', 0, 0));
        for (const char16_t *item : { u"Kopírovat", u"Vybrat vše" })
            QVERIFY2(items.contains(item), qPrintable(items.join(u", ")));
    }
    void keyboardSelection()
    {
        QVERIFY(text()->hasFocus());
        QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(text(), Qt::Key_Home, Qt::ControlModifier);
        for (int k = 0; k < 5; ++k)
            QTest::keyClick(text(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(text(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Beran"));
    }
    // A label that fits its text, alone in a window 100 pixels wide or in a frame of that width
    // (inside its one-pixel outline): a caption too wide for the room is drawn smaller and the
    // label stays inside; a centred label keeps its centre, so its room reaches only as far on
    // one side as the nearer edge allows on the other; the next, shorter caption is drawn at the
    // design's size again.
    void captionRoom_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("inFrame");
        QTest::addColumn<int>("anchorX"); // the left edge, the right edge or the centre
        QTest::addColumn<int>("room"); // the widest the long caption may be drawn
        QTest::newRow("left, in a window") << int(Qt::AlignLeft) << false << 10 << 90;
        QTest::newRow("right, in a window") << int(Qt::AlignRight) << false << 70 << 70;
        QTest::newRow("centred near the left") << int(Qt::AlignHCenter) << false << 30 << 60;
        QTest::newRow("centred near the right") << int(Qt::AlignHCenter) << false << 72 << 56;
        QTest::newRow("centred in a frame") << int(Qt::AlignHCenter) << true << 30 << 58;
        QTest::newRow("left in a frame") << int(Qt::AlignLeft) << true << 10 << 89;
    }
    void captionRoom()
    {
        QFETCH(int, alignment);
        QFETCH(bool, inFrame);
        QFETCH(int, anchorX);
        QFETCH(int, room);
        const auto anchor = [alignment](int width) { // from the label's left edge
            return alignment == Qt::AlignLeft ? 0 : alignment == Qt::AlignRight ? width : width / 2;
        };
        QWidget window;
        window.resize(100, 40);
        QWidget *parent = inFrame ? new QWidget(&window) : &window;
        parent->setGeometry(0, 0, 100, 40);
        auto *label = new QLabel(parent);
        label->setAlignment(Qt::Alignment(alignment) | Qt::AlignTop);
        label->setGeometry(anchorX - anchor(20), 5, 20, 15);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(12);
        label->setFont(font);
        label->setProperty("fitsText", true);
        Toolkit::applyDesign(&window);

        Toolkit::setCaption(label, QStringLiteral("Jupiter a Neptun"));
        const int advance = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(label->font().pointSizeF() < 12, "the long caption is not drawn smaller");
        QVERIFY2(advance <= room && advance > room - 12, qPrintable(QString::number(advance)));
        QVERIFY(advance <= label->width());
        QVERIFY2(QRect(inFrame ? 1 : 0, 0, inFrame ? 98 : 100, 40).contains(label->geometry()),
            qPrintable(QStringLiteral("%1..%2").arg(label->x()).arg(label->geometry().right())));
        QVERIFY(std::abs(label->x() + anchor(label->width()) - anchorX) <= 1);

        Toolkit::setCaption(label, QStringLiteral("Mars"));
        QCOMPARE(label->font().pointSizeF(), 12.0);
        QCOMPARE(label->width(), QFontMetrics(font).horizontalAdvance(QStringLiteral("Mars")));
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
        QTest::mouseClick(at(qPrintable(thumbnail)), Qt::LeftButton);
        if (at("Frame1")->isHidden()) { // a double-click through the window system, its
            // second press a tenth of a second after the first release, as a hand makes it
            const QPoint onText = text()->mapTo(m_window.get(), QPoint(20, 20));
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, onText);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval - 100;
            QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, onText);
        }
        QVERIFY(at("Frame1")->isVisible());
        QTest::mouseClick(at("Image13"), Qt::LeftButton);
        QVERIFY(m_window->aboutWindow() && m_window->aboutWindow()->isVisible());
        int checked = 0;
        for (const QWidget *window : { static_cast<QWidget *>(m_window.get()),
                 static_cast<QWidget *>(m_window->aboutWindow()) }) {
            for (const QWidget *label : window->findChildren<QWidget *>()) {
                if (textOf(label).isEmpty())
                    continue;
                ++checked;
                const QWidget *parent = label->parentWidget();
                // A frame draws a one-pixel outline on its edges.
                const QRect room
                    = parent->isWindow() ? parent->rect() : parent->rect().adjusted(1, 0, -1, -1);
                const int needs = label->fontMetrics().horizontalAdvance(textOf(label));
                const QString what = label->objectName() + u' ' + textOf(label);
                QVERIFY2(needs <= label->width(), qPrintable(what));
                QVERIFY2(room.contains(label->geometry()), qPrintable(what));
            }
        }
        QCOMPARE(checked, 40);
        QCOMPARE_GE(at("Label21")->geometry().left(), at("Image14")->geometry().left());
        QCOMPARE_LE(at("Label21")->geometry().right(), at("Image14")->geometry().right());
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
