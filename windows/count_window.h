// The general count window: during a game, where the player stands — games played, the round of
// the 25-game cycle, the score at the start of the game and now, their sum, and the rating before
// the game and as it would be if the game ended now. The texts are filled by a pure function from
// the game, so they can be checked without a window.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game.h"
#include "engine/game_state.h"
#include "records/settings.h"

namespace kesp {

// What kind of game the count is taken in: it decides the cycle field, the ratings and the emblems.
enum class CountGameKind { Computer, RatedOnline, LocalNetwork, Tournament };

// The lamp beside the heading: the connection to the online service.
enum class ServiceLamp { LoggedOut, LoggedIn, RatedGame };

// The record behind the window; every field is a text, as shown.
struct TCount {
    std::string Count_KonAll;  // "General number of game:"
    std::string Count_KonCur;  // "Number of round in a current cycle:"
    std::string Count_ScoBeg;  // "The initial score:"
    std::string Count_ScoCur;  // "The current score:"
    std::string Count_ScoAll;  // "The general score:"
    std::string Count_ReiBeg;  // "The initial rating:"
    std::string Count_ReiCur;  // "The current rating:"

    std::string PlayerName;  // UTF-8, the club name (blanks at the end trimmed)
    CountGameKind Kind = CountGameKind::Computer;
    ServiceLamp Lamp = ServiceLamp::LoggedOut;
};

// The inputs that are not in the game state.
struct CountSource {
    std::string PlayerName;        // the 20-character club name (or the account's name)
    std::int64_t StartRating = 0;  // millionths: the rating at the start of the game (club games)
    CountGameKind Kind = CountGameKind::Computer;
    ServiceLamp Lamp = ServiceLamp::LoggedOut;
    std::int64_t OnlineCycleGames = 0;  // rated online game: the account's games in its cycle
    double ServiceRating = 0;           // rated online game or tournament: the service's rating
    std::int64_t TournamentScore = 0;   // tournament: the tournament score before the game
};

// The advantage of the own seat (seat 4): the other three seats' scores minus three times its own.
std::int64_t OwnSeatAdvantage(const GameState& gs);

// The round of the 25-game cycle of game `gameNo`: 1..25 (25 where the remainder is 0).
int RoundInCycle(std::int64_t gameNo);

// A rating in millionths as the window writes it: two decimals, a comma, right-aligned in 6
// characters ("  1,25"); -99.99..99.99 always fits.
std::string FormatCountRating(std::int64_t millionths);

// The window's texts for the game as it stands now.
TCount MakeCount(const GameState& gs, const CountSource& source);
// A club player (member or new player) in a game against the computer or over the local network.
TCount MakeCount(const GameState& gs, std::string_view playerName, std::int64_t startRating,
                 CountGameKind kind = CountGameKind::Computer);

// The kind of the game on the table.
CountGameKind CountKindOf(const TableSetup& setup);

class TFormCount : public QDialog {
    Q_OBJECT

  public:
    TFormCount(const Settings& settings, const TCount& count, QWidget* parent = nullptr);
    ~TFormCount() override;

    // The seven label texts and value texts, in the order of the record.
    static constexpr int kRows = 7;
    QString LabelText(int row) const;
    QString ValueText(int row) const;
    QString HeadingText() const;
    QPushButton* OkButton() const { return buttonOk_; }
    // The emblem animations found in the resources, and how many of them run.
    int Animations() const { return static_cast<int>(animations_.size()); }
    int RunningAnimations() const;
    bool HasLamp() const { return hasLamp_; }

    // The resource names of the emblems and of the lamp for a game kind and design.
    static std::vector<QString> EmblemNames(CountGameKind kind, bool libraryDesign);
    static QString LampName(ServiceLamp lamp);

  private:
    void AddEmblem(const QString& name, QLayout* column);

    const Settings& settings_;
    std::array<QLabel*, kRows> labels_{};
    std::array<QLabel*, kRows> values_{};
    QLabel* heading_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    bool hasLamp_ = false;
    std::vector<std::unique_ptr<QMovie>> animations_;
};

// Opens the general count window modally; `playSound` (when given) is called with "WOpenFo" first.
void ShowGeneralCount(QWidget* parent, const Settings& settings, const TCount& count,
                      const std::function<void(const QString&)>& playSound = {});

}  // namespace kesp
