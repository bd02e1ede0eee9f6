// Asks for the nick under which the player's like goes to the world statistics. The dialog stays
// open while the nick typed is not a valid passport nick; Cancel gives up.
#pragma once

#include <QDialog>

#include "records/settings.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kesp {

class WindowWords;

class TFormNickQuestion : public QDialog {
    Q_OBJECT

  public:
    // Open it with open(); when it was accepted, Nick() is a valid nick. `settings` must outlive it.
    TFormNickQuestion(const Settings& settings, QWidget* parent = nullptr);

    QString Nick() const;
    QLineEdit* NickEdit() const { return nick_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // The warning shown after an invalid nick was offered.
    QLabel* Warning() const { return warning_; }

    void done(int result) override;

  private:
    QLineEdit* nick_;
    QLabel* warning_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace kesp
