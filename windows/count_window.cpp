#include "windows/count_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "presentation/words.h"
#include "records/club.h"
#include "records/club_text.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

const QColor kNavy(0, 0, 128);
const QColor kDarkRed(128, 0, 0);

constexpr std::array<WordKey, TFormCount::kRows> kLabels = {
    WordKey::GeneralNumberOfGame, WordKey::RoundInCurrentCycle, WordKey::TheInitialScore,
    WordKey::TheCurrentScore,     WordKey::TheGeneralScore,     WordKey::TheInitialRating,
    WordKey::TheCurrentRating};

const std::string& FieldOf(const TCount& c, int row) {
    const std::string* fields[TFormCount::kRows] = {&c.Count_KonAll, &c.Count_KonCur, &c.Count_ScoBeg,
                                                    &c.Count_ScoCur, &c.Count_ScoAll, &c.Count_ReiBeg,
                                                    &c.Count_ReiCur};
    return *fields[std::clamp(row, 0, TFormCount::kRows - 1)];
}

// The service's rating rounded to an integer; a value that is no number reads as 0.
std::string ServiceRatingText(double rating) {
    if (!std::isfinite(rating)) return "0";
    rating = std::clamp(rating, -1.0e12, 1.0e12);
    return std::to_string(std::llround(rating));
}

}  // namespace

std::int64_t OwnSeatAdvantage(const GameState& gs) {
    std::int64_t others = 0;
    for (int seat = 1; seat <= 3; ++seat) others += gs.Score[seat];
    return others - 3 * static_cast<std::int64_t>(gs.Score[4]);
}

int RoundInCycle(std::int64_t gameNo) {
    const std::int64_t rest = ((gameNo % CycleLength) + CycleLength) % CycleLength;
    return rest == 0 ? CycleLength : static_cast<int>(rest);
}

std::string FormatCountRating(std::int64_t millionths) {
    millionths = std::clamp(millionths, -RatingLimit, RatingLimit);
    return RightAligned(FormatScaled(RescaleRounded(millionths, 6, 2), 2), 6);
}

TCount MakeCount(const GameState& gs, const CountSource& source) {
    TCount c;
    c.PlayerName = std::string(TrimTrailingBlanks(source.PlayerName));
    c.Kind = source.Kind;
    c.Lamp = source.Lamp;
    const std::int64_t gameNo = gs.GameNo;
    const std::int64_t current = OwnSeatAdvantage(gs);
    const bool tournament = source.Kind == CountGameKind::Tournament;
    const bool online = source.Kind == CountGameKind::RatedOnline;
    const std::int64_t start = tournament ? source.TournamentScore : gs.RunningTotal;

    c.Count_KonAll = std::to_string(gameNo);
    if (tournament)
        c.Count_KonCur = "-";
    else if (online)
        c.Count_KonCur = std::to_string(std::max<std::int64_t>(source.OnlineCycleGames, 0) + 1);
    else
        c.Count_KonCur = std::to_string(RoundInCycle(gameNo));
    c.Count_ScoBeg = std::to_string(start);
    c.Count_ScoCur = std::to_string(current);
    c.Count_ScoAll = std::to_string(start + current);
    if (tournament || online) {
        c.Count_ReiBeg = ServiceRatingText(source.ServiceRating);
        c.Count_ReiCur = "?";
    } else {
        c.Count_ReiBeg = FormatCountRating(source.StartRating);
        c.Count_ReiCur = FormatCountRating(UpdateRating(source.StartRating, gameNo, current));
    }
    return c;
}

TCount MakeCount(const GameState& gs, std::string_view playerName, std::int64_t startRating,
                 CountGameKind kind) {
    CountSource source;
    source.PlayerName = std::string(playerName);
    source.StartRating = startRating;
    source.Kind = kind;
    return MakeCount(gs, source);
}

CountGameKind CountKindOf(const TableSetup& setup) {
    if (setup.Tournament) return CountGameKind::Tournament;
    if (setup.AccountGame) return CountGameKind::RatedOnline;
    return setup.kind == GameKind::Local ? CountGameKind::Computer : CountGameKind::LocalNetwork;
}

std::vector<QString> TFormCount::EmblemNames(CountGameKind kind, bool libraryDesign) {
    switch (kind) {
        case CountGameKind::Computer:
            return libraryDesign ? std::vector<QString>{"GifC", "GifF"}
                                 : std::vector<QString>{"GClubC", "GClubF"};
        case CountGameKind::RatedOnline:
            return libraryDesign ? std::vector<QString>{"GifA", "GifB"}
                                 : std::vector<QString>{"GClubA", "GClubB"};
        case CountGameKind::LocalNetwork:
            return {libraryDesign ? "GifG" : "GClubG"};
        case CountGameKind::Tournament:
            return {libraryDesign ? "GifE" : "GClubE"};
    }
    return {};
}

QString TFormCount::LampName(ServiceLamp lamp) {
    switch (lamp) {
        case ServiceLamp::LoggedIn:
            return "LampY24";
        case ServiceLamp::RatedGame:
            return "LampG24";
        case ServiceLamp::LoggedOut:
            break;
    }
    return "LampR24";
}

TFormCount::TFormCount(const Settings& settings, const TCount& count, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    auto* words = new WindowWords(settings_, *this);
    const QString player = QString::fromStdString(count.PlayerName);
    words->Bind([this, player](const WindowWords& w) {
        setWindowTitle(w.Text(WordKey::CountPlayer) + ":  " + player);
    });
    setModal(true);

    QFont headingFont(QString::fromStdString(settings_.FontSmall));
    headingFont.setPixelSize(22);
    headingFont.setBold(true);
    QFont labelFont(QString::fromStdString(settings_.FontSmall));
    labelFont.setPixelSize(16);
    QFont valueFont(QString::fromStdString(settings_.FontLarge));
    valueFont.setPixelSize(std::clamp(20 * settings_.FontLargeScale / 100, 10, 30));
    valueFont.setBold(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(16, 10, 16, 6);
    body->setSpacing(16);
    layout->addLayout(body);

    auto* emblems = new QVBoxLayout;
    for (const QString& name : EmblemNames(count.Kind, DialogDesign(settings_) == 4))
        AddEmblem(name, emblems);
    emblems->addStretch(1);

    auto* table = new QVBoxLayout;
    auto* headingRow = new QHBoxLayout;
    const QPixmap lamp = RecordWindowPicture(LampName(count.Lamp));
    if (!lamp.isNull()) {  // the lamp only when the picture exists
        auto* lampLabel = new QLabel(this);
        lampLabel->setPixmap(lamp);
        headingRow->addWidget(lampLabel);
        hasLamp_ = true;
    }
    heading_ = new QLabel(this);
    words->Bind(heading_, WordKey::InformationAboutGame);
    heading_->setFont(headingFont);
    heading_->setStyleSheet(QString("color: %1;").arg(kDarkRed.name()));
    headingRow->addWidget(heading_);
    headingRow->addStretch(1);
    table->addLayout(headingRow);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(6);
    for (int row = 0; row < kRows; ++row) {
        labels_[static_cast<std::size_t>(row)] = new QLabel(this);
        words->Bind(labels_[static_cast<std::size_t>(row)], kLabels[static_cast<std::size_t>(row)]);
        labels_[static_cast<std::size_t>(row)]->setFont(labelFont);
        auto* value = new QLabel(QString::fromStdString(FieldOf(count, row)), this);
        value->setFont(valueFont);
        value->setStyleSheet(QString("color: %1;").arg(kNavy.name()));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values_[static_cast<std::size_t>(row)] = value;
        grid->addWidget(labels_[static_cast<std::size_t>(row)], row, 0);
        grid->addWidget(value, row, 1);
    }
    table->addLayout(grid);
    table->addStretch(1);

    if (!animations_.empty())
        body->addLayout(emblems);
    else
        delete emblems;
    body->addLayout(table, 1);

    buttonOk_ = AddOkRow(*layout, *this, settings_, *words);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // follows the texts of a new language
}

TFormCount::~TFormCount() = default;

void TFormCount::AddEmblem(const QString& name, QLayout* column) {
    std::unique_ptr<QMovie> movie = RecordWindowAnimation(name);
    if (!movie) return;  // no picture, no emblem
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setMovie(movie.get());
    if (settings_.GifAnimation)
        movie->start();
    else
        movie->jumpToFrame(0);
    column->addWidget(label);
    animations_.push_back(std::move(movie));
}

QString TFormCount::LabelText(int row) const {
    if (row < 0 || row >= kRows) return {};
    return labels_[static_cast<std::size_t>(row)]->text();
}

QString TFormCount::ValueText(int row) const {
    if (row < 0 || row >= kRows) return {};
    return values_[static_cast<std::size_t>(row)]->text();
}

QString TFormCount::HeadingText() const {
    return heading_->text();
}

int TFormCount::RunningAnimations() const {
    int running = 0;
    for (const auto& movie : animations_) running += movie->state() == QMovie::Running;
    return running;
}

void ShowGeneralCount(QWidget* parent, const Settings& settings, const TCount& count,
                      const std::function<void(const QString&)>& playSound) {
    if (playSound) playSound("WOpenFo");
    TFormCount window(settings, count, parent);
    window.exec();
}

}  // namespace kesp
