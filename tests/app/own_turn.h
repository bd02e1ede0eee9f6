// The user's moves at the table, made with the mouse as a person makes them.
#pragma once

#include <gtest/gtest.h>

#include <QPushButton>
#include <QtTest/QTest>
#include <cstdint>
#include <optional>

#include "app/main_window.h"

namespace kesp::test {

inline QPushButton* Child(QWidget& window, const char* name) {
    return window.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Clicks the middle of the visible strip of the user's card in `slot`.
inline void ClickOwnCard(TForm1& window, int slot, Qt::MouseButton button = Qt::LeftButton) {
    const TablePainter& painter = window.Painter();
    const QRect hand = painter.Geometry().hand[4];
    const Fan& fan = painter.HandFan(4);
    const int right = slot < fan.count ? fan.x[slot + 1] : fan.x[slot] + fan.cardWidth;
    QTest::mouseClick(&window, button, {},
                      QPoint(hand.left() + (fan.x[slot] + right) / 2, hand.center().y()));
}

// Makes the user's move when it is his turn to discard or to play: marks the first card that may be
// changed (aces may not, so no question is asked) and presses "Is ready", or plays the first legal
// card. False when it is not his turn, or the table is busy showing the last step.
inline bool TakeOwnTurn(TForm1& window, QPushButton* action) {
    const GameState& gs = window.CurrentGame().State();
    if (window.CurrentGame().Waiting()) return false;
    if (gs.Phase == phase::Discard(4) && gs.Plays[4] && action->isEnabled()) {
        int slot = 1;
        while (slot < gs.HandCount[4] && gs.Hand[4][slot].IsAce()) ++slot;
        ClickOwnCard(window, slot);
        QTest::mouseClick(action, Qt::LeftButton);
        return true;
    }
    if (gs.Phase == phase::Play(4) && gs.Plays[4] && gs.DealStarted == 2) {
        const GameState before = gs;
        for (int k = 1; k <= gs.HandCount[4] && gs == before; ++k) ClickOwnCard(window, k);
        EXPECT_FALSE(gs == before) << "no card of the hand could be played";
        return true;
    }
    return false;
}

// Presses what the table waits for from the user: his own move, else the enabled action button.
// While a step of the table runs (a flight, a rest) a press would be refused, so the event loop
// runs instead; false when nothing was pressed.
inline bool PressNext(TForm1& window, QPushButton* action) {
    if (TakeOwnTurn(window, action)) return true;
    if (!window.CurrentGame().Waiting() && action->isVisible() && action->isEnabled()) {
        QTest::mouseClick(action, Qt::LeftButton);
        return true;
    }
    QTest::qWait(5);  // the computer seats move on the game timer; the other machines' steps arrive
    return false;
}

// Plays the game on the table to its end with the mouse and leaves it with "Exit to menu"; the
// settled result of the user's seat, or nothing when the table never came to its end.
inline std::optional<std::int64_t> PlayToTheMenu(TForm1& window) {
    QPushButton* action = Child(window, "Button7");
    QPushButton* second = Child(window, "Button8");
    const GameState& gs = window.CurrentGame().State();
    std::optional<std::int64_t> result;
    for (int steps = 0; window.CurrentScreen() == TForm1::Screen::Table && steps < 50000; ++steps) {
        if (PressNext(window, action)) continue;
        if (second->isVisible() && second->isEnabled() && gs.GameOver) {
            result = gs.Score[4];
            QTest::mouseClick(second, Qt::LeftButton);  // "Exit to menu"
        }
    }
    return result;
}

}  // namespace kesp::test
