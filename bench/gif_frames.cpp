// Writes the frames of one computer-played deal as PNG files and the game's GIF of them, for
// bench/gif_size.sh, which sets them against ImageMagick's GIF of the same frames. Prints the
// file's size, the whole work of the recording (every frame given to the recorder, then the file
// made) and the save at the end of the deal, when the frames were handed over while it was played;
// the times are medians of the runs.
//   QT_QPA_PLATFORM=offscreen build/bench/gif_frames OUT_FOLDER [frames] [runs]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

#include "played_deal.h"
#include "presentation/gif_recorder.h"
#include "records/atomic_file.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gif_frames OUT_FOLDER [frames] [runs]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const int frameCount = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, kesp::GifRecorder::kMaxFrames) : 150;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    if (!out.mkpath(QStringLiteral("."))) return 1;

    const std::vector<QImage> frames = kesp::bench::PlayDeal(frameCount);
    for (std::size_t i = 0; i < frames.size(); ++i)
        if (!frames[i].save(out.filePath(QStringLiteral("frame_%1.png").arg(i, 3, 10, QLatin1Char('0')))))
            return 1;

    kesp::GifRecorder recorder;
    std::string bytes;
    std::vector<double> whole, save;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        recorder.Start(1000);
        for (const QImage& frame : frames) recorder.AddFrame(frame);
        bytes = recorder.Finish();
        whole.push_back(Milliseconds(clock));

        recorder.Start(1000);
        for (const QImage& frame : frames) recorder.AddFrame(frame);
        recorder.WaitForWorker();
        clock.restart();
        bytes = recorder.Finish();
        save.push_back(Milliseconds(clock));
    }
    if (bytes.empty() ||
        !kesp::WriteFileAtomically(out.filePath(QStringLiteral("kesp.gif")).toStdString(), bytes))
        return 1;
    std::printf("frames %zu\nkesp_bytes %zu\nrecord_ms %.1f\nsave_ms %.1f\n", frames.size(), bytes.size(),
                Median(whole), Median(save));
    return 0;
}
