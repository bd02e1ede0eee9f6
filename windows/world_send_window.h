// The "World Top Ten" send window, offered when a cycle of 25 games against the computer ends for a
// player without a rated account: "Send" posts the cycle's total to the Windows list under the
// world passport, "Passport" edits the passport first, "Close" leaves. Nothing in it waits: the
// post runs on the service queue and the passport opens beside it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "network/service_queue.h"
#include "presentation/words.h"
#include "records/settings.h"

namespace kesp {

class TFormWorldSend : public QDialog {
    Q_OBJECT

  public:
    // `settings` (the passport) must outlive the window.
    TFormWorldSend(Settings& settings, ServiceQueue& queue, std::string worldAddress, int score,
                   QWidget* parent = nullptr);

    QPushButton* SendButton() const { return send_; }
    QPushButton* PassportButton() const { return passport_; }
    // The place the post reached; -1 until a post succeeded.
    int Place() const { return place_; }

  signals:
    // A post was answered; `place` is -1 when it failed.
    void Posted(int place);

  private:
    void Send();
    void OpenPassport();
    void ShowPassport();

    Settings& settings_;
    ServiceQueue& queue_;
    std::string worldAddress_;
    int score_;
    int place_ = -1;
    Localisation words_;
    QLabel* flag_;
    QLabel* sex_;
    QLabel* who_;
    QLabel* placeLine_;
    QPushButton* send_;
    QPushButton* passport_;
};

}  // namespace kesp
