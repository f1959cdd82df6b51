// SPDX-License-Identifier: MIT
// The falling-icon animation of the about window: one tick of Timer1's handler with its move
// of the icon, and the same tick with the window painted after it. The ticks follow a whole
// run from the dedication click; when a run has ended the next one starts from the load
// state, outside the measured time.

#include "benchmain.h"
#include "form2.h"
#include "toolkit.h"

#include <QLabel>
#include <QTest>

namespace {

Form2 *about = nullptr;
Form2::Animation loadState;
float loadTop = 0.0f;

void restartWhenRested(benchmark::State &state)
{
    if (about->animation().BounceCount < 44.0f)
        return;
    state.PauseTiming();
    about->setAnimationForTesting(loadState, loadTop);
    about->repaint();
    state.ResumeTiming();
}

void tick(benchmark::State &state)
{
    for (auto _ : state) {
        about->tickForTesting();
        restartWhenRested(state);
    }
}

void tickAndPaint(benchmark::State &state)
{
    for (auto _ : state) {
        about->tickForTesting();
        about->repaint();
        restartWhenRested(state);
    }
}

} // namespace

int main(int argc, char **argv)
{
    return BenchMain::run(argc, argv, [] {
        about = new Form2;
        about->load();
        about->show();
        if (!QTest::qWaitForWindowExposed(about))
            return false;
        loadState = about->animation();
        auto *icon = about->findChild<QLabel *>(QStringLiteral("Image1"));
        if (!icon)
            return false;
        loadTop = float(Toolkit::pixelsToTwips(icon->y()));
        benchmark::RegisterBenchmark("animation/tick", tick)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("animation/tick+paint", tickAndPaint)
            ->Unit(benchmark::kMicrosecond);
        return true;
    });
}
