// SPDX-License-Identifier: MIT
// The benchmark driver: runs every probe and benchmark, the program and its floor in turns,
// and prints one table with each figure's median, its spread and its ratio to the floor.
//
// usage: astrelo_bench_runner [--quick] [--rounds N] [--markdown FILE]
//   --quick         one short pass of everything (for the test suite): the figures mean little
//   --rounds N      rounds of the paired runs (default 11 for start-up, 7 for benchmarks)
//   --markdown FILE also write the table to FILE
//
// The other programs are taken from the runner's own folder. X11 figures need Xvfb; the
// runner starts its own server (and openbox, when installed) and stops them at the end.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <optional>
#include <utility>

namespace {

// ---- Figures and the table --------------------------------------------------------------

double median(QList<double> values)
{
    if (values.isEmpty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

QString number(double value, int decimals = -1)
{
    if (std::isnan(value))
        return QStringLiteral("-");
    const double size = std::fabs(value);
    if (decimals < 0)
        decimals = size >= 100 ? 0 : size >= 10 ? 1 : size >= 1 ? 2 : 3;
    return QString::number(value, 'f', decimals);
}

// "median (min..max)" of a series, each number followed by `suffix`; ratios (suffix "x") get
// three decimals, so that a figure just past its limit never prints as the limit itself.
QString spread(const QList<double> &values, const QString &suffix = QString())
{
    if (values.isEmpty())
        return QStringLiteral("-");
    const int decimals = suffix == QLatin1String("x") ? 3 : -1;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    if (values.size() == 1)
        return number(values.first(), decimals) + suffix;
    return QStringLiteral("%1%4 (%2%4..%3%4)")
        .arg(number(median(values), decimals), number(*low, decimals), number(*high, decimals),
            suffix);
}

enum class Goal {
    None,
    RatioAtMost, // median of the paired ratios at most `limit`
    ClickRatio, // median ratio at most `limit`, and the program's median under `absolute`
    FloorPlus, // median of the paired differences at most `limit`
    Under, // the program's median under `limit`
    Within, // median ratio within `limit` of 1
};

struct Row
{
    QString figure;
    QList<double> ours;
    QList<double> floor; // or the reference the figure is held against
    Goal goal = Goal::None;
    double limit = 0;
    double absolute = 0;
    QString note; // why the row holds no figures

    QList<double> ratios() const
    {
        QList<double> out;
        for (qsizetype i = 0; i < std::min(ours.size(), floor.size()); ++i)
            out << ours[i] / floor[i];
        return out;
    }

    QList<double> differences() const
    {
        QList<double> out;
        for (qsizetype i = 0; i < std::min(ours.size(), floor.size()); ++i)
            out << ours[i] - floor[i];
        return out;
    }

    QString target() const
    {
        switch (goal) {
        case Goal::None:
            return QStringLiteral("-");
        case Goal::RatioAtMost:
            return QStringLiteral("<= %1x").arg(limit, 0, 'f', 2);
        case Goal::ClickRatio:
            return QStringLiteral("<= %1x, < %2 us").arg(limit, 0, 'f', 2).arg(absolute);
        case Goal::FloorPlus:
            return QStringLiteral("<= floor + %1 MiB").arg(limit);
        case Goal::Under:
            return QStringLiteral("< %1").arg(limit);
        case Goal::Within:
            return QStringLiteral("within %1 %").arg(limit * 100);
        }
        return {};
    }

    // Met, missed, or nothing to judge.
    std::optional<bool> met() const
    {
        if (ours.isEmpty())
            return std::nullopt;
        const double ratio = median(ratios());
        switch (goal) {
        case Goal::None:
            return std::nullopt;
        case Goal::RatioAtMost:
            return ratio <= limit;
        case Goal::ClickRatio:
            return ratio <= limit && median(ours) < absolute;
        case Goal::FloorPlus:
            return median(differences()) <= limit;
        case Goal::Under:
            return median(ours) < limit;
        case Goal::Within:
            return std::fabs(ratio - 1.0) <= limit;
        }
        return std::nullopt;
    }

    QString result() const
    {
        if (!note.isEmpty())
            return note;
        const std::optional<bool> verdict = met();
        QString text = !verdict ? QStringLiteral("-")
            : *verdict          ? QStringLiteral("met")
                                : QStringLiteral("MISSED");
        // A click has two targets: say which one is missed.
        if (goal == Goal::ClickRatio && verdict && !*verdict) {
            const bool ratioMet = median(ratios()) <= limit;
            text += ratioMet              ? QStringLiteral(" (time; ratio met)")
                : median(ours) < absolute ? QStringLiteral(" (ratio; time met)")
                                          : QStringLiteral(" (ratio and time)");
        }
        if (goal == Goal::FloorPlus && !ours.isEmpty())
            text += QStringLiteral(" (%1%2 MiB)")
                        .arg(median(differences()) >= 0 ? QStringLiteral("+") : QString())
                        .arg(number(median(differences())));
        return text;
    }
};

struct Section
{
    QString title;
    QList<Row> rows;
};

QString table(const QList<Section> &sections)
{
    QString out;
    out += QStringLiteral("| Figure | Astrelo: median (min..max) | Floor: median (min..max) | "
                          "Ratio: median (min..max) | Target | Result |\n");
    out += QStringLiteral("|---|---|---|---|---|---|\n");
    for (const Section &section : sections) {
        out += QStringLiteral("| **%1** | | | | | |\n").arg(section.title);
        for (const Row &row : section.rows) {
            const QList<double> ratios = row.ratios();
            out += QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |\n")
                       .arg(row.figure, spread(row.ours), spread(row.floor),
                           spread(ratios, QStringLiteral("x")), row.target(), row.result());
        }
    }
    return out;
}

// ---- Running the programs ---------------------------------------------------------------

qint64 monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void progress(const QString &line)
{
    std::fprintf(stderr, "bench: %s\n", qUtf8Printable(line));
    std::fflush(stderr);
}

struct Failure
{
    QString message;
};

// Runs a program to its end; its standard output, or a Failure.
QByteArray runProgram(const QString &program, const QStringList &arguments,
    QProcessEnvironment environment, int timeoutSeconds)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    // The clock reading the probes measure from: taken as late as possible before the fork.
    environment.insert(QStringLiteral("ASTRELO_BENCH_T0_NS"), QString::number(monotonicNs()));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const QString what
        = QFileInfo(program).fileName() + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!process.waitForFinished(timeoutSeconds * 1000)) {
        process.kill();
        process.waitForFinished();
        throw Failure { what + QStringLiteral(": did not finish in %1 s").arg(timeoutSeconds) };
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw Failure { what + QStringLiteral(": exit status %1\n").arg(process.exitCode())
            + QString::fromLocal8Bit(process.readAllStandardError()) };
    return process.readAllStandardOutput();
}

// The "name=value" lines a probe prints.
QMap<QString, double> probeFigures(const QByteArray &output)
{
    QMap<QString, double> figures;
    for (const QByteArray &line : output.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            figures.insert(QString::fromLatin1(line.left(equals)), line.mid(equals + 1).toDouble());
    }
    return figures;
}

double figure(const QMap<QString, double> &figures, const char *name)
{
    const auto found = figures.find(QLatin1String(name));
    if (found == figures.end())
        throw Failure { QStringLiteral("a probe did not report %1").arg(QLatin1String(name)) };
    return *found;
}

// Google Benchmark's JSON output: each measured run's real time, in seconds, by name.
QMap<QString, QList<double>> benchmarkTimes(const QByteArray &output)
{
    QMap<QString, QList<double>> times;
    const QJsonArray runs
        = QJsonDocument::fromJson(output).object().value(QLatin1String("benchmarks")).toArray();
    for (const auto &value : runs) {
        const QJsonObject run = value.toObject();
        if (run.value(QLatin1String("run_type")).toString() != QLatin1String("iteration"))
            continue;
        QString name = run.value(QLatin1String("run_name")).toString();
        name.remove(QLatin1String("/manual_time"));
        const QString unit = run.value(QLatin1String("time_unit")).toString();
        const double scale = unit == QLatin1String("ns") ? 1e-9
            : unit == QLatin1String("us")                ? 1e-6
            : unit == QLatin1String("ms")                ? 1e-3
                                                         : 1.0;
        times[name] << run.value(QLatin1String("real_time")).toDouble() * scale;
    }
    if (times.isEmpty())
        throw Failure { QStringLiteral("a benchmark run reported nothing") };
    return times;
}

// The counters of each measured run, by run name and counter name.
QMap<QString, QMap<QString, double>> benchmarkCounters(const QByteArray &output)
{
    QMap<QString, QMap<QString, double>> counters;
    const QJsonArray runs
        = QJsonDocument::fromJson(output).object().value(QLatin1String("benchmarks")).toArray();
    for (const auto &value : runs) {
        const QJsonObject run = value.toObject();
        if (run.value(QLatin1String("run_type")).toString() != QLatin1String("iteration"))
            continue;
        QString name = run.value(QLatin1String("run_name")).toString();
        name.remove(QLatin1String("/manual_time"));
        for (const QString &key : { QStringLiteral("ours_us"), QStringLiteral("floor_us") }) {
            if (run.contains(key))
                counters[name][key] = run.value(key).toDouble();
        }
    }
    if (counters.isEmpty())
        throw Failure { QStringLiteral("a benchmark run reported no counters") };
    return counters;
}

// A private X server for the X11 figures, with openbox as the window manager when installed.
class XServer
{
public:
    ~XServer()
    {
        for (QProcess *process : { &m_windowManager, &m_server }) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(3000))
                    process->kill();
                process->waitForFinished();
            }
        }
    }

    // The display name, or empty when no X server could be started.
    QString start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return {};
        // -displayfd: the server picks a free display and names it, so parallel runs never
        // race for one.
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(xvfb,
            { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp") });
        QByteArray line;
        while (!line.contains('\n') && m_server.waitForReadyRead(10000))
            line += m_server.readAllStandardOutput();
        if (!line.contains('\n'))
            return {};
        m_display = QLatin1Char(':') + QString::fromLatin1(line.trimmed());
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (!openbox.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("DISPLAY"), m_display);
            m_windowManager.setProcessEnvironment(environment);
            m_windowManager.setStandardOutputFile(QProcess::nullDevice());
            m_windowManager.setStandardErrorFile(QProcess::nullDevice());
            m_windowManager.start(openbox, {});
            // Openbox takes the screen within a moment of starting.
            m_hasWindowManager
                = m_windowManager.waitForStarted(5000) && !m_windowManager.waitForFinished(500);
        }
        return m_display;
    }

    bool hasWindowManager() const { return m_hasWindowManager; }

private:
    QProcess m_server;
    QProcess m_windowManager;
    QString m_display;
    bool m_hasWindowManager = false;
};

struct Settings
{
    bool quick = false;
    int startupRounds = 11;
    int callgrindRounds = 3;
    int benchmarkRounds = 7;
    int animationRuns = 3;
    int animationTicks = 0; // 0: the whole run
    QString minTime = QStringLiteral("0.3");
    QString markdown;
};

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QStringLiteral("unknown CPU");
}

class Runner
{
public:
    explicit Runner(Settings settings)
        : m_settings(std::move(settings))
        , m_dir(QCoreApplication::applicationDirPath())
        , m_offscreen(QProcessEnvironment::systemEnvironment())
    {
        m_offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    int run()
    {
        m_display = m_x.start();
        if (m_display.isEmpty())
            progress(QStringLiteral("Xvfb is not installed or did not start: no X11 figures"));
        m_onX11 = m_offscreen;
        m_onX11.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_onX11.insert(QStringLiteral("DISPLAY"), m_display);

        QList<Section> sections;
        try {
            sections << startUp() << clicks() << catalogue() << animation();
        } catch (const Failure &failure) {
            std::fprintf(stderr, "bench: FAILED: %s\n", qUtf8Printable(failure.message));
            return 1;
        }
        const QString output = header() + QLatin1Char('\n') + table(sections);
        std::fputs(qUtf8Printable(output), stdout);
        std::fflush(stdout);
        if (!m_settings.markdown.isEmpty()) {
            QFile file(m_settings.markdown);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
                std::fprintf(
                    stderr, "bench: cannot write %s\n", qUtf8Printable(m_settings.markdown));
                return 1;
            }
            file.write(output.toUtf8());
        }
        return 0;
    }

private:
    QString program(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

    QString header() const
    {
        QString x11 = m_display.isEmpty()
            ? QStringLiteral("none")
            : QStringLiteral("Xvfb 1024x768x24%1")
                  .arg(m_x.hasWindowManager() ? QStringLiteral(" with openbox") : QString());
        return QStringLiteral("Astrelo benchmarks, %1%2\n\n"
                              "- machine: %3, %4 cores; Qt %5; build type %6\n"
                              "- rounds: start-up %7, callgrind %8, benchmarks %9 "
                              "(min time %10 s each), animation runs %11\n"
                              "- X11: %12\n")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODate),
                m_settings.quick ? QStringLiteral(" (quick pass: the figures mean little)")
                                 : QString(),
                cpuModel(), QString::number(QThread::idealThreadCount()), QLatin1String(qVersion()),
                QStringLiteral(ASTRELO_BUILD_TYPE), QString::number(m_settings.startupRounds),
                QString::number(m_settings.callgrindRounds),
                QString::number(m_settings.benchmarkRounds))
            .arg(m_settings.minTime, QString::number(m_settings.animationRuns), x11);
    }

    // Start-up time and peak memory (one probe run gives both), then instruction counts.
    Section startUp()
    {
        struct Platform
        {
            QString name;
            QProcessEnvironment environment;
            Row time, startupMemory, browsedMemory;
        };
        QList<Platform> platforms;
        platforms.append({ QStringLiteral("offscreen"), m_offscreen, {}, {}, {} });
        if (!m_display.isEmpty())
            platforms.append({ m_x.hasWindowManager() ? QStringLiteral("X11 (Xvfb, openbox)")
                                                      : QStringLiteral("X11 (Xvfb)"),
                m_onX11, {}, {}, {} });

        for (int round = 0; round < m_settings.startupRounds; ++round) {
            progress(QStringLiteral("start-up round %1/%2")
                         .arg(round + 1)
                         .arg(m_settings.startupRounds));
            for (Platform &platform : platforms) {
                // Who goes first alternates from round to round.
                for (int turn = 0; turn < 2; ++turn) {
                    const bool oursNow = (turn == 0) == (round % 2 == 0);
                    const QMap<QString, double> figures = probeFigures(
                        runProgram(program(oursNow ? "astrelo_startprobe" : "astrelo_floorprobe"),
                            { QStringLiteral("--browse") }, platform.environment, 120));
                    auto add = [oursNow](Row &row, double value) {
                        (oursNow ? row.ours : row.floor) << value;
                    };
                    add(platform.time, figure(figures, "first_frame_ms"));
                    add(platform.startupMemory, figure(figures, "peak_rss_startup_kib") / 1024);
                    add(platform.browsedMemory, figure(figures, "peak_rss_browsed_kib") / 1024);
                }
            }
        }

        Section section { QStringLiteral("Start-up and memory"), {} };
        for (Platform &platform : platforms) {
            platform.time.figure
                = QStringLiteral("Start-up to first frame, %1 (ms)").arg(platform.name);
            section.rows << platform.time;
        }
        section.rows << instructions();
        for (Platform &platform : platforms) {
            platform.startupMemory.figure
                = QStringLiteral("Peak RSS after start-up, %1 (MiB)").arg(platform.name);
            platform.browsedMemory.figure
                = QStringLiteral("Peak RSS after all 72 texts, %1 (MiB)").arg(platform.name);
            for (Row *row : { &platform.startupMemory, &platform.browsedMemory }) {
                row->goal = Goal::FloorPlus;
                row->limit = 3;
                section.rows << *row;
            }
        }
        return section;
    }

    Row instructions()
    {
        Row row;
        row.figure = QStringLiteral("Instructions to first frame, offscreen (millions, callgrind)");
        row.goal = Goal::RatioAtMost;
        row.limit = 1.10;
        const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
        if (valgrind.isEmpty()) {
            row.note = QStringLiteral("not run: valgrind is not installed");
            return row;
        }
        QTemporaryDir out;
        for (int round = 0; round < m_settings.callgrindRounds; ++round) {
            progress(QStringLiteral("callgrind round %1/%2")
                         .arg(round + 1)
                         .arg(m_settings.callgrindRounds));
            for (int turn = 0; turn < 2; ++turn) {
                const bool oursNow = (turn == 0) == (round % 2 == 0);
                const QString file
                    = out.filePath(QStringLiteral("callgrind.%1.%2").arg(round).arg(turn));
                runProgram(valgrind,
                    { QStringLiteral("--tool=callgrind"),
                        QStringLiteral("--callgrind-out-file=") + file,
                        program(oursNow ? "astrelo_startprobe" : "astrelo_floorprobe") },
                    m_offscreen, 600);
                (oursNow ? row.ours : row.floor) << callgrindTotal(file) / 1e6;
            }
        }
        return row;
    }

    static double callgrindTotal(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw Failure { QStringLiteral("no callgrind output %1").arg(path) };
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.startsWith("totals:") || line.startsWith("summary:"))
                return line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toDouble();
        }
        throw Failure { QStringLiteral("no totals in %1").arg(path) };
    }

    QMap<QString, QList<double>> benchmark(const char *filter, int repetitions)
    {
        QStringList arguments = { QStringLiteral("--benchmark_filter=") + QLatin1String(filter),
            QStringLiteral("--benchmark_format=json"),
            QStringLiteral("--benchmark_min_time=") + m_settings.minTime };
        if (repetitions > 1)
            arguments << QStringLiteral("--benchmark_repetitions=%1").arg(repetitions);
        return benchmarkTimes(runProgram(program("astrelo_bench"), arguments, m_offscreen, 900));
    }

    // Click to pixels: one process per round; within it the program and the floor take turns
    // in every iteration of each benchmark.
    Section clicks()
    {
        struct Pair
        {
            const char *name;
            const char *figure;
        };
        const QList<Pair> pairs = {
            { "pair/thumbnail/10020", "Thumbnail click, longest text 10020" },
            { "pair/topic/10020", "Topic click, longest text 10020" },
            { "pair/thumbnail/10071", "Thumbnail click, shortest text 10071" },
            { "pair/topic/10071", "Topic click, shortest text 10071" },
            { "pair/size-up", "Settings: size up (Label24), over 10020" },
            { "pair/face", "Settings: face change (Label30..33), over 10020" },
        };
        QList<Row> rows(pairs.size());
        for (int round = 0; round < m_settings.benchmarkRounds; ++round) {
            progress(QStringLiteral("click benchmarks round %1/%2")
                         .arg(round + 1)
                         .arg(m_settings.benchmarkRounds));
            const auto counters = benchmarkCounters(runProgram(program("astrelo_bench"),
                { QStringLiteral("--benchmark_filter=^pair/"), QStringLiteral("--benchmark_format=json"),
                    QStringLiteral("--benchmark_min_time=") + m_settings.minTime },
                m_offscreen, 900));
            for (qsizetype i = 0; i < pairs.size(); ++i) {
                const QMap<QString, double> pair = counters.value(QLatin1String(pairs[i].name));
                if (!pair.contains(QStringLiteral("ours_us"))
                    || !pair.contains(QStringLiteral("floor_us")))
                    throw Failure {
                        QStringLiteral("no figures for %1").arg(QLatin1String(pairs[i].name))
                    };
                rows[i].ours << pair.value(QStringLiteral("ours_us"));
                rows[i].floor << pair.value(QStringLiteral("floor_us"));
            }
        }
        Section section { QStringLiteral("Click to pixels, offscreen (us of CPU time)"), {} };
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            rows[i].figure = QLatin1String(pairs[i].figure);
            rows[i].goal = Goal::ClickRatio;
            rows[i].limit = 1.15;
            rows[i].absolute = 2000;
            section.rows << rows[i];
        }
        return section;
    }

    Section catalogue()
    {
        progress(QStringLiteral("catalogue benchmarks"));
        const QMap<QString, QList<double>> times
            = benchmark("^catalogue/", m_settings.benchmarkRounds);
        Section section { QStringLiteral("Catalogue look-ups (us)"), {} };
        const auto row = [&times](const char *name, const char *figure, Goal goal) {
            Row row;
            row.figure = QLatin1String(figure);
            for (double seconds : times.value(QLatin1String(name)))
                row.ours << seconds * 1e6;
            row.goal = goal;
            row.limit = 5;
            return row;
        };
        section.rows << row("catalogue/string/10020", "LoadCatalogueString(10020)", Goal::Under)
                     << row("catalogue/string/1100", "LoadCatalogueString(1100)", Goal::Under)
                     << row("catalogue/bitmap/100", "LoadCataloguePicture(100, Bitmap)", Goal::None)
                     << row("catalogue/icon/100", "LoadCataloguePicture(100, Icon)", Goal::None);
        return section;
    }

    Section animation()
    {
        progress(QStringLiteral("animation benchmarks"));
        const QMap<QString, QList<double>> times
            = benchmark("^animation/", m_settings.benchmarkRounds);
        Section section { QStringLiteral("Falling-icon animation"), {} };
        for (const char *name : { "animation/tick", "animation/tick+paint" }) {
            Row row;
            row.figure = QLatin1String(name) == QLatin1String("animation/tick")
                ? QStringLiteral("One tick with its move of the icon, offscreen (us)")
                : QStringLiteral("One tick and the window's repaint, offscreen (us)");
            for (double seconds : times.value(QLatin1String(name)))
                row.ours << seconds * 1e6;
            section.rows << row;
        }

        Row run;
        run.goal = Goal::Within;
        run.limit = 0.05;
        if (m_display.isEmpty()) {
            run.figure = QStringLiteral("Run from the dedication click against ticks x 25 ms (ms)");
            run.note = QStringLiteral("not run: no X server");
            section.rows << run;
            return section;
        }
        int ticks = 0;
        for (int i = 0; i < m_settings.animationRuns; ++i) {
            progress(QStringLiteral("animation run %1/%2 under Xvfb")
                         .arg(i + 1)
                         .arg(m_settings.animationRuns));
            QStringList arguments = { QStringLiteral("--animation") };
            if (m_settings.animationTicks > 0)
                arguments << QStringLiteral("--ticks")
                          << QString::number(m_settings.animationTicks);
            const QMap<QString, double> figures
                = probeFigures(runProgram(program("astrelo_startprobe"), arguments, m_onX11, 120));
            run.ours << figure(figures, "animation_wall_ms");
            run.floor << figure(figures, "animation_ticks") * 25.0;
            ticks = int(figure(figures, "animation_ticks"));
        }
        run.figure = QStringLiteral(
            "Run from the dedication click, X11 (ms); floor column: %1 ticks x 25 ms")
                         .arg(ticks);
        section.rows << run;
        return section;
    }

    const Settings m_settings;
    const QDir m_dir;
    QProcessEnvironment m_offscreen;
    QProcessEnvironment m_onX11;
    XServer m_x;
    QString m_display;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings settings;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QLatin1String("--quick")) {
            settings.quick = true;
            settings.startupRounds = settings.callgrindRounds = settings.benchmarkRounds = 1;
            settings.animationRuns = 1;
            settings.animationTicks = 40;
            settings.minTime = QStringLiteral("0.001");
        } else if (argument == QLatin1String("--rounds") && i + 1 < arguments.size()) {
            settings.startupRounds = settings.benchmarkRounds = arguments[++i].toInt();
        } else if (argument == QLatin1String("--markdown") && i + 1 < arguments.size()) {
            settings.markdown = arguments[++i];
        } else {
            std::fprintf(
                stderr, "usage: astrelo_bench_runner [--quick] [--rounds N] [--markdown FILE]\n");
            return 2;
        }
    }
    if (settings.startupRounds < 1 || settings.benchmarkRounds < 1) {
        std::fprintf(stderr, "bench: --rounds needs a number of at least 1\n");
        return 2;
    }
    return Runner(settings).run();
}
