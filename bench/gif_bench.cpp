// Recording a deal as a GIF: 150 frames of the real main window at 760 x 500 while the computer
// plays every seat, on the recording felt. Saving measures what the user waits for at the end of a
// deal (the frames were quantised while it was played); recording and saving measures all the work
// of a deal from its first frame; a still sample measures one tick of the sampling timer when
// nothing moved.
//   QT_QPA_PLATFORM=offscreen build/bench/gif_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include "app/main_window.h"
#include "played_deal.h"
#include "presentation/gif_recorder.h"
#include "program_folder.h"
#include "qt_bench_main.h"
#include "records/atomic_file.h"
#include "records/club.h"

namespace kesp {
namespace {

constexpr int kDealFrames = 150;

// The deal's pictures, played once.
const std::vector<QImage>& DealFrames() {
    static const std::vector<QImage> frames = bench::PlayDeal(kDealFrames);
    return frames;
}

// Encodes and writes the file the way the window saves it; the counters split the time.
void Save(benchmark::State& state, GifRecorder& recorder, const QTemporaryDir& out) {
    QElapsedTimer clock;
    clock.start();
    const std::string bytes = recorder.Finish();
    const double encoded = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    if (bytes.empty() || !WriteFileAtomically(out.filePath("deal.gif").toStdString(), bytes))
        state.SkipWithError("the recording could not be saved");
    state.counters["file_KiB"] = static_cast<double>(bytes.size()) / 1024.0;
    state.counters["finish_ms"] = encoded;
    state.counters["write_ms"] = static_cast<double>(clock.nsecsElapsed()) / 1e6 - encoded;
}

void BM_SaveRecordedDeal(benchmark::State& state) {
    const std::vector<QImage>& frames = DealFrames();
    QTemporaryDir out;
    GifRecorder recorder;
    for (auto _ : state) {
        state.PauseTiming();
        recorder.Start(1000);
        for (const QImage& frame : frames) recorder.AddFrame(frame);
        recorder.WaitForWorker();
        state.ResumeTiming();
        Save(state, recorder, out);
    }
    state.counters["frames"] = static_cast<double>(frames.size());
}
BENCHMARK(BM_SaveRecordedDeal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RecordAndSaveDeal(benchmark::State& state) {
    const std::vector<QImage>& frames = DealFrames();
    QTemporaryDir out;
    GifRecorder recorder;
    for (auto _ : state) {
        recorder.Start(1000);
        for (const QImage& frame : frames) recorder.AddFrame(frame);
        Save(state, recorder, out);
    }
}
BENCHMARK(BM_RecordAndSaveDeal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StillTableSample(benchmark::State& state) {
    QTemporaryDir dir;
    TForm1 window(bench::ProgramFolder(dir).toStdString());
    window.show();
    while (window.CurrentScreen() != TForm1::Screen::Title) QApplication::processEvents();
    window.StartGame(member::NewPlayer, ClubMember{"Bench", 0, 0, 0, EncodePassword("b")});
    GifRecorder recorder;
    recorder.Start(1000);
    recorder.AddFrame(window.grab().toImage());
    for (auto _ : state) benchmark::DoNotOptimize(recorder.AddFrame(window.grab().toImage()));
    recorder.Clear();
}
BENCHMARK(BM_StillTableSample)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kesp

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
