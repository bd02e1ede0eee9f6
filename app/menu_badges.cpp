#include "app/menu_badges.h"

#include <QFile>
#include <QLabel>
#include <QMovie>
#include <QPainter>

#include "presentation/card_art.h"
#include "presentation/font_roles.h"
#include "tools/artgen/art_resources.h"

namespace kesp {

BadgeButton::BadgeButton(const QString& objectName, QWidget* parent) : QAbstractButton(parent) {
    setObjectName(objectName);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    hide();
}

void BadgeButton::SetPicture(const QImage& picture, QSize shown) {
    picture_ = picture;
    shown_ = shown;
    update();
}

void BadgeButton::SetMovie(QMovie* movie) {
    movie_ = movie;
    connect(movie_, &QMovie::frameChanged, this, [this] { update(); });
}

void BadgeButton::SetText(const QString& text, const QFont& font) {
    setText(text);
    font_ = font;
    update();
}

void BadgeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    if (movie_) {
        p.drawPixmap(shift, movie_->currentPixmap());
        return;
    }
    const QRect pictureBox(QPoint(0, (height() - shown_.height()) / 2) + shift, shown_);
    p.drawImage(pictureBox, picture_);
    if (text().isEmpty()) return;
    p.setFont(font_);
    const QRect textBox = rect().adjusted(shown_.width() + 4, 0, 0, 0).translated(shift);
    // A dark outline keeps the yellow text readable on the wood.
    p.setPen(QColor(40, 16, 0));
    for (const QPoint d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)})
        p.drawText(textBox.translated(d), Qt::AlignLeft | Qt::AlignVCenter, text());
    p.setPen(underMouse() ? QColor(255, 255, 255) : QColor(255, 230, 80));
    p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, text());
}

MenuBadges::MenuBadges(QWidget& window, const Localisation& words)
    : QObject(&window),
      window_(window),
      words_(words),
      newsSiren_(new BadgeButton(QStringLiteral("RxGIFAnNews"), &window)),
      chatSiren_(new BadgeButton(QStringLiteral("RxGIFAnChat"), &window)),
      panel_(new QLabel(&window)),
      newsItem_(new BadgeButton(QStringLiteral("RxGIFAnNewsPanel"), &window)),
      chatItem_(new BadgeButton(QStringLiteral("RxGIFAnChatPanel"), &window)) {
    InitArtResources();
    const char* sirens[2] = {":/GSIRENAB", ":/GSIRENAR"};
    BadgeButton* sirenButtons[2] = {newsSiren_, chatSiren_};
    for (int i = 0; i < 2; ++i) {
        if (!QFile::exists(QString::fromLatin1(sirens[i]))) continue;
        auto* movie = new QMovie(QString::fromLatin1(sirens[i]), QByteArray(), sirenButtons[i]);
        movie->setCacheMode(QMovie::CacheAll);
        sirenButtons[i]->SetMovie(movie);
        sirenButtons[i]->setFixedSize(40, 48);
    }
    panel_->setObjectName(QStringLiteral("GPolkaNw"));
    panel_->setScaledContents(true);
    panel_->setPixmap(QPixmap::fromImage(LoadOwnImage("GPolkaNw")));
    panel_->hide();
    for (BadgeButton* b : {newsSiren_, newsItem_})
        connect(b, &QAbstractButton::clicked, this, &MenuBadges::NewsClicked);
    for (BadgeButton* b : {chatSiren_, chatItem_})
        connect(b, &QAbstractButton::clicked, this, &MenuBadges::ChatClicked);
}

QWidget* MenuBadges::NewsBadge() const {
    return smallWindow_ ? static_cast<QWidget*>(newsSiren_) : newsItem_;
}

QWidget* MenuBadges::ChatBadge() const {
    return smallWindow_ ? static_cast<QWidget*>(chatSiren_) : chatItem_;
}

void MenuBadges::Show(bool newNews, bool newChat, bool smallWindow, const QRect& caption, QSize client,
                      double scale, const QString& fontFamily) {
    Hide();
    smallWindow_ = smallWindow;
    newsSiren_->setToolTip(words_.WordText(WordKey::ZunNewsBadge));
    chatSiren_->setToolTip(words_.WordText(WordKey::ZunChatBadge));
    if (smallWindow) {
        // Beside the caption banner, left the news, right the chat.
        newsSiren_->move(caption.left() - 44, caption.top() + (caption.height() - 48) / 2);
        chatSiren_->move(caption.right() + 5, caption.top() + (caption.height() - 48) / 2);
        auto show = [](BadgeButton* siren, bool on) {
            if (!on) return;
            auto* movie = siren->findChild<QMovie*>();
            if (movie) movie->start();
            siren->show();
            siren->raise();
        };
        show(newsSiren_, newNews);
        show(chatSiren_, newChat);
        return;
    }
    if (!newNews && !newChat) return;
    // The panel stands at the bottom right, clear of the music player at the bottom left.
    const int w = static_cast<int>(170 * scale / 1.5);
    const int h = static_cast<int>(84 * scale / 1.5);
    const QRect panel(client.width() - w - 10, client.height() - h - 10, w, h);
    panel_->setGeometry(panel);
    panel_->show();
    panel_->raise();
    const QFont font = FontOfHeight(fontFamily, std::max(14, h / 4), true);
    const int icon = h / 2 - 6;
    const QImage news = LoadOwnImage("GNews072"), chat = LoadOwnImage("GChat072");
    newsItem_->SetPicture(news, QSize(icon, icon));
    newsItem_->SetText(words_.WordText(WordKey::ZunNewsBadge), font);
    chatItem_->SetPicture(chat, QSize(icon, icon));
    chatItem_->SetText(words_.WordText(WordKey::ZunChatBadge), font);
    const QRect inner = panel.adjusted(10, 6, -8, -6);
    newsItem_->setGeometry(inner.left(), inner.top(), inner.width(), inner.height() / 2);
    chatItem_->setGeometry(inner.left(), inner.top() + inner.height() / 2, inner.width(), inner.height() / 2);
    newsItem_->setEnabled(newNews);
    chatItem_->setEnabled(newChat);
    newsItem_->setVisible(newNews);
    chatItem_->setVisible(newChat);
    for (BadgeButton* b : {newsItem_, chatItem_}) b->raise();
}

void MenuBadges::Hide() {
    for (BadgeButton* b : {newsSiren_, chatSiren_}) {
        if (auto* movie = b->findChild<QMovie*>()) movie->stop();
        b->hide();
    }
    panel_->hide();
    newsItem_->hide();
    chatItem_->hide();
}

}  // namespace kesp
