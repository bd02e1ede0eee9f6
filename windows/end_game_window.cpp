#include "windows/end_game_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QVBoxLayout>

#include "presentation/font_roles.h"
#include "presentation/words.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

QColor ColourOf(EndOfGameColour colour) {
    switch (colour) {
        case EndOfGameColour::Purple:
            return {128, 0, 128};
        case EndOfGameColour::DarkRed:
            return {128, 0, 0};
        case EndOfGameColour::Navy:
            return {0, 0, 128};
        case EndOfGameColour::Green:
            return {0, 128, 0};
    }
    return Qt::black;
}

// The four lines in the interface language.
std::array<QString, 4> LineTexts(int place, std::int64_t score, bool networkMode, int language) {
    auto word = [language](WordKey key) { return WordText(key, language); };
    const QString result = word(WordKey::EndGameResult) + QString::number(score);
    if (place == 1)
        return {word(WordKey::Congratulations), word(WordKey::ResultTheBest), result,
                word(networkMode ? WordKey::BecomeBachelor : WordKey::BecomeMaster)};
    if (place >= 2 && place <= TopTenCount)
        return {word(WordKey::Congratulations), word(WordKey::GoodResult), result, word(WordKey::InTopTen)};
    return {word(WordKey::OurRegrets), word(WordKey::ResultCouldBeBetter), result,
            word(WordKey::NotInTopTen)};
}

}  // namespace

TFormEndGame::TFormEndGame(const Settings& settings, int place, std::int64_t score, QWidget* parent)
    : QDialog(parent), settings_(settings), view_(EndOfGame(place, score, settings.NetworkMode)) {
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    animation_ = RecordWindowAnimation(
        QString::fromLatin1(view_.Animation.data(), static_cast<qsizetype>(view_.Animation.size())));
    const int width = animation_ ? PictureWidthAnimated : PictureWidth;
    pictureLabel_ = new QLabel(this);
    pictureLabel_->setFixedSize(width, PictureHeight);
    layout->addWidget(pictureLabel_);
    auto* words = new WindowWords(settings_, *this);
    buttonOk_ = AddOkRow(*layout, *this, settings_, *words);
    words->BindTitle(WordKey::TheCompletionOfGame);
    words->Bind([this, width, place, score](const WindowWords&) {
        texts_ = LineTexts(place, score, settings_.NetworkMode, settings_.CurrentLanguage);
        DrawPicture(width);
    });
    StartAnimation();
    setFixedSize(sizeHint());
}

TFormEndGame::~TFormEndGame() = default;

QString TFormEndGame::SoundName() const {
    return QString::fromLatin1(view_.Sound.data(), static_cast<qsizetype>(view_.Sound.size()));
}

void TFormEndGame::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!soundSent_) {
        soundSent_ = true;
        emit SoundRequested(SoundName());
    }
}

void TFormEndGame::DrawPicture(int width) {
    picture_ = QImage(width, PictureHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&picture_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPixmap background =
        RecordWindowPicture("GFormEndG" + QString::fromLatin1(LanguageSuffix(settings_.CurrentLanguage)));
    if (!background.isNull()) {
        p.drawPixmap(picture_.rect(), background);
    } else {
        QLinearGradient paper(0, 0, 0, PictureHeight);
        paper.setColorAt(0.0, QColor(255, 252, 238));
        paper.setColorAt(1.0, QColor(236, 226, 200));
        p.fillRect(picture_.rect(), paper);
        p.setPen(QPen(QColor(150, 110, 40), 3));
        p.drawRect(picture_.rect().adjusted(4, 4, -5, -5));
    }

    const int centre = (PictureTextLeft + PictureTextRight) / 2;
    const int widest = 2 * (centre - 5);  // a long text may reach beyond 50..400, not off the text area
    for (int i = 0; i < 4; ++i) {
        const EndOfGameLine& line = view_.Lines[static_cast<std::size_t>(i)];
        // Heights are character cells in pixels; a text too wide for the picture gets smaller.
        const QString family = QString::fromStdString(settings_.FontSmall);
        int height = line.Height;
        QFont font = FontOfHeight(family, height, true);
        while (height > 8 &&
               QFontMetrics(font).horizontalAdvance(texts_[static_cast<std::size_t>(i)]) > widest)
            font = FontOfHeight(family, --height, true);
        p.setFont(font);
        p.setPen(ColourOf(line.Colour));
        p.drawText(QRect(centre - widest / 2, LineTop(i), widest, line.Height + 12),
                   Qt::AlignHCenter | Qt::AlignTop, texts_[static_cast<std::size_t>(i)]);
    }

    if (view_.PlacePicture) {
        const int place = *view_.PlacePicture;
        const QPixmap medal = RecordWindowPicture("GMedal");
        const QPixmap placePicture = RecordWindowPicture(QString("GPlace%1").arg(place, 2, 10, QChar('0')));
        p.drawPixmap(MedalAt, medal);
        p.drawPixmap(MedalAt, placePicture);
    }
    p.end();
    pictureLabel_->setPixmap(QPixmap::fromImage(picture_));
}

void TFormEndGame::StartAnimation() {
    if (!animation_) return;  // without the animation there is no column for it
    auto* label = new QLabel(pictureLabel_);
    label->setGeometry(PictureWidth, 20, PictureWidthAnimated - PictureWidth - 10, PictureHeight - 40);
    label->setAlignment(Qt::AlignCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setMovie(animation_.get());
    if (!settings_.GifAnimation) {
        // Still: the frame the animation settles on, or its last when it is shorter.
        const int frame = view_.StillFrame - 1;
        if (!animation_->jumpToFrame(frame) && animation_->frameCount() > 0)
            animation_->jumpToFrame(animation_->frameCount() - 1);
        return;
    }
    QMovie* movie = animation_.get();
    if (view_.AnimationLoops) {
        connect(movie, &QMovie::finished, movie, &QMovie::start);
    } else {
        connect(movie, &QMovie::frameChanged, movie, [movie](int frame) {
            if (movie->frameCount() > 0 && frame == movie->frameCount() - 1) movie->setPaused(true);
        });
    }
    movie->start();
}

void ShowEndOfGame(QWidget* parent, const Settings& settings, TopTenPlace place,
                   const std::function<void(const QString&)>& playSound) {
    TFormEndGame window(settings, place.Place, place.Score, parent);
    if (playSound) QObject::connect(&window, &TFormEndGame::SoundRequested, &window, playSound);
    window.exec();
}

}  // namespace kesp
