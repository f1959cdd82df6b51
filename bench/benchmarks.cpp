// SPDX-License-Identifier: MIT
// The Google Benchmark program, on Qt's offscreen platform unless QT_QPA_PLATFORM says
// otherwise. All times are in microseconds.
//   pair/...       click to pixels: a click on the main window through the window's repaint,
//                  against the floor window doing Qt's own part of the same change (the text
//                  replaced, or its font changed) and its repaint. The two take turns in every
//                  iteration; the counters ours_us and floor_us give each side's mean CPU time.
//   catalogue/...  catalogue look-ups as the program makes them; nothing is cached
//   animation/...  one tick of the about window's Timer1 handler, alone and with a repaint

#include "catalogue.h"
#include "floorwindow.h"
#include "form1.h"
#include "form2.h"
#include "startup.h"

#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <ctime>
#include <functional>
#include <memory>

namespace {

Form1 *ours = nullptr;
FloorWindow *floorWindow = nullptr;

void clickAndPaint(const char *name)
{
    QTest::mouseClick(ours->findChild<QWidget *>(QLatin1String(name)), Qt::LeftButton, {},
        QPoint(1, 1));
    ours->repaint();
}

// CPU time of this thread, in seconds. Offscreen, a click and its repaint are all work on this
// thread; unlike the wall clock, its CPU time does not count the moments other programs on a
// busy machine have the core.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// One change on both screens. Each side has two steps: `away` moves the screen off the target
// unmeasured (to the neighbouring sign, topic or size), so that the measured step `to` is a
// real change.
struct Change
{
    std::function<void()> oursAway, oursTo, floorAway, floorTo;
};

void measurePair(benchmark::State &state, const Change &change)
{
    double oursTotal = 0;
    double floorTotal = 0;
    for (auto _ : state) {
        change.oursAway();
        const double oursStart = threadSeconds();
        change.oursTo();
        const double oursTime = threadSeconds() - oursStart;
        change.floorAway();
        const double floorStart = threadSeconds();
        change.floorTo();
        const double floorTime = threadSeconds() - floorStart;
        oursTotal += oursTime;
        floorTotal += floorTime;
        state.SetIterationTime(oursTime + floorTime);
    }
    state.counters["ours_us"] = benchmark::Counter(oursTotal * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["floor_us"] = benchmark::Counter(floorTotal * 1e6, benchmark::Counter::kAvgIterations);
}

std::function<void()> oursClick(const char *name)
{
    return [name] { clickAndPaint(name); };
}

std::function<void()> floorPaint(std::function<void(QPlainTextEdit *)> change)
{
    return [change = std::move(change)] {
        change(floorWindow->textBox());
        floorWindow->repaint();
    };
}

std::function<void()> floorShowText(int number)
{
    return floorPaint([text = floorText(number)](QPlainTextEdit *box) { box->setPlainText(text); });
}

void setPanelsVisible(bool visible)
{
    ours->findChild<QWidget *>(QStringLiteral("Frame1"))->setVisible(visible);
    floorWindow->panel()->setVisible(visible);
    ours->repaint();
    floorWindow->repaint();
}

// A thumbnail or topic click; `setup` brings the main window to its starting point, and the
// floor replaces its text with the same two texts.
void textChange(benchmark::State &state, const char *setup, const char *away, const char *to,
    int awayText, int toText)
{
    setPanelsVisible(false);
    clickAndPaint(setup);
    measurePair(state, { oursClick(away), oursClick(to), floorShowText(awayText), floorShowText(toText) });
}

// The settings panel open over the longest text, on both screens; `measure` runs there, and
// the fonts are restored after it.
void overLongestText(const std::function<void()> &measure)
{
    clickAndPaint("Image3");
    clickAndPaint("Label1");
    floorWindow->textBox()->setPlainText(floorText(10020));
    setPanelsVisible(true);
    measure();
    clickAndPaint("Label29");
    floorWindow->textBox()->setFont(floorWindow->font());
    setPanelsVisible(false);
}

// Size up, from 8 to 9 points; the floor sets the same two sizes.
void sizeUp(benchmark::State &state)
{
    overLongestText([&state] {
        const auto size = [](double points) {
            return floorPaint([points](QPlainTextEdit *box) {
                QFont font = box->font();
                font.setPointSizeF(points);
                box->setFont(font);
            });
        };
        measurePair(state, { oursClick("Label25"), oursClick("Label24"), size(8), size(9) });
    });
}

// A face change: each iteration picks the next of the four faces, so each click changes the
// face. The away steps do nothing.
void faceChange(benchmark::State &state)
{
    overLongestText([&state] {
        const std::array<const char *, 4> labels = { "Label30", "Label31", "Label32", "Label33" };
        const std::array<const char *, 4> faces = { "Arial", "Liberation Sans", "Courier New", "Comic Sans MS" };
        std::size_t next = 0;
        const auto nothing = [] {};
        measurePair(state,
            { nothing, [&] { clickAndPaint(labels[next % 4]); }, nothing,
                floorPaint([&](QPlainTextEdit *box) {
                    QFont font = box->font();
                    font.setFamily(QLatin1String(faces[next++ % 4]));
                    box->setFont(font);
                }) });
    });
}

void lookUpString(benchmark::State &state, int number)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadCatalogueString(number));
}

void lookUpPicture(benchmark::State &state, int number, CatalogueKind kind)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadCataloguePicture(number, kind));
}

// Ticks follow whole runs from the load state. When a run has ended (the icon rests after its
// 44th floor contact) the next starts from the state and icon top read right after load(),
// outside the measured time.
void ticks(benchmark::State &state, bool paint)
{
    static Form2 *const about = [] {
        auto *window = new Form2;
        window->load();
        window->show();
        if (!QTest::qWaitForWindowExposed(window))
            qFatal("the about window was not shown");
        return window;
    }();
    static const Form2::Animation loadState = about->animation();
    static const float loadTop = about->iconTop();
    for (auto _ : state) {
        about->tickForTesting();
        if (paint)
            about->repaint();
        if (about->animation().BounceCount >= 44.0f) {
            state.PauseTiming();
            about->setAnimationForTesting(loadState, loadTop);
            about->repaint();
            state.ResumeTiming();
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    const std::unique_ptr<Form1> window = Startup::createMainWindow();
    FloorWindow floor;
    ours = window.get();
    floorWindow = &floor;
    if (!ours)
        return 2;
    ours->show();
    floor.show();
    if (!QTest::qWaitForWindowExposed(ours) || !QTest::qWaitForWindowExposed(&floor))
        return 2;

    const auto pair = [](const char *name, auto &&body) {
        benchmark::RegisterBenchmark(name, body)->UseManualTime()->Unit(benchmark::kMicrosecond);
    };
    // Text 10020 (sign 2, topic 0) is the longest, 10071 (sign 7, topic 1) the shortest.
    pair("pair/thumbnail/10020", [](benchmark::State &s) { textChange(s, "Label1", "Image2", "Image3", 10010, 10020); });
    pair("pair/topic/10020", [](benchmark::State &s) { textChange(s, "Image3", "Label2", "Label1", 10021, 10020); });
    pair("pair/thumbnail/10071", [](benchmark::State &s) { textChange(s, "Label2", "Image7", "Image8", 10061, 10071); });
    pair("pair/topic/10071", [](benchmark::State &s) { textChange(s, "Image8", "Label1", "Label2", 10070, 10071); });
    pair("pair/size-up", sizeUp);
    pair("pair/face", faceChange);
    for (const int number : { 10020, 1100 })
        benchmark::RegisterBenchmark(("catalogue/string/" + std::to_string(number)).c_str(), lookUpString, number)
            ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("catalogue/bitmap/100", lookUpPicture, 100, CatalogueKind::Bitmap)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("catalogue/icon/100", lookUpPicture, 100, CatalogueKind::Icon)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("animation/tick", ticks, false)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("animation/tick+paint", ticks, true)->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
