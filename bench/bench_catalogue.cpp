// SPDX-License-Identifier: MIT
// Catalogue look-ups, each as the program makes it: the longest topic text, a short string,
// a sign picture and a topic icon. Nothing is cached, so every call does the whole look-up.

#include "benchmain.h"
#include "catalogue.h"

namespace {

void lookUpString(benchmark::State &state, int number)
{
    for (auto _ : state) {
        QString text = LoadCatalogueString(number);
        benchmark::DoNotOptimize(text);
    }
}

void lookUpPicture(benchmark::State &state, int number, CatalogueKind kind)
{
    for (auto _ : state) {
        QPixmap picture = LoadCataloguePicture(number, kind);
        benchmark::DoNotOptimize(picture);
    }
}

} // namespace

int main(int argc, char **argv)
{
    return BenchMain::run(argc, argv, [] {
        benchmark::RegisterBenchmark("catalogue/string/10020", lookUpString, 10020)
            ->Unit(benchmark::kNanosecond);
        benchmark::RegisterBenchmark("catalogue/string/1100", lookUpString, 1100)
            ->Unit(benchmark::kNanosecond);
        benchmark::RegisterBenchmark(
            "catalogue/bitmap/100", lookUpPicture, 100, CatalogueKind::Bitmap)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("catalogue/icon/100", lookUpPicture, 100, CatalogueKind::Icon)
            ->Unit(benchmark::kMicrosecond);
        return true;
    });
}
