// The "World Top Ten" window: seven lists chosen with seven buttons, the chosen one pulsing. The
// service lists are read on the service queue; an answer for a list that is no longer shown is
// dropped. Open it with show() or open(): it never waits for the service.
#pragma once

#include <QDialog>
#include <QTimer>
#include <array>
#include <string>

#include "network/service_queue.h"
#include "presentation/cards_button.h"
#include "records/settings.h"
#include "windows/world_list_panel.h"
#include "windows/world_lists.h"

namespace kesp {

// Where the lists come from and whose entries are the player's own.
struct WorldListSources {
    ServiceAddresses Addresses;
    std::string ProgramDir;  // the local club files
    WorldIdentity World;     // the passport: own entries of the Windows and Android lists
    WorldIdentity Account;   // the logged-in account (empty nick: none) for the account list
};

class TFormWorldTopTen : public QDialog {
    Q_OBJECT

  public:
    TFormWorldTopTen(const Settings& settings, ServiceQueue& queue, WorldListSources sources, int list,
                     QWidget* parent = nullptr);

    // Shows list 1..7 (others are taken as 3) and reads it.
    void ShowList(int list);
    int List() const { return list_; }
    const WorldListPanel& Panel() const { return *panel_; }
    TZunCardsButton* ListButton(int list) const { return buttons_[static_cast<std::size_t>(list - 1)]; }

  signals:
    // A list was chosen; the caller remembers it for the next opening.
    void ListShown(int list);

  private:
    void Pulse();

    const Settings& settings_;
    ServiceQueue& queue_;
    WorldListSources sources_;
    int list_ = kWindowsCycleList;
    int readSerial_ = 0;  // the read whose answer may still paint
    int pulse_ = 0;
    WorldListPanel* panel_;
    std::array<TZunCardsButton*, kWorldListCount> buttons_{};
    QTimer pulseTimer_;
};

}  // namespace kesp
