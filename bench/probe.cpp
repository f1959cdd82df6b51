// SPDX-License-Identifier: MIT
// Start-up probe, built twice: astrelo_startprobe runs the program's own start-up (as main
// does: Startup::prepareProcess, configureApplication, createMainWindow, show), and
// astrelo_floorprobe (FLOOR_PROBE) shows the floor window. Each prints "name=value" lines:
// the time from ASTRELO_BENCH_T0_NS (the driver's clock before it started the process) to the
// end of the window's first painted frame, and the peak memory then. It ends at once with
// _Exit, so that an instruction count stops with the measured work. Options:
//   --browse      after the first frame, show all 72 texts, each followed by a repaint, and
//                 report the peak memory again
//   --animation   (program) open the about window, click its dedication line and time the
//                 falling-icon run to the tick that stops Timer1
//   --ticks N     with --animation, stop after N ticks
//   --show        (floor) just show the window, to look at

#ifdef FLOOR_PROBE
#include "floorwindow.h"
#include <QPlainTextEdit>
#else
#include "form1.h"
#include "form2.h"
#include "startup.h"
#include <QMouseEvent>
#include <QTimer>
#endif

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <utility>

namespace {

// The system-wide monotonic clock, which the driver reads too.
qint64 monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void report(const char *name, double value)
{
    std::printf("%s=%.6f\n", name, value);
}

// Peak resident memory of this process so far, in KiB (VmHWM of /proc/self/status).
double peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble();
        }
    }
    return -1;
}

[[noreturn]] void finish()
{
    std::fflush(stdout);
    std::_Exit(0);
}

// Runs `then` once, just after a window's first paint. The window is painted with its children
// in one pass that ends with the flush to the platform, so a call queued from the window's own
// paint event runs once the whole frame is out.
class FirstFrameWatch : public QObject
{
public:
    FirstFrameWatch(QWidget *window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_then) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, std::exchange(m_then, {}), Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

#ifdef FLOOR_PROBE
using Window = FloorWindow;

// The floor replaces its text with each of the 72 texts.
void browseAllTexts(FloorWindow *window)
{
    for (int sign = 0; sign < 12; ++sign) {
        for (int topic = 0; topic < 6; ++topic) {
            window->textBox()->setPlainText(floorText(10000 + 10 * sign + topic));
            window->repaint();
        }
    }
}
#else
using Window = Form1;

[[noreturn]] void fail(const char *message)
{
    std::fprintf(stderr, "probe: %s\n", message);
    std::_Exit(2);
}

// A left click on a named control, delivered as the toolkit delivers a real one.
void click(const QWidget *window, const QString &name)
{
    auto *control = window->findChild<QWidget *>(name);
    if (!control)
        fail("a control is missing");
    const QPointF local(1, 1);
    const QPointF global = control->mapToGlobal(local);
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, local, global, Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(control, &event);
    }
}

// Every sign, and for each sign every topic: the 72 texts, each painted.
void browseAllTexts(Form1 *window)
{
    for (int sign = 1; sign <= 12; ++sign) {
        click(window, QStringLiteral("Image%1").arg(sign));
        window->repaint();
        for (int topic = 1; topic <= 6; ++topic) {
            click(window, QStringLiteral("Label%1").arg(topic));
            window->repaint();
        }
    }
}

// The run from the dedication click to the tick that stops the timer, and its ticks x 25 ms.
void timeAnimation(Form1 *window, int tickLimit)
{
    click(window, QStringLiteral("Image13"));
    Form2 *about = window->aboutWindow();
    if (!about)
        fail("the about window did not open");
    new FirstFrameWatch(about, [about, tickLimit] {
        auto *timer = about->findChild<QTimer *>(QStringLiteral("Timer1"));
        if (!timer)
            fail("no Timer1");
        const qint64 start = monotonicNs();
        // Connected after the window's own handler, so it sees each tick's outcome.
        QObject::connect(timer, &QTimer::timeout, about, [=, ticks = 0]() mutable {
            if (++ticks != tickLimit && timer->isActive())
                return;
            report("animation_ticks", ticks);
            report("animation_wall_ms", (monotonicNs() - start) / 1e6);
            finish();
        });
        click(about, QStringLiteral("Label6"));
        if (!timer->isActive())
            fail("the dedication click did not start the timer");
    });
}
#endif

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainNs = monotonicNs();
    bool fromDriver = false;
    const qint64 startNs = qEnvironmentVariable("ASTRELO_BENCH_T0_NS").toLongLong(&fromDriver);
    bool browse = false, show = false;
    [[maybe_unused]] bool animation = false;
    [[maybe_unused]] int tickLimit = 0;
    for (int i = 1; i < argc; ++i) {
        browse = browse || std::strcmp(argv[i], "--browse") == 0;
        animation = animation || std::strcmp(argv[i], "--animation") == 0;
        show = show || std::strcmp(argv[i], "--show") == 0;
        if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc)
            tickLimit = std::atoi(argv[++i]);
    }

#ifdef FLOOR_PROBE
    QApplication app(argc, argv);
    setUpFloorLook(app);
    auto window = std::make_unique<FloorWindow>();
#else
    Startup::prepareProcess();
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    std::unique_ptr<Form1> window = Startup::createMainWindow();
    if (!window)
        return 1;
#endif
    Window *const shown = window.get();
    if (!show) {
        new FirstFrameWatch(shown, [=] {
            report("first_frame_ms", (monotonicNs() - (fromDriver ? startNs : mainNs)) / 1e6);
            report("peak_rss_startup_kib", peakResidentKiB());
            if (browse) {
                browseAllTexts(shown);
                report("peak_rss_browsed_kib", peakResidentKiB());
            }
#ifndef FLOOR_PROBE
            if (animation) {
                timeAnimation(shown, tickLimit);
                return;
            }
#endif
            finish();
        });
    }
    window->show();
    return app.exec();
}
