// SPDX-License-Identifier: MIT
// The text settings panel: size, bold, italic, face and restore, read back from the text
// box's real font, and when the panel shows and hides.

#include "form1.h"
#include "testsupport.h"

#include <QPlainTextEdit>

using namespace TestSupport;

namespace {
const char *const FaceLabels[] = { "Label30", "Label31", "Label32", "Label33" };
} // namespace

class TestSettingsPanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void sequences_data();
    void sequences();
    void startingFontIsTheDesignedOne();
    void browsingKeepsTheFont();
    void visibility_data();
    void visibility();

private:
    QPlainTextEdit *text() const { return control<QPlainTextEdit>(m_window.get(), "Text1"); }

    std::unique_ptr<Form1> m_window;
    std::unique_ptr<ErrorLog> m_errors;
};

void TestSettingsPanel::initTestCase()
{
    Toolkit::setUpLook(*qApp);
}

void TestSettingsPanel::init()
{
    m_errors = std::make_unique<ErrorLog>();
    m_window = std::make_unique<Form1>();
    m_window->load();
    doubleClick(text()->viewport());
    QVERIFY(!control(m_window.get(), "Frame1")->isHidden());
}

void TestSettingsPanel::cleanup()
{
    QVERIFY(m_errors->messages.isEmpty());
    m_window.reset();
    m_errors.reset();
}

void TestSettingsPanel::sequences_data()
{
    QTest::addColumn<QString>("clicks"); // label name and repeat count: "Label24*3 Label26"
    QTest::addColumn<QString>("face");
    QTest::addColumn<double>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("redFace"); // index into Label30..Label33
    const auto row = [](const char *name, const char *clicks, const char *face, double size,
                         bool bold, bool italic, int redFace) {
        QTest::newRow(name) << QString::fromLatin1(clicks) << QString::fromLatin1(face) << size
                            << bold << italic << redFace;
    };
    row("seven size-downs reach 1", "Label25*7", "MS Sans Serif", 1, false, false, 1);
    row("an eighth stays at 1", "Label25*8", "MS Sans Serif", 1, false, false, 1);
    row("up again from 1", "Label25*9 Label24", "MS Sans Serif", 2, false, false, 1);
    row("three size-ups", "Label24*3", "MS Sans Serif", 11, false, false, 1);
    row("bold once", "Label26", "MS Sans Serif", 8, true, false, 1);
    row("bold twice", "Label26*2", "MS Sans Serif", 8, false, false, 1);
    row("bold and italic apart", "Label27 Label26 Label26", "MS Sans Serif", 8, false, true, 1);
    row("12 bold, then Courier New", "Label24*4 Label26 Label32", "Courier New", 12, true, false, 2);
    row("a face right after load", "Label33", "Comic Sans MS", 8, false, false, 3);
    row("a face keeps italic", "Label27 Label25 Label30", "Arial", 7, false, true, 0);
    row("full restore", "Label24*6 Label26 Label27 Label33 Label29", "MS Sans Serif", 8, false, false, 1);
    row("restore, then bold", "Label24*6 Label26 Label27 Label33 Label29 Label26", "MS Sans Serif",
        8, true, false, 1);
    row("the largest size", "Label24*70", "MS Sans Serif", Form1::LargestTextFontSize, false, false, 1);
    row("the largest size is kept", "Label24*70 Label25 Label24*3", "MS Sans Serif",
        Form1::LargestTextFontSize, false, false, 1);
}

void TestSettingsPanel::sequences()
{
    QFETCH(QString, clicks);
    QFETCH(QString, face);
    QFETCH(double, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, redFace);
    for (const QString &step : clicks.split(QLatin1Char(' '))) {
        const QStringList parts = step.split(QLatin1Char('*'));
        const int times = parts.size() > 1 ? parts[1].toInt() : 1;
        for (int i = 0; i < times; ++i)
            click(control(m_window.get(), qPrintable(parts[0])));
    }
    const Form1::State &state = m_window->state();
    QCOMPARE(state.TextFontSize, float(size));
    QCOMPARE(state.TextFontBold, bold);
    QCOMPARE(state.TextFontItalic, italic);
    // The text box's own font, not only the fields.
    const QFont font = text()->font();
    QCOMPARE(font.family(), Toolkit::faceFor(face));
    QCOMPARE(font.pointSizeF(), size);
    QCOMPARE(font.bold(), bold);
    QCOMPARE(font.italic(), italic);
    QCOMPARE(caption(m_window.get(), "Label28"), QString::number(size));
    QCOMPARE(!control(m_window.get(), "Shape1")->isHidden(), bold);
    QCOMPARE(!control(m_window.get(), "Shape2")->isHidden(), italic);
    for (int k = 0; k < 4; ++k)
        QCOMPARE(Toolkit::foreColour(control(m_window.get(), FaceLabels[k])),
            k == redFace ? Toolkit::Red : Toolkit::Black);
    QVERIFY(!control(m_window.get(), "Frame1")->isHidden());
}

void TestSettingsPanel::startingFontIsTheDesignedOne()
{
    // Nothing applies the stored settings at load: the designed font stays until a change.
    const QFont font = text()->font();
    QCOMPARE(font.family(), Toolkit::faceFor(QStringLiteral("MS Sans Serif")));
    QCOMPARE(font.pointSizeF(), 8.0);
    QVERIFY(!font.bold() && !font.italic());
    QCOMPARE(caption(m_window.get(), "Label28"), QStringLiteral("8"));
    // The size shows faintly behind the size labels, which lie above it.
    const QRect size = control(m_window.get(), "Label28")->geometry();
    QVERIFY(size.intersects(control(m_window.get(), "Label24")->geometry()));
    QVERIFY(size.intersects(control(m_window.get(), "Label25")->geometry()));
}

void TestSettingsPanel::browsingKeepsTheFont()
{
    click(control(m_window.get(), "Label24"));
    click(control(m_window.get(), "Label26"));
    click(control(m_window.get(), "Label27"));
    click(control(m_window.get(), "Label32"));
    const QFont before = text()->font();
    const QString firstText = text()->toPlainText();
    click(control(m_window.get(), "Image7"));
    click(control(m_window.get(), "Label5"));
    QVERIFY(text()->toPlainText() != firstText);
    QCOMPARE(text()->font(), before);
    QCOMPARE(before.family(), QStringLiteral("Courier New"));
    QCOMPARE(before.pointSizeF(), 9.0);
    QVERIFY(before.bold() && before.italic());
}

void TestSettingsPanel::visibility_data()
{
    QTest::addColumn<QString>("events"); // starting with the panel hidden
    QTest::addColumn<bool>("shown");
    QTest::newRow("double-click shows") << "dbl:Text1" << true;
    QTest::newRow("double-click on a shown panel keeps it") << "dbl:Text1 dbl:Text1" << true;
    QTest::newRow("click on the text hides") << "dbl:Text1 click:Text1" << false;
    QTest::newRow("click on the text when hidden") << "click:Text1" << false;
    QTest::newRow("click on the panel's surface hides") << "dbl:Text1 click:Frame1" << false;
    QTest::newRow("click on the size does nothing") << "dbl:Text1 click:Label28" << true;
    QTest::newRow("click on an action is only the action") << "dbl:Text1 click:Label24 click:Label31" << true;
    QTest::newRow("shown again after hiding") << "dbl:Text1 click:Frame1 dbl:Text1" << true;
}

void TestSettingsPanel::visibility()
{
    QFETCH(QString, events);
    QFETCH(bool, shown);
    click(text()->viewport());
    QVERIFY(control(m_window.get(), "Frame1")->isHidden());
    for (const QString &event : events.split(QLatin1Char(' '))) {
        const QString kind = event.section(QLatin1Char(':'), 0, 0);
        QWidget *target = control(m_window.get(), qPrintable(event.section(QLatin1Char(':'), 1)));
        if (target == text())
            target = text()->viewport();
        if (kind == QLatin1String("dbl"))
            doubleClick(target);
        else
            click(target);
    }
    QCOMPARE(!control(m_window.get(), "Frame1")->isHidden(), shown);
}

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
