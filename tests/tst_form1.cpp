// SPDX-License-Identifier: MIT
// The main window: its design, the sign and topic browser, and what an error in a handler
// leaves behind.

#include "catalogue.h"
#include "hiddenitem.h"
#include "form1.h"
#include "testsupport.h"

#include <QAccessible>
#include <QPlainTextEdit>

using namespace TestSupport;

namespace {

const char *const PlanetLabels[] = { "Label21", "Label22", "Label23" };

QString signLabelName(int sign) { return QStringLiteral("Label%1").arg(8 + sign); }
QString thumbnailName(int sign) { return QStringLiteral("Image%1").arg(1 + sign); }
QString topicLabelName(int topic) { return QStringLiteral("Label%1").arg(1 + topic); }

QRect twipsRect(const QWidget *widget)
{
    const QRect box = widget->geometry();
    return { twips(box.x()), twips(box.y()), twips(box.width()), twips(box.height()) };
}

QImage shown(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->pixmap().toImage();
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void design_data();
    void design();
    void stackingOrder();
    void onlyTextTakesFocus();
    void fixedWindow();
    void loadState();
    void browse_data();
    void browse();
    void planetTextStaysClearOfText();
    void controlsWithoutHandlersDoNothing();
    void errorEndsHandler_data();
    void errorEndsHandler();
    void loadErrorLeavesNoWindow();
    void accessibleNames_data();
    void accessibleNames();

private:
    void checkSelection(int sign, int topic);

    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ErrorLog> m_errors;
};

void TestForm1::initTestCase()
{
    Toolkit::setUpLook(*qApp);
}

void TestForm1::init()
{
    m_errors = std::make_unique<ErrorLog>();
    m_window = std::make_unique<Form1>();
}

void TestForm1::cleanup()
{
    m_window.reset();
    m_errors.reset();
    restoreCatalogue();
}

void TestForm1::design_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("box"); // twips
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<qint64>("colour"); // -1: the platform's default text colour
    QTest::addColumn<bool>("visible");
    const QString ms = Toolkit::faceFor(QStringLiteral("MS Sans Serif"));
    const auto row = [](const QString &name, QRect box, const QString &family, double points,
                         bool bold, qint64 colour, bool visible = true) {
        QTest::newRow(qPrintable(name)) << name << box << family << points << bold << colour << visible;
    };
    for (int k = 0; k < 6; ++k)
        row(topicLabelName(k), { 120, 3480 + 360 * k, 75, 240 }, ms, 9.75, true, k ? 0x80000010 : 0);
    row(QStringLiteral("Label7"), { 2040, 120, 7815, 255 }, ms, 12, true, -1);
    for (int k = 0; k < 12; ++k) {
        row(signLabelName(k), { 120 + 840 * k, 6360, 45, 195 }, ms, 8, false, k ? 0x80000010 : 0);
        row(thumbnailName(k), { 120 + 840 * k, 5760, 15, 15 }, ms, 8, false, -1);
    }
    row(QStringLiteral("Image13"), { 1320, 4200, 15, 15 }, ms, 8, false, -1);
    row(QStringLiteral("Image14"), { 120, 480, 15, 15 }, ms, 8, false, -1);
    row(QStringLiteral("Label20"), { 120, 240, 1770, 195 }, ms, 9.75, true, -1);
    row(QStringLiteral("Label21"), { 1770, 3000, 75, 240 }, ms, 9.75, true, -1);
    row(QStringLiteral("Label22"), { 1740, 2970, 75, 240 }, ms, 9.75, true, 0xFFFFFF);
    row(QStringLiteral("Label23"), { 1800, 3030, 75, 240 }, ms, 9.75, true, 0xFFFFFF);
    row(QStringLiteral("Text1"), { 2040, 480, 7815, 5175 }, ms, 8, false, -1);
    row(QStringLiteral("Frame1"), { 6240, 720, 3255, 2655 }, ms, 9.75, true, 0, false);
    row(QStringLiteral("Label24"), { 120, 360, 2955, 240 }, ms, 9.75, true, -1);
    row(QStringLiteral("Label28"), { 120, 540, 2985, 255 }, ms, 12, true, 0xE0E0E0);
    row(QStringLiteral("Label25"), { 120, 720, 2955, 240 }, ms, 9.75, true, -1);
    row(QStringLiteral("Shape1"), { 120, 1080, 855, 255 }, ms, 9.75, true, -1, false);
    row(QStringLiteral("Label26"), { 240, 1080, 660, 240 }, ms, 9.75, true, -1);
    row(QStringLiteral("Shape2"), { 2160, 1080, 975, 255 }, ms, 9.75, true, -1, false);
    row(QStringLiteral("Label27"), { 2280, 1080, 765, 240 }, ms, 9.75, true, -1);
    row(QStringLiteral("Line1"), { 120, 1440, 3000, 15 }, ms, 9.75, true, -1);
    row(QStringLiteral("Label30"), { 120, 1560, 450, 240 }, QStringLiteral("Arial"), 9.75, true, 0);
    row(QStringLiteral("Label32"), { 1800, 1680, 1320, 240 }, QStringLiteral("Courier New"), 9.75, true, -1);
    row(QStringLiteral("Label31"), { 120, 1800, 1470, 240 }, ms, 9.75, true, 255);
    row(QStringLiteral("Label33"), { 1680, 2040, 1455, 285 }, QStringLiteral("Comic Sans MS"), 9.75, true, -1);
    row(QStringLiteral("Label29"), { 120, 2400, 3015, 195 }, ms, 9.75, true, 0x80);
}

// Every control as the window creates it, before the load step.
void TestForm1::design()
{
    QFETCH(QString, name);
    QFETCH(QRect, box);
    QFETCH(QString, family);
    QFETCH(double, points);
    QFETCH(bool, bold);
    QFETCH(qint64, colour);
    QFETCH(bool, visible);
    const QWidget *widget = control(m_window.get(), qPrintable(name));
    QCOMPARE(twipsRect(widget), box);
    QCOMPARE(widget->font().family(), Toolkit::faceFor(family));
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().italic(), false);
    if (colour >= 0) {
        QCOMPARE(qint64(Toolkit::foreColour(widget)), colour);
        QCOMPARE(widget->palette().color(QPalette::WindowText),
            Toolkit::colourFromValue(quint32(colour)));
    }
    QCOMPARE(!widget->isHidden(), visible);
}

void TestForm1::stackingOrder()
{
    // Later siblings are drawn on top: list each overlap bottom to top.
    const auto order = [this](QStringList bottomToTop) {
        const QWidget *first = control(m_window.get(), qPrintable(bottomToTop.first()));
        const QObjectList siblings = first->parentWidget()->children();
        qsizetype previous = -1;
        for (const QString &name : bottomToTop) {
            const qsizetype at = siblings.indexOf(control(m_window.get(), qPrintable(name)));
            QVERIFY2(at > previous, qPrintable(name + QStringLiteral(" is not above the one before")));
            previous = at;
        }
    };
    order({ QStringLiteral("Image14"), QStringLiteral("Label22"), QStringLiteral("Label23"),
        QStringLiteral("Label21"), QStringLiteral("Text1"), QStringLiteral("Frame1") });
    order({ QStringLiteral("Label1"), QStringLiteral("Label7"), QStringLiteral("Image1"),
        QStringLiteral("Label8"), QStringLiteral("Image12"), QStringLiteral("Label19"),
        QStringLiteral("Image13"), QStringLiteral("Label20"), QStringLiteral("Image14") });
    order({ QStringLiteral("Shape1"), QStringLiteral("Shape2"), QStringLiteral("Label27"),
        QStringLiteral("Label26"), QStringLiteral("Label28"), QStringLiteral("Label25"),
        QStringLiteral("Label24"), QStringLiteral("Label29"), QStringLiteral("Line1"),
        QStringLiteral("Label30"), QStringLiteral("Label31"), QStringLiteral("Label32"),
        QStringLiteral("Label33") });
}

void TestForm1::onlyTextTakesFocus()
{
    const QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    QCOMPARE(widgets.size() >= 52, true);
    for (const QWidget *widget : widgets) {
        if (widget->objectName() == QLatin1String("Text1"))
            QVERIFY(widget->focusPolicy() & Qt::ClickFocus);
        else if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
    }
}

void TestForm1::fixedWindow()
{
    QCOMPARE(m_window->size(), QSize(665, 449));
    QCOMPARE(m_window->minimumSize(), QSize(665, 449));
    QCOMPARE(m_window->maximumSize(), QSize(665, 449));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowCloseButtonHint);
    auto *text = control<QPlainTextEdit>(m_window.get(), "Text1");
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(text->toolTip(), QStringLiteral("Dvojklikni pro nastavení"));
    QCOMPARE(control(m_window.get(), "Image13")->toolTip(), QStringLiteral("Informace"));
    QCOMPARE(control(m_window.get(), "Image13")->cursor().shape(), Qt::WhatsThisCursor);
}

void TestForm1::checkSelection(int sign, int topic)
{
    const QWidget *w = m_window.get();
    QCOMPARE(m_window->state().SignIndex, sign);
    QCOMPARE(m_window->state().TopicIndex, topic);
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Astrelo - ") + LoadCatalogueString(1100 + sign));
    QCOMPARE(caption(w, "Label7"), LoadCatalogueString(sign).toUpper());
    QCOMPARE(caption(w, "Label20"), LoadCatalogueString(1000 + sign));
    for (int k = 0; k < 12; ++k) {
        const auto *label = control<QLabel>(w, qPrintable(signLabelName(k)));
        QCOMPARE(Toolkit::foreColour(label), k == sign ? Toolkit::Black : Toolkit::ButtonShadow);
        QCOMPARE(label->font().bold(), k == sign);
        QVERIFY2(label->width() >= QFontMetrics(label->font()).horizontalAdvance(label->text()),
            "a sign name is cut off");
    }
    for (int k = 0; k < 6; ++k) {
        const auto *label = control<QLabel>(w, qPrintable(topicLabelName(k)));
        QCOMPARE(Toolkit::foreColour(label), k == topic ? Toolkit::Black : Toolkit::ButtonShadow);
        QCOMPARE(label->font().bold(), true);
    }
    QCOMPARE(shown(w, "Image14"), decodeCataloguePicture(100 + sign, CatalogueKind::Bitmap));
    QCOMPARE(shown(w, "Image13").convertToFormat(QImage::Format_ARGB32),
        decodeCataloguePicture(100 + topic, CatalogueKind::Icon));
    const QString expected = LoadCatalogueString(10000 + 10 * sign + topic);
    QCOMPARE(control<QPlainTextEdit>(w, "Text1")->toPlainText(),
        QString(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TestForm1::loadState()
{
    m_window->load();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Astrelo - Beran"));
    QCOMPARE(caption(m_window.get(), "Label7"), QStringLiteral("BERAN - ARIES"));
    QCOMPARE(caption(m_window.get(), "Label20"), QStringLiteral("21.3. - 20.4."));
    for (const char *name : PlanetLabels)
        QCOMPARE(caption(m_window.get(), name), QStringLiteral("Mars"));
    QCOMPARE(m_window->state().TextFontSize, 8.0f);
    QCOMPARE(m_window->state().TextKey, 0.0f);
    checkSelection(0, 0);
    for (int k = 0; k < 12; ++k) {
        QCOMPARE(twipsRect(control(m_window.get(), qPrintable(thumbnailName(k)))),
            QRect(120 + 840 * k, 5760, 480, 480));
    }
    QCOMPARE(twipsRect(control(m_window.get(), "Image14")), QRect(120, 480, 1800, 2850));
    QCOMPARE(twipsRect(control(m_window.get(), "Image13")), QRect(1320, 4200, 480, 480));
    const QFont font = control(m_window.get(), "Text1")->font();
    QCOMPARE(font.family(), Toolkit::faceFor(QStringLiteral("MS Sans Serif")));
    QCOMPARE(font.pointSizeF(), 8.0);
    QVERIFY(!font.bold() && !font.italic());
    QVERIFY(m_errors->messages.isEmpty());
}

void TestForm1::browse_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<int>("sign");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("planets");
    const auto row = [](const char *name, const char *clicks, int sign, int topic,
                         const char *heading, const char *planets) {
        QTest::newRow(name) << QString::fromLatin1(clicks).split(QLatin1Char(' ')) << sign << topic
                            << QString::fromUtf8(heading) << QString::fromUtf8(planets);
    };
    row("three-digit key", "Image11 Label6", 10, 5, "VODNÁŘ - AQUARIUS", "Saturn a Uran");
    row("second sign, second topic", "Image2 Label2", 1, 1, "BÝK - TAURUS", "Venuše");
    row("Czech capitals", "Image8", 7, 0, "ŠTÍR - SCORPIO", "Mars a Pluto");
    row("Sagittarius", "Image9", 8, 0, "STŘELEC - SAGITTARIUS", "Jupiter");
    row("sign change keeps the topic", "Label4 Image12", 11, 3, "RYBY - PISCES", "Jupiter a Neptun");
    row("topic change keeps the sign", "Image4 Label3 Label5", 3, 4, "RAK - CANCER", "Měsíc");
    row("same thumbnail twice", "Image5 Image5", 4, 0, "LEV - LEO", "Slunce");
    row("back to the first", "Image10 Label6 Image1 Label1", 0, 0, "BERAN - ARIES", "Mars");
}

void TestForm1::browse()
{
    QFETCH(QStringList, clicks);
    QFETCH(int, sign);
    QFETCH(int, topic);
    QFETCH(QString, heading);
    QFETCH(QString, planets);
    m_window->load();
    for (const QString &name : clicks)
        click(control(m_window.get(), qPrintable(name)));
    checkSelection(sign, topic);
    QCOMPARE(caption(m_window.get(), "Label7"), heading);
    for (const char *name : PlanetLabels)
        QCOMPARE(caption(m_window.get(), name), planets);
    // The white copies stand two pixels up-left and down-right of the black text.
    const QRect black = control(m_window.get(), "Label21")->geometry();
    QCOMPARE(control(m_window.get(), "Label22")->geometry(), black.translated(-2, -2));
    QCOMPARE(control(m_window.get(), "Label23")->geometry(), black.translated(2, 2));
    QVERIFY(m_errors->messages.isEmpty());
}

void TestForm1::planetTextStaysClearOfText()
{
    m_window->load();
    const int textLeft = control(m_window.get(), "Text1")->x();
    for (int sign = 0; sign < 12; ++sign) {
        click(control(m_window.get(), qPrintable(thumbnailName(sign))));
        const QRect box = control(m_window.get(), "Label21")->geometry();
        QCOMPARE(twips(box.x() + box.width()), 1845);
        QVERIFY(box.x() + box.width() < textLeft);
        QVERIFY(box.x() >= 0);
        QCOMPARE(box.width(), QFontMetrics(control(m_window.get(), "Label21")->font())
                                  .horizontalAdvance(LoadCatalogueString(100 + sign)
                                          .left(1).toUpper() + LoadCatalogueString(100 + sign).mid(1)));
    }
}

void TestForm1::controlsWithoutHandlersDoNothing()
{
    m_window->load();
    click(control(m_window.get(), "Image6"));
    click(control(m_window.get(), "Label3"));
    const QString title = m_window->windowTitle();
    const QString text = control<QPlainTextEdit>(m_window.get(), "Text1")->toPlainText();
    for (int n = 7; n <= 23; ++n)
        click(control(m_window.get(), qPrintable(QStringLiteral("Label%1").arg(n))));
    click(control(m_window.get(), "Image14"));
    click(control(m_window.get(), "Label28"));
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(control<QPlainTextEdit>(m_window.get(), "Text1")->toPlainText(), text);
    checkSelection(5, 2);
    QVERIFY(control(m_window.get(), "Frame1")->isHidden());
}

void TestForm1::errorEndsHandler_data()
{
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<QString>("expectedTitle");
    QTest::addColumn<QString>("expectedHeading");
    // A missing sign name stops the refresh after the name labels are marked.
    QTest::newRow("sign name") << CatalogueKind::String << 1107 << "Image8"
                               << "Astrelo - Beran" << "BERAN - ARIES";
    QTest::newRow("sign picture") << CatalogueKind::Bitmap << 107 << "Image8"
                                  << QString::fromUtf8("Astrelo - Štír") << "BERAN - ARIES";
    QTest::newRow("sign text") << CatalogueKind::String << 10070 << "Image8"
                               << QString::fromUtf8("Astrelo - Štír") << QString::fromUtf8("ŠTÍR - SCORPIO");
    QTest::newRow("topic icon") << CatalogueKind::Icon << 103 << "Label4"
                                << "Astrelo - Beran" << "BERAN - ARIES";
    QTest::newRow("topic text") << CatalogueKind::String << 10003 << "Label4"
                                << "Astrelo - Beran" << "BERAN - ARIES";
}

void TestForm1::errorEndsHandler()
{
    QFETCH(CatalogueKind, kind);
    QFETCH(int, number);
    QFETCH(QString, clicked);
    QFETCH(QString, expectedTitle);
    QFETCH(QString, expectedHeading);
    m_window->load();
    const QString firstText = control<QPlainTextEdit>(m_window.get(), "Text1")->toPlainText();
    hideCatalogueItem(kind, number);
    click(control(m_window.get(), qPrintable(clicked)));
    QCOMPARE(m_errors->messages.size(), 1);
    QVERIFY(m_errors->messages.first().contains(QString::number(number)));
    QCOMPARE(m_window->windowTitle(), expectedTitle);
    QCOMPARE(caption(m_window.get(), "Label7"), expectedHeading);
    // The steps before the failing one are done; the text is left as it was.
    if (clicked == QLatin1String("Image8")) {
        QCOMPARE(Toolkit::foreColour(control(m_window.get(), "Label15")), Toolkit::Black);
        QVERIFY(control(m_window.get(), "Label15")->font().bold());
    } else {
        QCOMPARE(Toolkit::foreColour(control(m_window.get(), "Label4")), Toolkit::Black);
    }
    QCOMPARE(control<QPlainTextEdit>(m_window.get(), "Text1")->toPlainText(), firstText);
    // The window goes on working.
    restoreCatalogue();
    click(control(m_window.get(), "Image3"));
    click(control(m_window.get(), "Label2"));
    checkSelection(2, 1);
    QCOMPARE(m_errors->messages.size(), 1);
}

void TestForm1::loadErrorLeavesNoWindow()
{
    hideCatalogueItem(CatalogueKind::Bitmap, 1005);
    QVERIFY_THROWS_EXCEPTION(CatalogueError, m_window->load());
    QVERIFY(!m_window->isVisible());
}

void TestForm1::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const char *expected) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(expected);
    };
    row("Image1", "Beran");
    row("Image11", "Vodnář");
    row("Image12", "Ryby");
    row("Label3", "Nemoci");
    row("Image13", "O programu");
    row("Text1", "Štír, Vzhled");
    row("Frame1", "Nastavení textového okna");
    row("Label24", "Zvětšit písmo o 1 bod");
    row("Label28", "Velikost písma");
    row("Label29", "Původní nastavení");
    row("Label33", "Comic Sans MS");
}

// Every control a reader uses has a Czech name and description for screen readers.
void TestForm1::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    m_window->load();
    click(control(m_window.get(), "Image8"));
    click(control(m_window.get(), "Label2"));
    QAccessibleInterface *accessible
        = QAccessible::queryAccessibleInterface(control(m_window.get(), qPrintable(name)));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), expected);
    QVERIFY(!accessible->text(QAccessible::Description).isEmpty());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
