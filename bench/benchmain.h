// SPDX-License-Identifier: MIT
#pragma once

// The main function of the Google Benchmark executables: a QApplication with the program's
// own look (on Qt's offscreen platform unless told otherwise), then the benchmarks.

#include "startup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <functional>

namespace BenchMain {

// `prepare` registers the benchmarks once the application exists; it returns false when the
// screens it needs cannot be set up, which ends the run with status 2.
inline int run(int argc, char **argv, const std::function<bool()> &prepare)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    Startup::configureApplication(app);
    if (!prepare())
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace BenchMain
