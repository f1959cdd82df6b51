// SPDX-License-Identifier: MIT
// Click to pixels: a click on the main window through the repaint of the window, against the
// floor window doing Qt's own part of the same change (the text replaced, or the text's font
// changed) and its repaint. Each benchmark measures one such pair, the program and the floor
// taking turns in every iteration.
//
// Each measured click is a real change: an unmeasured step first moves the window away (to
// the neighbouring sign, topic or font size), so that the measured click changes what a
// reader's click would change.

#include "benchmain.h"
#include "floorwindow.h"
#include "form1.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>

#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

Form1 *ours = nullptr;
FloorWindow *floorWindow = nullptr;

template <typename T = QWidget> T *control(const QWidget *window, const QString &name)
{
    return window->findChild<T *>(name);
}

QWidget *ctl(const char *name)
{
    return control(ours, QLatin1String(name));
}

void clickAndPaint(const char *name)
{
    QTest::mouseClick(ctl(name), Qt::LeftButton, {}, QPoint(1, 1));
    ours->repaint();
}

// CPU time of this thread, in seconds. Offscreen, a click and its repaint are all work on this
// thread, so its CPU time is the click's cost; unlike the wall clock it does not count the time
// the thread waits while other programs on a busy machine run.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Step> double secondsOf(Step &&step)
{
    const double start = threadSeconds();
    step();
    return threadSeconds() - start;
}

void setPanelsVisible(bool visible)
{
    ctl("Frame1")->setVisible(visible);
    floorWindow->panel()->setVisible(visible);
    ours->repaint();
    floorWindow->repaint();
}

// One change measured on both screens: `ours` on the program's window, `floor` on the floor's.
// Each is a pair of steps: the first moves the screen away unmeasured, the second makes the
// measured change. The two screens take turns within every iteration, so both see the same
// machine at the same moment; the counters ours_us and floor_us give each side's mean.
struct Change
{
    std::function<void()> oursAway, oursTarget, floorAway, floorTarget;
};

void measurePair(benchmark::State &state, const Change &change)
{
    double oursTotal = 0;
    double floorTotal = 0;
    for (auto _ : state) {
        change.oursAway();
        const double oursTime = secondsOf(change.oursTarget);
        change.floorAway();
        const double floorTime = secondsOf(change.floorTarget);
        oursTotal += oursTime;
        floorTotal += floorTime;
        state.SetIterationTime(oursTime + floorTime);
    }
    state.counters["ours_us"]
        = benchmark::Counter(oursTotal * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["floor_us"]
        = benchmark::Counter(floorTotal * 1e6, benchmark::Counter::kAvgIterations);
}

std::function<void()> oursClick(const char *name)
{
    return [name] { clickAndPaint(name); };
}

std::function<void()> floorShowText(int number)
{
    return [text = floorText(number)] {
        floorWindow->textBox()->setPlainText(text);
        floorWindow->repaint();
    };
}

std::function<void()> floorSetFont(const QFont &font)
{
    return [font] {
        floorWindow->textBox()->setFont(font);
        floorWindow->repaint();
    };
}

// A thumbnail or topic click: `setup` brings the window to its starting point; the floor
// replaces its text with the same two texts.
void textChange(benchmark::State &state, const std::vector<const char *> &setup, const char *away,
    const char *target, int awayText, int targetText)
{
    setPanelsVisible(false);
    for (const char *name : setup)
        clickAndPaint(name);
    measurePair(state,
        { oursClick(away), oursClick(target), floorShowText(awayText), floorShowText(targetText) });
}

// The settings panel open over the longest text, on both screens.
void showPanelOverLongestText()
{
    clickAndPaint("Image3");
    clickAndPaint("Label1");
    floorWindow->textBox()->setPlainText(floorText(10020));
    setPanelsVisible(true);
}

void restoreSettings()
{
    clickAndPaint("Label29");
    floorWindow->textBox()->setFont(floorWindow->font());
    setPanelsVisible(false);
}

// Size up, from 8 to 9 points; the floor sets the same two sizes.
void sizeUp(benchmark::State &state)
{
    showPanelOverLongestText();
    QFont smaller = floorWindow->textBox()->font();
    smaller.setPointSizeF(8);
    QFont larger = smaller;
    larger.setPointSizeF(9);
    measurePair(state,
        { oursClick("Label25"), oursClick("Label24"), floorSetFont(smaller),
            floorSetFont(larger) });
    restoreSettings();
}

// A face change: each iteration picks the next of the four faces, so each click changes the
// face. The away steps do nothing.
void faceChange(benchmark::State &state)
{
    showPanelOverLongestText();
    const std::array<const char *, 4> labels = { "Label30", "Label31", "Label32", "Label33" };
    const std::array<const char *, 4> families
        = { "Arial", "Liberation Sans", "Courier New", "Comic Sans MS" };
    const QFont start = floorWindow->textBox()->font();
    std::size_t next = 0;
    const auto nothing = [] {};
    measurePair(state,
        { nothing, [&] { clickAndPaint(labels[next % labels.size()]); }, nothing,
            [&] {
                QFont face = start;
                face.setFamily(QLatin1String(families[next++ % families.size()]));
                floorWindow->textBox()->setFont(face);
                floorWindow->repaint();
            } });
    restoreSettings();
}

void registerPair(const char *name, auto &&body)
{
    benchmark::RegisterBenchmark(name, body)->UseManualTime()->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char **argv)
{
    return BenchMain::run(argc, argv, [] {
        std::unique_ptr<Form1> window = Startup::createMainWindow();
        if (!window)
            return false;
        ours = window.release();
        floorWindow = new FloorWindow;
        ours->show();
        floorWindow->show();
        if (!QTest::qWaitForWindowExposed(ours) || !QTest::qWaitForWindowExposed(floorWindow))
            return false;

        // Text 10020 (sign 2, topic 0) is the longest, 10071 (sign 7, topic 1) the shortest.
        registerPair("pair/thumbnail/10020", [](benchmark::State &s) {
            textChange(s, { "Label1" }, "Image2", "Image3", 10010, 10020);
        });
        registerPair("pair/topic/10020", [](benchmark::State &s) {
            textChange(s, { "Image3" }, "Label2", "Label1", 10021, 10020);
        });
        registerPair("pair/thumbnail/10071", [](benchmark::State &s) {
            textChange(s, { "Label2" }, "Image7", "Image8", 10061, 10071);
        });
        registerPair("pair/topic/10071", [](benchmark::State &s) {
            textChange(s, { "Image8" }, "Label1", "Label2", 10070, 10071);
        });
        registerPair("pair/size-up", sizeUp);
        registerPair("pair/face", faceChange);
        return true;
    });
}
