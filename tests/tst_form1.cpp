// SPDX-License-Identifier: MIT
// The main window: its design, the sign and topic browser, the text settings panel and what
// the reader sees of them on screen; run as tst_highdpi, the same window scaled by 2.

#include "form1.h"
#include "form2.h"
#include "testsupport.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWindow>

using namespace TestSupport;

namespace {
QRgb colourOf(const QWidget *label)
{
    return label->palette().color(QPalette::WindowText).rgba();
}
// The first and the last column in which a control shows dark ink.
std::pair<int, int> inkColumns(QWidget *control)
{
    const QImage image = control->grab().toImage();
    std::pair<int, int> found = { image.width(), -1 };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 96)
                found = { std::min(found.first, x), std::max(found.second, x) };
    return found;
}
} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT
    std::unique_ptr<ErrorLog> m_errors;
    std::unique_ptr<Form1> m_window;
    QWidget *at(const QString &name) const { return control(m_window.get(), name); }
    QPlainTextEdit *text() const { return control<QPlainTextEdit>(m_window.get(), "Text1"); }
    // Plays a reader's mouse events: "Label24*3" clicks three times, "dbl:Text1" double-clicks,
    // "right:Image5" clicks with the right button, "out:Image5" releases the button outside
    // the control, "Image2>Image3" presses on one and releases on the other; "esc:Text1" presses
    // Escape there.
    void play(const QString &script)
    {
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            const QString how = step.section(u':', 0, -2), what = step.section(u':', -1);
            const QStringList names = what.section(u'*', 0, 0).split(u'>');
            QWidget *first = names[0] == u"Text1" ? text()->viewport() : at(names[0]);
            for (int n = std::max(1, what.section(u'*', 1).toInt()); n > 0; --n) {
                if (how == u"dbl")
                    doubleClick(first);
                else if (how == u"esc")
                    QTest::keyClick(first, Qt::Key_Escape);
                else if (how == u"right")
                    QTest::mouseClick(first, Qt::RightButton, {}, QPoint(1, 1));
                else
                    QTest::mousePress(first, Qt::LeftButton, {}, QPoint(1, 1));
                if (how.isEmpty() || how == u"out")
                    QTest::mouseRelease(names.size() > 1 ? at(names[1]) : first, Qt::LeftButton, {},
                        QPoint(how == u"out" ? -2 : 1, 1));
            }
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        Toolkit::setUpLook(*qApp);
        watchQtWarnings();
    }
    void init()
    {
        m_errors = std::make_unique<ErrorLog>();
        m_window = std::make_unique<Form1>();
        m_window->load();
    }
    void cleanup()
    {
        m_window.reset();
        QCOMPARE(std::exchange(m_errors, {})->messages, QStringList());
        QCOMPARE(std::exchange(qtWarnings, {}), QStringList());
    }
    // A fixed window, the design's fonts, the pictures' places, names for screen readers.
    void window()
    {
        for (const QSize size :
            { m_window->minimumSize(), m_window->size(), m_window->maximumSize() })
            QCOMPARE(size, QSize(665, 449));
        const Qt::WindowFlags buttons = Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(m_window->windowFlags() & (buttons | Qt::WindowMaximizeButtonHint), buttons);
        QVERIFY(text()->isReadOnly());
        QStringList shown; // the controls' fonts
        for (const char *name :
            { "Label1", "Label7", "Label8", "Label28", "Label30", "Label32", "Label33", "Text1" })
            shown << at(QLatin1String(name))->font().toString().section(u',', 0, 1);
        QCOMPARE(shown,
            QStringList({ "Liberation Sans,9.75", "Liberation Sans,12", "Liberation Sans,8",
                "Liberation Sans,12", "Arial,9.75", "Courier New,9.75", "Comic Sans MS,9.75",
                "Liberation Sans,8" }));
        play(QStringLiteral("Image8 Label2"));
        for (const auto &[name, expected] : { std::pair("Image11", "Vodnář"),
                 std::pair("Text1", "Štír, Vzhled"), std::pair("Image13", "O programu") }) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(at(name));
            QCOMPARE(accessible->text(QAccessible::Name), u8(expected));
            QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
        }
        // A screen reader may still ask at the places of the longer text shown before: nothing
        // is there, and Qt has nothing to warn of.
        QAccessibleTextInterface *words
            = QAccessible::queryAccessibleInterface(text())->textInterface();
        int start = 0, end = 0;
        QCOMPARE(words->textAtOffset(2000, QAccessible::LineBoundary, &start, &end), QString());
        QCOMPARE(words->text(2000, 2100), QString());
        QCOMPARE(words->text(76, 2100), QStringLiteral("duše."));
    }
    // The design's facts, in twips, once: where each control stands after the load step with
    // the settings panel open and bold and italic on. A box is kept whole; a label that fits its
    // caption keeps the edge or the centre its alignment gives, and its top.
    void designFacts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("keeps"); // "box", "left", "right" or "centre"
        QTest::addColumn<QRect>("design");
        const auto row = [](const QString &name, const char *keeps, QRect design) {
            QTest::newRow(qPrintable(name)) << name << QString::fromLatin1(keeps) << design;
        };
        for (int n = 1; n <= 12; ++n) { // thumbnails, and the sign names under them
            row(QStringLiteral("Image%1").arg(n), "box", { 120 + 840 * (n - 1), 5760, 480, 480 });
            row(QStringLiteral("Label%1").arg(n + 7), "left",
                { 120 + 840 * (n - 1), 6360, 45, 195 });
        }
        for (int n = 1; n <= 6; ++n) // topics
            row(QStringLiteral("Label%1").arg(n), "left", { 120, 3120 + 360 * n, 75, 240 });
        row("Image13", "box", { 1320, 4200, 480, 480 });
        row("Image14", "box", { 120, 480, 1800, 2850 });
        row("Label20", "box", { 120, 240, 1770, 195 });
        row("Label7", "box", { 2040, 120, 7815, 255 });
        row("Label21", "right", { 1770, 3000, 75, 240 });
        row("Text1", "box", { 2040, 480, 7815, 5175 });
        row("Frame1", "box", { 6240, 720, 3255, 2655 });
        row("Label24", "centre", { 120, 360, 2955, 240 });
        row("Label28", "box", { 120, 540, 2985, 255 });
        row("Label25", "centre", { 120, 720, 2955, 240 });
        row("Shape1", "box", { 120, 1080, 855, 255 });
        row("Label26", "left", { 240, 1080, 660, 240 });
        row("Shape2", "box", { 2160, 1080, 975, 255 });
        row("Label27", "left", { 2280, 1080, 765, 240 });
        row("Label30", "left", { 120, 1560, 450, 240 });
        row("Label32", "left", { 1800, 1680, 1320, 240 });
        row("Label31", "left", { 120, 1800, 1470, 240 });
        row("Label33", "left", { 1680, 2040, 1455, 285 });
        row("Label29", "box", { 120, 2400, 3015, 195 });
    }
    void designFacts()
    {
        QFETCH(QString, name);
        QFETCH(QString, keeps);
        QFETCH(QRect, design);
        play(QStringLiteral("dbl:Text1 Label26 Label27")); // the panel, and its two marks
        m_window->show();
        const QWidget *shown = at(name);
        QVERIFY(shown->isVisible());
        const QRect box(
            twips(shown->x()), twips(shown->y()), twips(shown->width()), twips(shown->height()));
        QCOMPARE(box.y(), design.y());
        if (keeps == u"box")
            QCOMPARE(box, design);
        else if (keeps == u"left")
            QCOMPARE(box.x(), design.x());
        else if (keeps == u"right")
            QCOMPARE(box.x() + box.width(), design.x() + design.width());
        else // a centre on a half pixel is kept to half a pixel
            QCOMPARE_LE(std::abs(2 * box.x() + box.width() - 2 * design.x() - design.width()), 15);
    }
    void browse_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("topic");
        QTest::addColumn<int>("number"); // the text's
        QTest::newRow("after load") << "" << 0 << 0 << 10000;
        QTest::newRow("three-digit key") << "Image11 Label6" << 10 << 5 << 10105;
        QTest::newRow("second sign and topic") << "Image2 Label2" << 1 << 1 << 10011;
        QTest::newRow("Libra") << "Image7 Label4" << 6 << 3 << 10063;
        QTest::newRow("Czech capitals") << "Image8" << 7 << 0 << 10070;
        QTest::newRow("Sagittarius") << "Image9 Label3" << 8 << 2 << 10082;
        QTest::newRow("sign change keeps the topic") << "Label4 Image12" << 11 << 3 << 10113;
        QTest::newRow("topic change keeps the sign") << "Image4 Label3 Label5" << 3 << 4 << 10034;
        QTest::newRow("back to the first") << "Image10 Label6 Image1 Label1" << 0 << 0 << 10000;
        // No click of a thumbnail or a topic, and no control without a handler, selects anything.
        QString none = QStringLiteral("Image6 Label3 out:Image5 out:Label1 Image2>Image3 "
                                      "Label2>Label3 right:Image5 right:Label1 Image14 Label28");
        for (int n = 7; n <= 23; ++n)
            none += QStringLiteral(" Label%1").arg(n);
        QTest::newRow("nothing selected") << none << 5 << 2 << 10052;
    }
    // Everything the browser shows for a sign and a topic, with the text of that number.
    void browse()
    {
        QFETCH(QString, clicks);
        QFETCH(int, sign);
        QFETCH(int, topic);
        QFETCH(int, number);
        play(clicks);
        QCOMPARE(m_window->state().signIndex, sign);
        QCOMPARE(m_window->state().topicIndex, topic);
        QCOMPARE(m_window->state().textKey, float(number - 10000));
        QCOMPARE(text()->toPlainText(), boxText(number));
        const QWidget *w = m_window.get();
        QCOMPARE(QStringList({ w->windowTitle(), caption(w, "Label7"), caption(w, "Label20"),
                     caption(w, "Label21"), caption(w, "Label22"), caption(w, "Label23") }),
            QStringList({ u8("Astrelo - ") + u8(Names[sign]), u8(Headings[sign]), u8(Dates[sign]),
                u8(Planets[sign]), u8(Planets[sign]), u8(Planets[sign]) }));
        QCOMPARE(seen(pictureOf(at("Image14"))), qtDecoded(100 + sign, CatalogueKind::Bitmap));
        QCOMPARE(seen(pictureOf(at("Image13"))), qtDecoded(100 + topic, CatalogueKind::Icon));
        // The selected topic black, the others grey; the selected sign's name black and bold.
        const char *const topics[]
            = { "Povaha", "Vzhled", "Nemoci", "Láska", "Dětství", "Povolání" };
        for (int k = 0; k < 18; ++k) {
            QWidget *label = at(QString::asprintf("Label%d", k < 6 ? 1 + k : 2 + k));
            const bool selected = k == (k < 6 ? topic : 6 + sign);
            QCOMPARE(textOf(label), u8(k < 6 ? topics[k] : Names[k - 6]));
            QCOMPARE(label->font().bold(), k < 6 || selected);
            QCOMPARE(colourOf(label), selected ? Black : Grey);
            QVERIFY2(inked(label, selected ? Black : Grey), qPrintable(label->objectName()));
            QVERIFY(label->width() >= QFontMetrics(label->font()).horizontalAdvance(textOf(label)));
        }
        // The planets end at the same place whatever their length, their ink from edge to edge
        // of the label; the white copies stand two pixels up-left and down-right of the black
        // text, beneath it.
        const QRect planets = at("Label21")->geometry();
        QCOMPARE(twips(planets.right() + 1), 1845);
        const auto [left, right] = inkColumns(at("Label21"));
        QCOMPARE_LE(left, 1);
        QCOMPARE_GE(right, planets.width() - 2);
        QCOMPARE(at("Label22")->geometry(), planets.translated(-2, -2));
        QCOMPARE(at("Label23")->geometry(), planets.translated(2, 2));
        QVERIFY(w->children().indexOf(at("Label23")) < w->children().indexOf(at("Label21")));
    }
    // The topic icon opens the about window, once; its close box and a click on the icon
    // handled in one go leave it open; the main window takes it along when it closes.
    void aboutWindow()
    {
        m_window->show();
        click(at("Image13"));
        QPointer<Form2> about = m_window->aboutWindow();
        click(at("Image13"));
        QCOMPARE(m_window->aboutWindow(), about.data());
        QVERIFY(about->isVisible());
        about->windowHandle()->close();
        click(at("Image13"));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        about = m_window->aboutWindow();
        QVERIFY(about);
        QVERIFY(about->isVisible());
        // Escape closes it as its close box does.
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(about->isHidden());
        click(at("Image13"));
        about = m_window->aboutWindow();
        QVERIFY(about->isVisible());
        m_window->windowHandle()->close();
        QVERIFY(!about->isVisible());
        m_window.reset();
        QVERIFY(!about);
    }
    void panel_data()
    {
        QTest::addColumn<QString>("clicks"); // after a double-click on the text
        QTest::addColumn<QString>("font"); // face, size, bold, italic; none: the panel hidden
        const char *const rows[][3] = { { "as designed", "", "Liberation Sans,8,0,0" },
            { "an eighth stays at 1", "Label25*8", "Liberation Sans,1,0,0" },
            { "up again from 1", "Label25*9 Label24", "Liberation Sans,2,0,0" },
            { "the largest size stays", "Label24*66 Label25 Label24*3", "Liberation Sans,72,0,0" },
            { "quick clicks all count", "dbl:Label24*3 dbl:Label25", "Liberation Sans,12,0,0" },
            { "bold twice", "Label26*2", "Liberation Sans,8,0,0" },
            { "bold and italic apart", "Label27 Label26 Label26", "Liberation Sans,8,0,1" },
            { "12 bold, then Courier New", "Label24*4 Label26 Label32", "Courier New,12,1,0" },
            { "a face right after load", "Label33", "Comic Sans MS,8,0,0" },
            { "a face keeps italic", "Label27 Label25 Label30", "Arial,7,0,1" },
            { "browsing", "Label24 Label26 Label27 Label32 Image7 Label5", "Courier New,9,1,1" },
            { "restore", "Label24*6 Label26 Label27 Label33 Label29", "Liberation Sans,8,0,0" },
            { "restore, bold", "Label24 Label27 Label33 Label29 Label26", "Liberation Sans,8,1,0" },
            { "a double-click keeps it", "dbl:Text1", "Liberation Sans,8,0,0" },
            { "a click on the text hides it", "Text1", "" },
            { "a click on the panel hides it", "Frame1", "" },
            { "a double-click on the panel hides it", "dbl:Frame1", "" },
            { "a click on the text, hidden", "Text1 Text1", "" },
            { "Escape hides it", "esc:Text1", "" },
            { "Escape twice, then shown again", "esc:Text1*2 dbl:Text1", "Liberation Sans,8,0,0" },
            { "a click on a mark is on the panel", "Label26 Shape1", "" },
            { "a click on the size", "Label28", "Liberation Sans,8,0,0" },
            { "shown again", "Frame1 dbl:Text1", "Liberation Sans,8,0,0" } };
        for (const auto &[name, clicks, font] : rows)
            QTest::newRow(name) << QString::fromLatin1(clicks) << QString::fromLatin1(font);
    }
    // When the panel shows; the text's real font, the size shown, the marks, the face in red.
    void panel()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, font);
        m_window->show(); // laid out as the reader sees it, and the window with the keys
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(at("Frame1")->isHidden());
        play(QStringLiteral("dbl:Text1 ") + clicks);
        QCOMPARE(at("Frame1")->isHidden(), font.isEmpty());
        if (font.isEmpty())
            return;
        const QFont shown = text()->font();
        const QStringList expected = font.split(u',');
        QCOMPARE(QStringList({ shown.family(), QString::number(shown.pointSizeF()),
                     QString::number(shown.bold()), QString::number(shown.italic()) }),
            expected);
        QCOMPARE(caption(m_window.get(), "Label28"), expected[1]);
        QCOMPARE(at("Shape1")->isHidden(), !shown.bold());
        QCOMPARE(at("Shape2")->isHidden(), !shown.italic());
        const char *const faces[] = { "Arial", "Liberation Sans", "Courier New", "Comic Sans MS" };
        for (int k = 0; k < 4; ++k) {
            QWidget *label = at(QStringLiteral("Label%1").arg(30 + k));
            QCOMPARE(colourOf(label), expected[0] == QLatin1String(faces[k]) ? Red : Black);
            QVERIFY(inked(label, expected[0] == QLatin1String(faces[k]) ? Red : Black));
        }
    }
    // The panel on screen: white, a dark outline and its caption over a gap in the top line.
    void panelLooks()
    {
        play(QStringLiteral("dbl:Text1"));
        // The restore line's caption stands in the middle of its wider box.
        const auto [left, right] = inkColumns(at("Label29"));
        QCOMPARE_GT(left, 20);
        QCOMPARE_LE(std::abs(left - (at("Label29")->width() - 1 - right)), 2);
        const QImage shown = at("Frame1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QFontMetrics metrics(at("Frame1")->font());
        const int line = metrics.height() / 2;
        int inkAbove = 0, gap = 0;
        for (int x = 10; x < 8 + metrics.horizontalAdvance(u8("Nastavení textového okna")); ++x) {
            for (int y = 0; y < line; ++y)
                inkAbove += qGray(shown.pixel(x, y)) < 128;
            gap += shown.pixel(x, line) == White;
        }
        QVERIFY2(inkAbove > 40, "no caption");
        QVERIFY2(gap > 20, "the top line runs through the caption");
        for (const QPoint edge : { QPoint(4, line), QPoint(shown.width() - 3, line), QPoint(0, 80),
                 QPoint(shown.width() - 1, 80), QPoint(100, shown.height() - 1) })
            QVERIFY2(qGray(shown.pixel(edge)) < 64, "no outline");
        QCOMPARE(shown.pixel(100, 150), White);
        QVERIFY(inked(at("Label28"), 0xffe0e0e0));
        QVERIFY(inked(at("Label29"), 0xff800000));
        QVERIFY(inked(at("Label22"), White, true));
        QVERIFY(inked(at("Label23"), White, true));
    }
    // At the screen's scale (QT_SCALE_FACTOR=2 in tst_highdpi): captions fit; pictures are
    // shown pixel for pixel at 1, at 2 as their drawings at twice the pixels; the planets' white
    // copies lie two pixels from the text at 1, one at 2.
    void scaledScreen()
    {
        const int scale = int(m_window->devicePixelRatio());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        for (const QWidget *label : m_window->findChildren<QWidget *>())
            QVERIFY(QFontMetrics(label->font()).horizontalAdvance(textOf(label)) <= label->width());
        click(at("Image13"));
        QWidget *about = m_window->aboutWindow();
        QVERIFY(QTest::qWaitForWindowExposed(about));
        // The thumbnail, the sign's picture, the topic's icon; the banner and the program's icon
        // in the about window.
        for (const auto &[shown, file] :
            { std::pair { at("Image1"), "catalogue/bitmaps/1000%1.bmp" },
                { at("Image14"), "catalogue/bitmaps/100%1.bmp" },
                { at("Image13"), "catalogue/icons/100%1.ico" },
                { about->findChild<QWidget *>("Image2"), "about_window/banner%1.gif" },
                { about->findChild<QWidget *>("Image1"), "catalogue/icons/10%1.ico" } }) {
            const QString path = QStringLiteral(ASTRELO_SOURCE_DIR "/") + QLatin1String(file);
            const QImage picture(path.arg(QString()));
            const QImage expected(path.arg(scale == 2 ? QStringLiteral("@2x") : QString()));
            QCOMPARE(shown->size(), picture.size());
            const QImage grab = shown->grab().toImage();
            QCOMPARE(grab.size(), expected.size());
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb pixel = expected.pixel(x, y);
                    if (qAlpha(pixel) == 255) // where the picture is not transparent
                        QCOMPARE(grab.pixel(x, y), pixel);
                }
            }
        }
        const int halo = scale == 1 ? 2 : 1;
        QCOMPARE(at("Label22")->geometry(), at("Label21")->geometry().translated(-halo, -halo));
        QCOMPARE(at("Label23")->geometry(), at("Label21")->geometry().translated(halo, halo));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
