#include "network/account_session.h"

#include <QTimer>
#include <utility>

#include "network/service_cipher.h"
#include "records/user_file.h"

namespace kesp {

namespace {

// A freshly uploaded picture is published by the service after its check; it is read again after
// these delays (milliseconds) as well as at once.
constexpr int kPictureRereadDelays[] = {1500, 4000};

QImage PictureFrom(const std::optional<std::string>& bytes) {
    if (!bytes) return {};
    return QImage::fromData(QByteArray::fromStdString(*bytes), "JPG");
}

}  // namespace

AccountSession::AccountSession(ServiceQueue& queue, const ServiceAddresses& addresses, std::string programDir,
                               QObject* parent)
    : QObject(parent), queue_(queue), addresses_(addresses), userFilePath_(kesp::UserFilePath(programDir)) {
    ResetLoggedOutFields();
}

template <typename Result>
void AccountSession::Request(std::function<Result(ServiceClient&)> work, std::function<void(Result)> done) {
    ++pending_;
    emit PendingChanged(pending_);
    queue_.Run<Result>(this, std::move(work), [this, done = std::move(done)](Result result) {
        --pending_;
        done(std::move(result));
        emit PendingChanged(pending_);
    });
}

void AccountSession::ResetLoggedOutFields() {
    user_.City.clear();
    user_.EMail.clear();
    user_.Country2 = "1-001";
    user_.Country1 = "Russia";
    user_.Sex = 'M';
    user_.DateR = "00.00.0000";
}

std::string AccountSession::PresidentNick() const {
    if (!topTen_ || topTen_->empty()) return {};
    const std::string& nick = topTen_->front().Nick;
    return nick == "#" ? std::string() : nick;
}

void AccountSession::SetState(LoginState state) {
    if (state == state_) return;
    state_ = state;
    emit StateChanged(state_);
}

void AccountSession::TakeAccount(const TZunUser& user) {
    const bool nickChanged = user.Nick != user_.Nick;
    const TInfo14 info = user_.Info;
    user_ = user;
    user_.Info = info;
    user_.PwC = Encipher(user_.Pw, CipherKey::UserPassword);
    if (nickChanged) emit NickChanged(QString::fromStdString(user_.Nick));
}

void AccountSession::Create(const std::string& today) {
    if (LoggedIn()) return;
    TZunUser user = user_;
    user.DateR = today;
    const std::string address = addresses_.account;
    Request<CreateResult>(
        [address, user](ServiceClient& client) { return CreateAccount(client, address, user, user.DateR); },
        [this, user](CreateResult result) {
            if (result == CreateResult::Created && !LoggedIn()) {
                TakeAccount(user);
                SetState(LoginState::LoggedIn);
                QueueReadsAfterLogin(true);
            } else {
                user_.DateR = "00.00.0000";
            }
            emit Created(result);
        });
}

void AccountSession::ReadAccountThen(const std::string& nick, const std::string& password,
                                     std::function<void(std::optional<TZunUser>)> done) {
    const std::string address = addresses_.account;
    Request<std::optional<TZunUser>>(
        [address, nick, password](ServiceClient& client) -> std::optional<TZunUser> {
            TZunUser user;
            user.Nick = nick;
            user.Pw = password;
            if (!ReadAccount(client, address, user)) return std::nullopt;
            return user;
        },
        std::move(done));
}

void AccountSession::LogIn(const std::string& nick, const std::string& password) {
    if (LoggedIn()) return;
    ReadAccountThen(nick, password, [this](std::optional<TZunUser> user) {
        if (!user || LoggedIn()) {
            gameAnswered_ = false;
            memberCount_.reset();
            emit LoginFinished(false);
            emit DataChanged();
            return;
        }
        TakeAccount(*user);
        SetState(LoginState::LoggedIn);
        QueueReadsAfterLogin(false);
        emit LoginFinished(true);
    });
}

void AccountSession::LogOut() {
    user_.R04 = user_.R05 = user_.R06 = 0;
    ownPicture_ = QImage();
    SetState(LoginState::LoggedOut);
    emit DataChanged();
}

bool AccountSession::StartUpLogin() {
    const auto file = ReadUserFile(userFilePath_);
    if (!file) return false;
    const auto deciphered = Decipher(file->PwC, CipherKey::UserPassword);
    if (!deciphered) return false;
    const std::string nick = file->Nick;
    const std::string password = StartUpPassword(*deciphered);
    // The requests queued before (the configuration document) may still change the account
    // address; it is read once they have answered.
    Request<int>([](ServiceClient&) { return 0; },
                 [this, nick, password](int) { StartUpRead(nick, password); });
    return true;
}

void AccountSession::StartUpRead(const std::string& nick, const std::string& password) {
    ReadAccountThen(nick, password, [this, nick, password](std::optional<TZunUser> user) {
        if (user && !LoggedIn()) {
            TakeAccount(*user);
            SetState(LoginState::LoggedIn);
        } else if (!LoggedIn()) {
            // The window still offers the saved nick and password.
            if (nick != user_.Nick) {
                user_.Nick = nick;
                emit NickChanged(QString::fromStdString(nick));
            }
            user_.Pw = password;
            user_.PwC = Encipher(password, CipherKey::UserPassword);
        }
        emit LoginFinished(user.has_value());
    });
}

void AccountSession::QueueReadsAfterLogin(bool afterCreate) {
    if (afterCreate) {
        QueueMemberCount();
        const std::string address = addresses_.account;
        const TZunUser sent = user_;
        Request<std::optional<TZunUser>>(
            [address, sent](ServiceClient& client) -> std::optional<TZunUser> {
                TZunUser user = sent;
                if (!ReadAccount(client, address, user)) return std::nullopt;
                return user;
            },
            [this](std::optional<TZunUser> user) {
                if (user && LoggedIn() && user->Nick == user_.Nick) TakeAccount(*user);
                emit DataChanged();
            });
        QueueResults();
        QueueOwnProfile();
        return;
    }
    QueueResults();
    QueueMemberCount();
    QueueOwnPicture();
    QueueOwnProfile();
    QueuePresident();
}

void AccountSession::ReadWindowData() {
    QueueTopTen();
    if (LoggedIn()) QueueResults();
    QueueMemberCount();
    if (LoggedIn()) {
        QueueOwnPicture();
        QueueOwnProfile();
    }
    // The president is read once the top ten has named him (see QueueTopTen), after the rest.
}

void AccountSession::RefreshResults() {
    if (LoggedIn()) QueueResults();
}

void AccountSession::RefreshTopTen() {
    QueueTopTen();
}

void AccountSession::RefreshPresident() {
    QueuePresident();
}

void AccountSession::RefreshOwnPicture() {
    if (LoggedIn()) QueueOwnPicture();
}

void AccountSession::QueueResults() {
    const std::string address = addresses_.account;
    const TZunUser user = user_;
    struct Results {
        bool answered = false;
        TZunGame game;
    };
    Request<Results>(
        [address, user](ServiceClient& client) {
            Results results;
            results.answered = ReadGameRecord(client, address, user, results.game);
            if (results.answered)
                results.game.Place = ReadPlaceByRating(client, address, results.game.Rating);
            return results;
        },
        [this, nick = user.Nick](Results results) {
            if (nick != user_.Nick) return;
            game_ = results.game;
            gameAnswered_ = results.answered;
            emit DataChanged();
        });
}

void AccountSession::QueueMemberCount() {
    const std::string address = addresses_.account;
    Request<std::optional<long long>>(
        [address](ServiceClient& client) { return ReadMemberCount(client, address); },
        [this](std::optional<long long> count) {
            memberCount_ = count;
            emit DataChanged();
        });
}

void AccountSession::QueueOwnProfile() {
    const std::string address = addresses_.account;
    const std::string nick = user_.Nick;
    struct Profile {
        ProfileRead read = ProfileRead::NoAnswer;
        TInfo14 info;
    };
    Request<Profile>(
        [address, nick](ServiceClient& client) {
            Profile profile;
            profile.read = ReadProfile(client, address, nick, profile.info);
            return profile;
        },
        [this, nick](Profile profile) {
            if (nick != user_.Nick) return;
            if (profile.read != ProfileRead::NoAnswer) user_.Info = profile.info;
            ownProfileRead_ = profile.read == ProfileRead::Found;
            emit DataChanged();
        });
}

void AccountSession::QueueOwnPicture() {
    const std::string prefix = addresses_.avatarPrefix;
    const std::string nick = user_.Nick;
    Request<std::optional<std::string>>([prefix, nick](ServiceClient&) { return ReadPicture(prefix, nick); },
                                        [this, nick](std::optional<std::string> bytes) {
                                            if (nick != user_.Nick || !LoggedIn()) return;
                                            ownPicture_ = PictureFrom(bytes);
                                            emit DataChanged();
                                        });
}

void AccountSession::QueueTopTen() {
    const std::string address = addresses_.account;
    Request<std::optional<std::vector<TZunTop10>>>(
        [address](ServiceClient& client) { return ReadAccountTopTen(client, address); },
        [this](std::optional<std::vector<TZunTop10>> topTen) {
            topTen_ = std::move(topTen);
            emit DataChanged();
            QueuePresident();
        });
}

void AccountSession::QueuePresident() {
    const std::string nick = PresidentNick();
    if (nick.empty()) {
        presidentProfile_ = TInfo14();
        presidentProfileRead_ = false;
        presidentPicture_ = QImage();
        emit DataChanged();
        return;
    }
    const std::string address = addresses_.account;
    const std::string prefix = addresses_.avatarPrefix;
    struct President {
        ProfileRead read = ProfileRead::NoAnswer;
        TInfo14 info;
        std::optional<std::string> picture;
    };
    Request<President>(
        [address, prefix, nick](ServiceClient& client) {
            President president;
            president.read = ReadProfile(client, address, nick, president.info);
            president.picture = ReadPicture(prefix, nick);
            return president;
        },
        [this](President president) {
            presidentProfileRead_ = president.read == ProfileRead::Found;
            presidentProfile_ = presidentProfileRead_ ? president.info : TInfo14();
            presidentPicture_ = PictureFrom(president.picture);
            emit DataChanged();
        });
}

void AccountSession::SaveProfile(const TInfo14& info) {
    if (!LoggedIn()) {
        emit ProfileSaved(false);
        return;
    }
    const std::string address = addresses_.account;
    const std::string nick = user_.Nick;
    Request<bool>([address, nick,
                   info](ServiceClient& client) { return kesp::SaveProfile(client, address, nick, info); },
                  [this](bool ok) { emit ProfileSaved(ok); });
    QueueOwnProfile();
}

bool AccountSession::IsJpegPicture(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xD8\xFF") && !QImage::fromData(bytes, "JPG").isNull();
}

void AccountSession::UploadPicture(const QByteArray& jpeg) {
    if (!LoggedIn() || !IsJpegPicture(jpeg)) {
        emit PictureUploaded(false);
        return;
    }
    const PictureStore store = addresses_.pictureStore;
    const std::string nick = user_.Nick;
    const std::string bytes = jpeg.toStdString();
    Request<bool>([store, nick, bytes](ServiceClient&) { return kesp::UploadPicture(store, nick, bytes); },
                  [this](bool ok) {
                      emit PictureUploaded(ok);
                      if (!ok) return;
                      QueueOwnPicture();
                      for (int delay : kPictureRereadDelays)
                          QTimer::singleShot(delay, this, [this] { RefreshOwnPicture(); });
                  });
}

void AccountSession::SetRatedGame(bool rated) {
    if (!LoggedIn()) return;
    SetState(rated ? LoginState::RatedGame : LoginState::LoggedIn);
}

void AccountSession::SetGame(const TZunGame& game, bool answered) {
    game_ = game;
    gameAnswered_ = answered;
    emit DataChanged();
}

bool AccountSession::LoginSaved() const {
    return UserFileExists(userFilePath_);
}

bool AccountSession::SaveLogin() {
    if (!LoggedIn()) return false;
    return WriteUserFile(userFilePath_, UserFile{user_.Nick, user_.PwC});
}

bool AccountSession::DeleteLogin() {
    return DeleteUserFile(userFilePath_);
}

}  // namespace kesp
