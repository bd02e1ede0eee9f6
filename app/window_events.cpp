#include "app/window_events.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <memory>

#include "presentation/flight_points.h"
#include "presentation/message_window.h"

namespace kesp {

namespace {

using std::chrono::milliseconds;

// A waiting step gives up after this long, so a wait whose end never comes cannot hang the window.
constexpr milliseconds kLongestFlight{30000};
constexpr milliseconds kLongestSound{3000};

}  // namespace

WindowEvents::WindowEvents(QWidget& window, const Game& game, TablePainter& painter, const Localisation& words,
                           Hooks hooks)
    : window_(window),
      game_(game),
      painter_(painter),
      words_(words),
      hooks_(std::move(hooks)),
      flightScreen_(window, painter.Canvas()),
      flights_(flightScreen_, painter.Art()) {}

void WindowEvents::DrawHand(int seat) {
    painter_.DrawHand(game_, seat);
    hooks_.repaint();
}

void WindowEvents::DrawTable() {
    painter_.DrawTrickArea(game_);
    hooks_.repaint();
}

void WindowEvents::DrawDeck() {
    painter_.DrawDeckPicture(game_);
    hooks_.repaint();
}

void WindowEvents::DrawInfoPanel() {
    painter_.DrawInfoPanel(game_);
    hooks_.repaint();
}

void WindowEvents::DrawSeatTab(int seat) {
    painter_.DrawSeatTab(game_, seat);
    hooks_.repaint();
}

void WindowEvents::DrawBubble(int seat) {
    painter_.DrawBubble(game_, seat);
    hooks_.repaint();
}

void WindowEvents::ButtonsChanged() { hooks_.buttonsChanged(); }

void WindowEvents::TimerChanged() { hooks_.timerChanged(); }

// The engine has already drawn the table without the flying card (the hand it leaves, the deck it
// comes from); it draws the card where it landed once the flight is over.
void WindowEvents::FlyCard(Flight flight, int seat, const Card& card) {
    if (seat < 1 || seat > 4) return;
    const TableGeometry& g = painter_.Geometry();
    const int speed = hooks_.flightSpeed ? hooks_.flightSpeed() : kFastestFlight;
    bool started = false;
    switch (flight) {
        case Flight::TrumpToDealer:
            started = flights_.FlyCard(TrumpOnDeck(g), HandMiddle(g, seat), {card}, true, g.cell, speed, {});
            break;
        case Flight::DeckToSeat:
            started = flights_.FlyCard(g.deck.topLeft(), HandMiddle(g, seat), {card, true}, true, g.cell,
                                       speed, {});
            break;
        case Flight::SeatToTable: {
            QPoint from = HandMiddle(g, seat);
            if (seat == 4)
                if (const std::optional<int> x = painter_.LastCardX(4, card)) from.setX(g.hand[4].left() + *x);
            started = flights_.FlyCard(from, g.TrickCard(seat).topLeft(), {card}, true, g.cell, speed, {});
            break;
        }
        case Flight::TrickToWinner: started = FlyTrick(seat, speed); break;
    }
    if (!started) return;
    WaitInsideStep([this] { return !flights_.Running(); }, kLongestFlight);
    flights_.Cancel();  // only a flight that outran the limit is still running
}

// The cards of the last trick, of the seats that play the deal, leave the table together.
bool WindowEvents::FlyTrick(int winner, int speed) {
    const GameState& gs = game_.State();
    const TableGeometry& g = painter_.Geometry();
    const int leader = gs.TableLeader >= 1 && gs.TableLeader <= 4 ? gs.TableLeader : 1;
    std::vector<GroupCard> cards;
    for (int p = 1; p <= 4; ++p) {
        const int seat = SeatAtTablePosition(leader, p);
        if (gs.Plays[seat] && gs.LastTrick[p].IsCard())
            cards.push_back({{gs.LastTrick[p]}, g.TrickCard(seat).topLeft(),
                             OffWindowToward(g, painter_.Canvas().size(), winner)});
    }
    painter_.ClearTrickArea();  // the trick has gone: the table stays clear behind the cards
    return flights_.FlyGroup(painter_.Canvas(), cards, g.cell, speed, {});
}

// TEMPORARY until the engine resumes from the callback: the step waits here for a flight or a
// sound to end. The window paints and the flight's and sound's timers run meanwhile, but neither
// input, sockets nor the game timer enter the unfinished step.
void WindowEvents::WaitInsideStep(const std::function<bool()>& over, milliseconds limit) {
    waitingInStep_ = true;
    QDeadlineTimer deadline(limit);
    QTimer wake;  // the loop wakes at the limit even when nothing else happens
    wake.setSingleShot(true);
    wake.start(limit);
    while (!over() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::WaitForMoreEvents);
    waitingInStep_ = false;
}

void WindowEvents::Pause(int milliseconds) {
    // The window's thread waits, as a card game pausing between tricks does, but keeps painting.
    hooks_.repaint();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}

void WindowEvents::PlaySound(std::string_view name, bool wait) {
    if (!hooks_.playSound) return;
    if (!wait) {
        hooks_.playSound(name, false, {});
        return;
    }
    const auto ended = std::make_shared<bool>(false);
    if (hooks_.playSound(name, true, [ended] { *ended = true; }))
        WaitInsideStep([ended] { return *ended; }, kLongestSound);
}

void WindowEvents::SpeakCard(const Card& card) {
    if (hooks_.speakCard) hooks_.speakCard(card);
}

bool WindowEvents::AskYesNo(WordId question, WordId second, std::string_view joiner) {
    QString text = words_.WordText(question);
    if (second != WordId::None) text += QString::fromLatin1(joiner.data(), static_cast<int>(joiner.size())) + words_.WordText(second);
    return QMessageBox::question(&window_, GameName(words_.CurrentLanguage()), text,
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void WindowEvents::ShowMessage(WordId message) { ShowMessageWindow(words_, words_.WordText(message), {}, {}, &window_); }

void WindowEvents::ShowGeneralCount() {
    if (hooks_.generalCount) hooks_.generalCount();
}

void WindowEvents::StartRecording() {
    if (recording_) recording_->StartRecording();
}

void WindowEvents::FinishRecording() {
    if (recording_) recording_->FinishRecording();
}

// Leaving a deal keeps what was recorded of it.
void WindowEvents::StopRecording() { FinishRecording(); }

void WindowEvents::LeaveTable(LeaveReason reason) {
    // A game that ends at once with four aces is left without its deal being scored.
    FinishRecording();
    hooks_.leaveTable(reason);
}

void WindowEvents::Announce(std::string_view message) {
    if (hooks_.announce) hooks_.announce(message);
}

}  // namespace kesp
