// SPDX-License-Identifier: MIT
// Start-up probe, built twice: astrelo_startprobe runs the program's start-up as main does,
// astrelo_floorprobe (FLOOR_PROBE) shows the floor window. Each prints "name=value" lines: the
// time from ASTRELO_BENCH_T0_NS (the driver's steady clock before it started the process) to the
// end of the first painted frame and the peak memory then, and ends at once with _Exit, so that
// an instruction count stops with the measured work. Options:
//   --browse     then show all 72 texts, each followed by a repaint, and report the peak again
//   --animation  (program) then open the about window, click its dedication line and time the
//                falling-icon run to the tick that stops Timer1, or to tick N of --ticks N
//   --clicks N   then choose the second topic and click the thumbnails of signs 7 and 8 in turn
//                N times (the floor shows the same changes), each timed from the click to its
//                repainted frame acknowledged by the window system; the median in microseconds

#ifdef FLOOR_PROBE
#include "floorwindow.h"
using Window = Floor::Window;
#else
#include "form1.h"
#include "form2.h"
#include "startup.h"
#include <QMouseEvent>
#include <QTimer>
using Window = Form1;
#endif

#include <QApplication>
#include <QFile>

#include <algorithm>
#include <utility>
#include <vector>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

qint64 nowNs()
{
    return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1);
}

void report(const char *name, double value)
{
    std::printf("%s=%.6f\n", name, value);
}

// The peak resident memory of this process so far, in KiB (VmHWM of /proc/self/status).
void reportPeakMemory(const char *name)
{
    QFile file(u"/proc/self/status"_s);
    const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    report(name, status.mid(status.indexOf("VmHWM:") + 6).trimmed().split(' ')[0].toDouble());
}

[[noreturn]] void finish()
{
    std::fflush(stdout);
    std::_Exit(0);
}

// Runs `then` just after a window's first paint: the window is painted with its children in one
// pass that ends with the flush to the platform, so a call queued from the window's own paint
// event runs once the whole frame is out.
struct FirstFrameWatch : QObject
{
    FirstFrameWatch(QWidget *window, std::function<void()> then)
        : QObject(window)
        , then(std::move(then))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *window, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, then, Qt::QueuedConnection);
        }
        return false;
    }

    const std::function<void()> then;
};

#ifndef FLOOR_PROBE
// A left click on a named control, delivered as the toolkit delivers a real one.
void click(const QWidget *window, const QString &name)
{
    auto *control = window->findChild<QWidget *>(name);
    if (!control)
        qFatal("probe: no control %s", qPrintable(name));
    for (const auto type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QMouseEvent event(type, QPointF(1, 1), control->mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QCoreApplication::sendEvent(control, &event);
    }
}

void timeAnimation(Form1 *window, int tickLimit)
{
    click(window, u"Image13"_s);
    Form2 *about = window->aboutWindow();
    auto *timer = about ? about->findChild<QTimer *>(u"Timer1"_s) : nullptr;
    if (!timer)
        qFatal("probe: the about window or its Timer1 is missing");
    new FirstFrameWatch(about, [about, timer, tickLimit] {
        const qint64 start = nowNs();
        // Connected after the window's own handler, so it sees each tick's outcome.
        QObject::connect(timer, &QTimer::timeout, about, [=, ticks = 0]() mutable {
            if (++ticks != tickLimit && timer->isActive())
                return;
            report("animation_ticks", ticks);
            report("animation_wall_ms", double(nowNs() - start) / 1e6);
            finish();
        });
        click(about, u"Label6"_s);
        if (!timer->isActive())
            qFatal("probe: the dedication click did not start Timer1");
    });
}
#endif

// A sign or topic chosen: the program is clicked, the floor shows the same change.
void choose(Window *window, bool thumbnail, int index)
{
#ifdef FLOOR_PROBE
    thumbnail ? window->showSign(index) : window->showTopic(index);
#else
    click(window, (thumbnail ? u"Image%1"_s : u"Label%1"_s).arg(index + 1));
#endif
}

// Times clicks to their frames: each click's repaint runs from the event loop as a real one
// does; once the window's paint pass (which ends with the flush) is over, a round trip to the
// window system makes sure the frame has reached it.
struct ClickToFrame : QObject
{
    ClickToFrame(Window *window, int clicks)
        : QObject(window)
        , window(window)
        , left(clicks)
    {
        choose(window, false, 1);
        window->repaint();
        window->installEventFilter(this);
        next();
    }

    void next()
    {
        if (left-- == 0) {
            std::sort(times.begin(), times.end());
            report("click_frame_us", times[times.size() / 2]);
            finish();
        }
        waiting = true;
        start = nowNs();
        choose(window, true, 6 + times.size() % 2);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && std::exchange(waiting, false))
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QGuiApplication::sync();
                    times.push_back(double(nowNs() - start) / 1e3);
                    next();
                },
                Qt::QueuedConnection);
        return false;
    }

    Window *const window;
    int left;
    qint64 start = 0;
    bool waiting = false; // for the frame of the last click
    std::vector<double> times;
};

// Every sign and, for each sign, every topic, each step painted: the program is clicked
// through (the sign's thumbnail first), the floor replaces its text.
void browseAllTexts(Window *window)
{
    for (int sign = 0; sign < 12; ++sign) {
        for (int topic = -1; topic < 6; ++topic) {
#ifdef FLOOR_PROBE
            if (topic < 0)
                continue;
            window->textBox->setPlainText(Floor::text(10000 + 10 * sign + topic));
#else
            click(window, topic < 0 ? u"Image%1"_s.arg(sign + 1) : u"Label%1"_s.arg(topic + 1));
#endif
            window->repaint();
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 startNs = qEnvironmentVariableIsSet("ASTRELO_BENCH_T0_NS")
        ? qEnvironmentVariable("ASTRELO_BENCH_T0_NS").toLongLong()
        : nowNs();
    const QByteArrayList arguments(argv + 1, argv + argc);
#ifdef FLOOR_PROBE
    QApplication app(argc, argv);
    Floor::setUpLook(app);
    const auto window = std::make_unique<Floor::Window>();
#else
    Startup::prepareProcess();
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    const std::unique_ptr<Form1> window = Startup::createMainWindow();
    if (!window)
        return 1;
#endif
    new FirstFrameWatch(window.get(), [shown = window.get(), startNs, arguments] {
        report("first_frame_ms", double(nowNs() - startNs) / 1e6);
        reportPeakMemory("peak_rss_startup_kib");
        if (const qsizetype at = arguments.indexOf("--clicks"); at >= 0)
            return void(new ClickToFrame(shown, arguments.value(at + 1).toInt()));
        if (arguments.contains("--browse")) {
            browseAllTexts(shown);
            reportPeakMemory("peak_rss_browsed_kib");
        }
#ifndef FLOOR_PROBE
        if (arguments.contains("--animation"))
            return timeAnimation(shown, arguments.value(arguments.indexOf("--ticks") + 1).toInt());
#endif
        finish();
    });
    window->show();
    return app.exec();
}
