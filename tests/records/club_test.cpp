#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "records/atomic_file.h"
#include "records/checksums.h"
#include "records/club.h"
#include "records/club_list.h"
#include "records/club_text.h"
#include "records/game_finished.h"
#include "records/history_list.h"

namespace kesp {
namespace fs = std::filesystem;
namespace {

ClubMember Member(std::string name, std::int64_t rating, std::int64_t games = 3, std::int64_t total = 0) {
    return {std::move(name), rating, games, total, EncodePassword("pw")};
}

// A sound club: members A..E with ratings 5, 4, 3, 2, 1 and a top ten of 150, 120, 100, 90, ...
ClubFile SampleClub() {
    ClubFile club;
    const char* names[] = {"Alice", "Bob", "Carol", "Dave", "Eve"};
    for (int i = 1; i <= 5; ++i) club.Line[i] = FormatMemberLine(Member(names[i - 1], (6 - i) * RatingUnit));
    const int scores[] = {150, 120, 100, 90, 80, 70, 60, 50, 40, 30};
    for (int i = 0; i < 10; ++i)
        club.Line[6 + i] = FormatTopTenLine("Top" + std::to_string(i + 1), scores[i]);
    club.Line[16] = std::string(ClubMarker) + std::string(26, '#');
    club.Line[17] = "0     abc" + std::string(19, '0');
    return club;
}

std::vector<std::string> Names(const ClubFile& club, int first, int last) {
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i) names.emplace_back(TrimBlanks(club.Line[i].substr(0, 20)));
    return names;
}

class ClubFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("kesp-club-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
        Write(LocalClubFileName, SampleClub());
        Write(NetworkClubFileName, SampleClub());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(std::string_view name) const { return dir / name; }
    void Write(std::string_view name, const ClubFile& club) {
        ASSERT_TRUE(WriteFileAtomically(Path(name), ClubFileBytes(club)));
    }
    void WriteBytes(std::string_view name, const std::string& bytes) {
        ASSERT_TRUE(WriteFileAtomically(Path(name), bytes));
    }
    ClubFile Load(std::string_view name) const {
        const auto loaded = LoadClubFile(Path(name));
        EXPECT_TRUE(loaded.File.has_value());
        return loaded.File.value_or(ClubFile{});
    }

    fs::path dir;
};

}  // namespace

TEST(Checksums, SumsAllEvenAndThirdPositions) {
    // a b c d e f = 97..102: every byte, positions 2 4 6, positions 3 6.
    EXPECT_EQ(ComputeChecksums("abcdef"), (Checksums{597, 300, 201}));
    EXPECT_EQ(ComputeChecksums("\xFF"), (Checksums{255, 0, 0}));  // bytes count unsigned
}

TEST(ClubRecord, MemberLineGoldenBytes) {
    struct Case {
        ClubMember member;
        std::string line;
    } cases[] = {
        {{"Ann", 600'000, 1, 12, EncodePassword("ab")},
         "Ann                   0,600000      1     12444445379379379"},
        {{"", 0, 0, 0, EncodePassword("")},
         std::string(20, ' ') + "  0,000000      0      0" + "379379379379379"},
        {{"Neg", -3'500'000, 7, -120, EncodePassword("")},
         "Neg                  -3,500000      7   -120379379379379379"},
        // Values too wide for their fields are held at the field's limit, never widen the line.
        {{"A name longer than twenty", 123'400'000, 123'456'789, 1'234'567, EncodePassword("")},
         "A name longer than t 99,9900009999999 999999379379379379379"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(FormatMemberLine(c.member), c.line);
        EXPECT_EQ(FormatMemberLine(c.member).size(), MemberLineLength);
    }
    const ClubMember back = ParseMemberLine(cases[2].line);
    EXPECT_EQ(back.Rating, -3'500'000);
    EXPECT_EQ(back.Games, 7);
    EXPECT_EQ(back.Total, -120);
    EXPECT_EQ(FormatTopTenLine("Ann", 120), "Ann" + std::string(20, ' ') + "120");
    EXPECT_EQ(EmptySlotLine(), std::string(37, '#') + " " + std::string(21, '#'));
}

TEST(ClubRecord, CyrillicNameIsOneBytePerCharacter) {
    const std::string line = FormatMemberLine(Member("Иван", 0));
    ASSERT_EQ(line.size(), MemberLineLength);
    EXPECT_EQ(line.substr(0, 4), "\xC8\xE2\xE0\xED");
    EXPECT_EQ(ParseMemberLine(line).Name, "Иван" + std::string(16, ' '));
}

TEST(ClubRecord, PasswordCode) {
    // Two characters: their codes, then three times the code of a blank.
    const std::string code = EncodePassword("ab");
    EXPECT_EQ(code, std::to_string('a' + PasswordCodeOffset) + std::to_string('b' + PasswordCodeOffset) +
                        std::string("379379379"));
    EXPECT_EQ(DecodePassword(code), "ab   ");
    EXPECT_TRUE(PasswordMatches("ab", code));
    EXPECT_TRUE(PasswordMatches("ab ", code));
    EXPECT_FALSE(PasswordMatches("abc", code));
    EXPECT_FALSE(PasswordMatches("", code));
    // Every byte value keeps three digits; longer passwords are cut to five characters.
    EXPECT_EQ(EncodePassword("яяяяяя"), "602602602602602");
    EXPECT_EQ(DecodePassword("602602602602602"), "яяяяя");
    EXPECT_EQ(DecodePassword("99960260260260"), std::nullopt);
    EXPECT_EQ(DecodePassword("###############"), std::nullopt);
    EXPECT_FALSE(PasswordMatches("", "###############"));
}

TEST(ClubRecord, RatingUpdate) {
    struct Case {
        std::int64_t old;
        std::int64_t gameNo;
        std::int64_t result;
        std::int64_t rating;
    } cases[] = {
        {0, 1, 12, 600'000},          // 12 / 20
        {600'000, 2, -12, 0},         // the mean of 0.6 and -0.6
        {1'000'000, 3, 10, 833'333},  // (2 + 0.5) / 3
        {1'000'000, 3, 20, 1'000'000},
        {1, 2, 0, 0},  // 0.5 millionth rounds to the even 0
        {3, 2, 0, 2},  // 1.5 to 2
        {-3, 2, 0, -2},
        {0, 1, 2468, RatingLimit},  // 123.4 is held at 99.99
        {0, 1, -5000, -RatingLimit},
        {RatingLimit, 2, -1999, 20'000},  // (99.99 - 99.95) / 2
        {500'000, 0, 10, 500'000},        // a game number below 1 counts as 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.old << " " << c.gameNo << " " << c.result);
        EXPECT_EQ(UpdateRating(c.old, c.gameNo, c.result), c.rating);
    }
    EXPECT_EQ(FormatMemberLine(Member("X", UpdateRating(0, 1, 2468))).substr(20, 10), " 99,990000");
}

TEST(ClubRecord, ShapeAndChecksums) {
    const std::string bytes = ClubFileBytes(SampleClub());
    ASSERT_EQ(bytes.size(), 5 * 61 + 10 * 28 + 2 * 30);
    const auto club = ParseClubShape(bytes);
    ASSERT_TRUE(club);
    EXPECT_TRUE(IsSoundClub(*club));
    // Line 17 keeps its first ten characters and carries A, B and C in six digits each.
    const Checksums sums = ClubChecksums(*club);
    char expected[32];
    std::snprintf(expected, sizeof expected, "0     abc0%06llu%06llu%06llu",
                  static_cast<unsigned long long>(sums.A), static_cast<unsigned long long>(sums.B),
                  static_cast<unsigned long long>(sums.C));
    EXPECT_EQ(club->Line[17], expected);

    // Line ends as a text reader sees them; the same lines give the same club.
    std::string lf = bytes;
    for (std::size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
    EXPECT_TRUE(ParseClubShape(lf));
    EXPECT_FALSE(ParseClubShape(bytes + "\r\n"));                          // an 18th line
    EXPECT_FALSE(ParseClubShape(bytes.substr(0, bytes.size() - 2 - 28)));  // 16 lines
}

TEST_F(ClubFiles, StartUpCheckAcceptsSoundFiles) {
    const ClubCheckResult r = CheckClubFiles(dir.string());
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_TRUE(r.ClubWritable);
    EXPECT_FALSE(r.RussianInterface);
    EXPECT_EQ(r.Tag, "abc");
    EXPECT_TRUE(r.StartReportAllowed());
}

TEST_F(ClubFiles, StartUpCheckRejectsDamagedFiles) {
    const std::string good = ClubFileBytes(SampleClub());
    const std::size_t line3 = 2 * 61;
    std::string shortLine = good;
    shortLine.erase(line3 + 58, 1);  // line 3 of 58 characters
    std::string renamed = good;
    renamed[line3] = 'K';  // one character of a name, checksums not recomputed
    std::string sumChanged = good;
    sumChanged[good.size() - 3] = sumChanged[good.size() - 3] == '0' ? '1' : '0';
    ClubFile noMarker = SampleClub();
    noMarker.Line[16][0] = '#';  // checksums recomputed, marker missing
    ClubFile badSums = SampleClub();
    std::string letters = ClubFileBytes(badSums);
    letters.replace(letters.size() - 20, 6, "abcdef");  // a checksum that is not a number

    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {{"line of 58", shortLine},          {"one byte changed", renamed},
                 {"checksum changed", sumChanged},   {"no marker", ClubFileBytes(noMarker)},
                 {"checksum not a number", letters}, {"empty file", ""},
                 {"eighteen lines", good + "x\r\n"}};
    for (const bool network : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (network ? " net" : " clb"));
            const std::string_view name = network ? NetworkClubFileName : LocalClubFileName;
            WriteBytes(name, c.bytes);
            const ClubCheckResult r = CheckClubFiles(dir.string());
            EXPECT_FALSE(r.Ok);
            ASSERT_EQ(r.Messages.size(), 1u);
            EXPECT_EQ(r.Messages[0], (RecordMessage{RecordMessageKind::IncorrectFile, Path(name)}));
            EXPECT_EQ(MessageText(r.Messages[0]), "The incorrect file \"" + Path(name) + "\"!");
            WriteBytes(name, good);
        }
}

TEST_F(ClubFiles, StartUpCheckReportsMissingFile) {
    fs::remove(Path(NetworkClubFileName));
    const ClubCheckResult r = CheckClubFiles(dir.string() + "/");
    EXPECT_FALSE(r.Ok);
    ASSERT_EQ(r.Messages.size(), 1u);
    EXPECT_EQ(MessageText(r.Messages[0]), "Can`t find the file \"" + Path(NetworkClubFileName) + "\"!");
}

TEST_F(ClubFiles, LanguageSwitchAndTag) {
    ClubFile local = SampleClub();
    local.Line[17][0] = '1';
    Write(LocalClubFileName, local);
    ClubFile net = SampleClub();
    net.Line[17].replace(6, 3, "idd");
    Write(NetworkClubFileName, net);
    ClubCheckResult r = CheckClubFiles(dir.string());
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.RussianInterface);
    EXPECT_EQ(r.Tag, "idd");
    EXPECT_FALSE(r.StartReportAllowed());

    // Only the local file switches the language, and the tag of the local file does not count.
    Write(LocalClubFileName, net);
    Write(NetworkClubFileName, local);
    r = CheckClubFiles(dir.string());
    EXPECT_FALSE(r.RussianInterface);
    EXPECT_EQ(r.Tag, "abc");
}

TEST_F(ClubFiles, ReadOnlyFiles) {
    // A read-only network club: the message, and no club file is written during the run.
    fs::permissions(Path(NetworkClubFileName), fs::perms::owner_read);
    ClubCheckResult r = CheckClubFiles(dir.string());
    EXPECT_TRUE(r.Ok);
    EXPECT_FALSE(r.ClubWritable);
    ASSERT_EQ(r.Messages.size(), 1u);
    EXPECT_EQ(MessageText(r.Messages[0]), "The file \"" + Path(NetworkClubFileName) +
                                              "\" has incorrect attributes!\nThe work of the program will be "
                                              "incorrect!");
    const auto before = ReadWholeFile(Path(LocalClubFileName));
    EXPECT_EQ(RemoveMember(Path(LocalClubFileName), 1, r.ClubWritable), std::nullopt);
    EXPECT_EQ(ReadWholeFile(Path(LocalClubFileName)), before);

    // A read-only local club beside a writable network club: the message, writing stays allowed
    // and writing the read-only file fails with the disk-writing message, the file untouched.
    fs::permissions(Path(NetworkClubFileName), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(Path(LocalClubFileName), fs::perms::owner_read);
    r = CheckClubFiles(dir.string());
    EXPECT_TRUE(r.Ok);
    EXPECT_TRUE(r.ClubWritable);
    ASSERT_EQ(r.Messages.size(), 1u);
    EXPECT_EQ(r.Messages[0].Kind, RecordMessageKind::IncorrectAttributes);
    const auto message = RemoveMember(Path(LocalClubFileName), 1, r.ClubWritable);
    ASSERT_TRUE(message);
    EXPECT_EQ(MessageText(*message), "Error of disk writing!");
    EXPECT_EQ(ReadWholeFile(Path(LocalClubFileName)), before);
}

TEST(ClubEdit, RemoveMemberMovesTheOthersUp) {
    ClubFile club = SampleClub();
    RemoveMember(club, 3);
    EXPECT_EQ(Names(club, 1, 4), (std::vector<std::string>{"Alice", "Bob", "Dave", "Eve"}));
    EXPECT_EQ(club.Line[5], EmptySlotLine());
    RemoveMember(club, 4);
    EXPECT_EQ(club.Line[4], EmptySlotLine());
    EXPECT_EQ(club.Line[5], EmptySlotLine());
    const ClubFile before = club;
    for (int k : {6, 7, 8, 0}) RemoveMember(club, k);
    EXPECT_EQ(ClubFileBytes(club), ClubFileBytes(before));
}

TEST(ClubEdit, StoreMemberRanksByRatingTiesToTheNewcomer) {
    // The best member finishes a game below member 2: Bob moves up, Alice to line 2.
    ClubFile club = SampleClub();
    RemoveMember(club, 1);
    StoreMember(club, Member("Alice", 4'000'000), false);
    EXPECT_EQ(Names(club, 1, 5), (std::vector<std::string>{"Alice", "Bob", "Carol", "Dave", "Eve"}));
    RemoveMember(club, 1);
    StoreMember(club, Member("Alice", 3'999'999), false);
    EXPECT_EQ(Names(club, 1, 5), (std::vector<std::string>{"Bob", "Alice", "Carol", "Dave", "Eve"}));

    // A newcomer pushes the fifth member out, even when rated below everybody.
    StoreMember(club, Member("New", -50'000'000), false);
    EXPECT_EQ(Names(club, 1, 5), (std::vector<std::string>{"Bob", "Alice", "Carol", "Dave", "New"}));

    // Empty slots are filled from the top.
    ClubFile empty = SampleClub();
    for (int i = 1; i <= 5; ++i) empty.Line[i] = EmptySlotLine();
    StoreMember(empty, Member("Solo", -1), false);
    EXPECT_EQ(Names(empty, 1, 1), std::vector<std::string>{"Solo"});
    EXPECT_TRUE(IsEmptySlot(empty.Line[2]));
}

TEST(ClubEdit, CycleTotalEntersTheTopTen) {
    // 120 against 150, 120, 100, ...: place 2 above the old 120, the old tenth is lost.
    ClubFile club = SampleClub();
    const TopTenPlace p = StoreMember(club, Member("Ann", 9 * RatingUnit, 25, 120), true);
    EXPECT_EQ(p.Place, 2);
    EXPECT_EQ(p.Score, 120);
    EXPECT_EQ(Names(club, 6, 15), (std::vector<std::string>{"Top1", "Ann", "Top2", "Top3", "Top4", "Top5",
                                                            "Top6", "Top7", "Top8", "Top9"}));
    EXPECT_EQ(club.Line[7], "Ann" + std::string(20, ' ') + "120");
    // The record goes in with its total started again from zero.
    EXPECT_EQ(club.Line[1].substr(0, 3), "Ann");
    EXPECT_EQ(club.Line[1].substr(38, 6), "     0");

    struct Case {
        std::int64_t total;
        int place;
    } cases[] = {{151, 1}, {150, 1}, {30, 10}, {29, 0}, {-5, 0}};
    for (const auto& c : cases) {
        ClubFile again = SampleClub();
        EXPECT_EQ(StoreMember(again, Member("Z", 0, 50, c.total), true).Place, c.place) << c.total;
        if (c.place == 0) {
            EXPECT_EQ(Names(again, 6, 15), Names(SampleClub(), 6, 15));
        }
    }
    ClubFile noCycle = SampleClub();
    EXPECT_EQ(StoreMember(noCycle, Member("Z", 0, 24, 999), false).Place, 0);
    EXPECT_EQ(Names(noCycle, 6, 15), Names(SampleClub(), 6, 15));
    EXPECT_EQ(noCycle.Line[5].substr(38, 6), "   999");
}

TEST_F(ClubFiles, FileStepsKeepTheFileSound) {
    EXPECT_EQ(ReadMember(Path(LocalClubFileName), 2)->Name, "Bob" + std::string(17, ' '));
    EXPECT_EQ(RemoveMember(Path(LocalClubFileName), 2, true), std::nullopt);
    EXPECT_EQ(ReadMember(Path(LocalClubFileName), 5), std::nullopt);  // now an empty slot
    const StoreResult stored = StoreMember(Path(LocalClubFileName), Member("Ann", 0, 25, 95), true, true);
    EXPECT_EQ(stored.Message, std::nullopt);
    EXPECT_EQ(stored.Place.Place, 4);
    const ClubFile club = Load(LocalClubFileName);
    EXPECT_EQ(Names(club, 1, 5), (std::vector<std::string>{"Alice", "Carol", "Dave", "Eve", "Ann"}));
    EXPECT_EQ(club.Line[17].substr(0, 10), "0     abc0");  // characters 1..10 are kept
    EXPECT_TRUE(CheckClubFiles(dir.string()).Ok);
    EXPECT_EQ(ReadMember(Path(LocalClubFileName), 6), std::nullopt);
}

TEST_F(ClubFiles, DamagedFileIsNeverRewritten) {
    std::string bytes = ClubFileBytes(SampleClub());
    bytes[5] ^= 1;
    WriteBytes(LocalClubFileName, bytes);
    const auto removed = RemoveMember(Path(LocalClubFileName), 1, true);
    ASSERT_TRUE(removed);
    EXPECT_EQ(removed->Kind, RecordMessageKind::IncorrectFile);
    EXPECT_EQ(StoreMember(Path(LocalClubFileName), Member("Z", 0), false, true).Message->Kind,
              RecordMessageKind::IncorrectFile);
    EXPECT_EQ(ReadMember(Path(LocalClubFileName), 1), std::nullopt);
    EXPECT_EQ(ReadWholeFile(Path(LocalClubFileName)), bytes);
    fs::remove(Path(LocalClubFileName));
    EXPECT_EQ(RemoveMember(Path(LocalClubFileName), 1, true)->Kind, RecordMessageKind::CantFindFile);
    EXPECT_FALSE(fs::exists(Path(LocalClubFileName)));
}

TEST(ClubList, RowsOfBothViews) {
    ClubFile club = SampleClub();
    club.Line[1] = FormatMemberLine({"Ann", -3'456'000, 27, -40, EncodePassword("")});
    club.Line[2] = FormatMemberLine({"Bob", 0, 0, 0, EncodePassword("")});
    club.Line[5] = EmptySlotLine();
    const ClubListTexts v1 = ClubList(club, ClubViewScore);
    EXPECT_EQ(v1.Header, " The members of club    Games    Score ");
    EXPECT_EQ(v1.Members[0].Text(), LeftAligned("Ann", 20) + "      2" + "       -40");
    EXPECT_EQ(v1.Members[4].Text(), "####################    ###    ######");
    EXPECT_EQ(v1.TopTen[2].Text(), LeftAligned("Top3", 20) + "  " + "   100");
    const ClubListTexts v2 = ClubList(club, ClubViewRating);
    EXPECT_EQ(v2.Header, " The members of club    Games   Rating ");
    EXPECT_EQ(v2.Members[0].Text(), LeftAligned("Ann", 20) + "       27" + "   -3,46");
    EXPECT_EQ(v2.Members[1].Text(), LeftAligned("Bob", 20) + "        0" + "    0,00");
    EXPECT_EQ(v2.Members[4].Text(), "####################  #######  ######");
    EXPECT_EQ(TopTenRows(club)[9].Name, "Top10");
    EXPECT_EQ(TopTenRows(club)[9].Score, "30");
}

TEST(ClubList, LongRowsAreShortenedAtTheName) {
    const ClubRow row{"Maximilian Longname ", "  1"};
    const auto widthAtMost = [](std::size_t n) { return [n](std::string_view t) { return t.size() <= n; }; };
    EXPECT_EQ(FittedRow(row, widthAtMost(23)), "Maximilian Longname   1");
    EXPECT_EQ(FittedRow(row, widthAtMost(22)), "Maximilian Longname  1");  // only a blank removed
    EXPECT_EQ(FittedRow(row, widthAtMost(18)), "Maximilian L...  1");
    EXPECT_EQ(FittedRow(row, widthAtMost(1)), "M...  1");  // never fewer than 4 characters
    const ClubRow empty{std::string(20, '#'), "  ###"};
    EXPECT_EQ(FittedRow(empty, widthAtMost(20)), "###############  ###");
}

TEST(ClubList, EndOfGameVariants) {
    EXPECT_EQ(EndOfGame(1, 300, false).Lines[3].Text, "You become a Master of the Order!");
    EXPECT_EQ(EndOfGame(1, 300, true).Lines[3].Text, "You become a Bachelor of the Order!");
    const EndOfGameView good = EndOfGame(2, 120, false);
    EXPECT_EQ(good.Lines[1].Text, "Good result!");
    EXPECT_EQ(good.Lines[2].Text, "Result: 120");
    EXPECT_EQ(good.PlacePicture, 2);
    const EndOfGameView bad = EndOfGame(0, -10, false);
    EXPECT_EQ(bad.Sound, "WFiBads");
    EXPECT_TRUE(bad.AnimationLoops);
    EXPECT_EQ(bad.PlacePicture, std::nullopt);
}

class GameFinishedSteps : public ClubFiles {
  protected:
    // Member k of the sample club (or a new player named Ann for 6) finishing game `gameNo`.
    GameFinishedOutcome Finish(std::uint8_t k, std::int32_t gameNo, std::int64_t result, std::int32_t total,
                               bool network = false, bool writable = true) {
        FinishedGame game;
        game.CurrentMember = k;
        game.NetworkMode = network;
        game.Result = result;
        game.StartRecord = k <= 5 ? *ReadMember(Path(network ? NetworkClubFileName : LocalClubFileName), k)
                                  : Member("Ann", 0);
        GameState gs;
        gs.GameNo = gameNo;
        gs.ProvisionalTotal = total;
        return GameFinished(dir.string(), writable, gs, game, "21:07", "24.12.2024");
    }
    std::vector<HistoryRow> History() const { return ReadHistoryRows(dir.string(), 1); }
};

TEST_F(GameFinishedSteps, NewPlayerEntersTheClubAndTheHistory) {
    const GameFinishedOutcome out = Finish(member::NewPlayer, 1, 12, 12);
    EXPECT_TRUE(out.Messages.empty());
    EXPECT_EQ(out.Sound, "WKoGood");
    EXPECT_FALSE(out.CycleComplete);
    // Rating 0.6 ranks below Eve's 1.0: Ann takes line 5 and Eve leaves the club.
    const ClubFile club = Load(LocalClubFileName);
    EXPECT_EQ(Names(club, 1, 5), (std::vector<std::string>{"Alice", "Bob", "Carol", "Dave", "Ann"}));
    EXPECT_EQ(club.Line[5], "Ann                   0,600000      1     12" + EncodePassword("pw"));
    const auto rows = History();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Cells,
              (std::array<std::string, 7>{"21:07", "24.12.2024", "Ann", "1", "12", "0,60", "Local"}));
    EXPECT_EQ(Load(NetworkClubFileName).Line[5], SampleClub().Line[5]);
}

TEST_F(GameFinishedSteps, OnlyTheEndOfACycleTouchesTheTopTen) {
    struct Case {
        std::int32_t gameNo;
        bool cycle;
    } cases[] = {{24, false}, {25, true}, {26, false}, {50, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gameNo);
        Write(LocalClubFileName, SampleClub());
        const GameFinishedOutcome out = Finish(1, c.gameNo, 10, 120);
        EXPECT_EQ(out.CycleComplete, c.cycle);
        EXPECT_EQ(out.Sound, c.cycle ? "" : "WKoGood");
        const ClubFile club = Load(LocalClubFileName);
        EXPECT_EQ(Names(club, 6, 7), (std::vector<std::string>{"Top1", c.cycle ? "Alice" : "Top2"}));
        EXPECT_EQ(out.Place.Place, c.cycle ? 2 : 0);
        EXPECT_EQ(ParseMemberLine(club.Line[1]).Total, c.cycle ? 0 : 120);
        EXPECT_EQ(ParseMemberLine(club.Line[1]).Games, c.gameNo);
    }
}

TEST_F(GameFinishedSteps, BestMemberWhoLosesMovesDown) {
    // Alice (5.0) loses 100 in her fourth game: (3 x 5 - 5) / 4 = 2.5, between Carol and Dave.
    const GameFinishedOutcome out = Finish(1, 4, -100, -100);
    EXPECT_EQ(out.Sound, "WKoBads");
    EXPECT_EQ(out.Record->Rating, 2'500'000);
    EXPECT_EQ(Names(Load(LocalClubFileName), 1, 5),
              (std::vector<std::string>{"Bob", "Carol", "Alice", "Dave", "Eve"}));
    EXPECT_EQ(History()[0].Cells[5], "2,50");
}

TEST_F(GameFinishedSteps, ModesAndPlayersWithoutClub) {
    // A local-network game goes to the network club and is recorded as such.
    Finish(2, 4, 0, 0, true);
    EXPECT_EQ(ClubFileBytes(Load(LocalClubFileName)), ClubFileBytes(SampleClub()));
    EXPECT_NE(ClubFileBytes(Load(NetworkClubFileName)), ClubFileBytes(SampleClub()));

    // The account and a tournament player leave the club alone.
    const std::string before = ClubFileBytes(Load(LocalClubFileName));
    FinishedGame account;
    account.CurrentMember = member::Account;
    account.Result = 40;
    account.StartRecord = Member("Nick", 0);
    account.AccountRating = 40.04;
    GameState gs;
    gs.GameNo = 25;
    GameFinishedOutcome out = GameFinished(dir.string(), true, gs, account, "9:00", "1.1.25");
    EXPECT_FALSE(out.CycleComplete);
    EXPECT_EQ(out.Record->Rating, 40'040'000);
    FinishedGame tour = account;
    tour.CurrentMember = member::Tournament;
    tour.Players = "Me/You";
    tour.TournamentResult = -3;
    tour.TournamentRating = 1.5;
    out = GameFinished(dir.string(), true, gs, tour, "9:00", "1.1.25");
    EXPECT_EQ(out.Record, std::nullopt);
    EXPECT_EQ(ClubFileBytes(Load(LocalClubFileName)), before);

    const auto rows = History();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Cells[6], "Net");
    EXPECT_EQ(rows[1].Cells[5], "40,04");
    EXPECT_EQ(rows[1].Cells[6], "Account");
    EXPECT_EQ(rows[2].Cells[2], "Me/You");
    EXPECT_EQ(rows[2].Cells[4], "-3");
    EXPECT_EQ(rows[2].Cells[6], "Tourney");
}

TEST_F(GameFinishedSteps, ClubNotWritableOrFailingStillRecordsTheHistory) {
    GameFinishedOutcome out = Finish(3, 25, 5, 300, false, false);
    EXPECT_TRUE(out.Messages.empty());
    EXPECT_EQ(out.Place.Place, 1);  // the window still shows the cycle's place
    EXPECT_EQ(ClubFileBytes(Load(LocalClubFileName)), ClubFileBytes(SampleClub()));

    fs::permissions(Path(LocalClubFileName), fs::perms::owner_read);
    out = Finish(3, 26, 5, 300);
    ASSERT_EQ(out.Messages.size(), 1u);
    EXPECT_EQ(out.Messages[0].Kind, RecordMessageKind::DiskWriting);
    EXPECT_EQ(ClubFileBytes(Load(LocalClubFileName)), ClubFileBytes(SampleClub()));
    EXPECT_EQ(History().size(), 2u);
}

}  // namespace kesp
