#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "records/atomic_file.h"
#include "records/club_text.h"
#include "records/history.h"
#include "records/history_list.h"

namespace kesp {
namespace fs = std::filesystem;
namespace {

HistoryEntry Game(std::string players, std::int64_t result = 12, double rating = 0.6,
                  HistoryKind kind = HistoryKind::Local) {
    return {std::move(players), 1, result, rating, kind};
}

// A valid history file of `records` games, built line by line.
std::string HistoryFileOf(int records, const std::string& name = "Ann") {
    std::string bytes;
    Checksums totals;
    for (int i = 0; i <= records; ++i) {
        const std::string line =
            i < records ? HistoryRecordLine(Game(name, i), "10:00", "01.02.2024") : HistoryEndLine();
        totals += HistoryLineSums(line);
        bytes += line + "\r\n";
    }
    return bytes + HistoryTotalsLine(totals) + "\r\n";
}

class HistoryFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kesp-history-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(int number) const { return HistoryFilePath(dir.string(), number); }
    void Put(int number, const std::string& bytes) {
        fs::create_directories(dir / "History");
        ASSERT_TRUE(WriteFileAtomically(Path(number), bytes));
    }
    std::optional<RecordMessage> Write(const HistoryEntry& entry) {
        return WriteHistory(dir.string(), std::span(&entry, 1), "11:30", "02.03.2024");
    }
    int Records(int number) const {
        const HistoryFileCheck check = CheckHistoryFile(dir.string(), number);
        return check.Valid ? check.Records : -1;
    }

    fs::path dir;
};

}  // namespace

TEST(HistoryLines, GoldenBytes) {
    EXPECT_EQ(
        HistoryRecordLine(Game("Ann"), "09:05", "05.03.2024"),
        "09:0505.03.2024Ann                                                  1        12      0,60L#########"
        "038220191601329");
    EXPECT_EQ(HistoryEndLine(), "$\x88}" + std::string(96, '#') + "036570181601245");
    EXPECT_EQ(HistoryTotalsLine({1, 22, 333}), "000000000100000000220000000333");
    EXPECT_EQ(HistoryFilePath("/opt/kesp/", 7), "/opt/kesp/History/Kesp_I0007.hst");
}

TEST(HistoryLines, FieldsKeepTheirPlaces) {
    struct Case {
        HistoryEntry entry;
        std::string time, date;
        std::size_t first, length;  // 1-based field
        std::string field;
    } cases[] = {
        {Game("Ann"), "9:05", "x", 1, 5, " 9:05"},
        {Game("Ann"), "09:05:33", "x", 1, 5, "09:05"},
        {Game("Ann"), "$9:05", "x", 1, 5, " 9:05"},  // never taken for the end line
        {Game("Ann"), "t", "5.3.24", 6, 10, "    5.3.24"},
        {Game("Ann"), "t", "Tuesday, 5 March 2024", 6, 10, "Tuesday, 5"},  // a long date is cut
        {Game("Ann"), "t", "05 мар 24", 6, 10, " 05 \xEC\xE0\xF0 24"},
        {Game(std::string(60, 'x')), "t", "d", 16, 51, std::string(51, 'x')},
        {Game("Me/You/Him"), "t", "d", 16, 51, LeftAligned("Me/You/Him", 51)},
        {Game("Bad\r\nName"), "t", "d", 16, 10, "Bad  Name "},  // line ends cannot break the line
        {Game("Ann", -165), "t", "d", 70, 10, "      -165"},
        {Game("Ann", 1, -499.96, HistoryKind::Account), "t", "d", 80, 20, "   -499,96A#########"},
        {Game("Ann", 1, 1.25, HistoryKind::Tournament), "t", "d", 80, 20, "      1,25T#########"},
        {Game("Ann", 1, 0, HistoryKind::Network), "t", "d", 80, 20, "      0,00N#########"},
        {Game("Ann", 1, 1e30), "t", "d", 80, 10, "9999999,99"},
    };
    for (const auto& c : cases) {
        const std::string line = HistoryRecordLine(c.entry, c.time, c.date);
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), HistoryLineLength);
        EXPECT_EQ(line.substr(c.first - 1, c.length), c.field);
    }
    const std::string names[] = {"Ann   ", "Bob", "Carl  "};
    EXPECT_EQ(HistoryPlayers(names), "Ann/Bob/Carl");
}

TEST(HistoryCheck, ValidFileAndItsDamage) {
    const std::string good = HistoryFileOf(3);
    EXPECT_EQ(CheckHistoryText(good).Valid, true);
    EXPECT_EQ(CheckHistoryText(good).Records, 3);
    EXPECT_EQ(CheckHistoryText(HistoryFileOf(0)).Records, 0);

    const std::size_t line = HistoryLineLength + 2;
    std::string oneByte = good;
    oneByte[line + 20] ^= 0x01;
    std::string shortRecord = good;
    shortRecord.erase(line + 113, 1);
    std::string noEnd = good;
    noEnd.erase(3 * line, line);
    std::string badTotals = good;
    badTotals[badTotals.size() - 3] = badTotals[badTotals.size() - 3] == '9' ? '8' : '9';
    std::string letters = good;
    letters.replace(letters.size() - 12, 10, "abcdefghij");

    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {{"one byte changed", oneByte},
                 {"record of 113 characters", shortRecord},
                 {"no end line", noEnd},
                 {"no totals line", good.substr(0, good.size() - 32)},
                 {"short totals line", good.substr(0, good.size() - 3)},
                 {"totals changed", badTotals},
                 {"totals not numbers", letters},
                 {"empty", ""},
                 {"cut in a record", good.substr(0, 200)}};
    for (const auto& c : cases) EXPECT_FALSE(CheckHistoryText(c.bytes).Valid) << c.what;

    // The line's own stored sums are not part of the check; lines may be longer than 114.
    std::string storedSums = good;
    storedSums[line + 105] = storedSums[line + 105] == '1' ? '2' : '1';
    EXPECT_TRUE(CheckHistoryText(storedSums).Valid);
    std::string lf = good;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    EXPECT_TRUE(CheckHistoryText(lf).Valid);
}

TEST_F(HistoryFiles, FirstWriteCreatesFolderAndFile) {
    EXPECT_EQ(Write(Game("Ann")), std::nullopt);
    const auto bytes = ReadWholeFile(Path(1));
    ASSERT_TRUE(bytes);
    const std::string record = HistoryRecordLine(Game("Ann"), "11:30", "02.03.2024");
    Checksums totals = HistoryLineSums(record);
    totals += HistoryLineSums(HistoryEndLine());
    EXPECT_EQ(*bytes, record + "\r\n" + HistoryEndLine() + "\r\n" + HistoryTotalsLine(totals) + "\r\n");
    EXPECT_EQ(Write(Game("Bob")), std::nullopt);
    EXPECT_EQ(Records(1), 2);
    const auto rows = ReadHistoryRows(dir.string(), 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Cells[2], "Bob");
}

TEST_F(HistoryFiles, FullFilesRollOverAndDamagedFilesAreReplaced) {
    // 0001 full and 0002 with 12 games: the next game goes into 0002.
    Put(1, HistoryFileOf(HistoryFileCapacity));
    Put(2, HistoryFileOf(12));
    EXPECT_EQ(Write(Game("Ann")), std::nullopt);
    EXPECT_EQ(Records(1), HistoryFileCapacity);
    EXPECT_EQ(Records(2), 13);

    // 0002 damaged by one byte: the viewer lists only 0001, the next game starts a new 0002.
    std::string damaged = *ReadWholeFile(Path(2));
    damaged[50] ^= 0x20;
    Put(2, damaged);
    EXPECT_EQ(ListHistoryFiles(dir.string(), {}).size(), 1u);
    EXPECT_EQ(Write(Game("Zed")), std::nullopt);
    EXPECT_EQ(Records(2), 1);
    EXPECT_EQ(ReadHistoryRows(dir.string(), 2)[0].Cells[2], "Zed");

    // 839 games: the 840th still fits, the 841st opens 0003.
    Put(2, HistoryFileOf(HistoryFileCapacity - 1));
    EXPECT_EQ(Write(Game("Ann")), std::nullopt);
    EXPECT_EQ(Records(2), HistoryFileCapacity);
    EXPECT_EQ(Write(Game("Ann")), std::nullopt);
    EXPECT_EQ(Records(3), 1);
    EXPECT_EQ(Records(1), HistoryFileCapacity);
}

TEST_F(HistoryFiles, AppendKeepsOldLinesAndStaysValid) {
    // A line whose stored sums were altered passes the check; appending must not spoil the file.
    std::string file = HistoryFileOf(2);
    file[HistoryLineLength + 2 + 104] = file[HistoryLineLength + 2 + 104] == '1' ? '2' : '1';
    Put(1, file);
    const HistoryEntry four[] = {Game("A"), Game("B"), Game("C"), Game("D"), Game("E")};
    EXPECT_EQ(WriteHistory(dir.string(), four, "11:30", "02.03.2024"), std::nullopt);
    EXPECT_EQ(Records(1), 6);  // at most four entries at once
    const auto bytes = ReadWholeFile(Path(1));
    EXPECT_EQ(bytes->substr(0, 2 * (HistoryLineLength + 2)), file.substr(0, 2 * (HistoryLineLength + 2)));
}

TEST_F(HistoryFiles, FailedWriteGivesTheMessage) {
    ASSERT_TRUE(WriteFileAtomically((dir / "History").string(), "not a folder"));
    const auto message = Write(Game("Ann"));
    ASSERT_TRUE(message);
    EXPECT_EQ(MessageText(*message), "Cann`t save history!");
}

TEST_F(HistoryFiles, ViewerListAndRows) {
    EXPECT_TRUE(ListHistoryFiles(dir.string(), {}).empty());
    EXPECT_EQ(ChooseHistoryFile({}, 0), 0);
    EXPECT_TRUE(ReadHistoryRows(dir.string(), 1).empty());

    Put(1, HistoryFileOf(1));
    Put(2, HistoryFileOf(2, "Ann/Bob"));
    Put(3, "broken");
    Put(4, HistoryFileOf(1));
    const auto items = ListHistoryFiles(dir.string(), [](std::time_t) { return std::string("01.02.2024"); });
    ASSERT_EQ(items.size(), 2u);  // the list stops at the first invalid file
    EXPECT_EQ(items[0].Text, "File I0001 01.02.2024");
    EXPECT_EQ(items[1].Number, 2);
    EXPECT_EQ(ChooseHistoryFile(items, 0), 2);
    EXPECT_EQ(ChooseHistoryFile(items, 1), 1);
    EXPECT_EQ(ChooseHistoryFile(items, 4), 2);
    EXPECT_EQ(HistoryListWidth(16), 180);
    EXPECT_EQ(HistoryListWidth(17), 193);

    Put(5, HistoryFileOf(0));
    const HistoryEntry kinds[] = {Game("Ann", -7, 0.6), Game("Ann", 1, 40.04, HistoryKind::Account),
                                  Game("Ann", 3, 2, HistoryKind::Tournament),
                                  Game("Ann/Bob", 4, 1, HistoryKind::Network)};
    std::string bytes;
    Checksums totals;
    for (const auto& k : kinds) {
        const std::string line = HistoryRecordLine(k, "9:05", "2.3.24");
        totals += HistoryLineSums(line);
        bytes += line + "\r\n";
    }
    totals += HistoryLineSums(HistoryEndLine());
    bytes += HistoryEndLine() + "\r\n" + HistoryTotalsLine(totals) + "\r\n";
    const auto rows = HistoryRows(bytes);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Cells,
              (std::array<std::string, 7>{"9:05", "2.3.24", "Ann", "1", "-7", "0,60", "Local"}));
    EXPECT_EQ(rows[1].Cells[6], "Account");
    EXPECT_EQ(rows[1].Cells[5], "40,04");
    EXPECT_EQ(rows[2].Cells[6], "Tourney");
    EXPECT_EQ(rows[3].Cells[6], "Net");
    EXPECT_EQ(rows[3].Kind, HistoryKind::Network);
    EXPECT_EQ(rows[3].Cells[2], "Ann/Bob");
}

}  // namespace kesp
