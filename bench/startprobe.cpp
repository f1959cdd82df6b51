// SPDX-License-Identifier: MIT
// Start-up probe for Astrelo: runs the program's own start-up (Startup::prepareProcess,
// configureApplication, createMainWindow, show) and reports the first painted frame of the
// main window, then quits. Options, for the benchmark driver only:
//   --browse        after the first frame, show all 72 texts by clicking through the window
//   --animation     after the first frame, open the about window, click its dedication line
//                   and time the falling-icon run to its end
//   --ticks N       with --animation, stop after N ticks

#include "form1.h"
#include "form2.h"
#include "probesupport.h"
#include "startup.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstring>
#include <memory>
#include <string>

namespace {

struct Options
{
    bool browse = false;
    bool animation = false;
    int tickLimit = 0;
};

Options parseOptions(int argc, char **argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--browse") == 0)
            options.browse = true;
        else if (std::strcmp(argv[i], "--animation") == 0)
            options.animation = true;
        else if (std::strcmp(argv[i], "--ticks") == 0 && i + 1 < argc)
            options.tickLimit = std::atoi(argv[++i]);
    }
    return options;
}

QWidget *control(const QWidget *window, const char *name)
{
    auto *found = window->findChild<QWidget *>(QLatin1String(name));
    if (!found) {
        std::fprintf(stderr, "startprobe: no control %s\n", name);
        std::_Exit(2);
    }
    return found;
}

// Every sign, and for each sign every topic: the 72 texts, each painted.
void browseAllTexts(Form1 *window)
{
    for (int sign = 0; sign < 12; ++sign) {
        ProbeSupport::click(control(window, ("Image" + std::to_string(sign + 1)).c_str()));
        window->repaint();
        for (int topic = 0; topic < 6; ++topic) {
            ProbeSupport::click(control(window, ("Label" + std::to_string(topic + 1)).c_str()));
            window->repaint();
        }
    }
}

// The run from the dedication click to the tick that stops the timer, against the time its
// ticks take at 25 ms each.
void timeAnimation(Form1 *window, int tickLimit)
{
    ProbeSupport::click(control(window, "Image13"));
    Form2 *about = window->aboutWindow();
    if (!about) {
        std::fprintf(stderr, "startprobe: the about window did not open\n");
        std::_Exit(2);
    }
    new ProbeSupport::FirstFrameWatch(about, [about, tickLimit] {
        auto *timer = about->findChild<QTimer *>(QStringLiteral("Timer1"));
        if (!timer) {
            std::fprintf(stderr, "startprobe: no Timer1\n");
            std::_Exit(2);
        }
        auto ticks = std::make_shared<int>(0);
        const qint64 start = ProbeSupport::monotonicNs();
        // Connected after the window's own handler, so it sees each tick's outcome.
        QObject::connect(timer, &QTimer::timeout, about, [timer, ticks, start, tickLimit] {
            ++*ticks;
            if (timer->isActive() && *ticks != tickLimit)
                return;
            const double wallMs = (ProbeSupport::monotonicNs() - start) / 1e6;
            ProbeSupport::reportInt("animation_ticks", *ticks);
            ProbeSupport::report("animation_wall_ms", wallMs);
            ProbeSupport::report("animation_expected_ms", *ticks * 25.0);
            ProbeSupport::finish();
        });
        ProbeSupport::click(control(about, "Label6"));
        if (!timer->isActive()) {
            std::fprintf(stderr, "startprobe: the dedication click did not start the timer\n");
            std::_Exit(2);
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainNs = ProbeSupport::monotonicNs();
    const qint64 startNs = ProbeSupport::processStartNs(mainNs);
    const Options options = parseOptions(argc, argv);

    Startup::prepareProcess();
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    std::unique_ptr<Form1> window = Startup::createMainWindow();
    if (!window)
        return 1;
    Form1 *const shown = window.get();
    new ProbeSupport::FirstFrameWatch(shown, [shown, startNs, mainNs, options] {
        const qint64 frameNs = ProbeSupport::monotonicNs();
        ProbeSupport::report("first_frame_ms", (frameNs - startNs) / 1e6);
        ProbeSupport::report("main_to_first_frame_ms", (frameNs - mainNs) / 1e6);
        ProbeSupport::reportInt("peak_rss_startup_kib", ProbeSupport::peakResidentKiB());
        if (options.browse) {
            browseAllTexts(shown);
            ProbeSupport::reportInt("peak_rss_browsed_kib", ProbeSupport::peakResidentKiB());
        }
        if (options.animation)
            timeAnimation(shown, options.tickLimit);
        else
            ProbeSupport::finish();
    });
    window->show();
    return app.exec();
}
