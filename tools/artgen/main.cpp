// kesp-artgen: draws the program's own pictures into a folder and writes the resource file that
// lists them. Usage: kesp-artgen <folder> [<contact sheet .png>]
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "artgen.h"

namespace artgen {

QImage ContactSheet(const QString& folder) {
    const QDir dir(folder);
    auto load = [&](const QString& name) { return QImage(dir.filePath(name.toUpper() + ".png")); };
    const char* suits[4] = {"CH", "BU", "KR", "PI"};
    const char* ranks[9] = {"06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
    const char* backs[7] = {"OB01MO", "OB02TU", "OB03WE", "OB04TH", "OB05FR", "OB06SU", "OB07SU"};
    const int gap = 10;
    const int width = gap + 9 * (146 + gap);
    const int height =
        gap + 4 * (198 + gap) + (198 + gap) + (146 + gap) + 4 * (96 + gap) + (96 + gap) + 71 + gap;
    QImage sheet(width, height, QImage::Format_RGB32);
    const QImage felt = QImage(dir.filePath("FONGB.jpg"));
    QPainter p(&sheet);
    if (!felt.isNull())
        p.drawImage(sheet.rect(), felt);
    else
        sheet.fill(QColor(0, 110, 40));
    int y = gap;
    for (int s = 0; s < 4; ++s, y += 198 + gap)
        for (int r = 0; r < 9; ++r)
            p.drawImage(gap + r * (146 + gap), y, load(QString(suits[s]) + ranks[r] + "B"));
    for (int b = 0; b < 7; ++b) p.drawImage(gap + b * (146 + gap), y, load(QString(backs[b]) + "B"));
    y += 198 + gap;
    for (int b = 0; b < 6; ++b) p.drawImage(gap + b * (198 + gap), y, load(QString(backs[b]) + "RB"));
    y += 146 + gap;
    // The small faces inside the table's frame of black lines with open corners.
    auto framed = [&](int x, int yy, const QImage& image, bool turned) {
        const int w = turned ? 96 : 71, h = turned ? 71 : 96;
        p.setPen(Qt::black);
        p.drawLine(x + 2, yy, x + w - 3, yy);
        p.drawLine(x + 2, yy + h - 1, x + w - 3, yy + h - 1);
        p.drawLine(x, yy + 2, x, yy + h - 3);
        p.drawLine(x + w - 1, yy + 2, x + w - 1, yy + h - 3);
        p.drawImage(x + 1, yy + 1, image);
    };
    for (int s = 0; s < 4; ++s, y += 96 + gap)
        for (int r = 0; r < 9; ++r)
            framed(gap + r * (71 + gap), y, load(QString(suits[s]) + ranks[r]), false);
    for (int b = 0; b < 7; ++b) framed(gap + b * (71 + gap), y, load(backs[b]), false);
    y += 96 + gap;
    for (int b = 0; b < 7; ++b) framed(gap + b * (96 + gap), y, load(QString(backs[b]) + "R"), true);
    return sheet;
}

}  // namespace artgen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kesp-artgen <folder> [<contact sheet .png>]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kesp-artgen: cannot create %s\n", argv[1]);
        return 1;
    }
    artgen::ArtWriter out(folder);
    artgen::DrawCards(out);
    artgen::DrawTable(out);
    artgen::DrawControls(out);
    artgen::DrawOnlineBadges(out);
    artgen::DrawAnimations(out);
    artgen::DrawAccountArt(out);
    artgen::DrawWorldArt(out);
    artgen::DrawStatisticsArt(out);
    artgen::DrawCounterArt(out);
    artgen::DrawTournamentArt(out);
    artgen::DrawMoveClockArt(out);
    if (!out.ok() || !out.WriteQrc(QDir(folder).filePath("kesp_art.qrc"))) {
        std::fprintf(stderr, "kesp-artgen: writing the pictures failed\n");
        return 1;
    }
    if (argc >= 3 && !artgen::ContactSheet(folder).save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "kesp-artgen: cannot write the contact sheet\n");
        return 1;
    }
    return 0;
}
