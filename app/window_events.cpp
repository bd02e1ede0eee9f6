#include "app/window_events.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QThread>

#include "presentation/message_window.h"

namespace kesp {

WindowEvents::WindowEvents(QWidget& window, const Game& game, TablePainter& painter, const Localisation& words,
                           Hooks hooks)
    : window_(window), game_(game), painter_(painter), words_(words), hooks_(std::move(hooks)) {}

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

void WindowEvents::FlyCard(Flight, int, const Card&) {
    // Cards land at once until card flights are animated: the step draws where they landed.
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

void WindowEvents::LeaveTable(LeaveReason reason) { hooks_.leaveTable(reason); }

void WindowEvents::Announce(std::string_view message) {
    if (hooks_.announce) hooks_.announce(message);
}

}  // namespace kesp
