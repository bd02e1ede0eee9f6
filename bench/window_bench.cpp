// Window speed: from creating the main window to its first painted title screen, and one full
// repaint of a dealt table.
//   QT_QPA_PLATFORM=offscreen build/bench/window_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "app/main_window.h"
#include "program_folder.h"
#include "qt_bench_main.h"

namespace kesp {
namespace {

using bench::ProgramFolder;

void BM_StartUpToTitleScreen(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string folder = ProgramFolder(dir).toStdString();
    for (auto _ : state) {
        TForm1 window(folder);
        window.show();
        while (window.CurrentScreen() != TForm1::Screen::Title) QApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());  // the painted title screen
    }
}
BENCHMARK(BM_StartUpToTitleScreen)->Unit(benchmark::kMillisecond);

void BM_FullTableRepaint(benchmark::State& state) {
    QTemporaryDir dir;
    TForm1 window(ProgramFolder(dir).toStdString());
    window.show();
    while (window.CurrentScreen() != TForm1::Screen::Title) QApplication::processEvents();
    ClubMember player{"Bench", 0, 0, 0, EncodePassword("b")};
    window.StartGame(member::NewPlayer, player);
    for (auto _ : state) {
        window.Painter().DrawAll(window.CurrentGame());
        window.repaint();
    }
}
BENCHMARK(BM_FullTableRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kesp

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
