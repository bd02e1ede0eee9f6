#include "network/menu_counter.h"

#include "network/account_rating.h"

namespace kesp {

namespace {

struct KindLook {
    const char* digitPrefix;
    const char* icon;
    CounterLabel label;
    CounterHintTail failureTail;
};

KindLook LookOf(int kind) {
    switch (kind) {
        case counter_kind::GamesWithPc:
            return {"GAClock", "Windows", CounterLabel::Games, CounterHintTail::ColonNoConnect};
        case counter_kind::BestWindows:
            return {"GGClock", "Windows", CounterLabel::None, CounterHintTail::NoConnect};
        case counter_kind::BestAndroid:
            return {"GYClock", "Android", CounterLabel::None, CounterHintTail::NoConnect};
        case counter_kind::BestAccount:
            return {"GVClock", "Account48", CounterLabel::None, CounterHintTail::NoConnect};
        case counter_kind::ClubMembers:
            return {"GNClock", "Account48", CounterLabel::None, CounterHintTail::BlankNoConnect};
        default:
            return {"GRClock", "Windows", CounterLabel::Iq, CounterHintTail::ColonNoConnect};
    }
}

bool ShowsListLeader(int kind) {
    return kind == counter_kind::BestWindows || kind == counter_kind::BestAndroid ||
           kind == counter_kind::BestAccount;
}

}  // namespace

CounterFace FaceOf(const CounterReading& reading) {
    const KindLook look = LookOf(reading.Kind);
    CounterFace face;
    face.Kind = reading.Kind;
    face.DigitPrefix = look.digitPrefix;
    face.Icon = look.icon;
    face.Label = look.label;
    if (!reading.Read) {
        face.HintTail = look.failureTail;
        return face;
    }
    const CounterNumber number =
        ShortCounterNumber(reading.Number, /*cutAboveThousand=*/reading.Kind == counter_kind::GamesWithPc);
    face.Digits = number.Digits;
    face.Suffix = number.Suffix;
    if (ShowsListLeader(reading.Kind)) {
        face.HintNoLeader = reading.ListEmpty;
        if (!reading.ListEmpty) face.HintNick = reading.Nick;
        if (reading.Kind == counter_kind::BestWindows && !reading.ListEmpty)
            face.FlagCountry = reading.Country;
    }
    return face;
}

std::vector<int> CounterDigitLefts(std::size_t length) {
    switch (length) {
        case 1:
            return {50};
        case 2:
            return {38, 58};
        case 3:
            return {29, 49, 69};
        case 4:
            return {27, 42, 57, 72};
        case 5:
            return {28, 40, 52, 64, 76};
        case 6:
            return {15, 24, 33, 42, 51, 60};
        default:
            return {};
    }
}

}  // namespace kesp
