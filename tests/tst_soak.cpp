// SPDX-License-Identifier: MIT
// A long run of random events on both windows: clicks and double-clicks on every control, with
// or without a handler, opening and closing the about window (also mid-animation) and timer
// ticks; after each event both windows must agree with the catalogue and with themselves. A
// seed repeats a run; failures print it. --events N or ASTRELO_SOAK_EVENTS (20000), --seed N
// or ASTRELO_SOAK_SEED (a fresh one).

#include "catalogue.h"
#include "form1.h"
#include "form2.h"
#include "startup.h"
#include "testsupport.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string_view>
#include <utility>

using namespace TestSupport;

namespace {

qint64 eventsToRun = 20000;
quint64 seed = 0;
const std::array<QString, 4> FaceNames = { QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
    QStringLiteral("Courier New"), QStringLiteral("Comic Sans MS") };

long peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("VmHWM:");
    return at < 0 ? 0 : text.mid(at + 6, 20).trimmed().split(' ').value(0).toLong();
}

// Qt warnings are findings, except a mouse event no widget accepted (what a real click on a
// window's background does too) and the offscreen platform's lack of raise().
QtMessageHandler previousHandler = nullptr;
QStringList warnings;
void watchWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("not accepted by receiving widget"))
        || text == QLatin1String("This plugin does not support raise()"))
        return;
    if (type == QtWarningMsg || type == QtCriticalMsg)
        warnings.append(text);
    previousHandler(type, context, text);
}

QImage imageOf(const QWidget *window, const char *name)
{
    return control<QLabel>(window, name)->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The number after a control's name prefix (12 for Image12 and "Image"), or -1.
int numbered(const QWidget *control, QLatin1String prefix)
{
    const QString name = control->objectName();
    return name.startsWith(prefix) ? name.mid(prefix.size()).toInt() : -1;
}

// Which one of the labels numbered first.. has the colour (and is bold, if asked): -1 for
// none, -2 for more than one.
int onlyMarked(const QWidget *window, int first, int count, unsigned int colour, bool bold)
{
    int found = -1;
    for (int k = 0; k < count; ++k) {
        const auto *label
            = control<QLabel>(window, qPrintable(QStringLiteral("Label%1").arg(first + k)));
        if (Toolkit::foreColour(label) == colour && (!bold || label->font().bold()))
            found = found == -1 ? k : -2;
    }
    return found;
}

} // namespace

// Fails the check with the condition's text and, if given, what was found.
#define EXPECT(condition, ...)                                                                     \
    do {                                                                                           \
        if (!(condition))                                                                          \
            return QStringLiteral(#condition " (%1)").arg(QString(__VA_ARGS__));                   \
    } while (false)

class TestSoak : public QObject
{
    Q_OBJECT

public:
    ~TestSoak() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

public Q_SLOTS:
    void openUrl(const QUrl &) { } // stands in for the desktop's browser

private Q_SLOTS:
    void initTestCase();
    void randomEvents();
    void closeAndReopenAtOnce();

private:
    int below(int bound) { return int(m_random() % quint64(bound)); }
    void step();
    void clickControl(QWidget *window, bool twice);
    void deliver(QWidget *window, QWidget *receiver, QPoint at, bool twice);
    QString check();
    void note(const QString &what)
    {
        m_recent = m_recent.mid(m_recent.size() == 12)
            << QStringLiteral("%1: %2").arg(m_events + 1).arg(what);
    }
    QTimer *timer() const { return m_about->findChild<QTimer *>(QStringLiteral("Timer1")); }

    std::mt19937_64 m_random { seed };
    std::array<QImage, 12> m_pictures;
    std::array<QImage, 6> m_icons;
    std::unique_ptr<ErrorLog> m_errors;
    std::unique_ptr<Form1> m_main;
    QPointer<Form2> m_about;

    // What the reader chose, and what the last event must have done to the about window.
    int m_sign = 0;
    int m_topic = 0;
    int m_face = 1;
    enum class About { Any, Open, Gone } m_aboutAfter = About::Any;

    qint64 m_events = 0;
    int m_ticksPending = 0;
    qint64 m_closedMidAnimation = 0;
    QStringList m_recent; // the last events, for a failure
};

void TestSoak::initTestCase()
{
    Toolkit::setUpLook(*qApp);
    const auto decode = [](int number, CatalogueKind kind) {
        return decodeCataloguePicture(number, kind).convertToFormat(QImage::Format_ARGB32);
    };
    for (int k = 0; k < 12; ++k)
        m_pictures[k] = decode(100 + k, CatalogueKind::Bitmap);
    for (int k = 0; k < 6; ++k)
        m_icons[k] = decode(100 + k, CatalogueKind::Icon);
    m_errors = std::make_unique<ErrorLog>();
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "openUrl");
    previousHandler = qInstallMessageHandler(watchWarnings);
}

void TestSoak::randomEvents()
{
    std::printf("soak: seed %llu, %lld events\n", static_cast<unsigned long long>(seed),
        static_cast<long long>(eventsToRun));
    std::fflush(stdout);
    m_main = Startup::createMainWindow();
    QVERIFY(m_main);
    m_main->show();
    QCoreApplication::processEvents();

    qsizetype objectsAfterWarmUp = -1;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (const QString failure = check(); !failure.isEmpty())
            QFAIL(qPrintable(QStringLiteral("after event %1 of the run with --seed %2: %3\n%4")
                                 .arg(QString::number(m_events), QString::number(seed), failure,
                                     m_recent.join(u'\n'))));
        if (m_events >= eventsToRun)
            break;
        step();
        // A closed window goes at once, and now and then the windows lay out and paint. The
        // animation's timer never fires by itself (ticks come from step()), so a run repeats.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (++m_events % 16 == 0)
            QCoreApplication::processEvents();
        if (m_main->aboutWindow() != m_about && (m_about = m_main->aboutWindow()))
            timer()->blockSignals(true);
        if (m_events == 1000)
            objectsAfterWarmUp = m_main->findChildren<QObject *>().size();
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    // However long the run, the main window holds the same objects as early on.
    if (objectsAfterWarmUp >= 0)
        QCOMPARE(m_main->findChildren<QObject *>().size(), objectsAfterWarmUp);
    std::printf("soak: %lld events in %.1f s: %.0f events/s (about window closed "
                "%lld times mid-animation)\nsoak: peak memory (VmHWM) %ld kB\n",
        static_cast<long long>(m_events), seconds, double(m_events) / std::max(seconds, 1e-9),
        static_cast<long long>(m_closedMidAnimation), peakMemoryKb());
    std::fflush(stdout);
    m_main.reset();
}

// The about window's close box and a click on the topic icon handled in one go, before the
// event loop runs again: the click asks for the about window, so it must be open afterwards.
void TestSoak::closeAndReopenAtOnce()
{
    const std::unique_ptr<Form1> window = Startup::createMainWindow();
    QVERIFY(window);
    window->show();
    QWidget *icon = control(window.get(), "Image13");
    click(icon);
    const Form2 *first = window->aboutWindow();
    QVERIFY(first);
    first->windowHandle()->close();
    click(icon);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const Form2 *reopened = window->aboutWindow();
    QVERIFY(reopened);
    QVERIFY(reopened->isVisible());
}

void TestSoak::step()
{
    if (m_ticksPending-- > 0 && m_about && timer()->isActive()) {
        note(QStringLiteral("tick"));
        return m_about->tickForTesting();
    }
    m_ticksPending = 0;
    const int roll = below(100);
    if (m_about && roll < 2) {
        // The close box, also while the icon falls: the window goes with its animation.
        m_closedMidAnimation += timer()->isActive();
        note(QStringLiteral("close the about window"));
        m_about->windowHandle()->close();
        m_aboutAfter = About::Gone;
    } else if (m_about && roll < 4 && timer()->isActive()) {
        // A burst of ticks: now and then a whole run to its rest, mostly a few.
        m_ticksPending = below(10) == 0 ? 4000 : 1 + below(20);
        step();
    } else {
        QWidget *window = m_about && roll >= 60 ? static_cast<QWidget *>(m_about) : m_main.get();
        clickControl(window, below(100) < 20);
    }
}

// A click or double-click at a random point of a visible control or the window: half of the time
// straight to the control, even where another lies over it, half of the time to what lies on top.
void TestSoak::clickControl(QWidget *window, bool twice)
{
    // With the panel up the reader mostly uses it, and calls it up by double-clicking the text.
    QWidget *panel = control(m_main.get(), "Frame1");
    auto *text = control<QPlainTextEdit>(m_main.get(), "Text1");
    const bool panelOnly = window == m_main.get() && !panel->isHidden() && below(100) < 60;
    std::vector<QWidget *> controls { window }; // its background
    for (QWidget *child : window->findChildren<QWidget *>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && child->isVisible()
            && (!panelOnly || child == panel || panel->isAncestorOf(child)))
            controls.push_back(child == text ? text->viewport() : child);
    }
    if (window == m_main.get() && twice && below(100) < 30)
        controls = { text->viewport() };
    else if (!m_about && below(100) < 5)
        controls = { control(m_main.get(), "Image13") }; // the about window, more often
    QWidget *chosen = controls[below(int(controls.size()))];
    const QPoint inside(below(std::max(1, chosen->width())), below(std::max(1, chosen->height())));
    deliver(window, below(2) ? chosen : nullptr, chosen->mapTo(window, inside), twice);
}

void TestSoak::deliver(QWidget *window, QWidget *receiver, QPoint at, bool twice)
{
    const auto under = [window, at] { return window->childAt(at) ? window->childAt(at) : window; };
    if (!receiver)
        receiver = under();
    note(QStringLiteral("%1 %2 of %3 at %4,%5")
             .arg(twice ? QStringLiteral("double-click") : QStringLiteral("click"),
                 receiver->objectName(), window->objectName())
             .arg(at.x())
             .arg(at.y()));
    QTest::mouseClick(receiver, Qt::LeftButton, {}, receiver->mapFrom(window, at));
    if (receiver->window() == m_main.get()) {
        if (const int n = numbered(receiver, QLatin1String("Image")); n >= 1 && n <= 12)
            m_sign = n - 1;
        else if (n == 13)
            m_aboutAfter = About::Open;
        if (const int n = numbered(receiver, QLatin1String("Label")); n >= 1 && n <= 6)
            m_topic = n - 1;
        else if (n >= 29 && n <= 33)
            m_face = n == 29 ? 1 : n - 30; // a face, or the starting face restored
    }
    if (twice) {
        // The second press: a double-click, to what lies there now if the control went away.
        QWidget *second = receiver->isVisible() ? receiver : under();
        QTest::mouseDClick(second, Qt::LeftButton, {}, second->mapFrom(window, at));
        QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFrom(window, at));
    }
}

// Every invariant after an event; a failure names the condition that does not hold.
QString TestSoak::check()
{
    EXPECT(warnings.isEmpty(), warnings.join(u'\n'));
    EXPECT(m_errors->messages.isEmpty(), m_errors->messages.join(u'\n'));
    const QWidget *main = m_main.get();
    const Form1::State &state = m_main->state();
    const int s = m_sign;
    const int t = m_topic;
    EXPECT(state.SignIndex == s && state.TopicIndex == t);
    // The text box ends a line at CR LF and gives its lines back joined by LF.
    const QString text = LoadCatalogueString(10000 + 10 * s + t)
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT(control<QPlainTextEdit>(main, "Text1")->toPlainText() == text);
    EXPECT(main->windowTitle() == QStringLiteral("Astrelo - ") + LoadCatalogueString(1100 + s),
        main->windowTitle());
    const QString planets = LoadCatalogueString(100 + s);
    const std::pair<const char *, QString> captions[]
        = { { "Label7", LoadCatalogueString(s).toUpper() },
              { "Label20", LoadCatalogueString(1000 + s) },
              { "Label21", planets.left(1).toUpper() + planets.mid(1) },
              { "Label22", caption(main, "Label21") }, { "Label23", caption(main, "Label21") } };
    for (const auto &[name, expected] : captions)
        EXPECT(caption(main, name) == expected, QLatin1String(name));
    EXPECT(imageOf(main, "Image14") == m_pictures[s]);
    EXPECT(imageOf(main, "Image13") == m_icons[t]);
    EXPECT(onlyMarked(main, 8, 12, Toolkit::Black, true) == s);
    EXPECT(onlyMarked(main, 1, 6, Toolkit::Black, false) == t);

    // The text box's font and the panel.
    const QFont font = control(main, "Text1")->font();
    EXPECT(font.family() == Toolkit::faceFor(FaceNames[m_face])
            && font.pointSizeF() == double(state.TextFontSize) && font.bold() == state.TextFontBold
            && font.italic() == state.TextFontItalic,
        font.toString());
    EXPECT(state.TextFontSize >= 1.0f && state.TextFontSize <= Form1::LargestTextFontSize);
    EXPECT(caption(main, "Label28") == QString::number(double(state.TextFontSize)));
    EXPECT(control(main, "Shape1")->isHidden() != state.TextFontBold
        && control(main, "Shape2")->isHidden() != state.TextFontItalic);
    EXPECT(onlyMarked(main, 30, 4, Toolkit::Red, false) == m_face);

    int aboutWindows = 0;
    for (const QWidget *window : QApplication::topLevelWidgets())
        aboutWindows += qobject_cast<const Form2 *>(window) != nullptr;
    EXPECT(aboutWindows <= 1);
    const About expected = std::exchange(m_aboutAfter, About::Any);
    EXPECT(expected != About::Open || (m_about && m_about->isVisible()));
    EXPECT(expected != About::Gone || !m_about);
    if (!m_about)
        return {};
    const Form2::Animation &a = m_about->animation();
    EXPECT(std::isfinite(a.IconTop) && std::isfinite(a.IconSpeed) && std::isfinite(a.IconGravity)
        && std::isfinite(a.BounceCount));
    EXPECT(!a.AnimationArmed || timer()->isActive() || a.BounceCount >= 44.0f);
    return {};
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The soak's own options, over the environment; the rest goes to Qt Test.
    QByteArray events = qgetenv("ASTRELO_SOAK_EVENTS");
    QByteArray seedText = qgetenv("ASTRELO_SOAK_SEED");
    std::vector<char *> testArguments;
    for (int i = 0; i < argc; ++i) {
        const std::string_view option = argv[i];
        if ((option == "--events" || option == "--seed") && i + 1 < argc)
            (option == "--events" ? events : seedText) = argv[++i];
        else
            testArguments.push_back(argv[i]);
    }
    bool eventsOk = true;
    bool seedOk = true;
    eventsToRun = events.isEmpty() ? eventsToRun : events.toLongLong(&eventsOk);
    seed = seedText.isEmpty() ? std::random_device()() : seedText.toULongLong(&seedOk);
    if (!eventsOk || !seedOk || eventsToRun < 0) {
        std::fprintf(stderr, "usage: %s [--events N] [--seed N] [Qt Test options]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestSoak test;
    return QTest::qExec(&test, int(testArguments.size()), testArguments.data());
}

#include "tst_soak.moc"
