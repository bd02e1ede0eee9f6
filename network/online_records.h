// The records the online service keeps for a player and the game: the account with its public
// profile, the account's record for this game, the lists and the world statistics. Texts are UTF-8.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kesp {

// The public profile, fourteen texts, in the order the service sends and takes them.
struct TInfo14 {
    std::string Name1, Name2, About, Telephone, EMailO, WebSite, Skype, OK, VK, Telegram, FaceBook, Twitter,
        Instagramm, YouTube;
};

// The length bound of each profile text, in TInfo14's order.
inline constexpr std::array<int, 14> kProfileLengths = {20, 20, 50, 20, 50, 60, 50,
                                                        50, 50, 50, 60, 50, 50, 50};

struct TZunUser {
    std::string Nick;
    std::string Pw;
    std::string City;
    std::string Country1;  // the country's wire name
    std::string Country2;  // continent digit, '-', three-digit index
    char Sex = 'M';
    std::string EMail;
    std::string DateR = "00.00.0000";
    std::string R01 = "#", R02 = "#", R03 = "#";
    int R04 = 0, R05 = 0, R06 = 0;
    std::string PwC;  // the password enciphered, as the user file keeps it
    TInfo14 Info;
};

// The account's record for this game.
struct TZunGame {
    int Kon = 0;       // games played
    int Score = 0;     // score of the current cycle
    int Sessions = 0;  // cycles of 25 games completed
    double Rating = 0;
    char PlayNow = 'N';
    int R1 = 0;            // reserved, sent back unchanged
    std::string R2 = "#";  // reserved, sent back unchanged
    int Place = 0;         // place by rating
    int Best = 0;          // best cycle score
    int KonL = 0;          // games played in the current cycle
};

// One line of the account top ten.
struct TZunTop10 {
    std::string Nick = "#";
    std::string City = "#";
    std::string Country = "#";
    char Sex = 'M';
    double Rating = 0;
};

// The program's version, which every posted world record and chat message carries as its R08.
inline constexpr std::string_view kRecordProgramVersion = "5.7f";

// One entry of a world top ten list (also a games chat message).
struct TZunRecord {
    int RID = 0;
    int GID = 0;
    int Score = 0;
    std::string Nick = "#", Country = "#", City = "#", R07 = "#", R08 = "#", R09 = "#", R10 = "#*";
    int Place = 0;
};

// The world statistics of the game.
struct TZunStat {
    int GID = 0;
    long long Stat1 = 0, Stat2 = 0, Stat3 = 0;
    std::string Stat4 = "#";
    std::array<long long, 12> StatX{};  // StatX[0] is StatX 1
    long long StatY = 0;
    std::string StatZ = "#";
};

// One seated player of an online table, as the tables service holds it.
struct TZunClient {
    std::string Nick = "X";
    int Score = 0;
    int Kon = 0;  // games played
    int Rating = 0;
    std::string Country = "X", City = "X";
    std::string Sex = "M";  // one character
    std::string IP = "X";
};

// A table's head: where its game server listens.
struct TZunTour {
    std::string IP = "0.0.0.0";
    int Port = 0;
    std::string Free = "X";
    int R1 = 0;
    std::string R2 = "X";
};

// A four-seat online table; Seats[0] is seat 1. A seat whose nick is "X" is free.
struct TZunTable4 {
    TZunTour Head;
    std::array<TZunClient, 4> Seats;
};

// A player's standing in the online tournament.
struct TZunStanding {
    int Score = -1;  // -1 with no games: none
    int Rating = 0;
    int Kon = 0;
    // A score may be below zero (the results of a game sum to zero), so only the games tell
    // whether the player has a standing at all.
    bool Played() const { return Kon > 0; }
};

}  // namespace kesp
