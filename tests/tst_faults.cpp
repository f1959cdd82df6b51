// SPDX-License-Identifier: MIT
// Every catalogue item the program uses, taken away one at a time, through start-up and one
// click of every handler: an item the load step needs makes start-up report it before any
// window shows; any other makes exactly the handlers that need it report it, each stopped at
// the failing step with the steps before it done, and the program goes on working.

#include "catalogue.h"
#include "hiddenitem.h"
#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QWindow>

using namespace TestSupport;

namespace {

struct Item
{
    CatalogueKind kind = CatalogueKind::String;
    int number = -1; // none
    bool operator==(const Item &other) const = default;
};
const char *const KindNames[] = { "řetězec", "bitmapa", "ikona" };

// Of the items in the rows, the load step needs the sign and topic names, the dates and
// thumbnails, everything shown for sign 0 and topic 0, and the program's icon.
bool usedAtLoad(CatalogueKind kind, int n)
{
    if (kind == CatalogueKind::String)
        return n == 0 || n == 100 || n == 1000 || (n >= 1100 && n <= 10000);
    return n == 100 || (kind == CatalogueKind::Bitmap ? n >= 1000 : n == 1);
}

// A browser handler's steps in order: the item each looks up and the control it fills (none:
// the window's caption). The planets fill Label21, Label22 and Label23 in turn.
using Step = std::pair<Item, const char *>;
std::vector<Step> stepsOf(bool thumbnail, int sign, int topic)
{
    using enum CatalogueKind;
    const Step text { { String, 10000 + 10 * sign + topic }, "Text1" };
    if (!thumbnail)
        return { { { Icon, 100 + topic }, "Image13" }, text };
    return { { { String, 1100 + sign }, nullptr }, { { Bitmap, 100 + sign }, "Image14" },
        { { String, sign }, "Label7" }, { { String, 1000 + sign }, "Label20" },
        { { String, 100 + sign }, "Label23" }, text };
}

QVariant shown(const QWidget *window, const char *name)
{
    if (!name)
        return window->windowTitle();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(control(window, name)))
        return text->toPlainText();
    const auto *label = control<QLabel>(window, name);
    return label->pixmap().isNull() ? QVariant(label->text()) : QVariant(label->pixmap().toImage());
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

public:
    ~TestFaults() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

public Q_SLOTS:
    void openUrl(const QUrl &) { } // stands in for the desktop's browser

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void missingItem_data();
    void missingItem();

private:
    void clickBrowser(bool thumbnail, int index, Item item);
    void expectReport(bool reported, Item item, const QString &when);

    std::unique_ptr<Form1> m_reference; // started with the catalogue complete
    std::unique_ptr<ErrorLog> m_errors;
    std::unique_ptr<Form1> m_window;
    int m_reported = 0;
};

void TestFaults::initTestCase()
{
    Toolkit::setUpLook(*qApp);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    // The offscreen platform cannot raise a window; it says so each time the about window opens.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
            if (text != QLatin1String("This plugin does not support raise()"))
                previous(type, context, text);
        });
}

void TestFaults::cleanup()
{
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    restoreCatalogue();
    m_errors.reset();
}

void TestFaults::missingItem_data()
{
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<int>("number");
    // Sign titles, planets, dates, sign names, topic names, texts, sign pictures, thumbnails,
    // the program's icon, the about window's and the topic icons.
    constexpr int String = 0, Bitmap = 1, Icon = 2;
    const int ranges[][3]
        = { { String, 0, 11 }, { String, 100, 111 }, { String, 1000, 1011 }, { String, 1100, 1111 },
              { String, 1200, 1205 }, { String, 10000, 10115 }, { Bitmap, 100, 111 },
              { Bitmap, 1000, 1011 }, { Icon, 1, 1 }, { Icon, 10, 10 }, { Icon, 100, 105 } };
    for (const auto &[kind, first, last] : ranges)
        for (int n = first; n <= last; ++n)
            if (n < 10000 || n % 10 < 6)
                QTest::addRow("%s %d", KindNames[kind], n) << CatalogueKind(kind) << n;
}

void TestFaults::missingItem()
{
    QFETCH(CatalogueKind, kind);
    QFETCH(int, number);
    const Item item { kind, number };
    m_errors = std::make_unique<ErrorLog>();
    m_reported = 0;
    m_reference = Startup::createMainWindow();
    hideCatalogueItem(kind, number);
    m_window = Startup::createMainWindow();
    if (usedAtLoad(kind, number)) {
        QVERIFY(!m_window);
        expectReport(true, item, QStringLiteral("start-up"));
        for (const QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), "a window shows after a failed start");
        return;
    }
    QVERIFY(m_window);
    m_window->show();
    expectReport(false, item, QStringLiteral("start-up"));

    // Every thumbnail and topic, the item's own sign and topic last, so that the handlers
    // that need the item run from another selection and show what they changed.
    const int focusSign = number >= 10000 ? (number - 10000) / 10 : number % 100 % 12;
    const int focusTopic = number >= 10000 ? number % 10 : number % 100 % 6;
    for (int k = 1; k <= 12 && !QTest::currentTestFailed(); ++k)
        clickBrowser(true, (focusSign + k) % 12, item);
    for (int k = 1; k <= 6 && !QTest::currentTestFailed(); ++k)
        clickBrowser(false, (focusTopic + k) % 6, item);
    if (QTest::currentTestFailed())
        return;

    // The about window, unless it lacks its icon: the web link, the dedication that drops the
    // icon, the ticks until it rests, the icon click that lifts it, the close box mid-flight.
    const bool aboutIcon = item == Item { CatalogueKind::Icon, 10 };
    click(control(m_window.get(), "Image13"));
    expectReport(aboutIcon, item, QStringLiteral("opening the about window"));
    QPointer<Form2> about = m_window->aboutWindow();
    QVERIFY(aboutIcon ? !about : about && about->isVisible());
    if (about) {
        for (const char *name : { "Label4", "Label6", "Label1", "Image2" })
            click(control(about, name));
        for (int ticks = 0; ticks < 5000 && about->animation().BounceCount < 44.0f; ++ticks)
            about->tickForTesting();
        click(control(about, "Image1"));
        about->tickForTesting();
        about->windowHandle()->close();
    }

    // Every handler of the settings panel once: none of them needs the catalogue.
    auto *textBox = control<QPlainTextEdit>(m_window.get(), "Text1");
    doubleClick(textBox->viewport());
    for (const char *name : { "Label24", "Label25", "Label24", "Label26", "Label27", "Label30",
             "Label31", "Label32", "Label33", "Label29", "Frame1" })
        click(control(m_window.get(), name));
    click(textBox->viewport());
    expectReport(false, item, QStringLiteral("the settings panel"));
    QVERIFY2(m_reported > 0, "no handler asked for the item");

    // With the item back the program goes on as if nothing had happened; closing the main
    // window closes the about window too.
    restoreCatalogue();
    clickBrowser(true, 2, {});
    clickBrowser(false, 1, {});
    click(control(m_window.get(), "Image13"));
    about = m_window->aboutWindow();
    QVERIFY(about && about->isVisible());
    m_window->windowHandle()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window->isVisible() && !about);
    expectReport(false, item, QStringLiteral("shutdown"));
}

void TestFaults::expectReport(bool reported, Item item, const QString &when)
{
    m_reported += reported;
    const QStringList &messages = m_errors->messages;
    QVERIFY2(messages.size() == m_reported,
        qPrintable(when + QStringLiteral(": unexpected errors: ") + messages.join(u';')));
    // The report names the missing item.
    const QString name = QStringLiteral("V katalogu chybí %1 %2.")
                             .arg(QString::fromUtf8(KindNames[int(item.kind)]))
                             .arg(item.number);
    QVERIFY2(!reported || messages.last() == name, qPrintable(messages.value(m_reported - 1)));
}

// One click of a thumbnail or a topic. A handler that needs the missing item reports it once
// and stops at that step, with the steps before it done; any other shows the new selection.
void TestFaults::clickBrowser(bool thumbnail, int index, Item item)
{
    const int sign = thumbnail ? index : m_window->state().SignIndex;
    const int topic = thumbnail ? m_window->state().TopicIndex : index;
    const std::vector<Step> steps = stepsOf(thumbnail, sign, topic);
    std::size_t done = 0; // the steps before the one that needs the missing item
    while (done < steps.size() && (item.number < 0 || steps[done].first != item))
        ++done;

    const QString name = QString::fromLatin1(thumbnail ? "Image%1" : "Label%1").arg(index + 1);
    click(control(m_window.get(), qPrintable(name)));
    expectReport(done < steps.size(), item, name);
    QVERIFY(m_window->state().SignIndex == sign && m_window->state().TopicIndex == topic);
    // The selected label is marked first; the text's number is worked out before the text.
    const QString label = QStringLiteral("Label%1").arg(thumbnail ? 8 + sign : 1 + topic);
    QCOMPARE(Toolkit::foreColour(control(m_window.get(), qPrintable(label))), Toolkit::Black);
    if (done + 1 >= steps.size())
        QCOMPARE(m_window->state().TextKey, float(10 * sign + topic));

    // The reference window, given the same clicks with the catalogue complete.
    restoreCatalogue();
    click(control(m_reference.get(), qPrintable(name)));
    hideCatalogueItem(item.kind, item.number);
    for (std::size_t k = 0; k < done; ++k)
        QVERIFY2(
            shown(m_window.get(), steps[k].second) == shown(m_reference.get(), steps[k].second),
            qPrintable(name + QStringLiteral(": step %1 is not done").arg(k)));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
