// The main menu's badges for new news and a new games chat message: in the smallest window an
// animated siren on each side of the caption (blue "GSirenaB" for the news, red "GSirenaR" for the
// chat); in the larger windows a small panel ("GPolkaNw") with "GNews072" "Zun News!" and
// "GChat072" "Zun Chat!". A click on a badge asks for the news page or the chat window.
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QObject>
#include <QRect>

#include "presentation/words.h"

class QMovie;

namespace kesp {

// A picture (or an animation's current frame) with an optional text, as one clickable control.
class BadgeButton : public QAbstractButton {
  public:
    BadgeButton(const QString& objectName, QWidget* parent);
    void SetPicture(const QImage& picture, QSize shown);
    void SetMovie(QMovie* movie);
    void SetText(const QString& text, const QFont& font);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QSize shown_;
    QMovie* movie_ = nullptr;
    QFont font_;
};

class MenuBadges : public QObject {
    Q_OBJECT

  public:
    MenuBadges(QWidget& window, const Localisation& words);

    // Shows the badges that are flagged, around the caption banner `caption`. `scale` is the
    // window's general scale.
    void Show(bool newNews, bool newChat, bool smallWindow, const QRect& caption, QSize client, double scale,
              const QString& fontFamily);
    void Hide();
    QWidget* NewsBadge() const;
    QWidget* ChatBadge() const;
    QWidget* Panel() const { return panel_; }

  signals:
    void NewsClicked();
    void ChatClicked();

  private:
    QWidget& window_;
    const Localisation& words_;
    BadgeButton* newsSiren_;
    BadgeButton* chatSiren_;
    QLabel* panel_;
    BadgeButton* newsItem_;
    BadgeButton* chatItem_;
    bool smallWindow_ = true;
};

}  // namespace kesp
