// SPDX-License-Identifier: MIT
#pragma once

// Shared by the two start-up probes (ours and the floor's): the clock they report on, the
// moment the first frame is painted, and the peak memory of the process.

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QMetaObject>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>

namespace ProbeSupport {

// Nanoseconds on the system-wide monotonic clock, so that the driver that starts a probe
// and the probe itself read the same clock.
inline qint64 monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// When the driver started this process, as it passed it in ASTRELO_BENCH_T0_NS; without it,
// the given fallback (the start of main).
inline qint64 processStartNs(qint64 fallback)
{
    bool ok = false;
    const qint64 t0 = qEnvironmentVariable("ASTRELO_BENCH_T0_NS").toLongLong(&ok);
    return ok ? t0 : fallback;
}

// Peak resident memory of this process so far, in KiB (VmHWM of /proc/self/status).
inline qint64 peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Runs `then` once, just after the window's first paint has been delivered. The window is
// painted with its children in one pass and the pass ends with the flush to the platform, so
// a call queued from the window's own paint event runs once the whole frame is out.
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

// A left click on a control, delivered as the toolkit delivers a real one: press and release
// inside the control, through the application's event filters.
inline void click(QWidget *control)
{
    const QPointF local(1, 1);
    const QPointF global = control->mapToGlobal(local);
    QMouseEvent press(
        QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QMouseEvent release(
        QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &release);
}

// Ends a probe at once, with its figures written out. The probes stop here rather than
// tearing their windows down, so that an instruction count ends with the measured work.
[[noreturn]] inline void finish()
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
}

// One figure on its own line, "name=value", for the driver to read.
inline void report(const char *name, double value)
{
    std::printf("%s=%.6f\n", name, value);
}

inline void reportInt(const char *name, qint64 value)
{
    std::printf("%s=%lld\n", name, static_cast<long long>(value));
}

} // namespace ProbeSupport
