// The club login ("Welcome!"): a club member confirms himself with his password, a new player
// chooses a name and a password. The dialog checks what was typed and hands back the record the
// game starts with; the main window then starts the game.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>

#include "records/club.h"
#include "records/settings.h"
#include "windows/lan_form.h"

namespace kesp {

// A confirmed login.
struct ClubLogin {
    int CurrentMember = 0;  // 1..5, or member::NewPlayer
    // The member's record as read from the club, or the new player's first record: the name
    // padded to 20 characters, rating 0, games 0, total 0 and the encoded password.
    ClubMember Record;
    // In the local-network form: the role, address and port the game was started with.
    std::optional<LanChoice> Lan;
};

// Starts the local-network session for a confirmed login and waits (the wait window) until the
// game may start: true when it may, false when the user cancelled the wait.
using LanStart = std::function<bool(const LanChoice&, const ClubLogin&)>;

class WelcomeDialog : public QDialog {
    Q_OBJECT

  public:
    // The login of club member `currentMember` (1..5) with his record, or of a new player
    // (member::NewPlayer, no record). `settings` supplies the language, fonts, design and the name
    // typed last, and receives the name typed now (`LastPlayerName`).
    // While `settings.NetworkMode` is on the dialog has its local-network form, whose OK goes on
    // through `lanStart` (without one, the checked choice is simply handed back).
    WelcomeDialog(Settings& settings, int currentMember, std::optional<ClubMember> memberRecord,
                  QWidget* parent = nullptr, const std::string& programDir = {}, LanStart lanStart = {});

    // Opens the login modally for member `currentMember` of the club file of the current mode in
    // `programDir`, or for a new player. Nothing when the member's slot is empty or the club cannot
    // be read, or when the user cancels.
    static std::optional<ClubLogin> Run(QWidget* parent, Settings& settings, const std::string& programDir,
                                        int currentMember, LanStart lanStart = {});

    // The login once OK confirmed it.
    const std::optional<ClubLogin>& Login() const { return login_; }

    bool IsMemberForm() const { return member_.has_value(); }
    // The local-network form, or null in the local form.
    LanForm* Lan() const { return lanForm_; }
    // The text of the message line; empty while it is hidden.
    QString Message() const;

    QLineEdit* NameEdit() const { return editName_; }
    QLineEdit* PasswordEdit() const { return editPassword_; }
    QLineEdit* RepeatEdit() const { return editRepeat_; }
    QPushButton* OkButton() const { return buttonOk_; }
    QPushButton* CancelButton() const { return buttonCancel_; }

  public slots:
    void ButtonOkClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowMessage(const QString& text, QLineEdit* focus);

    Settings& settings_;
    int currentMember_;
    std::optional<ClubMember> member_;
    std::optional<ClubLogin> login_;
    LanStart lanStart_;
    LanForm* lanForm_ = nullptr;

    QLineEdit* editName_ = nullptr;
    QLineEdit* editPassword_ = nullptr;
    QLineEdit* editRepeat_ = nullptr;
    QLabel* labelMessage_ = nullptr;
    QPushButton* buttonOk_ = nullptr;
    QPushButton* buttonCancel_ = nullptr;
    QProxyStyle* passwordStyle_ = nullptr;
};

}  // namespace kesp
