#include "app/menu_screen.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include "presentation/cards_button.h"
#include "records/club_list.h"

namespace kesp {

MenuScreen::MenuScreen(QWidget& window, const Localisation& words) : window_(window), words_(words) {
    for (int k = 0; k < 5; ++k) {
        members_[static_cast<std::size_t>(k)] = MakeButton(QStringLiteral("Button%1").arg(k + 1));
        connect(members_[static_cast<std::size_t>(k)], &QPushButton::clicked, this, [this, k] {
            if (occupied_[static_cast<std::size_t>(k)]) emit MemberChosen(k + 1);  // an empty slot does nothing
        });
    }
    newPlayer_ = MakeButton(QStringLiteral("Button6"));
    topTen_ = MakeButton(QStringLiteral("Button9"));
    exit_ = MakeButton(QStringLiteral("Button11"));
    mode_ = MakeButton(QStringLiteral("BMode"));
    connect(newPlayer_, &QPushButton::clicked, this, [this] { emit MemberChosen(member::NewPlayer); });
    connect(topTen_, &QPushButton::clicked, this, &MenuScreen::TopTenClicked);
    connect(exit_, &QPushButton::clicked, this, &MenuScreen::ExitClicked);
    connect(mode_, &QPushButton::clicked, this, &MenuScreen::ModeClicked);
    header_ = new QLabel(&window_);
    header_->setAlignment(Qt::AlignCenter);
    header_->setStyleSheet(QStringLiteral("color: #ffffc8; background: rgba(0, 0, 0, 90); border-radius: 4px;"));
    header_->hide();
}

TZunCardsButton* MenuScreen::MakeButton(const QString& objectName) {
    auto* button = new TZunCardsButton(&window_);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

void MenuScreen::Show(const Settings& settings, const WindowScales& scales, const std::string& programDir) {
    const Placement place(scales);
    const int r = place.S(30);
    auto sx = [&](double v) { return RoundHalfEven(scales.sx * v); };
    auto sy = [&](double v) { return RoundHalfEven(scales.sy * v); };
    caption_ = QRect(place.X(180, 400), place.Y(12, 70), place.S(400), place.S(70));

    QFont rowFont(QStringLiteral("Courier New"));
    rowFont.setStyleHint(QFont::Monospace);
    rowFont.setPixelSize(settings.WindowSize == 1 ? 13 : place.S(15));
    rowFont.setBold(settings.WindowSize != 1);
    QFont buttonFont(QString::fromStdString(settings.FontSmall));
    buttonFont.setPixelSize(RoundHalfEven(20 * scales.s * (settings.WindowSize == 1 ? 1.0 : 0.9) * 0.8));

    const LoadedClub club = LoadClubFile(ClubFilePath(programDir, settings.NetworkMode));
    const int view = settings.ClubView == ClubViewRating ? ClubViewRating : ClubViewScore;
    const int rowWidth = sx(400);
    header_->setGeometry(sx(180), sy(265) - r - place.S(10), rowWidth, r);
    header_->setFont(rowFont);
    header_->setText(words_.WordText(view == ClubViewRating ? WordKey::ClubHeaderRating : WordKey::ClubHeaderScore));
    header_->show();

    const QFontMetrics metrics(rowFont);
    for (int k = 0; k < 5; ++k) {
        TZunCardsButton* row = members_[static_cast<std::size_t>(k)];
        row->setGeometry(sx(180), sy(265) + k * r, rowWidth, r);
        row->setFont(rowFont);
        QString text;
        bool occupied = false;
        if (club.File) {
            const std::string& line = club.File->Line[k + 1];
            occupied = !IsEmptySlot(line);
            const ClubRow clubRow = MemberRow(line, view);
            text = QString::fromStdString(FittedRow(clubRow, [&](std::string_view utf8) {
                return metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<int>(utf8.size()))) <=
                       rowWidth - place.S(16);
            }));
        }
        occupied_[static_cast<std::size_t>(k)] = occupied;
        row->setText(text);
        row->SetColorSB(occupied ? TColorSB::DCards : TColorSB::DNavy);
        row->show();
    }
    auto layout = [&](TZunCardsButton* b, WordKey word, int left, int top, int width) {
        b->setGeometry(left, top, width, r);
        b->setFont(buttonFont);
        b->setText(words_.WordText(word));
        b->show();
    };
    layout(newPlayer_, WordKey::NewPlayer, sx(280), sy(265) + 5 * r + place.S(10), sx(200));
    layout(topTen_, WordKey::TopTen, sx(40), sy(225), sx(100));
    layout(mode_, WordKey::Mode, sx(620), sy(255), sx(100));
    layout(exit_, WordKey::Exit, sx(330), sy(465), sx(100));
    shown_ = true;
}

void MenuScreen::Hide() {
    for (auto* b : members_) b->hide();
    newPlayer_->hide();
    topTen_->hide();
    exit_->hide();
    mode_->hide();
    header_->hide();
    shown_ = false;
}

}  // namespace kesp
