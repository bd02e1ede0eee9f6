#include "windows/tournament_top_ten_window.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <QVBoxLayout>

#include "network/service_reply.h"
#include "presentation/country_flags.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

constexpr TournamentMeasure kMeasures[] = {TournamentMeasure::Score, TournamentMeasure::Rating,
                                           TournamentMeasure::Games};
constexpr WordKey kMeasureWords[] = {WordKey::TourScore, WordKey::TourRating, WordKey::TourGames};
const QColor kDarkRed(128, 0, 0);

long long OwnValue(const TZunClient& own, int measure) {
    return measure == 0 ? own.Score : measure == 1 ? own.Rating : own.Kon;
}

bool IsEmpty(const TZunRecord& record) {
    return record.Nick == "#";
}

QString Text(const std::string& value) {
    return QString::fromStdString(RecordText(value));
}

}  // namespace

TournamentTopTenPanel::TournamentTopTenPanel(const Settings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), scroll_(RecordWindowPicture(QStringLiteral("GSvitok"))) {
    setFixedSize(kWidth, kHeight);
}

void TournamentTopTenPanel::Show(const TournamentTopTenContent& content) {
    content_ = content;
    update();
}

int TournamentTopTenPanel::RowsDrawn() const {
    if (!content_.records) return 0;
    int rows = 0;
    for (const TZunRecord& record : *content_.records) rows += !IsEmpty(record);
    return std::min(rows, 10);
}

QString TournamentTopTenPanel::PlacePicture() const {
    const int place = content_.ownPlace.value_or(0);
    if (place < 1 || place > 10) return {};
    return QStringLiteral("GPlace%1").arg(place, 2, 10, QChar('0'));
}

void TournamentTopTenPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!scroll_.isNull()) p.drawPixmap(rect(), scroll_);
    QFont font(QString::fromStdString(settings_.FontSmall));
    if (!content_.records) {
        font.setPixelSize(24);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kDarkRed);
        p.drawText(QRect(0, 185, width(), 30), Qt::AlignCenter,
                   WordText(WordKey::NoConnect, settings_.CurrentLanguage));
    } else {
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::red);
        int row = 0;
        for (const TZunRecord& record : *content_.records) {
            if (IsEmpty(record) || row == 10) continue;
            ++row;
            const int y = 50 + 20 * row;
            const QRect line(0, y - 18, width(), 20);
            p.drawText(QRect(72, line.top(), 28, 20), Qt::AlignLeft | Qt::AlignVCenter,
                       QString::number(record.Place) + ".");
            p.drawPixmap(100, line.top() + 4, CountryFlag(record.Country, 14));
            const QPixmap face = RecordWindowPicture(record.R07 == "M" ? QStringLiteral("FaceMan16")
                                                                       : QStringLiteral("FaceWoman16"));
            if (!face.isNull()) p.drawPixmap(130, line.top() + 2, face);
            p.drawText(QRect(160, line.top(), 145, 20), Qt::AlignLeft | Qt::AlignVCenter, Text(record.Nick));
            p.drawText(QRect(310, line.top(), 150, 20), Qt::AlignLeft | Qt::AlignVCenter, Text(record.City));
            p.drawText(QRect(430, line.top(), 100, 20), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(record.Score));
        }
    }
    if (!content_.records || !content_.ownPlace || *content_.ownPlace < 1) return;
    const int place = *content_.ownPlace;
    if (place <= 10) {
        const QPixmap medal = RecordWindowPicture(QStringLiteral("GMedal"));
        const QPixmap number = RecordWindowPicture(PlacePicture());
        p.drawPixmap(280, 300, medal);
        if (!number.isNull())
            p.drawPixmap(280 + (medal.width() - number.width()) / 2,
                         300 + (medal.height() - number.height()) / 2, number);
        return;
    }
    p.setPen(kDarkRed);
    font.setPixelSize(24);
    p.setFont(font);
    p.drawText(QRect(0, 305, width(), 30), Qt::AlignCenter,
               WordText(WordKey::YourPlace, settings_.CurrentLanguage) + ":");
    font.setPixelSize(48);
    p.setFont(font);
    p.drawText(QRect(0, 325, width(), 56), Qt::AlignCenter, QString::number(place));
}

TFormTourTop10::TFormTourTop10(const Settings& settings, ServiceQueue& queue, TournamentTopTenSources sources,
                               QWidget* parent)
    : QDialog(parent), settings_(settings), queue_(queue), sources_(std::move(sources)) {
    setObjectName(QStringLiteral("FormTourTop10"));
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::TournamentTopTen);
    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(16);
    setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(
        MakeDesignHeader(settings_, WordKey::OnlineTopTen, {"OnlineTopTen", "GFormTopTenL"}, this));

    auto* group = new QGroupBox(this);
    auto* row = new QHBoxLayout(group);
    measures_ = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        auto* button = new QRadioButton(group);
        words->Bind(button, kMeasureWords[m]);
        measures_->addButton(button, m);
        row->addWidget(button);
    }
    auto* measureRow = new QHBoxLayout;
    measureRow->setContentsMargins(12, 0, 12, 0);
    measureRow->addWidget(group);
    layout->addLayout(measureRow);

    panel_ = new TournamentTopTenPanel(settings_, this);
    auto* panelRow = new QHBoxLayout;
    panelRow->setContentsMargins(12, 0, 12, 0);
    panelRow->addWidget(panel_);
    layout->addLayout(panelRow);
    AddOkRow(*layout, *this, settings_, *words);

    if (sources_.measure < 0 || sources_.measure > 2) sources_.measure = 0;
    measures_->button(sources_.measure)->setChecked(true);
    connect(measures_, &QButtonGroup::idClicked, this, &TFormTourTop10::ChooseMeasure);
    Read();
}

void TFormTourTop10::ChooseMeasure(int measure) {
    if (measure < 0 || measure > 2) return;
    measures_->button(measure)->setChecked(true);
    if (measure == sources_.measure) return;
    sources_.measure = measure;
    emit MeasureChosen(measure);
    Read();
}

void TFormTourTop10::Read() {
    const int serial = ++readSerial_;
    queue_.Run<TournamentTopTenContent>(
        this,
        [address = sources_.tablesAddress, measure = kMeasures[sources_.measure],
         value = OwnValue(sources_.own, sources_.measure)](ServiceClient& client) {
            TournamentTopTenContent content;
            content.records = ReadTournamentTopTen(client, address, measure);
            if (content.records) content.ownPlace = ReadTournamentPlace(client, address, measure, value);
            return content;
        },
        [this, serial](TournamentTopTenContent content) {
            if (serial != readSerial_) return;  // the measure changed meanwhile
            panel_->Show(content);
            emit Shown();
        });
}

}  // namespace kesp
