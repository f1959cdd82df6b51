// SPDX-License-Identifier: MIT
// A long run of random events on both windows: clicks and double-clicks on every control
// (those without handlers too), at random points and straight at the control, opening and
// closing the about window (also while its icon is falling) and timer ticks delivered one by
// one. After every event the windows must agree with themselves and with a small model of
// what the reader did.
//
// The run is seeded and repeats exactly for the same seed, which is printed at the start and
// in every failure. Options, on the command line or in the environment:
//   --events N   ASTRELO_SOAK_EVENTS   events to run (20000)
//   --seed N     ASTRELO_SOAK_SEED     the seed (a fresh one for each run)
// At the end the run prints its events per second and the peak memory of the process.

#include "catalogue.h"
#include "form1.h"
#include "form2.h"
#include "guard.h"
#include "startup.h"
#include "toolkit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace {

constexpr qint64 DefaultEvents = 20000;
const QStringList FaceNames = { QStringLiteral("Arial"), QStringLiteral("MS Sans Serif"),
    QStringLiteral("Courier New"), QStringLiteral("Comic Sans MS") };
constexpr int StartingFace = 1;
constexpr float StartingSize = 8.0f;
// The icon's left edge in the about window, which the animation never moves.
constexpr int IconLeftPixels = 8;

struct SoakSettings
{
    qint64 events = DefaultEvents;
    quint64 seed = 0;
};

// A figure from /proc/self/status, in kB (0 where there is none).
long procStatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Warnings during the run. QTest reports a mouse event that no widget accepted: on the
// window's background and on the text box's frame that is what a real click does too. The
// offscreen platform cannot raise a window. Any other warning is a finding.
QtMessageHandler testLogHandler = nullptr;
QStringList unexpectedWarnings;
void watchWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg) {
        if (text.contains(QLatin1String("not accepted by receiving widget"))
            || text == QLatin1String("This plugin does not support raise()"))
            return;
        unexpectedWarnings.append(text);
    }
    if (testLogHandler)
        testLogHandler(type, context, text);
}

bool sameImage(const QLabel *label, const QImage &expected)
{
    return label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32) == expected;
}

bool sameFields(const Form2::Animation &a, const Form2::Animation &b)
{
    return a.IconTop == b.IconTop && a.IconSpeed == b.IconSpeed && a.IconGravity == b.IconGravity
        && a.IconRebounding == b.IconRebounding && a.BounceCount == b.BounceCount
        && a.AnimationArmed == b.AnimationArmed && a.IconRising == b.IconRising;
}

QString describeFields(const Form2::Animation &a)
{
    return QStringLiteral("top %1 speed %2 gravity %3 rebounding %4 bounces %5 armed %6 rising %7")
        .arg(double(a.IconTop), 0, 'g', 9)
        .arg(double(a.IconSpeed), 0, 'g', 9)
        .arg(double(a.IconGravity), 0, 'g', 9)
        .arg(a.IconRebounding)
        .arg(double(a.BounceCount), 0, 'g', 9)
        .arg(a.AnimationArmed)
        .arg(a.IconRising);
}

// What a click (or the second half of a double-click) does, as the reader expects it.
enum class Action {
    None,
    Sign,
    Topic,
    OpenAbout,
    SizeUp,
    SizeDown,
    Bold,
    Italic,
    Face,
    Restore,
    TogglePanel,
    HidePanel,
    WebLink,
    DropIcon,
    LiftIcon,
};

constexpr int ActionCount = int(Action::LiftIcon) + 1;
const char *const ActionNames[ActionCount]
    = { "none", "sign", "topic", "open about", "size up", "size down", "bold", "italic", "face",
          "restore", "toggle panel", "hide panel", "web link", "dedication", "icon" };

struct Effect
{
    Action action = Action::None;
    int index = 0;
};

// What the reader has done so far, and so what both windows must show.
struct Model
{
    int sign = 0;
    int topic = 0;
    int face = StartingFace;
    float size = StartingSize;
    bool bold = false;
    bool italic = false;
    bool panel = false;
    bool aboutOpen = false;
    int webRequests = 0;
};

// One entry of the recent-events log printed with a failure.
struct LoggedEvent
{
    qint64 number;
    QString what;
};

} // namespace

// Stands in for the desktop's browser: counts the web addresses the about window asks for.
class WebRequests : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public Q_SLOTS:
    void open(const QUrl &url) { urls.append(url); }
};

class TestSoak : public QObject
{
    Q_OBJECT

public:
    explicit TestSoak(SoakSettings settings)
        : m_settings(settings)
        , m_random(settings.seed)
    { }

private Q_SLOTS:
    void initTestCase();
    void randomEvents();
    void closeAndReopenAtOnce();
    void cleanupTestCase();

private:
    // Random numbers that repeat for a seed on every platform.
    int below(int bound) { return int(m_random() % quint64(bound)); }
    bool chance(int percent) { return below(100) < percent; }

    bool step();
    bool clickControl(QWidget *window, bool doubleClick);
    bool clickAnywhere(QWidget *window);
    bool deliver(QWidget *window, QWidget *chosen, QPoint windowPos, bool direct, bool doubleClick);
    bool tick();
    bool closeAbout();
    bool shutDown();

    Effect effectOf(QWidget *receiver, bool secondHalfOfDoubleClick) const;
    void apply(const Effect &effect);
    bool checkEffect(
        const Effect &effect, bool wasOpen, const Form2::Animation &before, bool timerWasActive);
    bool checkAll();
    bool checkMainWindow();
    bool checkAboutWindow();
    bool fail(const QString &message);
    void log(const QString &what);
    QString failureReport() const;

    std::vector<QWidget *> visibleControls(QWidget *window) const;
    QWidget *receiverAt(QWidget *window, QPoint windowPos) const;
    QTimer *aboutTimer() const;
    void afterEvent();
    void adoptAboutWindow();

    const SoakSettings m_settings;
    std::mt19937_64 m_random;

    // What the catalogue holds, looked up once with the catalogue complete.
    std::array<QString, 12> m_titles, m_headings, m_dates, m_planets;
    std::array<QImage, 12> m_pictures;
    std::array<QImage, 6> m_icons;
    std::array<std::array<QString, 6>, 12> m_texts;

    std::unique_ptr<Form1> m_main;
    QPlainTextEdit *m_text = nullptr;
    std::array<QLabel *, 12> m_signLabels {};
    std::array<QLabel *, 6> m_topicLabels {};
    std::array<QLabel *, 4> m_faceLabels {};
    QPointer<Form2> m_about;
    WebRequests m_web;
    QStringList m_errors;

    Model m_model;
    qint64 m_events = 0;
    int m_ticksPending = 0;
    QString m_failure;
    std::vector<LoggedEvent> m_recent;

    // Figures for the summary.
    qint64 m_clicks = 0;
    qint64 m_doubleClicks = 0;
    qint64 m_ticks = 0;
    qint64 m_aboutOpened = 0;
    qint64 m_aboutClosed = 0;
    qint64 m_closedMidAnimation = 0;
    qint64 m_runsToRest = 0;
    std::array<qint64, ActionCount> m_actions {};
};

#define SOAK_EXPECT(condition, message)                                                            \
    do {                                                                                           \
        if (!(condition))                                                                          \
            return fail(message);                                                                  \
    } while (false)

void TestSoak::initTestCase()
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
        for (int t = 0; t < 6; ++t) {
            // The text box ends a line at CR LF and gives its lines back joined by LF.
            m_texts[s][t] = LoadCatalogueString(10000 + 10 * s + t)
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        }
    }
    for (int t = 0; t < 6; ++t)
        m_icons[t] = decodeCataloguePicture(100 + t, CatalogueKind::Icon)
                         .convertToFormat(QImage::Format_ARGB32);
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &m_web, "open");
    Guard::setErrorSink([this](const QString &message) { m_errors.append(message); });
    testLogHandler = qInstallMessageHandler(watchWarnings);
}

void TestSoak::cleanupTestCase()
{
    qInstallMessageHandler(testLogHandler);
    Guard::setErrorSink({});
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

void TestSoak::randomEvents()
{
    std::printf("soak: seed %llu, %lld events (repeat with --seed %llu --events %lld)\n",
        static_cast<unsigned long long>(m_settings.seed), static_cast<long long>(m_settings.events),
        static_cast<unsigned long long>(m_settings.seed),
        static_cast<long long>(m_settings.events));
    std::fflush(stdout);

    m_main = Startup::createMainWindow();
    QVERIFY(m_main);
    m_text = m_main->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    QVERIFY(m_text);
    for (int k = 0; k < 12; ++k)
        m_signLabels[k] = m_main->findChild<QLabel *>(QStringLiteral("Label%1").arg(8 + k));
    for (int k = 0; k < 6; ++k)
        m_topicLabels[k] = m_main->findChild<QLabel *>(QStringLiteral("Label%1").arg(1 + k));
    for (int k = 0; k < 4; ++k)
        m_faceLabels[k] = m_main->findChild<QLabel *>(QStringLiteral("Label%1").arg(30 + k));
    m_main->show();
    QCoreApplication::processEvents();
    QVERIFY2(checkAll(), qPrintable(failureReport()));

    const long residentAtStart = procStatusKb("VmRSS");
    qsizetype objectsAfterWarmUp = -1;
    const qint64 warmUp = std::min<qint64>(1000, m_settings.events / 2);
    QElapsedTimer clock;
    clock.start();
    while (m_events < m_settings.events) {
        if (!step())
            QFAIL(qPrintable(failureReport()));
        if (m_events == warmUp)
            objectsAfterWarmUp = m_main->findChildren<QObject *>().size();
    }
    const double seconds = double(clock.nsecsElapsed()) / 1e9;

    // However long the run, the main window holds the same objects as early on (the about
    // window is a window of its own, not one of them).
    if (objectsAfterWarmUp >= 0)
        QCOMPARE(m_main->findChildren<QObject *>().size(), objectsAfterWarmUp);
    const long residentAtEnd = procStatusKb("VmRSS");

    // Shutdown with the about window open closes both.
    if (!shutDown())
        QFAIL(qPrintable(failureReport()));

    std::printf("soak: %lld events in %.1f s: %.0f events/s\n", static_cast<long long>(m_events),
        seconds, double(m_events) / std::max(seconds, 1e-9));
    std::printf("soak: %lld clicks, %lld double-clicks, %lld timer ticks; about window opened %lld "
                "times, closed %lld times (%lld mid-animation); %lld runs came to rest; %d web "
                "requests\n",
        static_cast<long long>(m_clicks), static_cast<long long>(m_doubleClicks),
        static_cast<long long>(m_ticks), static_cast<long long>(m_aboutOpened),
        static_cast<long long>(m_aboutClosed), static_cast<long long>(m_closedMidAnimation),
        static_cast<long long>(m_runsToRest), m_model.webRequests);
    QString handlers;
    for (int a = 0; a < ActionCount; ++a)
        handlers += QStringLiteral("%1%2 %3")
                        .arg(a ? QStringLiteral(", ") : QString())
                        .arg(QLatin1String(ActionNames[a]))
                        .arg(m_actions[a]);
    std::printf("soak: clicks by what they do: %s\n", qPrintable(handlers));
    std::printf(
        "soak: peak memory (VmHWM) %ld kB; resident %ld kB at the start, %ld kB at the end\n",
        procStatusKb("VmHWM"), residentAtStart, residentAtEnd);
    std::fflush(stdout);
    m_main.reset();
}

// The about window's close box and a click on the topic icon handled in one go, before the
// event loop runs again (a quick reader, or a script driving the program): the click asks
// for the about window, so it must be open afterwards.
void TestSoak::closeAndReopenAtOnce()
{
    const std::unique_ptr<Form1> window = Startup::createMainWindow();
    QVERIFY(window);
    window->show();
    auto *icon = window->findChild<QWidget *>(QStringLiteral("Image13"));
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(2, 2));
    const Form2 *first = window->aboutWindow();
    QVERIFY(first);
    first->windowHandle()->close();
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(2, 2));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const Form2 *reopened = window->aboutWindow();
    QVERIFY(reopened);
    QVERIFY(reopened->isVisible());
}

// One event, then every check.
bool TestSoak::step()
{
    if (m_ticksPending > 0) {
        if (m_about && aboutTimer()->isActive()) {
            --m_ticksPending;
            return tick();
        }
        m_ticksPending = 0;
    }
    if (!m_model.aboutOpen) {
        const int roll = below(100);
        if (roll < 5) {
            // The topic icon, at a random point of it: the about window opens.
            auto *icon = m_main->findChild<QWidget *>(QStringLiteral("Image13"));
            const QPoint inside(below(icon->width()), below(icon->height()));
            return deliver(m_main.get(), icon, icon->mapTo(m_main.get(), inside), false, false);
        }
        if (roll < 75)
            return clickControl(m_main.get(), false);
        if (roll < 90)
            return clickControl(m_main.get(), true);
        return clickAnywhere(m_main.get());
    }
    const bool running = aboutTimer()->isActive();
    const int roll = below(100);
    if (roll < 2)
        return closeAbout();
    if (roll < 4 && running) {
        // A burst of ticks: now and then a whole run to its rest, mostly a few.
        m_ticksPending = chance(10) ? 4000 : 1 + below(20);
        return step();
    }
    if (roll < 50)
        return clickControl(m_main.get(), false);
    if (roll < 57)
        return clickControl(m_main.get(), true);
    if (roll < 60)
        return clickAnywhere(m_main.get());
    if (roll < 88)
        return clickControl(m_about, false);
    if (roll < 94)
        return clickControl(m_about, true);
    return clickAnywhere(m_about);
}

std::vector<QWidget *> TestSoak::visibleControls(QWidget *window) const
{
    std::vector<QWidget *> controls;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        const QString name = child->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !child->isVisible())
            continue;
        // A reader clicks the text box on its text, which is its viewport.
        controls.push_back(child == m_text ? m_text->viewport() : child);
    }
    return controls;
}

QWidget *TestSoak::receiverAt(QWidget *window, QPoint windowPos) const
{
    QWidget *child = window->childAt(windowPos);
    return child ? child : window;
}

QTimer *TestSoak::aboutTimer() const
{
    return m_about->findChild<QTimer *>(QStringLiteral("Timer1"));
}

// A click or double-click on a control, at a random point inside it: half of the time
// straight to the control, even where another lies over it, half of the time to whatever
// the window shows on top at that point.
bool TestSoak::clickControl(QWidget *window, bool doubleClick)
{
    std::vector<QWidget *> controls = visibleControls(window);
    if (window == m_main.get()) {
        // A reader calls up the panel by double-clicking the text and, with the panel up,
        // mostly uses it.
        auto *panel = m_main->findChild<QWidget *>(QStringLiteral("Frame1"));
        if (doubleClick && chance(30)) {
            controls = { m_text->viewport() };
        } else if (m_model.panel && chance(60)) {
            std::erase_if(controls,
                [panel](const QWidget *w) { return w != panel && !panel->isAncestorOf(w); });
        }
    }
    QWidget *chosen = controls[below(int(controls.size()))];
    const QPoint inside(below(std::max(1, chosen->width())), below(std::max(1, chosen->height())));
    return deliver(window, chosen, chosen->mapTo(window, inside), chance(50), doubleClick);
}

bool TestSoak::clickAnywhere(QWidget *window)
{
    const QPoint at(below(window->width()), below(window->height()));
    return deliver(window, nullptr, at, false, chance(20));
}

bool TestSoak::deliver(
    QWidget *window, QWidget *chosen, QPoint windowPos, bool direct, bool doubleClick)
{
    if (!chosen) {
        chosen = window;
        direct = false;
    }
    if (windowPos.isNull() && chosen != window)
        windowPos = chosen->mapTo(window, chosen->rect().center());
    QWidget *receiver = direct ? chosen : receiverAt(window, windowPos);
    const QPoint local = receiver->mapFrom(window, windowPos);
    log(QStringLiteral("%1 %2 on %3 at %4,%5 of %6%7")
            .arg(doubleClick ? QStringLiteral("double-click") : QStringLiteral("click"),
                receiver->objectName(), window->objectName())
            .arg(windowPos.x())
            .arg(windowPos.y())
            .arg(chosen->objectName(), direct ? QStringLiteral(" (straight)") : QString()));

    const bool wasOpen = m_model.aboutOpen;
    const Form2::Animation before = m_about ? m_about->animation() : Form2::Animation();
    const bool timerWasActive = m_about && aboutTimer()->isActive();
    const Effect effect = effectOf(receiver, false);
    QTest::mouseClick(receiver, Qt::LeftButton, {}, local);
    ++(doubleClick ? m_doubleClicks : m_clicks);
    apply(effect);
    if (!checkEffect(effect, wasOpen, before, timerWasActive))
        return false;
    if (doubleClick) {
        // The second press arrives as the double-click: to the same control while it is
        // still there, otherwise to what now lies under the pointer.
        QWidget *second = receiver;
        if (!receiver->isVisible() || (!direct && receiverAt(window, windowPos) != receiver))
            second = receiverAt(window, windowPos);
        const QPoint secondLocal = second->mapFrom(window, windowPos);
        const bool openBefore = m_model.aboutOpen;
        const Form2::Animation between = m_about ? m_about->animation() : Form2::Animation();
        const bool timerBetween = m_about && aboutTimer()->isActive();
        const Effect secondEffect = effectOf(second, true);
        QTest::mouseDClick(second, Qt::LeftButton, {}, secondLocal);
        QTest::mouseRelease(second, Qt::LeftButton, {}, secondLocal);
        apply(secondEffect);
        if (!checkEffect(secondEffect, openBefore, between, timerBetween))
            return false;
    }
    afterEvent();
    return checkAll();
}

bool TestSoak::tick()
{
    log(QStringLiteral("tick"));
    m_about->tickForTesting();
    ++m_ticks;
    if (!aboutTimer()->isActive()) {
        ++m_runsToRest;
        m_ticksPending = 0;
    }
    afterEvent();
    return checkAll();
}

// The close box of the about window: the window is destroyed, with its running animation.
bool TestSoak::closeAbout()
{
    const bool running = aboutTimer()->isActive();
    log(running ? QStringLiteral("close the about window mid-animation")
                : QStringLiteral("close the about window"));
    m_about->windowHandle()->close();
    m_model.aboutOpen = false;
    ++m_aboutClosed;
    m_closedMidAnimation += running;
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SOAK_EXPECT(!m_about, QStringLiteral("the about window still exists after its close box"));
    afterEvent();
    return checkAll();
}

// Closing the main window closes the about window too and leaves no window behind.
bool TestSoak::shutDown()
{
    if (!m_model.aboutOpen
        && !deliver(
            m_main.get(), m_main->findChild<QWidget *>(QStringLiteral("Image13")), {}, true, false))
        return false;
    SOAK_EXPECT(m_about && m_about->isVisible(), QStringLiteral("the about window did not open"));
    log(QStringLiteral("close the main window"));
    m_main->windowHandle()->close();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    SOAK_EXPECT(!m_about, QStringLiteral("the about window outlived the main window"));
    SOAK_EXPECT(!m_main->isVisible(), QStringLiteral("the main window did not close"));
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        SOAK_EXPECT(!window->isVisible(),
            QStringLiteral("a window is still shown after shutdown: ") + window->objectName());
    return true;
}

void TestSoak::afterEvent()
{
    ++m_events;
    // The event loop between two events: a closed window goes, and now and then the windows
    // lay out and paint. The animation's timer never fires by itself here (its ticks come one
    // by one from this test), so the run repeats exactly.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (m_events % 16 == 0)
        QCoreApplication::processEvents();
}

void TestSoak::adoptAboutWindow()
{
    m_about = m_main->aboutWindow();
    if (m_about)
        aboutTimer()->blockSignals(true);
}

Effect TestSoak::effectOf(QWidget *receiver, bool secondHalfOfDoubleClick) const
{
    if (receiver == m_text->viewport())
        return { secondHalfOfDoubleClick ? Action::TogglePanel : Action::HidePanel };
    if (secondHalfOfDoubleClick)
        return {};
    // A control that ignores the mouse hands the click to the control it lies on.
    for (QWidget *w = receiver; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString name = w->objectName();
        if (w->window() == m_about) {
            if (name == QLatin1String("Label4"))
                return { Action::WebLink };
            if (name == QLatin1String("Label6"))
                return { Action::DropIcon };
            if (name == QLatin1String("Image1"))
                return { Action::LiftIcon };
            return {};
        }
        if (name == QLatin1String("Shape1") || name == QLatin1String("Shape2")
            || name == QLatin1String("Line1"))
            continue;
        if (name == QLatin1String("Frame1"))
            return { Action::TogglePanel };
        if (name == QLatin1String("Image13"))
            return { Action::OpenAbout };
        if (name == QLatin1String("Label24"))
            return { Action::SizeUp };
        if (name == QLatin1String("Label25"))
            return { Action::SizeDown };
        if (name == QLatin1String("Label26"))
            return { Action::Bold };
        if (name == QLatin1String("Label27"))
            return { Action::Italic };
        if (name == QLatin1String("Label29"))
            return { Action::Restore };
        bool numbered = false;
        if (name.startsWith(QLatin1String("Image"))) {
            const int n = name.mid(5).toInt(&numbered);
            if (numbered && n >= 1 && n <= 12)
                return { Action::Sign, n - 1 };
        }
        if (name.startsWith(QLatin1String("Label"))) {
            const int n = name.mid(5).toInt(&numbered);
            if (numbered && n >= 1 && n <= 6)
                return { Action::Topic, n - 1 };
            if (numbered && n >= 30 && n <= 33)
                return { Action::Face, n - 30 };
        }
        return {};
    }
    return {};
}

void TestSoak::apply(const Effect &effect)
{
    Model &m = m_model;
    ++m_actions[int(effect.action)];
    switch (effect.action) {
    case Action::None:
    case Action::DropIcon:
    case Action::LiftIcon:
        break;
    case Action::Sign:
        m.sign = effect.index;
        break;
    case Action::Topic:
        m.topic = effect.index;
        break;
    case Action::OpenAbout:
        if (!m.aboutOpen) {
            m.aboutOpen = true;
            ++m_aboutOpened;
            adoptAboutWindow();
        }
        break;
    case Action::SizeUp:
        m.size = std::min(m.size + 1.0f, Toolkit::LargestTextFontSize);
        break;
    case Action::SizeDown:
        m.size = std::max(m.size - 1.0f, 1.0f);
        break;
    case Action::Bold:
        m.bold = !m.bold;
        break;
    case Action::Italic:
        m.italic = !m.italic;
        break;
    case Action::Face:
        m.face = effect.index;
        break;
    case Action::Restore:
        m.size = StartingSize;
        m.bold = false;
        m.italic = false;
        m.face = StartingFace;
        break;
    case Action::TogglePanel:
        m.panel = !m.panel;
        break;
    case Action::HidePanel:
        m.panel = false;
        break;
    case Action::WebLink:
        ++m.webRequests;
        break;
    }
}

// What one click did to the about window, against its fields before the click.
bool TestSoak::checkEffect(
    const Effect &effect, bool wasOpen, const Form2::Animation &before, bool timerWasActive)
{
    if (!m_model.aboutOpen)
        return true;
    const Form2::Animation &now = m_about->animation();
    const bool timerActive = aboutTimer()->isActive();
    if (effect.action == Action::OpenAbout && !wasOpen) {
        SOAK_EXPECT(now.IconTop == 120.0f && now.IconSpeed == 0.0f && now.IconGravity == float(0.1)
                && !now.IconRebounding && now.BounceCount == 2.0f && !now.AnimationArmed
                && !now.IconRising && !timerActive,
            QStringLiteral("a new about window does not start at rest: ") + describeFields(now));
        return true;
    }
    if (effect.action == Action::DropIcon && before.IconTop < 500.0f) {
        Form2::Animation expected = before;
        expected.AnimationArmed = true;
        SOAK_EXPECT(sameFields(now, expected) && timerActive,
            QStringLiteral("the dedication click did not start the fall: ") + describeFields(now));
        return true;
    }
    if (effect.action == Action::LiftIcon && before.AnimationArmed) {
        Form2::Animation expected = before;
        expected.IconRising = true;
        expected.IconSpeed = 5.0f;
        expected.IconGravity = float(0.3);
        expected.IconRebounding = true;
        expected.BounceCount = 2.0f;
        SOAK_EXPECT(sameFields(now, expected) && timerActive,
            QStringLiteral("the icon click did not lift the icon: ") + describeFields(now));
        return true;
    }
    // Anything else leaves the animation as it was: a second open request too.
    SOAK_EXPECT(sameFields(now, before) && timerActive == timerWasActive,
        QStringLiteral("the animation changed: was ") + describeFields(before)
            + QStringLiteral(", now ") + describeFields(now));
    return true;
}

bool TestSoak::checkAll()
{
    SOAK_EXPECT(unexpectedWarnings.isEmpty(),
        QStringLiteral("a warning was printed: ") + unexpectedWarnings.join(QLatin1String("; ")));
    SOAK_EXPECT(m_errors.isEmpty(),
        QStringLiteral("an error was reported: ") + m_errors.join(QLatin1String("; ")));
    SOAK_EXPECT(m_web.urls.size() == m_model.webRequests,
        QStringLiteral("%1 web requests for %2 link clicks")
            .arg(m_web.urls.size())
            .arg(m_model.webRequests));
    return checkMainWindow() && checkAboutWindow();
}

bool TestSoak::checkMainWindow()
{
    const Model &m = m_model;
    const Form1::State &state = m_main->state();
    const auto label
        = [this](const char *name) { return m_main->findChild<QLabel *>(QLatin1String(name)); };
    SOAK_EXPECT(m_main->isVisible(), QStringLiteral("the main window is not shown"));

    // The selection and everything shown for it.
    SOAK_EXPECT(state.SignIndex == m.sign && state.TopicIndex == m.topic,
        QStringLiteral("selection %1/%2, expected %3/%4")
            .arg(state.SignIndex)
            .arg(state.TopicIndex)
            .arg(m.sign)
            .arg(m.topic));
    SOAK_EXPECT(state.TextKey == float(10 * m.sign + m.topic),
        QStringLiteral("TextKey is %1").arg(double(state.TextKey)));
    SOAK_EXPECT(m_text->toPlainText() == m_texts[m.sign][m.topic],
        QStringLiteral("Text1 does not hold text %1").arg(10000 + 10 * m.sign + m.topic));
    SOAK_EXPECT(m_main->windowTitle() == m_titles[m.sign],
        QStringLiteral("caption \"%1\"").arg(m_main->windowTitle()));
    SOAK_EXPECT(label("Label7")->text() == m_headings[m.sign],
        QStringLiteral("heading \"%1\"").arg(label("Label7")->text()));
    SOAK_EXPECT(label("Label20")->text() == m_dates[m.sign],
        QStringLiteral("dates \"%1\"").arg(label("Label20")->text()));
    for (const char *name : { "Label21", "Label22", "Label23" })
        SOAK_EXPECT(label(name)->text() == m_planets[m.sign],
            QStringLiteral("%1 shows \"%2\"").arg(QLatin1String(name), label(name)->text()));
    SOAK_EXPECT(sameImage(label("Image14"), m_pictures[m.sign]),
        QStringLiteral("Image14 is not the picture of sign %1").arg(m.sign));
    SOAK_EXPECT(sameImage(label("Image13"), m_icons[m.topic]),
        QStringLiteral("Image13 is not the icon of topic %1").arg(m.topic));
    int blackBoldSigns = 0;
    for (int k = 0; k < 12; ++k) {
        const bool marked = Toolkit::foreColour(m_signLabels[k]) == Toolkit::Black
            && m_signLabels[k]->font().bold();
        blackBoldSigns += marked;
        SOAK_EXPECT(marked == (k == m.sign),
            QStringLiteral("sign label %1 is marked wrongly").arg(m_signLabels[k]->objectName()));
        SOAK_EXPECT(marked
                || (Toolkit::foreColour(m_signLabels[k]) == Toolkit::ButtonShadow
                    && !m_signLabels[k]->font().bold()),
            QStringLiteral("sign label %1 is half marked").arg(m_signLabels[k]->objectName()));
    }
    SOAK_EXPECT(blackBoldSigns == 1,
        QStringLiteral("%1 sign labels are black and bold").arg(blackBoldSigns));
    int blackTopics = 0;
    for (int k = 0; k < 6; ++k) {
        const unsigned int colour = Toolkit::foreColour(m_topicLabels[k]);
        blackTopics += colour == Toolkit::Black;
        SOAK_EXPECT(colour == (k == m.topic ? Toolkit::Black : Toolkit::ButtonShadow),
            QStringLiteral("topic label %1 has colour %2")
                .arg(m_topicLabels[k]->objectName())
                .arg(colour, 0, 16));
    }
    SOAK_EXPECT(blackTopics == 1, QStringLiteral("%1 topic labels are black").arg(blackTopics));

    // The text box's font and the panel.
    const QFont font = m_text->font();
    SOAK_EXPECT(state.TextFontSize == m.size && state.TextFontBold == m.bold
            && state.TextFontItalic == m.italic,
        QStringLiteral("font fields %1 %2 %3, expected %4 %5 %6")
            .arg(double(state.TextFontSize))
            .arg(state.TextFontBold)
            .arg(state.TextFontItalic)
            .arg(double(m.size))
            .arg(m.bold)
            .arg(m.italic));
    SOAK_EXPECT(state.TextFontSize >= 1.0f && state.TextFontSize <= Toolkit::LargestTextFontSize
            && std::floor(state.TextFontSize) == state.TextFontSize,
        QStringLiteral("font size %1").arg(double(state.TextFontSize)));
    SOAK_EXPECT(font.family() == Toolkit::faceFor(FaceNames[m.face])
            && font.pointSizeF() == double(m.size) && font.bold() == m.bold
            && font.italic() == m.italic,
        QStringLiteral("Text1's font is %1 %2 bold %3 italic %4")
            .arg(font.family())
            .arg(font.pointSizeF())
            .arg(font.bold())
            .arg(font.italic()));
    SOAK_EXPECT(label("Label28")->text() == QString::number(double(m.size)),
        QStringLiteral("Label28 shows \"%1\"").arg(label("Label28")->text()));
    const auto widget
        = [this](const char *name) { return m_main->findChild<QWidget *>(QLatin1String(name)); };
    SOAK_EXPECT(
        !widget("Shape1")->isHidden() == m.bold && !widget("Shape2")->isHidden() == m.italic,
        QStringLiteral("the bold and italic marks do not match the flags"));
    int redFaces = 0;
    for (int k = 0; k < 4; ++k) {
        const unsigned int colour = Toolkit::foreColour(m_faceLabels[k]);
        redFaces += colour == Toolkit::Red;
        SOAK_EXPECT(colour == (k == m.face ? Toolkit::Red : Toolkit::Black),
            QStringLiteral("face label %1 has colour %2")
                .arg(m_faceLabels[k]->objectName())
                .arg(colour, 0, 16));
    }
    SOAK_EXPECT(redFaces == 1, QStringLiteral("%1 face labels are red").arg(redFaces));
    SOAK_EXPECT(!widget("Frame1")->isHidden() == m.panel,
        m.panel ? QStringLiteral("the panel is hidden") : QStringLiteral("the panel is shown"));
    return true;
}

bool TestSoak::checkAboutWindow()
{
    int aboutWindows = 0;
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        aboutWindows += qobject_cast<Form2 *>(window) != nullptr;
    SOAK_EXPECT(aboutWindows == (m_model.aboutOpen ? 1 : 0),
        QStringLiteral("%1 about windows exist").arg(aboutWindows));
    SOAK_EXPECT(m_main->aboutWindow() == (m_model.aboutOpen ? m_about.data() : nullptr),
        QStringLiteral("the main window knows another about window"));
    if (!m_model.aboutOpen)
        return true;
    SOAK_EXPECT(m_about->isVisible(), QStringLiteral("the about window is not shown"));
    const Form2::Animation &a = m_about->animation();
    const bool running = aboutTimer()->isActive();
    SOAK_EXPECT(std::isfinite(a.IconTop) && std::isfinite(a.IconSpeed)
            && std::isfinite(a.IconGravity) && std::isfinite(a.BounceCount),
        QStringLiteral("an animation field is not finite: ") + describeFields(a));
    if (!a.AnimationArmed) {
        SOAK_EXPECT(!running && a.IconTop == 120.0f && a.BounceCount == 2.0f && !a.IconRising,
            QStringLiteral("the icon moved before the dedication click: ") + describeFields(a));
    } else if (!running) {
        SOAK_EXPECT(a.BounceCount >= 44.0f && !a.IconRising,
            QStringLiteral("the timer is off before the icon came to rest: ") + describeFields(a));
    } else {
        SOAK_EXPECT(a.BounceCount < 44.0f,
            QStringLiteral("the timer runs on after the icon came to rest: ") + describeFields(a));
    }
    SOAK_EXPECT(!a.IconRising || running,
        QStringLiteral("the icon rises with the timer off: ") + describeFields(a));
    // The icon is drawn where the animation put it (clicks on it in quick succession throw
    // it out over the top edge, from where it falls back).
    const QWidget *icon = m_about->findChild<QWidget *>(QStringLiteral("Image1"));
    SOAK_EXPECT(std::fabs(float(Toolkit::pixelsToTwips(icon->y())) - a.IconTop)
            <= Toolkit::TwipsPerPixel / 2.0f,
        QStringLiteral("the icon is drawn at %1 px for top %2")
            .arg(icon->y())
            .arg(double(a.IconTop)));
    SOAK_EXPECT(icon->x() == IconLeftPixels,
        QStringLiteral("the icon moved sideways to %1 px").arg(icon->x()));
    return true;
}

bool TestSoak::fail(const QString &message)
{
    m_failure = message;
    return false;
}

void TestSoak::log(const QString &what)
{
    constexpr std::size_t Kept = 40;
    if (m_recent.size() == Kept)
        m_recent.erase(m_recent.begin());
    m_recent.push_back({ m_events + 1, what });
}

QString TestSoak::failureReport() const
{
    QString report = QStringLiteral("after event %1 of the run with seed %2: %3\nrecent events:")
                         .arg(m_events)
                         .arg(m_settings.seed)
                         .arg(m_failure);
    for (const LoggedEvent &event : m_recent)
        report += QStringLiteral("\n  %1: %2").arg(event.number).arg(event.what);
    report += QStringLiteral("\nrepeat with: tst_soak --seed %1 --events %2")
                  .arg(m_settings.seed)
                  .arg(m_events);
    return report;
}

namespace {

bool parseCount(const char *text, quint64 *value)
{
    char *end = nullptr;
    *value = std::strtoull(text, &end, 10);
    return end && end != text && *end == '\0';
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    SoakSettings settings;
    settings.seed = std::random_device()();
    quint64 value = 0;
    if (qEnvironmentVariableIsSet("ASTRELO_SOAK_EVENTS")
        && parseCount(qgetenv("ASTRELO_SOAK_EVENTS").constData(), &value))
        settings.events = qint64(value);
    if (qEnvironmentVariableIsSet("ASTRELO_SOAK_SEED")
        && parseCount(qgetenv("ASTRELO_SOAK_SEED").constData(), &value))
        settings.seed = value;
    // The soak's own options; the rest goes to Qt Test.
    std::vector<char *> testArguments;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--events" || argument == "--seed") {
            if (i + 1 >= argc || !parseCount(argv[i + 1], &value)) {
                std::fprintf(
                    stderr, "usage: %s [--events N] [--seed N] [Qt Test options]\n", argv[0]);
                return 2;
            }
            if (argument == "--events")
                settings.events = qint64(value);
            else
                settings.seed = value;
            ++i;
            continue;
        }
        testArguments.push_back(argv[i]);
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestSoak test(settings);
    return QTest::qExec(&test, int(testArguments.size()), testArguments.data());
}

#include "tst_soak.moc"
