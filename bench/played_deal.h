// The window's pictures of a computer-played deal, one for every change, at 760 x 500 on the
// recording felt: the same deal every run, for the benchmarks of the GIF recordings.
#pragma once

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <vector>

#include "app/main_window.h"
#include "program_folder.h"
#include "records/club.h"

namespace kesp::bench {

inline std::vector<QImage> PlayDeal(int frameCount) {
    QTemporaryDir dir;
    const QString folder = ProgramFolder(dir);
    Settings settings;
    settings.SaveGamesAsGif = true;
    SaveSettings(settings, folder.toStdString(), false);
    TForm1 window(folder.toStdString());
    window.show();
    while (window.CurrentScreen() != TForm1::Screen::Title) QApplication::processEvents();
    window.CurrentGame().SeedShuffle(2024);
    window.StartGame(member::NewPlayer, ClubMember{"Bench", 0, 0, 0, EncodePassword("b")});
    window.CurrentGame().Setup().AllComputer = true;  // from the next deal on
    window.CurrentGame().State().HumanSeat[4] = 0;    // and in this one
    auto* action = window.findChild<QPushButton*>(QStringLiteral("Button7"));
    std::vector<QImage> frames;
    for (int steps = 0; steps < 20000 && static_cast<int>(frames.size()) < frameCount &&
                        window.CurrentScreen() == TForm1::Screen::Table;
         ++steps) {
        QApplication::processEvents();  // flights and sounds end from the event loop
        if (action->isVisible() && action->isEnabled())
            action->click();
        else
            window.CurrentGame().GameTick();
        QImage frame = window.grab().toImage();
        if (frames.empty() || frame != frames.back()) frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace kesp::bench
