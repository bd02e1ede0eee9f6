// The world statistics ("Statistics"): the counters every copy of the game adds to, read from the
// service when the window opens, and the player's like. Every request runs on the service queue.
#pragma once

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "network/online_records.h"
#include "network/service_queue.h"
#include "records/settings.h"
#include "windows/nick_question.h"

class QLabel;
class QPushButton;

namespace kesp {

class TFormStatistics : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kRows = 10;

    // `saveSettings` writes the settings once the like has been sent. Settings and queue must
    // outlive the window.
    TFormStatistics(Settings& settings, ServiceQueue& queue, std::string statisticsAddress,
                    std::function<void()> saveSettings, QWidget* parent = nullptr);

    // Row 0..9 as shown: its caption and its value ("" while nothing was read).
    QLabel* CaptionLabel(int row) const { return captions_.at(static_cast<std::size_t>(row)); }
    QLabel* ValueLabel(int row) const { return values_.at(static_cast<std::size_t>(row)); }
    QLabel* NoConnectLabel() const { return noConnect_; }
    QPushButton* LikeButton() const { return like_; }
    // The nick question while it is open.
    TFormNickQuestion* NickQuestion() const { return question_; }

  signals:
    void StatisticsRead(bool connected);
    void LikeAnswered(bool sent);

  private:
    void Read();
    void ShowStatistics();
    void LikeClick();
    void SendLike(const std::string& nick);

    Settings& settings_;
    ServiceQueue& queue_;
    std::string address_;
    std::function<void()> saveSettings_;
    std::optional<TZunStat> stat_;
    std::array<QLabel*, kRows> captions_{};
    std::array<QLabel*, kRows> values_{};
    QLabel* noConnect_;
    QPushButton* like_;
    QPointer<TFormNickQuestion> question_;
};

// Opens the statistics window modal to `parent` and returns at once; it frees itself when closed.
TFormStatistics* OpenStatisticsWindow(Settings& settings, ServiceQueue& queue, std::string statisticsAddress,
                                      std::function<void()> saveSettings, QWidget* parent);

}  // namespace kesp
