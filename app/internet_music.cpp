#include "app/internet_music.h"

#include <QAudioOutput>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <algorithm>

#include "presentation/card_art.h"
#include "presentation/font_roles.h"
#include "presentation/hints.h"
#include "records/settings.h"
#include "tools/artgen/art_resources.h"

namespace kesp {

PlayerButton::PlayerButton(const QString& objectName, QWidget* parent) : QAbstractButton(parent) {
    setObjectName(objectName);
    setFixedSize(InternetMusic::kButtonSize, InternetMusic::kButtonSize);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void PlayerButton::SetPicture(const QString& name) {
    picture_ = LoadOwnImage(name.toStdString());
    update();
}

void PlayerButton::SetNumber(int number, const QFont& font) {
    number_ = number;
    font_ = font;
    update();
}

void PlayerButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPoint at = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    p.drawImage(at, picture_);
    if (number_ < 0) return;
    p.setFont(font_);
    p.setPen(QColor(255, 255, 0));
    const QFontMetrics metrics(font_);
    const QString text = QString::number(number_);
    p.drawText(at + QPoint((width() - metrics.horizontalAdvance(text)) / 2, 23 + metrics.ascent()), text);
}

InternetMusic::InternetMusic(QWidget& window, const Settings& settings, std::function<int(int)> draw)
    : QObject(&window),
      settings_(settings),
      draw_(std::move(draw)),
      play_(new PlayerButton(QStringLiteral("MusicPlay"), &window)),
      next_(new PlayerButton(QStringLiteral("MusicNext"), &window)),
      volumeButton_(new PlayerButton(QStringLiteral("MusicVolume"), &window)) {
    if (!draw_)
        draw_ = [](int count) { return static_cast<int>(QRandomGenerator::global()->bounded(count)); };
    play_->SetPicture(QStringLiteral("MP_Play"));
    next_->SetPicture(QStringLiteral("MP_Next"));
    volumeButton_->SetPicture(QStringLiteral("MP_Volume"));
    connect(play_, &QAbstractButton::clicked, this, &InternetMusic::PlayPause);
    connect(next_, &QAbstractButton::clicked, this, &InternetMusic::Next);
    // The volume button needs the point of the release.
    volumeButton_->installEventFilter(this);
    connect(&endCheck_, &QTimer::timeout, this, &InternetMusic::CheckEnd);
    AttachHoverBalloon(
        play_,
        [this] { return track_ ? QString::fromStdString(tracks_[track_ - 1].DisplayName) : QString(); },
        [this] { return track_ ? QString::fromStdString(tracks_[track_ - 1].Title) : QString(); },
        MusicBalloonStyle(settings_));
}

void InternetMusic::TakePlaylist(std::string_view page, const std::string& musicFolder) {
    std::vector<PlaylistTrack> tracks = ParsePlaylist(page, musicFolder);
    if (tracks.size() < kFewestPlaylistLines) return;
    tracks_ = std::move(tracks);
    on_ = true;
    ShowVolume();
    OpenTrack(1 + draw_(static_cast<int>(tracks_.size())));
    endCheck_.start(kEndCheckMs);
}

void InternetMusic::OpenTrack(int track) {
    track_ = std::clamp(track, 1, static_cast<int>(tracks_.size()));
    if (player_) player_->setSource(TrackAddress());
}

QUrl InternetMusic::TrackAddress() const {
    return QUrl(QString::fromStdString(tracks_[static_cast<std::size_t>(track_ - 1)].Address));
}

QMediaPlayer& InternetMusic::MediaPlayer() {
    if (!player_) {
        player_ = new QMediaPlayer(this);
        output_ = new QAudioOutput(this);
        output_->setVolume(volume_ / 100.0f);
        player_->setAudioOutput(output_);
        // A stream that cannot be played stops quietly; the button offers play again.
        connect(player_, &QMediaPlayer::errorOccurred, this, [this] { SetPlaying(false); });
        player_->setSource(TrackAddress());
    }
    return *player_;
}

void InternetMusic::SetPlaying(bool playing) {
    const bool changed = playing != playing_;
    playing_ = playing;
    play_->SetPicture(playing_ ? QStringLiteral("MP_Pause") : QStringLiteral("MP_Play"));
    if (changed) emit PlayingChanged(playing_);
}

void InternetMusic::PlayPause() {
    if (!on_) return;
    if (playing_) {
        MediaPlayer().pause();
        SetPlaying(false);
    } else {
        MediaPlayer().play();
        SetPlaying(true);
    }
}

void InternetMusic::Next() {
    if (!on_) return;
    MediaPlayer().stop();
    OpenTrack(1 + draw_(static_cast<int>(tracks_.size())));
    MediaPlayer().play();
    SetPlaying(true);
    const PlaylistTrack& t = tracks_[static_cast<std::size_t>(track_ - 1)];
    next_->setToolTip(QString::fromStdString(t.DisplayName) + QStringLiteral("  :  ") +
                      QString::fromStdString(t.Title));
}

void InternetMusic::VolumeClick(int x) {
    if (!on_) return;
    if (x > 34) volume_ = std::min(100, volume_ + kVolumeStep);
    if (x < 26) volume_ = std::max(0, volume_ - kVolumeStep);
    if (output_) output_->setVolume(volume_ / 100.0f);
    ShowVolume();
}

void InternetMusic::ShowVolume() {
    // FontSmall, 14 pixels high and bold, so that the number reads on the dark button.
    QFont font(InstalledFamily(FontRoles(settings_).Family(FontRole::Decor)));
    font.setPixelSize(14);
    font.setBold(true);
    volumeButton_->SetNumber(volume_, font);
}

void InternetMusic::CheckEnd() {
    if (playing_ && player_ && player_->mediaStatus() == QMediaPlayer::EndOfMedia) Next();
}

void InternetMusic::Layout(QSize client, bool shown) {
    const int top = client.height() - 70;
    play_->move(10, top);
    next_->move(75, top);
    volumeButton_->move(140, top);
    for (PlayerButton* b : {play_, next_, volumeButton_}) {
        b->setVisible(on_ && shown);
        if (b->isVisible()) b->raise();
    }
}

bool InternetMusic::eventFilter(QObject* watched, QEvent* event) {
    if (watched == volumeButton_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && volumeButton_->rect().contains(mouse->position().toPoint()))
            VolumeClick(mouse->position().toPoint().x());
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kesp
