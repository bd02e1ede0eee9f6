// The wait window of a local-network game ("Please, wait..."): an animation, four lines, OK and
// Cancel. The host waits in it for the clients, a client for its seat; a one-second timer tells a
// client that found no game.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <array>
#include <functional>

#include "presentation/font_roles.h"
#include "presentation/words.h"

namespace kesp {

class WaitWindow : public QDialog {
    Q_OBJECT
  public:
    // `clientFailure` is read on every tick of the one-second timer.
    WaitWindow(const FontRoles& fonts, const Localisation& words, std::function<bool()> clientFailure,
               QWidget* parent = nullptr);

    // The first line as the wait begins; the other lines hidden, OK disabled, Cancel enabled.
    void Begin(WordKey firstLine);
    // Host: `clients` (1..3) are seated; their lines show, OK may start the game, Cancel may not.
    void ShowSeated(int clients);
    // Client: the host has seated this machine; the window closes with the start flag.
    void Start();

    bool StartFlag() const { return startFlag_; }
    QLabel* Line(int n) const { return lines_[static_cast<std::size_t>(n - 1)]; }  // 1..4
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

  public slots:
    void accept() override;
    void reject() override;

  signals:
    void Confirmed();  // the host's OK: the game starts with the players seated
    void Cancelled();  // the sockets are to be closed

  private:
    void Tick();
    void Finish(bool start);

    const Localisation& words_;
    std::function<bool()> clientFailure_;
    std::array<QLabel*, 4> lines_{};
    QLabel* animation_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QTimer timer_;
    bool startFlag_ = false;
};

}  // namespace kesp
