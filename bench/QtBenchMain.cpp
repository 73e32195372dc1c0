// The entry point of the benchmarks that draw: fonts and images need a QGuiApplication, and the
// offscreen platform needs no display.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
