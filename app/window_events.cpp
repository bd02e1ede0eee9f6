#include "app/window_events.h"

#include <QMessageBox>

#include "presentation/flight_points.h"
#include "presentation/message_window.h"

namespace kesp {

WindowEvents::WindowEvents(QWidget& window, const Game& game, TablePainter& painter,
                           const Localisation& words, Hooks hooks)
    : window_(window),
      game_(game),
      painter_(painter),
      words_(words),
      hooks_(std::move(hooks)),
      flightScreen_(window, painter.Canvas()),
      flights_(flightScreen_, painter.Art()) {
    rest_.setSingleShot(true);
}

std::function<void()> WindowEvents::ResumeLater() const {
    return [resume = hooks_.resume, ticket = game_.WaitTicket()] { resume(ticket); };
}

void WindowEvents::DrawHand(int seat) {
    painter_.DrawHand(game_, seat);
    hooks_.repaint();
}

void WindowEvents::DrawTable() {
    painter_.DrawTrickArea(game_);
    hooks_.repaint();
}

void WindowEvents::NewDeal() {
    if (hooks_.newDeal) hooks_.newDeal();
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

void WindowEvents::ButtonsChanged() {
    hooks_.buttonsChanged();
}

void WindowEvents::TimerChanged() {
    hooks_.timerChanged();
}

// The engine has already drawn the table without the flying card (the hand it leaves, the deck it
// comes from); it draws the card where it landed once the flight returns.
bool WindowEvents::FlyCard(Flight flight, int seat, const Card& card) {
    if (seat < 1 || seat > 4) return false;
    const TableGeometry& g = painter_.Geometry();
    const int speed = hooks_.flightSpeed ? hooks_.flightSpeed() : kFastestFlight;
    switch (flight) {
        case Flight::TrumpToDealer:
            return flights_.FlyCard(TrumpOnDeck(g), HandMiddle(g, seat), {card}, true, g.cell, speed,
                                    ResumeLater());
        case Flight::DeckToSeat:
            return flights_.FlyCard(g.deck.topLeft(), HandMiddle(g, seat), {card, true}, true, g.cell, speed,
                                    ResumeLater());
        case Flight::SeatToTable: {
            QPoint from = HandMiddle(g, seat);
            if (seat == 4)
                if (const std::optional<int> x = painter_.LastCardX(4, card))
                    from.setX(g.hand[4].left() + *x);
            return flights_.FlyCard(from, g.TrickCard(seat).topLeft(), {card}, true, g.cell, speed,
                                    ResumeLater());
        }
        case Flight::TrickToWinner:
            return FlyTrick(seat, speed);
    }
    return false;
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
            cards.push_back({{gs.LastTrick[p]},
                             g.TrickCard(seat).topLeft(),
                             OffWindowToward(g, painter_.Canvas().size(), winner)});
    }
    painter_.ClearTrickArea();  // the trick has gone: the table stays clear behind the cards
    return flights_.FlyGroup(painter_.Canvas(), cards, g.cell, speed, ResumeLater());
}

bool WindowEvents::Pause(int milliseconds) {
    hooks_.repaint();
    rest_.disconnect();
    QObject::connect(&rest_, &QTimer::timeout, ResumeLater());
    rest_.start(milliseconds);
    return true;
}

bool WindowEvents::PlaySound(std::string_view name, bool wait) {
    if (!hooks_.playSound) return false;
    return hooks_.playSound(name, wait, wait ? ResumeLater() : std::function<void()>());
}

// A waited sound may still end: its resumption carries a ticket the game no longer takes.
void WindowEvents::CancelWaits() {
    flights_.Cancel();
    rest_.stop();
    if (QMessageBox* box = question_) {
        box->disconnect();
        box->close();
    }
    hooks_.repaint();
}

void WindowEvents::SpeakCard(const Card& card) {
    if (hooks_.speakCard) hooks_.speakCard(card);
}

// The question stays on the screen, modal to the window, while the event loop goes on; its answer
// reaches the game when it is given.
std::optional<bool> WindowEvents::AskYesNo(WordId question, WordId second, std::string_view joiner) {
    QString text = words_.WordText(question);
    if (second != WordId::None)
        text += QString::fromLatin1(joiner.data(), static_cast<int>(joiner.size())) + words_.WordText(second);
    auto* box = new QMessageBox(QMessageBox::Question, GameName(words_.CurrentLanguage()), text,
                                QMessageBox::Yes | QMessageBox::No, &window_);
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QObject::connect(box, &QMessageBox::finished, [answer = hooks_.answer, question, box] {
        answer(question, box->clickedButton() == box->button(QMessageBox::Yes));
    });
    if (question == WordId::NoCardChange) question_ = box;
    box->open();
    return std::nullopt;
}

void WindowEvents::ShowMessage(WordId message) {
    OpenMessageWindow(words_, words_.WordText(message), {}, {}, &window_);
}

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
void WindowEvents::StopRecording() {
    FinishRecording();
}

void WindowEvents::LeaveTable(LeaveReason reason) {
    // A game that ends at once with four aces is left without its deal being scored.
    FinishRecording();
    hooks_.leaveTable(reason);
}

void WindowEvents::Announce(std::string_view message) {
    if (hooks_.announce) hooks_.announce(message);
}

}  // namespace kesp
