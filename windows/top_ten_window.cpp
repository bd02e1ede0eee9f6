#include "windows/top_ten_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

#include "presentation/words.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

const QColor kDarkRed(128, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);

void PaintPaper(QPainter& p, const QRect& area) {
    QLinearGradient paper(area.topLeft(), area.bottomLeft());
    paper.setColorAt(0.0, QColor(255, 250, 232));
    paper.setColorAt(1.0, QColor(240, 228, 196));
    p.fillRect(area, paper);
    p.setPen(QPen(QColor(150, 110, 40), 3));
    p.drawRect(area.adjusted(4, 4, -5, -5));
    p.setPen(QPen(QColor(150, 110, 40), 1));
    p.drawRect(area.adjusted(10, 10, -11, -11));
}

}  // namespace

TFormTopTen::TFormTopTen(const Settings& settings, const std::string& clubPath, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setModal(true);
    const LoadedClub club = LoadClubFile(clubPath);
    if (club.File) {
        rows_ = TopTenRows(*club.File);
        clubRead_ = true;
    } else {
        for (int i = 0; i < TopTenCount; ++i) rows_[static_cast<std::size_t>(i)] = {i + 1, {}, {}};
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    std::unique_ptr<QMovie> topTen = RecordWindowAnimation("GTopTen");
    std::unique_ptr<QMovie> emblem = RecordWindowAnimation(settings_.NetworkMode ? "GClubG" : "GClubF");
    const int width = topTen || emblem ? PictureWidthAnimated : PictureTextWidth;
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setFixedSize(width, PictureHeight);
    layout->addWidget(pictureLabel_);
    auto* words = new WindowWords(settings_, *this);
    buttonOk_ = AddOkRow(*layout, *this, settings_, *words);
    words->BindTitle(WordKey::TopTen);
    words->Bind([this, width](const WindowWords&) { DrawPicture(width); });
    const int column = PictureWidthAnimated - PictureTextWidth - 10;
    StartAnimation(std::move(topTen), QRect(PictureTextWidth, 20, column, 200));
    StartAnimation(std::move(emblem), QRect(PictureTextWidth, 240, column, 240));
    setFixedSize(sizeHint());
}

TFormTopTen::~TFormTopTen() = default;

void TFormTopTen::DrawPicture(int width) {
    picture_ = QImage(width, PictureHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&picture_);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);
    PaintPaper(p, picture_.rect());

    QFont font(QString::fromStdString(settings_.FontSmall));
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    const int lineHeight = 28;
    p.setPen(kDarkRed);
    p.drawText(QRect(0, 85, PictureTextWidth, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
               QString::fromUtf8(TopTenTitle(settings_.NetworkMode)));
    p.setPen(kNavy);
    p.drawText(QRect(70, 120, 160, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
               WordText(WordKey::TopTen, settings_.CurrentLanguage));
    p.drawText(QRect(250, 120, 150, lineHeight), Qt::AlignHCenter | Qt::AlignTop,
               WordText(WordKey::TourScore, settings_.CurrentLanguage));
    p.drawLine(70, 147, 400, 147);

    font.setBold(false);
    p.setFont(font);
    for (const TopTenRow& row : rows_) {
        const int top = PlaceTop(row.Place);
        p.setPen(row.Place <= 3 ? kRed : kNavy);
        p.drawText(QRect(70, top, 25, lineHeight), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(row.Place) + ".");
        // A long name gives way to the score column.
        const QString name =
            p.fontMetrics().elidedText(QString::fromStdString(row.Name), Qt::ElideRight, 205);
        p.drawText(QRect(95, top, 210, lineHeight), Qt::AlignLeft | Qt::AlignTop, name);
        p.drawText(QRect(300, top, 80, lineHeight), Qt::AlignRight | Qt::AlignTop,
                   QString::fromStdString(row.Score));
    }
    p.end();
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
}

void TFormTopTen::StartAnimation(std::unique_ptr<QMovie> movie, const QRect& box) {
    if (!movie) return;  // without the animation its place stays empty
    auto* label = new QLabel(pictureLabel_);
    label->setGeometry(box);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setMovie(movie.get());
    if (settings_.GifAnimation)
        movie->start();
    else
        movie->jumpToFrame(0);
    animations_.push_back(std::move(movie));
}

int TFormTopTen::RunningAnimations() const {
    int running = 0;
    for (const auto& movie : animations_) running += movie->state() == QMovie::Running;
    return running;
}

void ShowTopTen(QWidget* parent, const Settings& settings, const std::string& programDir) {
    TFormTopTen window(settings, ClubFilePath(programDir, settings.NetworkMode), parent);
    window.exec();
}

}  // namespace kesp
