// The player's online account for the run: the login state, the account and its record for this
// game, the club's member count and top ten, the own and the president's profile and picture, and
// the saved login in the user file. Every operation queues its requests on the service queue in the
// order the account's steps need them and reports through the signals, so no window waits.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <optional>
#include <string>
#include <vector>

#include "network/online_records.h"
#include "network/online_requests.h"
#include "network/service_addresses.h"
#include "network/service_queue.h"

namespace kesp {

enum class LoginState { LoggedOut = 1, LoggedIn = 2, RatedGame = 3 };

class AccountSession : public QObject {
    Q_OBJECT

  public:
    // `addresses` is read at each request, so the configuration document's changes apply; both must
    // outlive the session. The user file is looked for in the folder above `programDir`.
    AccountSession(ServiceQueue& queue, const ServiceAddresses& addresses, std::string programDir,
                   QObject* parent = nullptr);

    LoginState State() const { return state_; }
    bool LoggedIn() const { return state_ != LoginState::LoggedOut; }
    // The account; while logged out the fields the account window is filling in.
    const TZunUser& User() const { return user_; }
    TZunUser& EditUser() { return user_; }
    // While logged out: city and e-mail empty, Russia, 'M', no registration date.
    void ResetLoggedOutFields();
    // The account's record for this game (with its place by rating) and whether the service sent it.
    const TZunGame& Game() const { return game_; }
    bool GameAnswered() const { return gameAnswered_; }
    // The club's member count; nothing until the service answered.
    std::optional<long long> MemberCount() const { return memberCount_; }
    // The account top ten; nothing until the service answered. Its first player is the president.
    const std::optional<std::vector<TZunTop10>>& TopTen() const { return topTen_; }
    std::string PresidentNick() const;
    const TInfo14& PresidentProfile() const { return presidentProfile_; }
    bool PresidentProfileRead() const { return presidentProfileRead_; }
    // The pictures as loaded (null when none could be loaded).
    const QImage& OwnPicture() const { return ownPicture_; }
    const QImage& PresidentPicture() const { return presidentPicture_; }
    bool OwnProfileRead() const { return ownProfileRead_; }
    // Operations of this session still waiting for their answers.
    int Pending() const { return pending_; }

    ServiceQueue& Queue() { return queue_; }
    const ServiceAddresses& Addresses() const { return addresses_; }

    // Creates the account from User() (DateR becomes `today`): Created(result). On success the state
    // becomes logged in and the member count, the account, the record, the place and the profile
    // are read. Ignored while logged in.
    void Create(const std::string& today);
    // Logs in with the nick and password: LoginFinished(ok); on success the record, the place, the
    // member count, the own picture and profile and the president's profile and picture follow.
    void LogIn(const std::string& nick, const std::string& password);
    // State 1; the reserved integers are cleared and the own picture dropped.
    void LogOut();
    // The start-up login from the user file, when there is one: LoginFinished(ok) after the account
    // read. Returns false (and does nothing) without a readable user file.
    bool StartUpLogin();
    // The reads of an opening account window: the top ten, when logged in the record and place, the
    // member count, when logged in the own picture and profile, then the president's profile and
    // picture. DataChanged() after each.
    void ReadWindowData();
    void RefreshResults();  // the record and the place
    void RefreshTopTen();   // the top ten, then the president
    void RefreshPresident();
    // Saves the own profile ('$' and '~' become blanks) and reads it again: ProfileSaved(ok).
    void SaveProfile(const TInfo14& info);
    // Puts the JPEG into the picture store and loads the own picture again: PictureUploaded(ok).
    // Bytes that are not a JPEG picture fail at once, without a request.
    void UploadPicture(const QByteArray& jpeg);
    // Reads the own picture again (the service publishes an upload after its check).
    void RefreshOwnPicture();

    // Rated games: logged in 2 ⇄ 3. Ignored while logged out.
    void SetRatedGame(bool rated);
    // A record read or written by the rated game's steps.
    void SetGame(const TZunGame& game, bool answered);

    // The saved login: the user file beside the games.
    std::string UserFilePath() const { return userFilePath_; }
    bool LoginSaved() const;
    // Writes the nick and the enciphered password; false when the file could not be written.
    bool SaveLogin();
    bool DeleteLogin();

    // True when the bytes load as a JPEG picture.
    static bool IsJpegPicture(const QByteArray& bytes);

  signals:
    void StateChanged(LoginState state);
    void NickChanged(const QString& nick);
    void Created(CreateResult result);
    void LoginFinished(bool ok);
    void ProfileSaved(bool ok);
    void PictureUploaded(bool ok);
    // Something shown by the account window arrived (record, count, top ten, profiles, pictures).
    void DataChanged();
    void PendingChanged(int pending);

  private:
    template <typename Result>
    void Request(std::function<Result(ServiceClient&)> work, std::function<void(Result)> done);
    void SetState(LoginState state);
    void TakeAccount(const TZunUser& user);
    void StartUpRead(const std::string& nick, const std::string& password);
    // Reads the account with this nick and password; `done` gets it, or nothing when refused.
    void ReadAccountThen(const std::string& nick, const std::string& password,
                         std::function<void(std::optional<TZunUser>)> done);
    void QueueReadsAfterLogin(bool afterCreate);
    void QueueResults();
    void QueueMemberCount();
    void QueueOwnProfile();
    void QueueOwnPicture();
    void QueueTopTen();
    void QueuePresident();

    ServiceQueue& queue_;
    const ServiceAddresses& addresses_;
    std::string userFilePath_;
    LoginState state_ = LoginState::LoggedOut;
    TZunUser user_;
    TZunGame game_;
    bool gameAnswered_ = false;
    std::optional<long long> memberCount_;
    std::optional<std::vector<TZunTop10>> topTen_;
    TInfo14 presidentProfile_;
    bool presidentProfileRead_ = false;
    bool ownProfileRead_ = false;
    QImage ownPicture_;
    QImage presidentPicture_;
    int pending_ = 0;
};

}  // namespace kesp
