// The table's side of the engine: every drawing, question and message the engine asks for is
// done here on the main window's canvas and dialogs.
#pragma once

#include <QPointer>
#include <QTimer>
#include <functional>

#include "engine/game.h"
#include "engine/table_events.h"
#include "presentation/card_flight.h"
#include "presentation/deal_recording.h"
#include "presentation/table_painter.h"
#include "presentation/words.h"

class QMessageBox;
class QWidget;

namespace kesp {

class WindowEvents : public TableEvents {
  public:
    struct Hooks {
        std::function<void()> repaint;         // show what the canvas holds now
        std::function<void()> buttonsChanged;  // the two table buttons follow the view
        std::function<void()> timerChanged;    // the game timer follows the engine
        std::function<void(LeaveReason)> leaveTable;
        std::function<void()> generalCount;
        std::function<void(std::string_view)> announce;  // a step for the other machines
        std::function<int()> flightSpeed;                // the speed setting, read at each flight
        // Plays a sound; with `wait`, true when `done` comes once it has ended.
        std::function<bool(std::string_view, bool, std::function<void()>)> playSound;
        std::function<void(const Card&)> speakCard;
        std::function<void(std::uint32_t)> resume;  // a wait of the game is over
        std::function<void(WordId, bool)> answer;   // the answer to a question of the game
        std::function<void()> newDeal;              // a deal is about to be dealt
    };

    WindowEvents(QWidget& window, const Game& game, TablePainter& painter, const Localisation& words,
                 Hooks hooks);

    void DrawHand(int seat) override;
    void DrawTable() override;
    void DrawDeck() override;
    void DrawInfoPanel() override;
    void DrawSeatTab(int seat) override;
    void DrawBubble(int seat) override;
    void ButtonsChanged() override;
    void NewDeal() override;
    void TimerChanged() override;
    bool FlyCard(Flight flight, int seat, const Card& card) override;
    bool Pause(int milliseconds) override;
    bool PlaySound(std::string_view name, bool wait) override;
    void CancelWaits() override;
    void SpeakCard(const Card& card) override;
    std::optional<bool> AskYesNo(WordId question, WordId second, std::string_view joiner) override;
    void ShowMessage(WordId message) override;
    void ShowGeneralCount() override;
    void StartRecording() override;
    void FinishRecording() override;
    void StopRecording() override;
    void LeaveTable(LeaveReason reason) override;
    void Announce(std::string_view message) override;

    // The card flights; while one runs the window shows its working copy.
    const CardFlights& Flights() const { return flights_; }
    // The deals are recorded by this recording (which must outlive these events) from now on.
    void AttachRecording(DealRecording& recording) { recording_ = &recording; }

  private:
    bool FlyTrick(int winner, int speed);
    // Resumes the game's wait that starts now, when called.
    std::function<void()> ResumeLater() const;

    QWidget& window_;
    const Game& game_;
    TablePainter& painter_;
    const Localisation& words_;
    Hooks hooks_;
    WidgetFlightScreen flightScreen_;
    CardFlights flights_;
    DealRecording* recording_ = nullptr;
    QTimer rest_;                     // a rest of the table
    QPointer<QMessageBox> question_;  // the discard question while it is on the screen
};

}  // namespace kesp
