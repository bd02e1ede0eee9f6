// The rated account game's talks with the service: the pre-booking of the game as a loss before it
// starts, with its retries, and the record update after it (with the post of a finished cycle to
// the account list). Every request runs on the service queue and every question is a window-modal
// box answered later, so the window stays responsive throughout.
#pragma once

#include <QObject>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "network/online_records.h"
#include "presentation/words.h"
#include "records/club.h"

class QWidget;

namespace kesp {

class AccountSession;

class RatedGame : public QObject {
    Q_OBJECT
  public:
    using SoundPlayer = std::function<void(std::string_view)>;
    // Session, words and window must outlive the flow; boxes open over `window`.
    RatedGame(AccountSession& account, const Localisation& words, QWidget& window, SoundPlayer playSound,
              QObject* parent = nullptr);
    ~RatedGame() override;

    // Tests shorten the waits before the second and the third try of the pre-booking.
    void SetRetryDelays(std::chrono::milliseconds second, std::chrono::milliseconds third);
    // A pre-booking or a record update is under way: no other game may start meanwhile.
    bool Busy() const { return busy_; }

    // Reads the record and saves it booked as a lost game, in up to three tries with a pause and the
    // failure sound between them: PreBookFinished(saved).
    // The session keeps the record as read. Without a saved booking the player is logged out after
    // the message.
    void PreBook();
    // After a finished rated game with the own `result` and the running `total`: the record is read
    // again, updated and saved, a finished cycle is posted to the account list, and the state goes
    // back to logged in: GameRecorded(the rating after the game, the cycle's place when posted).
    void FinishGame(std::int64_t result, std::int64_t total);

  signals:
    void PreBookFinished(bool saved);
    void GameRecorded(double rating, std::optional<TopTenPlace> cycle);

  private:
    void TryBooking(int attempt);
    void PreBookFailed();
    void UpdateRecord();
    void PostCycle();
    void Done(std::optional<TopTenPlace> cycle);
    // Asks "... Repeat?" without waiting: `repeat` after Yes, `giveUp` after No.
    void AskRepeat(WordKey message, std::function<void()> repeat, std::function<void()> giveUp);
    void ShowWaiting(bool waiting);

    AccountSession& account_;
    const Localisation& words_;
    QWidget& window_;
    SoundPlayer playSound_;
    std::array<std::chrono::milliseconds, 2> retryDelays_{std::chrono::seconds(2), std::chrono::seconds(3)};
    bool busy_ = false;
    bool waiting_ = false;
    // The game being recorded: its result and total, the record as it was before the update and
    // the rating the service holds when the update is given up (the pre-booked loss).
    std::int64_t result_ = 0;
    std::int64_t total_ = 0;
    TZunGame kept_;
    bool keptAnswered_ = false;
    double rating_ = 0;
};

}  // namespace kesp
