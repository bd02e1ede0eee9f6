// kesp-libgen: draws the optional resource libraries and packs each with rcc into the folder given:
// "ZunCards06A.dll", "ZunCards06B.dll", "ZunCards06C.dll" (face sets and back styles),
// "ZunBackG03.dll" (backgrounds) and "ZunCGraph1.dll" (the graphics design). The pictures are
// drawn on all cores, in parts that each write into their library's folder.
// Usage: kesp-libgen <work folder> <output folder>
#include <QDir>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "library.h"
#include "library_pack.h"
#include "presentation/art_names.h"

namespace {

struct Part {
    int library;  // index into kLibraries
    std::function<void(artgen::ArtWriter&)> draw;
};

const std::string_view kLibraries[5] = {kesp::kCardsLibraryA, kesp::kCardsLibraryB, kesp::kCardsLibraryC,
                                        kesp::kBackgroundLibrary, kesp::kGraphicsLibrary};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: kesp-libgen <work folder> <output folder>\n");
        return 2;
    }
    const QDir work(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    using namespace artgen;
    // The parts, the biggest first so the cores finish together.
    const std::vector<Part> parts = {
        {0, [](ArtWriter& out) { DrawFaceDecks(out, 1, 8); }},
        {0, [](ArtWriter& out) { DrawFaceDecks(out, 9, 16); }},
        {0, [](ArtWriter& out) { DrawFaceDecks(out, 17, 24); }},
        {0, [](ArtWriter& out) { DrawFaceDecks(out, 25, 31); }},
        {1, [](ArtWriter& out) { DrawFaceDecks(out, 32, 39); }},
        {2, [](ArtWriter& out) { DrawFaceDecks(out, 40, 47); }},
        {3, [](ArtWriter& out) { DrawBackgrounds(out, 1, 5); }},
        {3, [](ArtWriter& out) { DrawBackgrounds(out, 6, 10); }},
        {1, [](ArtWriter& out) { DrawLibraryBacks(out, 0, 6); }},
        {1, [](ArtWriter& out) { DrawLibraryBacks(out, 7, 12); }},
        {4, [](ArtWriter& out) { DrawGraphicsLibrary(out); }},
    };
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "kesp-libgen: cannot create %s\n", argv[2]);
        return 1;
    }
    std::vector<QString> folders;
    for (std::string_view library : kLibraries) {
        folders.push_back(work.filePath(QString::fromLatin1(library.data(), qsizetype(library.size()))));
        if (!QDir().mkpath(folders.back())) {
            std::fprintf(stderr, "kesp-libgen: cannot create %s\n", qPrintable(folders.back()));
            return 1;
        }
    }
    std::vector<artgen::ArtWriter> writers;
    for (const Part& part : parts) writers.emplace_back(folders[part.library]);
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < parts.size(); i = next++) parts[i].draw(writers[i]);
    };
    const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> threads;
    for (unsigned i = 1; i < cores; ++i) threads.emplace_back(worker);
    worker();
    for (std::thread& t : threads) t.join();

    for (int library = 0; library < 5; ++library) {
        artgen::ArtWriter all(folders[library]);
        for (size_t i = 0; i < parts.size(); ++i)
            if (parts[i].library == library) all.Absorb(writers[i]);
        const QString qrc = QDir(folders[library]).filePath(QStringLiteral("library.qrc"));
        const QString file = output.filePath(
            QString::fromLatin1(kLibraries[library].data(), qsizetype(kLibraries[library].size())));
        QString error;
        if (!all.ok() || !all.WriteQrc(qrc) || !kesp::PackResourceList(qrc, file, error)) {
            std::fprintf(stderr, "kesp-libgen: %s: %s\n", qPrintable(file),
                         error.isEmpty() ? "writing the pictures failed" : qPrintable(error));
            return 1;
        }
    }
    return 0;
}
