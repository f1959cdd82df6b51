// SPDX-License-Identifier: MIT
// Every catalogue item the program uses, taken away one at a time. With the item missing the
// program goes through start-up and one click of every handler: an item that the load step
// needs makes start-up report it and end with status 1 before any window shows; any other
// item makes exactly the handlers that need it report it, each stopped at the step that
// failed with the steps before it done, and everything else goes on working.

#include "catalogue.h"
#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <array>

using namespace TestSupport;

namespace {

struct Item
{
    CatalogueKind kind;
    int number;
    bool operator==(const Item &other) const = default;
};

Item string(int number)
{
    return { CatalogueKind::String, number };
}
Item bitmap(int number)
{
    return { CatalogueKind::Bitmap, number };
}
Item icon(int number)
{
    return { CatalogueKind::Icon, number };
}
int textNumber(int sign, int topic)
{
    return 10000 + 10 * sign + topic;
}

QString kindName(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueKind::String:
        return QStringLiteral("string");
    case CatalogueKind::Bitmap:
        return QStringLiteral("bitmap");
    case CatalogueKind::Icon:
        return QStringLiteral("icon");
    }
    return {};
}

// The items a handler looks up, in the order of its steps, for the selection it starts from.
// A thumbnail click: the caption's sign name, the large picture, the heading, the dates, the
// planets, then the text. A topic click: the topic icon, then the text. Opening the about
// window: the window icon, then the icon its load step shows.
std::vector<Item> itemsOfSignClick(int sign, int topic)
{
    return { string(1100 + sign), bitmap(100 + sign), string(sign), string(1000 + sign),
        string(100 + sign), string(textNumber(sign, topic)) };
}
std::vector<Item> itemsOfTopicClick(int sign, int topic)
{
    return { icon(100 + topic), string(textNumber(sign, topic)) };
}
const std::vector<Item> ItemsOfOpeningAbout = { icon(1), icon(10) };

// What the load step needs: the topic and sign names, the thumbnails with the dates that
// screen readers hear with them, and everything shown for sign 0 and topic 0; start-up also
// needs the program's icon for its windows.
bool usedAtLoad(Item item)
{
    const int n = item.number;
    switch (item.kind) {
    case CatalogueKind::String:
        return n == 0 || n == 100 || (n >= 1000 && n <= 1011) || (n >= 1100 && n <= 1111)
            || (n >= 1200 && n <= 1205) || n == textNumber(0, 0);
    case CatalogueKind::Bitmap:
        return n == 100 || (n >= 1000 && n <= 1011);
    case CatalogueKind::Icon:
        return n == 1 || n == 100;
    }
    return false;
}

// Everything the browser shows, read back from the window.
struct Shown
{
    QString title;
    QString heading;
    QString dates;
    std::array<QString, 3> planets;
    QString text;
    QImage picture;
    QImage topicIcon;
    std::array<unsigned int, 12> signColours {};
    std::array<bool, 12> signBold {};
    std::array<unsigned int, 6> topicColours {};
};

QImage shownImage(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

Shown shownBy(const Form1 *window)
{
    Shown s;
    s.title = window->windowTitle();
    s.heading = caption(window, "Label7");
    s.dates = caption(window, "Label20");
    s.planets
        = { caption(window, "Label21"), caption(window, "Label22"), caption(window, "Label23") };
    s.text = control<QPlainTextEdit>(window, "Text1")->toPlainText();
    s.picture = shownImage(window, "Image14");
    s.topicIcon = shownImage(window, "Image13");
    for (int k = 0; k < 12; ++k) {
        const QWidget *label = control(window, qPrintable(QStringLiteral("Label%1").arg(8 + k)));
        s.signColours[k] = Toolkit::foreColour(label);
        s.signBold[k] = label->font().bold();
    }
    for (int k = 0; k < 6; ++k)
        s.topicColours[k] = Toolkit::foreColour(
            control(window, qPrintable(QStringLiteral("Label%1").arg(1 + k))));
    return s;
}

// Names the first thing that differs, or gives an empty string.
QString difference(const Shown &actual, const Shown &expected)
{
    if (actual.title != expected.title)
        return QStringLiteral("caption \"%1\", expected \"%2\"").arg(actual.title, expected.title);
    if (actual.heading != expected.heading)
        return QStringLiteral("heading \"%1\", expected \"%2\"")
            .arg(actual.heading, expected.heading);
    if (actual.dates != expected.dates)
        return QStringLiteral("dates \"%1\", expected \"%2\"").arg(actual.dates, expected.dates);
    if (actual.planets != expected.planets)
        return QStringLiteral("planets \"%1\", expected \"%2\"")
            .arg(actual.planets[0], expected.planets[0]);
    if (actual.text != expected.text)
        return QStringLiteral("Text1 holds another text");
    if (actual.picture != expected.picture)
        return QStringLiteral("Image14 shows another picture");
    if (actual.topicIcon != expected.topicIcon)
        return QStringLiteral("Image13 shows another icon");
    if (actual.signColours != expected.signColours || actual.signBold != expected.signBold)
        return QStringLiteral("the sign labels are marked differently");
    if (actual.topicColours != expected.topicColours)
        return QStringLiteral("the topic labels are marked differently");
    return {};
}

// The offscreen platform cannot raise a window; it says so each time the about window opens.
QtMessageHandler testLogHandler = nullptr;
void dropRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text == QLatin1String("This plugin does not support raise()"))
        return;
    if (testLogHandler)
        testLogHandler(type, context, text);
}

int aboutWindowCount()
{
    int count = 0;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        count += qobject_cast<const Form2 *>(window) != nullptr;
    return count;
}

// Counts windows that are shown, for as long as it lives.
class ShowWatcher : public QObject
{
public:
    ShowWatcher() { qApp->installEventFilter(this); }
    ~ShowWatcher() override { qApp->removeEventFilter(this); }
    ShowWatcher(const ShowWatcher &) = delete;
    ShowWatcher &operator=(const ShowWatcher &) = delete;

    int shown = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            ++shown;
        return false;
    }
};

} // namespace

// Stands in for the desktop's browser.
class WebRequests : public QObject
{
    Q_OBJECT

public:
    int count = 0;

public Q_SLOTS:
    void open(const QUrl &) { ++count; }
};

class TestFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void missingItem_data();
    void missingItem();

private:
    void startUpFails(Item item);
    void driveEveryHandler(Item item);
    void clickHandler(const char *name, Item item);
    void checkShown(const QString &when);
    void openAboutWindow(Item item);
    void useAboutWindow();
    void useSettingsPanel();
    void shutDown();
    void expectReport(Item item, const QString &when);

    Shown expectedFor(int sign, int topic) const;

    // The catalogue's content, looked up once while it is complete.
    std::array<QString, 12> m_titles, m_headings, m_dates, m_planets;
    std::array<QImage, 12> m_pictures;
    std::array<QImage, 6> m_icons;
    std::array<std::array<QString, 6>, 12> m_texts;

    std::unique_ptr<ErrorLog> m_errors;
    std::unique_ptr<Form1> m_window;
    WebRequests m_web;
    int m_sign = 0;
    int m_topic = 0;
    Shown m_expected; // what the window should show after the clicks so far
    int m_reported = 0;
};

void TestFaults::initTestCase()
{
    Toolkit::setUpLook(*qApp);
    for (int s = 0; s < 12; ++s) {
        m_titles[s] = QStringLiteral("Astrelo - ") + LoadCatalogueString(1100 + s);
        m_headings[s] = LoadCatalogueString(s).toUpper();
        m_dates[s] = LoadCatalogueString(1000 + s);
        const QString planets = LoadCatalogueString(100 + s);
        m_planets[s] = planets.left(1).toUpper() + planets.mid(1);
        m_pictures[s] = decodeCataloguePicture(100 + s, CatalogueKind::Bitmap)
                            .convertToFormat(QImage::Format_ARGB32);
        for (int t = 0; t < 6; ++t)
            m_texts[s][t] = LoadCatalogueString(textNumber(s, t))
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    for (int t = 0; t < 6; ++t)
        m_icons[t] = decodeCataloguePicture(100 + t, CatalogueKind::Icon)
                         .convertToFormat(QImage::Format_ARGB32);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_web, "open");
    testLogHandler = qInstallMessageHandler(dropRaiseWarnings);
}

void TestFaults::cleanupTestCase()
{
    qInstallMessageHandler(testLogHandler);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestFaults::cleanup()
{
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    restoreCatalogue();
    m_errors.reset();
}

Shown TestFaults::expectedFor(int sign, int topic) const
{
    Shown s;
    s.title = m_titles[sign];
    s.heading = m_headings[sign];
    s.dates = m_dates[sign];
    s.planets = { m_planets[sign], m_planets[sign], m_planets[sign] };
    s.text = m_texts[sign][topic];
    s.picture = m_pictures[sign];
    s.topicIcon = m_icons[topic];
    for (int k = 0; k < 12; ++k) {
        s.signColours[k] = k == sign ? Toolkit::Black : Toolkit::ButtonShadow;
        s.signBold[k] = k == sign;
    }
    for (int k = 0; k < 6; ++k)
        s.topicColours[k] = k == topic ? Toolkit::Black : Toolkit::ButtonShadow;
    return s;
}

void TestFaults::missingItem_data()
{
    QTest::addColumn<CatalogueKind>("kind");
    QTest::addColumn<int>("number");
    const auto row = [](Item item, const char *what) {
        QTest::addRow("%s %d, %s", qPrintable(kindName(item.kind)), item.number, what)
            << item.kind << item.number;
    };
    for (int s = 0; s < 12; ++s)
        row(string(s), "sign title");
    for (int s = 0; s < 12; ++s)
        row(string(100 + s), "planets");
    for (int s = 0; s < 12; ++s)
        row(string(1000 + s), "dates");
    for (int s = 0; s < 12; ++s)
        row(string(1100 + s), "sign name");
    for (int t = 0; t < 6; ++t)
        row(string(1200 + t), "topic name");
    for (int s = 0; s < 12; ++s)
        for (int t = 0; t < 6; ++t)
            row(string(textNumber(s, t)), "text");
    for (int s = 0; s < 12; ++s)
        row(bitmap(100 + s), "sign picture");
    for (int s = 0; s < 12; ++s)
        row(bitmap(1000 + s), "thumbnail");
    row(icon(1), "program icon");
    row(icon(10), "about icon");
    for (int t = 0; t < 6; ++t)
        row(icon(100 + t), "topic icon");
}

void TestFaults::missingItem()
{
    QFETCH(CatalogueKind, kind);
    QFETCH(int, number);
    const Item item { kind, number };
    m_errors = std::make_unique<ErrorLog>();
    hideCatalogueItem(kind, number);
    if (usedAtLoad(item)) {
        startUpFails(item);
        return;
    }
    m_window = Startup::createMainWindow();
    QVERIFY2(m_window, "start-up failed without a missing item of its own");
    QVERIFY2(m_errors->messages.isEmpty(), qPrintable(m_errors->messages.join(QLatin1Char('\n'))));
    m_window->show();
    m_sign = 0;
    m_topic = 0;
    m_expected = expectedFor(0, 0);
    m_reported = 0;
    driveEveryHandler(item);
}

// The real start-up, as main() runs it: it must report the item and end with status 1
// without showing a window and without entering the event loop.
void TestFaults::startUpFails(Item item)
{
    ShowWatcher watcher;
    // Should start-up wrongly go on into the event loop, this ends it.
    QTimer escape;
    escape.setSingleShot(true);
    connect(&escape, &QTimer::timeout, this, [] {
        QApplication::closeAllWindows();
        QCoreApplication::exit(2);
    });
    escape.start(0);
    const int status = Startup::run(*qApp);
    escape.stop();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(status, 1);
    QCOMPARE(watcher.shown, 0);
    m_reported = 0;
    expectReport(item, QStringLiteral("start-up"));
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        QVERIFY2(
            !qobject_cast<const Form1 *>(window), "a main window is left after the failed start");
}

void TestFaults::expectReport(Item item, const QString &when)
{
    ++m_reported;
    QVERIFY2(m_errors->messages.size() == m_reported,
        qPrintable(QStringLiteral("%1: %2 errors reported, expected %3: %4")
                       .arg(when)
                       .arg(m_errors->messages.size())
                       .arg(m_reported)
                       .arg(m_errors->messages.join(QLatin1String("; ")))));
    // The report names the missing item.
    const QRegularExpression names(
        QStringLiteral("\\b%1 %2\\b").arg(kindName(item.kind)).arg(item.number));
    QVERIFY2(
        names.match(m_errors->messages.last()).hasMatch(), qPrintable(m_errors->messages.last()));
}

// Thumbnails and topics in turn, the item's own sign and topic last, so that the handlers
// that need the item run from a different selection and show what they changed.
void TestFaults::driveEveryHandler(Item item)
{
    int focusSign = 0;
    int focusTopic = 0;
    const int n = item.number;
    if (item.kind == CatalogueKind::String && n >= 10000) {
        focusSign = (n - 10000) / 10;
        focusTopic = (n - 10000) % 10;
    } else if (item.kind == CatalogueKind::Icon && n >= 100) {
        focusTopic = n - 100;
    } else if (n < 1200) {
        focusSign = n % 100;
    }
    checkShown(QStringLiteral("start-up"));
    for (int s = 0; s < 12; ++s) {
        if (s != focusSign) {
            clickHandler(qPrintable(QStringLiteral("Image%1").arg(s + 1)), item);
            if (QTest::currentTestFailed())
                return;
        }
    }
    clickHandler(qPrintable(QStringLiteral("Image%1").arg(focusSign + 1)), item);
    for (int t = 0; t < 6; ++t) {
        if (t != focusTopic) {
            clickHandler(qPrintable(QStringLiteral("Label%1").arg(t + 1)), item);
            if (QTest::currentTestFailed())
                return;
        }
    }
    clickHandler(qPrintable(QStringLiteral("Label%1").arg(focusTopic + 1)), item);
    if (QTest::currentTestFailed())
        return;

    openAboutWindow(item);
    if (QTest::currentTestFailed())
        return;
    if (m_window->aboutWindow())
        useAboutWindow();
    if (QTest::currentTestFailed())
        return;
    useSettingsPanel();
    if (QTest::currentTestFailed())
        return;

    QVERIFY2(m_reported > 0, "no handler asked for the item");

    // With the item back the program goes on as if nothing had happened.
    restoreCatalogue();
    const Item none { CatalogueKind::String, -1 };
    clickHandler("Image3", none);
    clickHandler("Label2", none);
    const QString diff = difference(shownBy(m_window.get()), expectedFor(2, 1));
    QVERIFY2(diff.isEmpty(), qPrintable(QStringLiteral("with the item back: ") + diff));
    openAboutWindow(none);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_window->aboutWindow());
    shutDown();
}

// One click of a browser handler. If the handler needs the missing item, it reports it once
// and stops at that step; otherwise it shows the new selection in full.
void TestFaults::clickHandler(const char *name, Item item)
{
    const QString which = QString::fromLatin1(name);
    const bool isThumbnail = which.startsWith(QLatin1String("Image"));
    const int index = which.mid(5).toInt() - 1;
    const std::vector<Item> needed
        = isThumbnail ? itemsOfSignClick(index, m_topic) : itemsOfTopicClick(m_sign, index);
    const auto failing = std::find(needed.begin(), needed.end(), item);
    const float keyBefore = m_window->state().TextKey;

    click(control(m_window.get(), name));
    (isThumbnail ? m_sign : m_topic) = index;
    QCOMPARE(m_window->state().SignIndex, m_sign);
    QCOMPARE(m_window->state().TopicIndex, m_topic);
    const QString when = QStringLiteral("click on ") + which;
    const auto done = failing - needed.begin(); // the steps done, all of them without a fault
    if (failing == needed.end())
        QCOMPARE(m_errors->messages.size(), m_reported);
    else
        expectReport(item, when);
    if (QTest::currentTestFailed())
        return;

    // A handler refreshes only what it owns, and stops at the step whose item is missing:
    // what it did not reach keeps showing what it showed before, until a handler that owns
    // it runs again.
    const Shown full = expectedFor(m_sign, m_topic);
    Shown &expected = m_expected;
    if (isThumbnail) {
        expected.signColours = full.signColours;
        expected.signBold = full.signBold;
        if (done > 0)
            expected.title = full.title;
        if (done > 1)
            expected.picture = full.picture;
        if (done > 2)
            expected.heading = full.heading;
        if (done > 3)
            expected.dates = full.dates;
        if (done > 4)
            expected.planets = full.planets;
        if (done > 5)
            expected.text = full.text;
    } else {
        expected.topicColours = full.topicColours;
        if (done > 0)
            expected.topicIcon = full.topicIcon;
        if (done > 1)
            expected.text = full.text;
    }
    checkShown(when);
    // The text's number is worked out before the text is fetched.
    const bool reachedText = done >= qsizetype(needed.size()) - 1;
    QCOMPARE(m_window->state().TextKey, reachedText ? float(10 * m_sign + m_topic) : keyBefore);
}

void TestFaults::checkShown(const QString &when)
{
    const QString diff = difference(shownBy(m_window.get()), m_expected);
    QVERIFY2(diff.isEmpty(), qPrintable(when + QStringLiteral(": ") + diff));
}

void TestFaults::openAboutWindow(Item item)
{
    const bool failing = std::find(ItemsOfOpeningAbout.begin(), ItemsOfOpeningAbout.end(), item)
        != ItemsOfOpeningAbout.end();
    const Shown before = shownBy(m_window.get());
    click(control(m_window.get(), "Image13"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (failing) {
        expectReport(item, QStringLiteral("opening the about window"));
        QVERIFY(!m_window->aboutWindow());
        QCOMPARE(aboutWindowCount(), 0);
    } else {
        QCOMPARE(m_errors->messages.size(), m_reported);
        QVERIFY(m_window->aboutWindow());
        QVERIFY(m_window->aboutWindow()->isVisible());
        QCOMPARE(aboutWindowCount(), 1);
    }
    const QString diff = difference(shownBy(m_window.get()), before);
    QVERIFY2(
        diff.isEmpty(), qPrintable(QStringLiteral("opening the about window changed ") + diff));
}

// The about window's handlers: the web link, the dedication that drops the icon, the ticks
// until it rests, the icon click that lifts it, and the close box in mid-flight.
void TestFaults::useAboutWindow()
{
    Form2 *about = m_window->aboutWindow();
    auto *timer = about->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    const int webBefore = m_web.count;
    click(control(about, "Label4"));
    QCOMPARE(m_web.count, webBefore + 1);
    click(control(about, "Label6"));
    QVERIFY(timer->isActive());
    // The ticks come from here, one by one; the timer stops itself when the icon rests.
    int ticks = 0;
    do {
        about->tickForTesting();
    } while (++ticks < 5000 && timer->isActive());
    QVERIFY2(!timer->isActive(), "the icon never came to rest");
    QVERIFY(about->animation().BounceCount >= 44.0f);
    click(control(about, "Image1"));
    QVERIFY(about->animation().IconRising);
    for (int k = 0; k < 5; ++k)
        about->tickForTesting();
    QCOMPARE(m_errors->messages.size(), m_reported);
    about->windowHandle()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window->aboutWindow());
    QCOMPARE(aboutWindowCount(), 0);
    checkShown(QStringLiteral("after the about window"));
}

// Every handler of the settings panel once. None of them needs the catalogue.
void TestFaults::useSettingsPanel()
{
    auto *text = control<QPlainTextEdit>(m_window.get(), "Text1");
    QWidget *panel = control(m_window.get(), "Frame1");
    doubleClick(text->viewport());
    QVERIFY(!panel->isHidden());
    for (const char *name : { "Label24", "Label24", "Label25", "Label26", "Label27", "Label30",
             "Label31", "Label32", "Label33", "Label29", "Label26", "Label33" }) {
        click(control(m_window.get(), name));
        const Form1::State &state = m_window->state();
        QCOMPARE(caption(m_window.get(), "Label28"), QString::number(double(state.TextFontSize)));
        QCOMPARE(text->font().pointSizeF(), double(state.TextFontSize));
        QCOMPARE(text->font().bold(), state.TextFontBold);
        QCOMPARE(text->font().italic(), state.TextFontItalic);
    }
    QCOMPARE(text->font().family(), Toolkit::faceFor(QStringLiteral("Comic Sans MS")));
    QVERIFY(m_window->state().TextFontBold);
    click(control(m_window.get(), "Frame1"));
    QVERIFY(panel->isHidden());
    doubleClick(text->viewport());
    click(text->viewport());
    QVERIFY(panel->isHidden());
    QCOMPARE(m_errors->messages.size(), m_reported);
    checkShown(QStringLiteral("after the settings panel"));
}

// Closing the main window closes the about window with it.
void TestFaults::shutDown()
{
    m_window->windowHandle()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(aboutWindowCount(), 0);
    QCOMPARE(m_errors->messages.size(), m_reported);
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
