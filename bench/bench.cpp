// SPDX-License-Identifier: MIT
// The benchmarks: one Google Benchmark program, on Qt's offscreen platform, that measures the
// program against its floor and prints one Markdown table of medians (min..max), ratios to the
// floor and targets on standard output; Google Benchmark's own report goes to standard error.
// usage: astrelo_bench [--quick] [--rounds N] [Google Benchmark options]
//   --quick     one short pass of everything (for the test suite): the figures mean little
//   --rounds N  repetitions of the start-up probes and of the benchmarks (default 11 and 7)
// The X11 rows run on DISPLAY when ASTRELO_BENCH_X11 names its server (bench/run.sh).

#include "catalogue.h"
#include "fallingicon.h"
#include "floorwindow.h"
#include "form1.h"
#include "form2.h"
#include "startup.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>

using namespace Qt::StringLiterals;

namespace {

struct Settings
{
    bool quick = false;
    int startupRounds = 11, callgrindRounds = 3, benchmarkRounds = 7, animationRuns = 3;
    int animationTicks = 0; // 0: the whole run
    int frameClicks = 41; // thumbnail clicks timed to the frame in each X11 probe
    double minTime = 0.3;
    QString x11 = qEnvironmentVariable("ASTRELO_BENCH_X11");
} settings;

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "bench: FAILED: %s\n", qUtf8Printable(message));
    std::_Exit(1);
}

// ---- The probes as processes: start-up, instructions and the real animation run ----------
// One iteration per repetition, setting the counters "KEY|ours" and "KEY|floor" of table rows.
// The program and the floor take turns, and who goes first alternates.

// Runs a probe, or valgrind, on a Qt platform; its standard output. The probes measure their
// start-up from ASTRELO_BENCH_T0_NS, the steady clock read just before the start.
QByteArray run(const QStringList &command, const QString &platform)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, platform);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    env.insert(u"ASTRELO_BENCH_T0_NS"_s, QString::number(now / std::chrono::nanoseconds(1)));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(command[0], command.mid(1));
    if (!process.waitForFinished(600 * 1000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0)
        fail(command.join(u' ') + u":\n"_s + process.readAllStandardError());
    return process.readAllStandardOutput();
}

QString probe(bool ours)
{
    return QCoreApplication::applicationDirPath()
        + (ours ? u"/astrelo_startprobe"_s : u"/astrelo_floorprobe"_s);
}

// A figure a probe printed as a line "name=value".
double figure(const QByteArray &output, const QByteArray &name)
{
    const qsizetype at = output.indexOf(name + '=');
    if (at < 0)
        fail(u"no figure "_s + QLatin1String(name));
    return output.mid(at + name.size() + 1).split('\n')[0].toDouble();
}

void startUp(benchmark::State &state, const std::string &platform)
{
    static int round = 0;
    for (auto _ : state) {
        for (const bool ours : { round % 2 == 0, round++ % 2 != 0 }) {
            const QByteArray out
                = run({ probe(ours), u"--browse"_s }, QString::fromStdString(platform));
            const std::string side = platform + (ours ? "|ours" : "|floor");
            state.counters["startup/" + side] = figure(out, "first_frame_ms");
            state.counters["rss/" + side] = figure(out, "peak_rss_startup_kib") / 1024;
            state.counters["rss72/" + side] = figure(out, "peak_rss_browsed_kib") / 1024;
        }
    }
}

void instructions(benchmark::State &state)
{
    static int round = 0;
    const QTemporaryDir dir;
    const QString file = dir.filePath(u"callgrind.out"_s);
    for (auto _ : state) {
        for (const bool ours : { round % 2 == 0, round++ % 2 != 0 }) {
            run({ u"valgrind"_s, u"--tool=callgrind"_s, u"--callgrind-out-file="_s + file,
                    probe(ours) },
                u"offscreen"_s);
            QFile out(file);
            // Callgrind writes its count as "totals: N".
            QByteArray text = out.open(QIODevice::ReadOnly) ? out.readAll() : QByteArray();
            state.counters[ours ? "instructions|ours" : "instructions|floor"]
                = figure(text.replace("\ntotals: ", "\ntotals="), "\ntotals") / 1e6;
        }
    }
}

// Wall time from a synthetic thumbnail click to its repainted frame on the X server, between
// the shortest text's sign and its neighbour; the probe prints the median of its clicks.
void clickToFrame(benchmark::State &state)
{
    static int round = 0;
    for (auto _ : state) {
        for (const bool ours : { round % 2 == 0, round++ % 2 != 0 }) {
            const QByteArray out = run(
                { probe(ours), u"--clicks"_s, QString::number(settings.frameClicks) }, u"xcb"_s);
            state.counters[ours ? "frame/xcb|ours" : "frame/xcb|floor"]
                = figure(out, "click_frame_us");
        }
    }
}

void animationRun(benchmark::State &state)
{
    for (auto _ : state) {
        const QByteArray out = run({ probe(true), u"--animation"_s, u"--ticks"_s,
                                       QString::number(settings.animationTicks) },
            u"xcb"_s);
        state.counters["run/xcb|ours"] = figure(out, "animation_wall_ms");
        state.counters["run/xcb|floor"] = figure(out, "animation_ticks") * 25;
    }
}

// ---- Clicks, look-ups and ticks, in this process and in microseconds --------------------

Form1 *mainWindow = nullptr;
Floor::Window *floorWindow = nullptr;
Form2 *about = nullptr;

void click(const QString &name)
{
    QTest::mouseClick(mainWindow->findChild<QWidget *>(name), Qt::LeftButton, {}, QPoint(1, 1));
}

// CPU time of this thread. Offscreen, a click and its repaint are all work on this thread, and
// unlike the wall clock it leaves out the moments other programs have the core.
double threadSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// One change on both windows, each step followed by the window's repaint; the counters "ours"
// and "floor" give each side's mean. step(false) moves a window off the target unmeasured (to
// the neighbouring sign, topic or size), so that the measured step(true) is a real change.
using Step = std::function<void(bool measured)>;

void measurePair(benchmark::State &state, const Step &oursStep, const Step &floorStep)
{
    double totals[2] = {};
    for (auto _ : state) {
        double both = 0;
        for (const int side : { 0, 1 }) {
            QWidget *const window = side ? static_cast<QWidget *>(floorWindow) : mainWindow;
            (side ? floorStep : oursStep)(false);
            window->repaint();
            const double start = threadSeconds();
            (side ? floorStep : oursStep)(true);
            window->repaint();
            const double time = threadSeconds() - start;
            totals[side] += time;
            both += time;
        }
        state.SetIterationTime(both);
    }
    state.counters["ours"] = { totals[0] * 1e6, benchmark::Counter::kAvgIterations };
    state.counters["floor"] = { totals[1] * 1e6, benchmark::Counter::kAvgIterations };
}

// A thumbnail (or topic) click from sign (topic) `away` to `to`, with the topic (sign) `setup`
// chosen first; the floor shows the same change.
void clickChange(benchmark::State &state, bool thumbnail, int setup, int away, int to)
{
    const auto name = [](bool thumbnail, int index) {
        return (thumbnail ? u"Image%1"_s : u"Label%1"_s).arg(index + 1);
    };
    click(name(!thumbnail, setup));
    thumbnail ? floorWindow->showTopic(setup) : floorWindow->showSign(setup);
    measurePair(
        state, [=](bool measured) { click(name(thumbnail, measured ? to : away)); },
        [=](bool measured) {
            const int index = measured ? to : away;
            thumbnail ? floorWindow->showSign(index) : floorWindow->showTopic(index);
        });
}

// With the settings panel open over the longest text: size up from 8 to 9 points, or a face
// change to the next of the four faces in each iteration (with nothing done unmeasured). The
// floor sets the same font on its text box.
void fontChange(benchmark::State &state, bool face)
{
    click(u"Image3"_s);
    click(u"Label1"_s);
    floorWindow->showSign(2);
    floorWindow->showTopic(0);
    const auto showPanels = [](bool visible) {
        mainWindow->findChild<QWidget *>(u"Frame1"_s)->setVisible(visible);
        floorWindow->panel->setVisible(visible);
    };
    showPanels(true);
    const char *const faces[] = { "Arial", "Liberation Sans", "Courier New", "Comic Sans MS" };
    int next = 0;
    measurePair(
        state,
        [&](bool measured) {
            if (!face || measured)
                click(face         ? u"Label%1"_s.arg(30 + next % 4)
                        : measured ? u"Label24"_s
                                   : u"Label25"_s);
        },
        [&](bool measured) {
            QFont font = floorWindow->textBox->font();
            if (!face)
                font.setPointSize(measured ? 9 : 8);
            else if (measured)
                font.setFamily(QLatin1String(faces[next++ % 4]));
            floorWindow->textBox->setFont(font);
        });
    click(u"Label29"_s);
    floorWindow->textBox->setFont(floorWindow->font());
    showPanels(false);
}

// The animation's rule alone, tick after tick; at rest an icon click starts the next run.
void ruleTicks(benchmark::State &state)
{
    FallingIcon icon;
    icon.load();
    icon.drop(icon.top);
    for (auto _ : state) {
        if (!icon.tick(icon.top))
            icon.lift();
        benchmark::DoNotOptimize(icon);
    }
}

// Ticks as Timer1 delivers them to the about window, each moving the icon, optionally followed
// by the window's repaint; at rest an icon click (outside the measured time) starts the next
// run. The timer never fires by itself here: no event loop runs while the benchmarks do.
void windowTicks(benchmark::State &state, bool paint)
{
    auto *timer = about->findChild<QTimer *>(u"Timer1"_s);
    for (const QString &name : { u"Label6"_s, u"Image1"_s }) // idle, or at rest
        if (!timer->isActive())
            QTest::mouseClick(about->findChild<QWidget *>(name), Qt::LeftButton);
    for (auto _ : state) {
        QTimerEvent tick(timer->timerId()); // a tick as the timer's own event brings it
        QCoreApplication::sendEvent(timer, &tick);
        if (paint)
            about->repaint();
        if (!timer->isActive()) {
            state.PauseTiming();
            QTest::mouseClick(about->findChild<QWidget *>(u"Image1"_s), Qt::LeftButton);
            state.ResumeTiming();
        }
    }
}

// ---- The table ---------------------------------------------------------------------------

enum class Goal { None, Ratio, Click, FloorPlus, Under, Within };

// A row, filled from the counters "KEY|ours" and "KEY|floor" (or "ours" and "floor" of the
// benchmark KEY), or else from the real time of the benchmark KEY. Without a key: a heading.
struct Row
{
    QString key;
    QString figure;
    Goal goal = Goal::None;
    double limit = 0;
    QList<double> ours = {}, floor = {}; // the floor column may hold the figure's reference
};

QList<Row> rows;

Row &row(const QString &key)
{
    const auto found
        = std::find_if(rows.begin(), rows.end(), [&](auto &r) { return r.key == key; });
    if (found == rows.end())
        fail(u"no row "_s + key);
    return *found;
}

class TableReporter : public benchmark::ConsoleReporter
{
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue; // the table takes its medians from the repetitions themselves
            const QString name = QString::fromStdString(run.run_name.function_name);
            if (run.counters.empty())
                row(name).ours << run.GetAdjustedRealTime();
            for (const auto &[counter, value] : run.counters) {
                const QString label = QString::fromStdString(counter);
                Row &to = row(label.contains(u'|') ? label.section(u'|', 0, 0) : name);
                (label.endsWith("ours"_L1) ? to.ours : to.floor) << value.value;
            }
        }
    }
};

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype size = values.size();
    return size ? (values[size / 2] + values[(size - 1) / 2]) / 2 : NAN;
}

// Each of the program's figures over (or minus) the floor's of the same repetition.
QList<double> paired(const Row &row, bool ratio)
{
    QList<double> out;
    for (qsizetype i = 0; i < std::min(row.ours.size(), row.floor.size()); ++i)
        out << (ratio ? row.ours[i] / row.floor[i] : row.ours[i] - row.floor[i]);
    return out;
}

// About three digits; ratios with three decimals, so that one just past its limit never
// prints as the limit itself.
QString number(double value, bool ratio = false)
{
    const double size = std::fabs(value);
    const int decimals = ratio ? 3 : size >= 100 ? 0 : size >= 10 ? 1 : size >= 1 ? 2 : 3;
    return QString::number(value, 'f', decimals) + (ratio ? "x" : "");
}

// "median (min..max)"
QString spread(const QList<double> &values, bool ratio = false)
{
    if (values.size() < 2)
        return values.isEmpty() ? u"-"_s : number(values[0], ratio);
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return u"%1 (%2..%3)"_s.arg(
        number(median(values), ratio), number(*low, ratio), number(*high, ratio));
}

QString target(const Row &row)
{
    static const QString texts[] = { u"-"_s, u"<= %1x"_s, u"<= %1x, < 2000 us"_s,
        u"<= floor + %1 MiB"_s, u"< %1"_s, u"within %1 %"_s };
    const bool ratio = row.goal == Goal::Ratio || row.goal == Goal::Click;
    return QString(texts[int(row.goal)])
        .replace(u"%1"_s, QString::number(row.limit, 'f', ratio ? 2 : 0));
}

QString result(const Row &row)
{
    if (row.ours.isEmpty() || row.goal == Goal::None)
        return row.ours.isEmpty() ? u"not run"_s : u"-"_s;
    const double ratio = median(paired(row, true));
    const double extra = median(paired(row, false));
    const bool ratioMet = ratio <= row.limit;
    const bool timeMet = median(row.ours) < (row.goal == Goal::Click ? 2000 : row.limit);
    if (row.goal == Goal::FloorPlus)
        return u"%1 (%2%3 MiB)"_s.arg(
            extra <= row.limit ? "met" : "MISSED", extra < 0 ? "" : "+", number(extra));
    const bool met = row.goal == Goal::Under ? timeMet
        : row.goal == Goal::Within           ? std::fabs(ratio - 1) * 100 <= row.limit
                                             : ratioMet && (timeMet || row.goal != Goal::Click);
    if (met || row.goal != Goal::Click)
        return met ? u"met"_s : u"MISSED"_s;
    // A click has two targets: say which one is missed.
    return ratioMet ? u"MISSED (time; ratio met)"_s
        : timeMet   ? u"MISSED (ratio; time met)"_s
                    : u"MISSED (ratio and time)"_s;
}

QString table()
{
    const Settings &s = settings;
    QString out
        = QString::asprintf("Astrelo benchmarks, %s%s\n\n- machine: %d cores; Qt %s; "
                            "build type %s\n- rounds: start-up %d, callgrind %d, benchmarks "
                            "%d (min time %g s each), animation runs %d\n- X11: %s\n\n",
            qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)),
            s.quick ? " (quick pass: the figures mean little)" : "", QThread::idealThreadCount(),
            qVersion(), ASTRELO_BUILD_TYPE, s.startupRounds, s.callgrindRounds, s.benchmarkRounds,
            s.minTime, s.animationRuns, s.x11.isEmpty() ? "none" : qPrintable(s.x11));
    out += u"| Figure | Astrelo: median (min..max) | Floor: median (min..max) | Ratio: median "
           "(min..max) | Target | Result |\n|---|---|---|---|---|---|\n"_s;
    for (Row &row : rows) {
        if (row.key == "run/xcb"_L1)
            row.figure = row.figure.arg(
                row.floor.isEmpty() ? u"its"_s : QString::number(qRound(row.floor[0] / 25)));
        out += row.key.isEmpty()
            ? u"| **%1** | | | | | |\n"_s.arg(row.figure)
            : u"| %1 | %2 | %3 | %4 | %5 | %6 |\n"_s.arg(row.figure, spread(row.ours),
                spread(row.floor), spread(paired(row, true), true), target(row), result(row));
    }
    return out;
}

// The rows in the table's order with their targets, and the benchmarks that fill them.
void plan()
{
    const Settings &s = settings;
    const auto process = [](const char *key, int repetitions, auto &&body, auto... arguments) {
        benchmark::RegisterBenchmark(key, body, arguments...)
            ->Iterations(1)
            ->Repetitions(repetitions);
    };
    const auto timed = [&s](const Row &row, auto &&body, auto... arguments) {
        auto *benchmark = benchmark::RegisterBenchmark(qPrintable(row.key), body, arguments...);
        benchmark->MinTime(s.minTime)
            ->Repetitions(s.benchmarkRounds)
            ->Unit(benchmark::kMicrosecond);
        if (row.goal == Goal::Click)
            benchmark->UseManualTime();
        rows << row;
    };
    const auto make = [](const char *key, const char *figure, Goal goal = {}, double limit = 0) {
        return Row { QLatin1String(key), QLatin1String(figure), goal, limit };
    };
    const auto click
        = [&](const char *key, const char *figure) { return make(key, figure, Goal::Click, 1.15); };
    rows = { make("", "Start-up and memory"),
        make("startup/offscreen", "Start-up to first frame, offscreen (ms)"),
        make("startup/xcb", "Start-up to first frame, X11 (Xvfb, openbox) (ms)"),
        make("instructions", "Instructions to first frame, offscreen (millions, callgrind)",
            Goal::Ratio, 1.10),
        make("rss/offscreen", "Peak RSS after start-up, offscreen (MiB)", Goal::FloorPlus, 3),
        make("rss72/offscreen", "Peak RSS after all 72 texts, offscreen (MiB)", Goal::FloorPlus, 3),
        make("rss/xcb", "Peak RSS after start-up, X11 (Xvfb, openbox) (MiB)", Goal::FloorPlus, 3),
        make("rss72/xcb", "Peak RSS after all 72 texts, X11 (Xvfb, openbox) (MiB)", Goal::FloorPlus,
            3),
        make("", "Click to pixels, offscreen (us of CPU time)") };
    process("startup/offscreen", s.startupRounds, startUp, std::string("offscreen"));
    if (!s.x11.isEmpty())
        process("startup/xcb", s.startupRounds, startUp, std::string("xcb"));
    if (!QStandardPaths::findExecutable(u"valgrind"_s).isEmpty())
        process("instructions", s.callgrindRounds, instructions);
    // Text 10020 (sign 2, topic 0) is the longest, 10071 (sign 7, topic 1) the shortest.
    timed(click("pair/thumbnail/10020", "Thumbnail click, longest text 10020"), clickChange, true,
        0, 1, 2);
    timed(
        click("pair/topic/10020", "Topic click, longest text 10020"), clickChange, false, 2, 1, 0);
    timed(click("pair/thumbnail/10071", "Thumbnail click, shortest text 10071"), clickChange, true,
        1, 6, 7);
    timed(
        click("pair/topic/10071", "Topic click, shortest text 10071"), clickChange, false, 7, 0, 1);
    timed(click("pair/size-up", "Settings: size up (Label24), over 10020"), fontChange, false);
    timed(click("pair/face", "Settings: face change (Label30..33), over 10020"), fontChange, true);

    rows << make("", "Click to frame on screen, X11 (Xvfb, openbox) (us of wall time)")
         << make("frame/xcb", "Thumbnail click, shortest text 10071 (median of a probe's clicks)",
                Goal::Ratio, 1.15);
    if (!s.x11.isEmpty())
        process("frame/xcb", s.startupRounds, clickToFrame);

    rows << make("", "Catalogue look-ups (us)");
    const auto string = [](benchmark::State &state, int number) {
        for (auto _ : state)
            benchmark::DoNotOptimize(loadCatalogueString(number));
    };
    const auto picture = [](benchmark::State &state, int number, CatalogueKind kind) {
        for (auto _ : state)
            benchmark::DoNotOptimize(loadCataloguePicture(number, kind));
    };
    timed(make("catalogue/string/10020", "loadCatalogueString(10020)", Goal::Under, 5), string,
        10020);
    timed(make("catalogue/string/1100", "loadCatalogueString(1100)", Goal::Under, 5), string, 1100);
    timed(make("catalogue/bitmap/100", "loadCataloguePicture(100, Bitmap)"), picture, 100,
        CatalogueKind::Bitmap);
    timed(make("catalogue/icon/100", "loadCataloguePicture(100, Icon)"), picture, 100,
        CatalogueKind::Icon);
    rows << make("", "Falling-icon animation");
    timed(make("animation/rule", "One tick of the rule alone (FallingIcon) (us)"), ruleTicks);
    timed(make("animation/tick", "One Timer1 tick with its move of the icon, offscreen (us)"),
        windowTicks, false);
    timed(make("animation/tick+paint", "One Timer1 tick and the window's repaint, offscreen (us)"),
        windowTicks, true);
    rows << make("run/xcb",
        "Run from the dedication click, X11 (ms); floor column: %1 ticks x 25 ms", Goal::Within, 5);
    if (!s.x11.isEmpty())
        process("run/xcb", s.animationRuns, animationRun);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Settings &s = settings;
    std::vector<char *> options = { argv[0] };
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) {
            s.quick = true;
            s.startupRounds = s.callgrindRounds = s.benchmarkRounds = s.animationRuns = 1;
            s.animationTicks = 40;
            s.frameClicks = 3;
            s.minTime = 0.001;
        } else if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc) {
            s.startupRounds = s.benchmarkRounds = std::max(1, std::atoi(argv[++i]));
        } else {
            options.push_back(argv[i]);
        }
    }
    int count = int(options.size());
    benchmark::Initialize(&count, options.data());
    if (benchmark::ReportUnrecognizedArguments(count, options.data()))
        return 2;
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    // The windows live as long as the program.
    mainWindow = Startup::createMainWindow().release();
    if (!mainWindow)
        fail(u"the main window did not load"_s);
    floorWindow = new Floor::Window;
    about = new Form2;
    about->load();
    for (QWidget *shown : std::initializer_list<QWidget *> { mainWindow, floorWindow, about }) {
        shown->show();
        if (!QTest::qWaitForWindowExposed(shown))
            fail(u"a window was not shown"_s);
    }
    plan();
    TableReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const Row &row : rows) {
        // The quick pass shows that everything reports: only X11 and valgrind may be missing.
        const bool optional
            = row.key.isEmpty() || row.key.endsWith("xcb"_L1) || row.key == "instructions"_L1;
        if (s.quick && row.ours.isEmpty() && !optional)
            fail(u"no figures for "_s + row.key);
    }
    std::fputs(qUtf8Printable(table()), stdout);
    return 0;
}
