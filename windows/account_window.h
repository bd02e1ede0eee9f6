// "My account": creating the online account, logging in and out, the saved login, the account's
// results, the club's top ten, the own profile and the president's. Every request runs on the
// service queue, so the window stays responsive while the service is slow or away.
#pragma once

#include <QDialog>
#include <QMovie>
#include <memory>

#include "network/account_session.h"
#include "network/field_checks.h"
#include "presentation/words.h"
#include "records/settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace kesp {

class WindowWords;

class TFormAccount : public QDialog {
    Q_OBJECT

  public:
    // `ratedGameStart` opens the window at the start of a game, where "Play global rating" may be
    // ticked. Settings and session must outlive the window.
    TFormAccount(const Settings& settings, AccountSession& session, bool ratedGameStart,
                 QWidget* parent = nullptr);
    ~TFormAccount() override;

    // The controls, for the window's tests.
    QLineEdit* NickEdit() const { return nick_; }
    QLineEdit* PasswordEdit() const { return password_; }
    QLineEdit* CityEdit() const { return city_; }
    QLineEdit* EMailEdit() const { return email_; }
    QComboBox* ContinentBox() const { return continent_; }
    QComboBox* CountryBox() const { return country_; }
    QComboBox* SexBox() const { return sex_; }
    QPushButton* CreateButton() const { return create_; }
    QPushButton* LoginButton() const { return login_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* DeleteButton() const { return delete_; }
    QCheckBox* HidePasswordBox() const { return hidePassword_; }
    QCheckBox* RatedGameBox() const { return rated_; }
    QLabel* MembersLabel() const { return members_; }
    QTabWidget* Pages() const { return pages_; }
    QListWidget* ResultsList() const { return results_; }
    QListWidget* TopTenList() const { return topTen_; }
    QListWidget* PresidentList() const { return president_; }
    // The lamp of a field as the window shows it.
    FieldLamp Lamp(FieldKind kind) const;
    // The last message the window showed ("" when none).
    QString LastMessage() const { return lastMessage_; }

  private:
    QWidget* MakeAccountPage(WindowWords& words);
    QWidget* MakeResultsPage(WindowWords& words);
    QWidget* MakeTopTenPage(WindowWords& words);
    QWidget* MakeAboutMePage(WindowWords& words);
    QWidget* MakePresidentPage(WindowWords& words);
    void FillCountries();
    void ShowAccount();
    void ShowData();
    void ShowResults();
    void ShowTopTen();
    void ShowProfiles();
    void UpdateLamps();
    void UpdateButtons();
    void UpdateStar();
    void CreateClick();
    void LoginClick();
    void OpenProfileEditor();
    void PresidentLineClick(int row);
    void Message(const QString& text);
    QString Text(WordKey key) const { return WordText(key, settings_.CurrentLanguage); }

    const Settings& settings_;
    AccountSession& session_;
    const bool ratedGameStart_;
    bool requestRunning_ = false;  // a creation or a login waits for its answer
    QTabWidget* pages_ = nullptr;
    QLineEdit* nick_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* city_ = nullptr;
    QLineEdit* email_ = nullptr;
    QLineEdit* wireName_ = nullptr;
    QLineEdit* registration_ = nullptr;
    QComboBox* continent_ = nullptr;
    QComboBox* country_ = nullptr;
    QComboBox* sex_ = nullptr;
    QLabel* lamps_[4] = {};
    FieldLamp lampState_[4] = {FieldLamp::Red, FieldLamp::Red, FieldLamp::Red, FieldLamp::Red};
    QPushButton* create_ = nullptr;
    QPushButton* login_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* delete_ = nullptr;
    QCheckBox* hidePassword_ = nullptr;
    QCheckBox* rated_ = nullptr;
    QLabel* members_ = nullptr;
    QLabel* star_ = nullptr;
    std::unique_ptr<QMovie> starMovie_;
    LoginState starState_ = LoginState::LoggedOut;
    bool starShown_ = false;
    QListWidget* results_ = nullptr;
    QListWidget* topTen_ = nullptr;
    QLabel* ownPicture_ = nullptr;
    QListWidget* ownProfile_ = nullptr;
    QLabel* presidentPicture_ = nullptr;
    QListWidget* president_ = nullptr;
    QString lastMessage_;
};

// Opens the account window modal to `parent` and returns at once; it deletes itself when closed.
TFormAccount* OpenAccountWindow(const Settings& settings, AccountSession& session, bool ratedGameStart,
                                QWidget* parent);

// A photo in the 200 x 250 frame "GAcFrame"; a grey place when there is no photo.
QPixmap FramedPhoto(const QImage& photo);

}  // namespace kesp
