#include "windows/statistics_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "network/field_checks.h"
#include "network/online_requests.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr WordKey kCaptions[TFormStatistics::kRows] = {WordKey::NumberOfStarts,
                                                       WordKey::NumberOfUniqueStarts,
                                                       WordKey::Likes,
                                                       WordKey::LastLike,
                                                       WordKey::StatsGamesPlayedWithPC,
                                                       WordKey::CyclesPlayedWithPC,
                                                       WordKey::WinningPeopleGameWithPC,
                                                       WordKey::LossOfPeopleGameWithPC,
                                                       WordKey::GamesPlayedNet,
                                                       WordKey::GamesPlayedOnline};

constexpr int kLastLikeRow = 3;

// The values of the ten rows, in the order of the captions.
std::array<QString, TFormStatistics::kRows> RowValues(const TZunStat& stat) {
    const auto number = [](long long n) { return QString::number(n); };
    return {number(stat.Stat1),    number(stat.Stat2),
            number(stat.Stat3),    QString::fromStdString(stat.Stat4),
            number(stat.StatX[0]), number(stat.StatX[1]),
            number(stat.StatX[2]), number(stat.StatX[3]),
            number(stat.StatX[4]), number(stat.StatX[5])};
}

// The nick the like goes out under: the passport's, unless it is still the default or not a
// nick the service takes.
bool NickNeeded(const Settings& settings) {
    return settings.WorldNick == kDefaultWorldNick ||
           !IsValidPassportText(settings.WorldNick, kWorldNickLength);
}

}  // namespace

TFormStatistics::TFormStatistics(Settings& settings, ServiceQueue& queue, std::string statisticsAddress,
                                 std::function<void()> saveSettings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      queue_(queue),
      address_(std::move(statisticsAddress)),
      saveSettings_(std::move(saveSettings)) {
    setObjectName(QStringLiteral("FormStatistics"));
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::Statistics);
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(16);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(
        MakeDesignHeader(settings_, WordKey::Statistics, {"Statistics", "GFormStatistics"}, this));

    auto* heading = new QLabel(this);
    QFont headingFont = font;
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet(QStringLiteral("color: #00307a;"));
    words->Bind(heading, WordKey::WorldStats);
    layout->addWidget(heading);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(24, 8, 24, 8);
    grid->setHorizontalSpacing(24);
    grid->setColumnMinimumWidth(1, 120);
    for (int row = 0; row < kRows; ++row) {
        auto* caption = new QLabel(this);
        words->Bind(caption, kCaptions[row]);
        auto* value = new QLabel(this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        captions_[static_cast<std::size_t>(row)] = caption;
        values_[static_cast<std::size_t>(row)] = value;
    }
    layout->addLayout(grid);

    noConnect_ = new QLabel(this);
    noConnect_->setAlignment(Qt::AlignCenter);
    noConnect_->setStyleSheet(QStringLiteral("color: #d00000; font-weight: bold;"));
    words->Bind(noConnect_, WordKey::NoConnect);
    noConnect_->hide();
    layout->addWidget(noConnect_);

    auto* likeRow = new QHBoxLayout;
    like_ = MakeWindowButton(QString(), settings_, this);
    words->Bind(like_, WordKey::ILikeThisGame);
    like_->setAutoDefault(false);
    like_->setMinimumWidth(220);
    likeRow->addStretch(1);
    likeRow->addWidget(like_);
    likeRow->addStretch(1);
    layout->addLayout(likeRow);
    AddOkRow(*layout, *this, settings_, *words);
    connect(like_, &QPushButton::clicked, this, &TFormStatistics::LikeClick);

    Read();
}

void TFormStatistics::Read() {
    queue_.Run<std::optional<TZunStat>>(
        this, [address = address_](ServiceClient& client) { return ReadStatistics(client, address); },
        [this](std::optional<TZunStat> stat) {
            stat_ = std::move(stat);
            ShowStatistics();
            emit StatisticsRead(stat_.has_value());
        });
}

void TFormStatistics::ShowStatistics() {
    noConnect_->setVisible(!stat_);
    const auto values = stat_ ? RowValues(*stat_) : std::array<QString, kRows>{};
    for (int row = 0; row < kRows; ++row) values_[static_cast<std::size_t>(row)]->setText(values[row]);
}

void TFormStatistics::LikeClick() {
    if (!like_->isEnabled() || (question_ && question_->isVisible())) return;
    if (!NickNeeded(settings_)) {
        SendLike(settings_.WorldNick);
        return;
    }
    auto* question = new TFormNickQuestion(settings_, this);
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->setWindowModality(Qt::WindowModal);
    connect(question, &QDialog::accepted, this, [this, question] {
        // The nick given becomes the passport's, so the next like goes out under it too.
        settings_.WorldNick = question->Nick().toStdString();
        SendLike(settings_.WorldNick);
    });
    question_ = question;
    question->open();
}

void TFormStatistics::SendLike(const std::string& nick) {
    like_->setEnabled(false);  // one like at a time
    queue_.Run<bool>(
        this, [address = address_, nick](ServiceClient& client) { return PostLike(client, address, nick); },
        [this, nick](bool sent) {
            if (sent) {
                settings_.StatsEntrySent = true;
                if (saveSettings_) saveSettings_();
                if (stat_) {
                    ++stat_->Stat3;
                    stat_->Stat4 = nick;
                    ShowStatistics();
                } else {  // the counters were not read: only the nick is known
                    values_[kLastLikeRow]->setText(QString::fromStdString(nick));
                }
            } else {
                like_->setEnabled(true);
                noConnect_->show();
            }
            emit LikeAnswered(sent);
        });
}

TFormStatistics* OpenStatisticsWindow(Settings& settings, ServiceQueue& queue, std::string statisticsAddress,
                                      std::function<void()> saveSettings, QWidget* parent) {
    auto* window =
        new TFormStatistics(settings, queue, std::move(statisticsAddress), std::move(saveSettings), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->open();
    return window;
}

}  // namespace kesp
