// SPDX-License-Identifier: MIT
// Start-up probe for the floor: the plain Qt window of the same screen, timed to its first
// painted frame like the program's probe. With --browse it then shows all 72 texts, each by
// replacing the text and painting the window.

#include "floorwindow.h"
#include "probesupport.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <cstring>

int main(int argc, char *argv[])
{
    const qint64 mainNs = ProbeSupport::monotonicNs();
    const qint64 startNs = ProbeSupport::processStartNs(mainNs);
    bool browse = false;
    for (int i = 1; i < argc; ++i)
        browse = browse || std::strcmp(argv[i], "--browse") == 0;

    QApplication app(argc, argv);
    setUpFloorLook(app);
    FloorWindow window;
    new ProbeSupport::FirstFrameWatch(&window, [&window, startNs, mainNs, browse] {
        const qint64 frameNs = ProbeSupport::monotonicNs();
        ProbeSupport::report("first_frame_ms", (frameNs - startNs) / 1e6);
        ProbeSupport::report("main_to_first_frame_ms", (frameNs - mainNs) / 1e6);
        ProbeSupport::reportInt("peak_rss_startup_kib", ProbeSupport::peakResidentKiB());
        if (browse) {
            for (int sign = 0; sign < 12; ++sign) {
                for (int topic = 0; topic < 6; ++topic) {
                    window.textBox()->setPlainText(floorText(10000 + 10 * sign + topic));
                    window.repaint();
                }
            }
            ProbeSupport::reportInt("peak_rss_browsed_kib", ProbeSupport::peakResidentKiB());
        }
        ProbeSupport::finish();
    });
    window.show();
    return app.exec();
}
