// Card flights in the main window: the cost of one frame (the sprite moved on the working copy and
// its rectangle repainted on the window at once), and a whole flight from the deck to the own
// hand at each speed, as frames per second, with the longest time the event loop waited for its
// turn meanwhile. Offscreen, or on a real X display:
//   QT_QPA_PLATFORM=offscreen build/bench/flight_bench
//   xvfb-run -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/flight_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "app/main_window.h"
#include "presentation/card_flight.h"
#include "presentation/flight_points.h"
#include "qt_bench_main.h"
#include "records/settings.h"

namespace kesp {
namespace {

// The main window at a table in a window size, shown and painted.
class TableWindow {
  public:
    explicit TableWindow(int windowSize) {
        for (const char* name : {"Kesp.clb", "Kesp.net"})
            QFile::copy(QStringLiteral(KESP_BUILD_DIR "/") + name, dir_.path() + "/" + name);
        Settings settings;
        settings.WindowSize = windowSize;
        SaveSettings(settings, (dir_.path() + "/").toStdString(), false);
        window_ = std::make_unique<TForm1>((dir_.path() + "/").toStdString());
        window_->show();
        while (window_->CurrentScreen() != TForm1::Screen::Title) QApplication::processEvents();
        window_->StartGame(member::NewPlayer, ClubMember{"Bench", 0, 0, 0, EncodePassword("b")});
        QApplication::processEvents();
        window_->repaint();
    }
    TForm1& Window() { return *window_; }
    const TableGeometry& Geometry() { return window_->Painter().Geometry(); }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TForm1> window_;
};

void BM_FlightFrame(benchmark::State& state) {
    TableWindow table(static_cast<int>(state.range(0)));
    const TablePainter& painter = table.Window().Painter();
    WidgetFlightScreen screen(table.Window(), painter.Canvas());
    FlightSurface surface(screen, screen.Capture());
    const QPoint start = HandMiddle(table.Geometry(), 2) + QPoint(0, 60);
    TSprite sprite(QRect(start, QSize(table.Geometry().cell.width, table.Geometry().cell.height)),
                   {Card::Make(rank::Queen, suit::Hearts)}, painter.Art(), table.Geometry().cell.sizeClass);
    int step = 0;
    for (auto _ : state) {
        // Back and forth along one line, a pixel per frame as a flight moves.
        const int offset = step < 100 ? step : 200 - step;
        step = (step + 1) % 200;
        sprite.MoveSprite(start + QPoint(offset, offset / 2), surface);
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FlightFrame)
    ->Arg(window_size::Small)
    ->Arg(window_size::Average1)
    ->Arg(window_size::Large)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

// The longest stretch for which the event loop got no turn, measured by a 0 ms timer that
// re-arms itself from the loop.
class LoopTurns {
  public:
    LoopTurns() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longestNs_ = std::max(longestNs_, sinceTurn_.nsecsElapsed());
            sinceTurn_.start();
            timer_.start(0);
        });
        sinceTurn_.start();
        timer_.start(0);
    }
    double LongestMs() const { return static_cast<double>(longestNs_) / 1e6; }

  private:
    QTimer timer_;
    QElapsedTimer sinceTurn_;
    qint64 longestNs_ = 0;
};

// A card drawn from the deck to the own hand, the longest flight of a deal, from its start until
// `landed` comes through the event loop.
void FlyFromDeckToHand(CardFlights& flights, const TableGeometry& g, int speed, benchmark::State& state) {
    QEventLoop loop;
    if (!flights.FlyCard(g.deck.topLeft(), HandMiddle(g, 4), {Card::Empty(), true}, true, g.cell, speed,
                         [&] { loop.quit(); }))
        state.SkipWithError("the flight did not start");
    else
        loop.exec();
}

void BM_FlightAtSpeed(benchmark::State& state) {
    TableWindow table(window_size::Small);
    const int speed = static_cast<int>(state.range(0));
    WidgetFlightScreen screen(table.Window(), table.Window().Painter().Canvas());
    CardFlights flights(screen, table.Window().Painter().Art());
    std::uint64_t frames = 0;
    double seconds = 0;
    for (auto _ : state) {
        const std::uint64_t before = flights.Frames();
        QElapsedTimer clock;
        clock.start();
        FlyFromDeckToHand(flights, table.Geometry(), speed, state);
        seconds += static_cast<double>(clock.nsecsElapsed()) / 1e9;
        frames += flights.Frames() - before;
    }
    state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
    state.counters["fps"] = static_cast<double>(frames) / seconds;
    state.counters["px_per_s"] = static_cast<double>(frames * (speed == 6 ? 2 : 1)) / seconds;
}
BENCHMARK(BM_FlightAtSpeed)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same flight, with the longest time the event loop waited for a turn while it ran (input,
// timers and sockets wait at most this long). The measuring timer keeps the loop busy, so the
// flight's duration is taken from the benchmark above.
void BM_FlightLoopWait(benchmark::State& state) {
    TableWindow table(window_size::Small);
    const int speed = static_cast<int>(state.range(0));
    WidgetFlightScreen screen(table.Window(), table.Window().Painter().Canvas());
    CardFlights flights(screen, table.Window().Painter().Art());
    double longestMs = 0;
    for (auto _ : state) {
        const LoopTurns turns;
        FlyFromDeckToHand(flights, table.Geometry(), speed, state);
        longestMs = std::max(longestMs, turns.LongestMs());
    }
    state.counters["max_loop_wait_ms"] = longestMs;
}
BENCHMARK(BM_FlightLoopWait)->DenseRange(1, 6)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kesp

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
