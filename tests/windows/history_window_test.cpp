#include "windows/history_window.h"

#include <QTest>
#include <fstream>
#include <vector>

#include "tests/windows/window_test_support.h"

namespace kesp {
namespace {

using testing::App;
using testing::CountColour;

HistoryEntry Entry(std::string players, std::int64_t result, double rating, HistoryKind kind) {
    HistoryEntry entry;
    entry.Players = std::move(players);
    entry.Result = result;
    entry.Rating = rating;
    entry.Kind = kind;
    return entry;
}

void Write(const std::string& dir, std::vector<HistoryEntry> entries) {
    ASSERT_FALSE(WriteHistory(dir, entries, "09:05", "10.12.2026").has_value());
}

// The pixels of one grid row, as drawn.
QRect RowBox(const QTableWidget& grid, int row) {
    const QRect cell = grid.visualRect(grid.model()->index(row, 0));
    return {0, cell.top(), grid.viewport()->width(), cell.height()};
}

// The date keeps its year whatever the system's locale: a two-digit year fits the record's ten
// characters and the grid's date column.
TEST(HistoryWindow, TheDateColumnShowsTheWholeDateInEveryLocale) {
    App();
    testing::ClubFolder folder;
    Settings settings;
    HistoryViewerState state;
    TFHistory window(settings, folder.Dir(), state);
    const QFontMetrics cells(window.Grid()->font());
    const int column = window.Grid()->columnWidth(1);
    const QDate date(2026, 12, 10);
    for (const char* name : {"C", "en_US", "en_GB", "ru_RU", "de_DE", "fr_FR", "es_ES", "zh_TW", "it_IT",
                             "cs_CZ", "ja_JP", "ko_KR"}) {
        const QString text = HistoryShortDate(date, QLocale(QString::fromLatin1(name)));
        EXPECT_LE(text.size(), 10) << name << " " << text.toStdString();
        EXPECT_TRUE(text.contains("26")) << name << " " << text.toStdString();
        EXPECT_TRUE(text.contains("10")) << name << " " << text.toStdString();
        EXPECT_LE(cells.horizontalAdvance(text) + 2, column) << name << " " << text.toStdString();
    }
}

TEST(HistoryWindow, FillsTheGridFromTheNewestFileColouredByKind) {
    App();
    testing::ClubFolder folder;
    Write(folder.Dir(),
          {Entry("Ann", 12, 0.6, HistoryKind::Local), Entry("Bob/Cid", -7, 3.25, HistoryKind::Network),
           Entry("Ann", 30, 12.5, HistoryKind::Account), Entry("Ann", 4, 1, HistoryKind::Tournament)});
    Settings settings;
    HistoryViewerState state;
    TFHistory window(settings, folder.Dir(), state);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_EQ(window.windowTitle(), "History of games");
    ASSERT_EQ(window.Files().size(), 1u);
    EXPECT_TRUE(window.FileList()->isEnabled());
    EXPECT_TRUE(window.FileList()->item(0)->text().startsWith("File I0001 "));
    EXPECT_GT(window.FileList()->item(0)->text().size(), QString("File I0001 ").size()) << "the file's date";
    EXPECT_EQ(window.FileList()->currentRow(), 0);
    EXPECT_EQ(window.FileList()->width(), 180);
    EXPECT_EQ(window.ShownFile(), 1);
    EXPECT_EQ(state.LastFile, 1);

    QTableWidget& grid = *window.Grid();
    const char* headings[] = {"Time", "Date", "Player", "Games", "Result", "Rating", "Type"};
    const int widths[] = {45, 65, 210, 45, 55, 55, 80};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid.horizontalHeaderItem(c)->text(), headings[c]);
        EXPECT_EQ(grid.columnWidth(c), widths[c]);
    }
    ASSERT_EQ(grid.rowCount(), 4);
    const char* first[] = {"09:05", "10.12.2026", "Ann", "1", "12", "0,60", "Local"};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(grid.item(0, c)->text(), first[c]) << c;
    EXPECT_EQ(grid.item(1, 2)->text(), "Bob/Cid");
    EXPECT_EQ(grid.item(1, 4)->text(), "-7");
    EXPECT_EQ(grid.item(1, 6)->text(), "Net");
    EXPECT_EQ(grid.item(2, 6)->text(), "Account");
    EXPECT_EQ(grid.item(3, 6)->text(), "Tourney");

    // Each row's ink in its kind's colour and in no other kind's; the current row on light yellow.
    grid.setCurrentCell(2, 0);
    const QImage drawn = grid.viewport()->grab().toImage();
    const QColor green(0, 128, 0), red(255, 0, 0), blue(0, 0, 255);
    EXPECT_EQ(CountColour(drawn, RowBox(grid, 0), green) + CountColour(drawn, RowBox(grid, 0), red), 0);
    EXPECT_GT(CountColour(drawn, RowBox(grid, 1), green), 3);
    EXPECT_EQ(CountColour(drawn, RowBox(grid, 1), red), 0);
    EXPECT_GT(CountColour(drawn, RowBox(grid, 2), red), 3);
    EXPECT_GT(CountColour(drawn, RowBox(grid, 3), blue), 3);
    EXPECT_GT(CountColour(drawn, RowBox(grid, 2), TFHistory::CurrentRowColour()), 1000);
    EXPECT_EQ(CountColour(drawn, RowBox(grid, 0), TFHistory::CurrentRowColour()), 0);
    EXPECT_EQ(state.LastRow, 2);
    // The player cell starts 2 pixels in; the centred "Local" leaves the start of its cell blank.
    const auto ink = [&drawn](const QRect& area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += drawn.pixelColor(x, y).lightness() < 128;
        return dark;
    };
    const QRect player = grid.visualRect(grid.model()->index(0, 2));
    EXPECT_GT(ink(QRect(player.left() + 1, player.top() + 1, 6, player.height() - 2)), 0);
    const QRect type = grid.visualRect(grid.model()->index(0, 6));
    EXPECT_EQ(ink(QRect(type.left() + 1, type.top() + 1, 15, type.height() - 2)), 0);
    EXPECT_GT(ink(QRect(type.center().x() - 8, type.top() + 1, 16, type.height() - 2)), 0);
    testing::SaveScreenshot(window, "history_four_kinds");
}

TEST(HistoryWindow, WithoutFilesTheListSaysSoAndTheGridIsEmpty) {
    App();
    testing::ClubFolder folder;
    // A damaged first file counts as none.
    std::filesystem::create_directories(folder.Dir() + "History");
    std::ofstream(HistoryFilePath(folder.Dir(), 1)) << "garbage\r\n$\r\n1\r\n";
    for (int design : {1, 2, 3}) {
        Settings settings;
        settings.WindowDesign = design;
        HistoryViewerState state{3, 7};
        TFHistory window(settings, folder.Dir(), state);
        window.show();
        EXPECT_TRUE(window.Files().empty());
        ASSERT_EQ(window.FileList()->count(), 1);
        EXPECT_EQ(window.FileList()->item(0)->text(), "No History Files");
        EXPECT_FALSE(window.FileList()->isEnabled());
        EXPECT_EQ(window.Grid()->rowCount(), 0);
        EXPECT_EQ(window.Grid()->horizontalHeaderItem(2)->text(), "Player");
        EXPECT_EQ(window.ShownFile(), 0);
        // Variant 1 needs the graphics library, which is missing here.
        EXPECT_EQ(window.Design(), design == 1 ? 2 : design);
        EXPECT_EQ(window.height(), HistoryWindowHeight(window.Design()));
        if (design == 2) testing::SaveScreenshot(window, "history_no_files");
    }
    Settings library;
    library.LibraryDesign = true;
    HistoryViewerState state;
    EXPECT_EQ(TFHistory(library, folder.Dir(), state).Design(), 2);
    std::ofstream(folder.Dir() + "ZunCGraph1.dll") << "x";
    EXPECT_EQ(TFHistory(library, folder.Dir(), state).Design(), 4);
}

TEST(HistoryWindow, RemembersTheFileAndRowAcrossOpenings) {
    App();
    testing::ClubFolder folder;
    for (int i = 0; i < HistoryFileCapacity / 4; ++i)
        Write(folder.Dir(), std::vector<HistoryEntry>(4, Entry("Full", i, 1, HistoryKind::Local)));
    Write(folder.Dir(),
          {Entry("Second", 1, 2, HistoryKind::Local), Entry("Second", 2, 2, HistoryKind::Local)});

    Settings settings;
    HistoryViewerState state;
    {
        TFHistory window(settings, folder.Dir(), state);
        window.show();
        ASSERT_EQ(window.Files().size(), 2u);
        EXPECT_EQ(window.ShownFile(), 2) << "the newest file first";
        EXPECT_EQ(window.Grid()->rowCount(), 2);
        window.FileList()->setCurrentRow(0);  // as a click on the first file
        EXPECT_EQ(window.ShownFile(), 1);
        EXPECT_EQ(window.Grid()->rowCount(), HistoryFileCapacity);
        window.Grid()->setCurrentCell(700, 3);
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(state.LastFile, 1);
    EXPECT_EQ(state.LastRow, 700);
    {
        TFHistory window(settings, folder.Dir(), state);
        EXPECT_EQ(window.ShownFile(), 1);
        EXPECT_EQ(window.FileList()->currentRow(), 0);
        EXPECT_EQ(window.Grid()->currentRow(), 700);
        EXPECT_EQ(window.Grid()->item(700, 4)->text(), "175");
    }
    // A remembered file that is gone gives the newest; a row beyond its games is not kept.
    state.LastFile = 9;
    TFHistory window(settings, folder.Dir(), state);
    EXPECT_EQ(window.ShownFile(), 2);
    EXPECT_EQ(window.Grid()->currentRow(), 0);
}

}  // namespace
}  // namespace kesp
