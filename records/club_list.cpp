#include "records/club_list.h"

#include "records/club_text.h"
#include "records/cp1251.h"

namespace kesp {
namespace {

std::string_view Field(std::string_view line, std::size_t first, std::size_t last) {
    if (first > line.size()) return {};
    return line.substr(first - 1, last - first + 1);
}

}  // namespace

std::string_view ClubListHeader(int clubView) {
    return clubView == ClubViewRating ? " The members of club    Games   Rating "
                                      : " The members of club    Games    Score ";
}

std::string ClubRow::Text() const {
    return Cp1251ToUtf8(Name + Rest);
}

ClubRow MemberRow(std::string_view memberLine, int clubView) {
    ClubRow row{LeftAligned(Field(memberLine, 1, 20), NameLength), {}};
    const bool empty = IsEmptySlot(memberLine);
    const ClubMember m = ParseMemberLine(memberLine);
    if (clubView == ClubViewRating) {
        row.Rest = "  " + RightAligned(empty ? "#######" : std::to_string(m.Games), 7) + "  " +
                   RightAligned(empty ? "######" : FormatScaled(RescaleRounded(m.Rating, 6, 2), 2), 6);
    } else {
        row.Rest = "    " + RightAligned(empty ? "###" : std::to_string(m.Games % CycleLength), 3) + "    " +
                   std::string(Field(memberLine, 39, 44));
    }
    return row;
}

ClubRow TopTenPanelRow(std::string_view topTenLine) {
    return {LeftAligned(Field(topTenLine, 1, 20), NameLength), "  " + std::string(Field(topTenLine, 21, 26))};
}

std::string FittedRow(const ClubRow& row, const std::function<bool(std::string_view utf8)>& fits) {
    std::string name = row.Name;
    bool cutText = false;
    while (name.size() > 4 && !fits(Cp1251ToUtf8(name + row.Rest))) {
        if (name.back() != ' ' && name.back() != '#') cutText = true;
        name.pop_back();
    }
    if (cutText) name.replace(name.size() - 3, 3, "...");
    return Cp1251ToUtf8(name + row.Rest);
}

ClubListTexts ClubList(const ClubFile& club, int clubView) {
    ClubListTexts texts;
    texts.Header = ClubListHeader(clubView);
    for (int i = 1; i <= ClubMemberCount; ++i)
        texts.Members[static_cast<std::size_t>(i - 1)] = MemberRow(club.Line[i], clubView);
    for (int i = 0; i < 3; ++i)
        texts.TopTen[static_cast<std::size_t>(i)] = TopTenPanelRow(club.Line[TopTenFirstLine + i]);
    return texts;
}

std::string_view TopTenTitle(bool networkMode) {
    return networkMode ? "WINDOWS. NET GAMES" : "WINDOWS. LOCAL GAMES WITH PC";
}

std::array<TopTenRow, TopTenCount> TopTenRows(const ClubFile& club) {
    std::array<TopTenRow, TopTenCount> rows;
    for (int i = 0; i < TopTenCount; ++i) {
        const std::string& line = club.Line[TopTenFirstLine + i];
        rows[static_cast<std::size_t>(i)] = {i + 1, Cp1251ToUtf8(TrimBlanks(Field(line, 1, 20))),
                                             std::string(TrimBlanks(Field(line, 21, 26)))};
    }
    return rows;
}

EndOfGameView EndOfGame(int place, std::int64_t score, bool networkMode) {
    const std::string result = "Result: " + std::to_string(score);
    using C = EndOfGameColour;
    if (place == 1)
        return {"WFiBest",
                "GEndBest",
                false,
                25,
                1,
                {{{"CONGRATULATIONS!!!", 32, C::Purple},
                  {"Your result - the best!", 28, C::Purple},
                  {result, 28, C::Green},
                  {networkMode ? "You become a Bachelor of the Order!" : "You become a Master of the Order!",
                   22, C::Purple}}}};
    if (place >= 2 && place <= TopTenCount)
        return {"WFiGood",
                "GEndGood",
                false,
                24,
                place,
                {{{"CONGRATULATIONS!!!", 32, C::DarkRed},
                  {"Good result!", 28, C::DarkRed},
                  {result, 28, C::Green},
                  {"You have hitted in top ten players!", 22, C::DarkRed}}}};
    return {"WFiBads",
            "GEndBads",
            true,
            3,
            std::nullopt,
            {{{"Our regrets...", 32, C::Navy},
              {"Your result keeps to wish best", 20, C::Navy},
              {result, 20, C::Green},
              {"You have not hitted in ten best players...", 20, C::Navy}}}};
}

}  // namespace kesp
