// How the menu counter shows what it read: the digits, suffix, label, pictures and hint parts of
// every kind, read or not.
#include "network/menu_counter.h"

#include <gtest/gtest.h>

namespace kesp {
namespace {

CounterReading Reading(int kind, bool read, std::int64_t number = 0, bool listEmpty = false,
                       std::string nick = {}, std::string country = "#") {
    return {kind, read, number, listEmpty, std::move(nick), std::move(country)};
}

TEST(MenuCounterFace, EveryKindReadOrNot) {
    struct Case {
        CounterReading reading;
        std::string digits;
        char suffix;
        CounterLabel label;
        std::string prefix, icon, flag, nick;
        bool noLeader;
        CounterHintTail tail;
    };
    constexpr auto Iq = CounterLabel::Iq, Games = CounterLabel::Games, NoLabel = CounterLabel::None;
    constexpr auto None = CounterHintTail::None, ColonNoConnect = CounterHintTail::ColonNoConnect,
                   NoConnect = CounterHintTail::NoConnect, BlankNoConnect = CounterHintTail::BlankNoConnect;
    const Case cases[] = {
        {Reading(1, true, 25), "25", 0, Iq, "GRClock", "Windows", "", "", false, None},
        {Reading(1, false), "00", 0, Iq, "GRClock", "Windows", "", "", false, ColonNoConnect},
        {Reading(2, true, 1234567), "1", 'M', Games, "GAClock", "Windows", "", "", false, None},
        {Reading(2, true, 999), "999", 0, Games, "GAClock", "Windows", "", "", false, None},
        {Reading(2, false), "00", 0, Games, "GAClock", "Windows", "", "", false, ColonNoConnect},
        {Reading(3, true, 1234, false, "Tess", "1-022"), "1234", 0, NoLabel, "GGClock", "Windows", "1-022",
         "Tess", false, None},
        {Reading(3, true, 0, true), "0", 0, NoLabel, "GGClock", "Windows", "", "", true, None},
        {Reading(3, false), "00", 0, NoLabel, "GGClock", "Windows", "", "", false, NoConnect},
        {Reading(4, true, -35, false, "Anna", "1-001"), "-35", 0, NoLabel, "GYClock", "Android", "", "Anna",
         false, None},
        {Reading(5, true, 1234567, false, "Boris"), "1", 'M', NoLabel, "GVClock", "Account48", "", "Boris",
         false, None},
        {Reading(5, false), "00", 0, NoLabel, "GVClock", "Account48", "", "", false, NoConnect},
        {Reading(7, true, 12), "12", 0, NoLabel, "GNClock", "Account48", "", "", false, None},
        {Reading(7, false), "00", 0, NoLabel, "GNClock", "Account48", "", "", false, BlankNoConnect},
    };
    for (const Case& c : cases) {
        const CounterFace face = FaceOf(c.reading);
        SCOPED_TRACE(testing::Message() << "kind " << c.reading.Kind << " read " << c.reading.Read
                                        << " number " << c.reading.Number);
        EXPECT_EQ(face.Kind, c.reading.Kind);
        EXPECT_EQ(face.Digits, c.digits);
        EXPECT_EQ(face.Suffix, c.suffix);
        EXPECT_EQ(face.Label, c.label);
        EXPECT_EQ(face.DigitPrefix, c.prefix);
        EXPECT_EQ(face.Icon, c.icon);
        EXPECT_EQ(face.FlagCountry, c.flag);
        EXPECT_EQ(face.HintNick, c.nick);
        EXPECT_EQ(face.HintNoLeader, c.noLeader);
        EXPECT_EQ(face.HintTail, c.tail);
    }
}

}  // namespace
}  // namespace kesp
