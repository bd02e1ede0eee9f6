#include "app/rated_game.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "engine/sounds.h"
#include "network/account_rating.h"
#include "network/account_session.h"
#include "network/online_records.h"
#include "network/online_requests.h"
#include "network/service_form.h"

namespace kesp {
namespace {

constexpr int kBookingTries = 3;

}  // namespace

RatedGame::RatedGame(AccountSession& account, const Localisation& words, QWidget& window,
                     SoundPlayer playSound, QObject* parent)
    : QObject(parent), account_(account), words_(words), window_(window), playSound_(std::move(playSound)) {}

RatedGame::~RatedGame() {
    ShowWaiting(false);
}

void RatedGame::SetRetryDelays(std::chrono::milliseconds second, std::chrono::milliseconds third) {
    retryDelays_ = {second, third};
}

void RatedGame::PreBook() {
    if (busy_) return;
    busy_ = true;
    TryBooking(1);
}

// One try reads the record and saves it booked; a service that is down fails the try at its read.
void RatedGame::TryBooking(int attempt) {
    ShowWaiting(true);
    const TZunUser user = account_.User();
    const std::string address = account_.Addresses().account;
    account_.Queue().Run<std::optional<TZunGame>>(
        this,
        [user, address](ServiceClient& client) -> std::optional<TZunGame> {
            TZunGame read;
            if (!ReadGameRecord(client, address, user, read)) return std::nullopt;
            if (!SaveGameRecord(client, address, user, PreBookedRecord(read))) return std::nullopt;
            return read;
        },
        [this, attempt](std::optional<TZunGame> read) {
            if (read) {
                ShowWaiting(false);
                read->Place = account_.Game().Place;  // the place comes from its own request
                // The game plays on with the record as read; only the service holds the booking.
                account_.SetGame(*read, true);
                busy_ = false;
                emit PreBookFinished(true);
                return;
            }
            playSound_(sound::Wrong);
            if (attempt >= kBookingTries) {
                PreBookFailed();
                return;
            }
            QTimer::singleShot(retryDelays_[static_cast<std::size_t>(attempt - 1)], this,
                               [this, attempt] { TryBooking(attempt + 1); });
        });
}

void RatedGame::PreBookFailed() {
    ShowWaiting(false);
    account_.LogOut();
    auto* box = new QMessageBox(QMessageBox::Warning, words_.GameName(),
                                words_.WordText(WordKey::CouldNotConnectToServer), QMessageBox::Ok, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
    busy_ = false;
    emit PreBookFinished(false);
}

void RatedGame::FinishGame(std::int64_t result, std::int64_t total) {
    if (busy_) return;
    busy_ = true;
    result_ = result;
    total_ = total;
    kept_ = account_.Game();
    keptAnswered_ = account_.GameAnswered();
    // Until the update gets through the service holds the booked loss.
    rating_ = PreBookedRecord(kept_).Rating;
    UpdateRecord();
}

void RatedGame::UpdateRecord() {
    ShowWaiting(true);
    const TZunUser user = account_.User();
    const std::string address = account_.Addresses().account;
    const std::int64_t result = result_;
    const std::int64_t total = total_;
    // The booking sent the cycle's count as 0, so that a game left before its end costs the cycle;
    // a finished game counts on from the count it started with.
    const int cycleGames = kept_.KonL;
    account_.Queue().Run<std::optional<FinishedRecord>>(
        this,
        [user, address, result, total, cycleGames](ServiceClient& client) -> std::optional<FinishedRecord> {
            TZunGame read;
            if (!ReadGameRecord(client, address, user, read)) return std::nullopt;
            read.KonL = cycleGames;
            FinishedRecord finished = RecordAfterGame(read, result, total);
            if (!SaveGameRecord(client, address, user, finished.Record)) return std::nullopt;
            return finished;
        },
        [this](std::optional<FinishedRecord> finished) {
            ShowWaiting(false);
            if (!finished) {
                account_.SetGame(kept_, keptAnswered_);
                AskRepeat(
                    WordKey::CouldNotConnectToServer, [this] { UpdateRecord(); },
                    [this] { Done(std::nullopt); });
                return;
            }
            finished->Record.Place = kept_.Place;
            account_.SetGame(finished->Record, true);
            rating_ = finished->Record.Rating;
            if (finished->CycleEnded)
                PostCycle();
            else
                Done(std::nullopt);
        });
}

void RatedGame::PostCycle() {
    ShowWaiting(true);
    const TZunUser& user = account_.User();
    TZunRecord record;
    record.GID = kAccountList;
    record.Score = static_cast<int>(total_);
    record.Nick = user.Nick;
    record.City = user.City;
    record.Country = user.Country1;
    record.R07 = std::string(1, user.Sex);
    record.R08 = std::string(kRecordProgramVersion);
    const std::string address = account_.Addresses().worldTopTen;
    account_.Queue().Run<int>(
        this, [address, record](ServiceClient& client) { return PostRecord(client, address, record); },
        [this](int place) {
            ShowWaiting(false);
            // A post that got through always tells its place.
            if (place < 0) {
                AskRepeat(
                    WordKey::CannotWriteResult, [this] { PostCycle(); }, [this] { Done(std::nullopt); });
                return;
            }
            Done(TopTenPlace{place <= 10 ? place : 0, total_});
        });
}

void RatedGame::Done(std::optional<TopTenPlace> cycle) {
    account_.SetRatedGame(false);
    busy_ = false;
    emit GameRecorded(rating_, cycle);
}

void RatedGame::AskRepeat(WordKey message, std::function<void()> repeat, std::function<void()> giveUp) {
    auto* box =
        new QMessageBox(QMessageBox::Question, words_.GameName(),
                        words_.WordText(message) + QStringLiteral("\n") + words_.WordText(WordKey::Repeat),
                        QMessageBox::Yes | QMessageBox::No, &window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this,
            [repeat = std::move(repeat), giveUp = std::move(giveUp)](int answer) {
                if (answer == QMessageBox::Yes)
                    repeat();
                else
                    giveUp();
            });
    box->open();
}

// The wait cursor over the whole program while a request of the flow runs.
void RatedGame::ShowWaiting(bool waiting) {
    if (waiting == waiting_) return;
    waiting_ = waiting;
    if (waiting)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace kesp
