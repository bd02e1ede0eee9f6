#include "app/menu_screen.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QMovie>
#include <QWidget>

#include "presentation/cards_button.h"
#include "presentation/menu_clock.h"
#include "records/club_list.h"

namespace kesp {

MenuScreen::MenuScreen(QWidget& window, const Localisation& words, const TableArt& art)
    : window_(window), words_(words), topTenPanels_(window), clock_(new MenuClock(art, &window)) {
    for (int k = 0; k < 5; ++k) {
        members_[static_cast<std::size_t>(k)] = MakeButton(QStringLiteral("Button%1").arg(k + 1));
        connect(members_[static_cast<std::size_t>(k)], &QPushButton::clicked, this, [this, k] {
            if (k == 4 && accountRow_)
                emit AccountRowChosen();
            else if (occupied_[static_cast<std::size_t>(k)])
                emit MemberChosen(k + 1);  // an empty slot does nothing
        });
    }
    newPlayer_ = MakeButton(QStringLiteral("Button6"));
    topTen_ = MakeButton(QStringLiteral("Button9"));
    options_ = MakeButton(QStringLiteral("Button10"));
    exit_ = MakeButton(QStringLiteral("Button11"));
    mode_ = MakeButton(QStringLiteral("BMode"));
    history_ = MakeButton(QStringLiteral("BHistory"));
    connect(history_, &QPushButton::clicked, this, &MenuScreen::HistoryClicked);
    connect(newPlayer_, &QPushButton::clicked, this, [this] { emit MemberChosen(member::NewPlayer); });
    connect(topTen_, &QPushButton::clicked, this, &MenuScreen::TopTenClicked);
    connect(options_, &QPushButton::clicked, this, &MenuScreen::OptionsClicked);
    connect(exit_, &QPushButton::clicked, this, &MenuScreen::ExitClicked);
    connect(mode_, &QPushButton::clicked, this, &MenuScreen::ModeClicked);
    header_ = MakeButton(QStringLiteral("BHeader"));
    header_->setEnabled(false);  // the header only names the columns
    for (QLabel*& label : animations_) {
        label = new QLabel(&window_);
        label->hide();
    }
}

TZunCardsButton* MenuScreen::MakeButton(const QString& objectName) {
    auto* button = new TZunCardsButton(&window_);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    return button;
}

void MenuScreen::Show(const Settings& settings, const FontRoles& fonts, const WindowScales& scales,
                      const MenuGeometry& geometry, const std::string& programDir) {
    const Placement place(scales);
    caption_ = geometry.caption;
    const QFont rowFont = fonts.ClubListFont(settings.WindowSize, scales.s);
    const QFont buttonFont = fonts.MenuButtonFont(settings.WindowSize, scales.s);

    const LoadedClub club = LoadClubFile(ClubFilePath(programDir, settings.NetworkMode));
    const int view = settings.ClubView == ClubViewRating ? ClubViewRating : ClubViewScore;
    const int rowWidth = geometry.clubRows[0].width();
    const bool library = settings.MenuDesign == 1;
    libraryDesign_ = library;
    newButtons_ = settings.NewButtons;
    accountRow_ = false;
    auto colour = [&](TZunCardsButton* b, MenuButtonKind kind) {
        ApplyButtonColours(*b, MenuButtonColours(kind, library, settings.NewButtons, false),
                           settings.NewButtons);
    };
    header_->setGeometry(geometry.clubHeader);
    header_->setFont(rowFont);
    header_->setText(
        words_.WordText(view == ClubViewRating ? WordKey::ClubHeaderRating : WordKey::ClubHeaderScore));
    colour(header_, MenuButtonKind::ClubHeader);
    header_->show();

    const QFontMetrics metrics(rowFont);
    for (int k = 0; k < 5; ++k) {
        TZunCardsButton* row = members_[static_cast<std::size_t>(k)];
        row->setGeometry(geometry.clubRows[static_cast<std::size_t>(k)]);
        row->setFont(rowFont);
        QString text;
        bool occupied = false;
        if (club.File) {
            const std::string& line = club.File->Line[k + 1];
            occupied = !IsEmptySlot(line);
            const ClubRow clubRow = MemberRow(line, view);
            text = QString::fromStdString(FittedRow(clubRow, [&](std::string_view utf8) {
                return metrics.horizontalAdvance(QString::fromUtf8(
                           utf8.data(), static_cast<int>(utf8.size()))) <= rowWidth - place.S(16);
            }));
        }
        occupied_[static_cast<std::size_t>(k)] = occupied;
        row->setText(text);
        // Row 5 holds the user's own entry.
        colour(row, k == 4 ? MenuButtonKind::OwnRow : MenuButtonKind::ClubRow);
        row->show();
    }
    topTenPanels_.Show(club.File ? &*club.File : nullptr, rowFont, geometry.titlePicture, place.S(16));
    auto layout = [&](TZunCardsButton* b, WordKey word, const QRect& where) {
        b->setGeometry(where);
        b->setFont(buttonFont);
        b->setText(words_.WordText(word));
        colour(b, b == newPlayer_ ? MenuButtonKind::ClubRow : MenuButtonKind::Command);
        b->show();
    };
    layout(newPlayer_, WordKey::NewPlayer, geometry.newPlayer);
    layout(topTen_, WordKey::TopTen, geometry.topTen);
    layout(options_, WordKey::Options, geometry.options);
    layout(mode_, WordKey::Mode, geometry.mode);
    layout(exit_, WordKey::Exit, geometry.exit);
    layout(history_, WordKey::History, geometry.history);
    // The side animations run only with GIF animation on; otherwise each stands on its first frame.
    const QRect places[2] = {geometry.animatedLeft, geometry.animatedRight};
    for (int i = 0; i < 2; ++i) {
        QLabel* label = animations_[static_cast<std::size_t>(i)];
        if (!label->movie()) {
            // Made while the menu shows and dropped when it hides: the decoded frames are kept
            // (each decoded once, not on every loop) and would otherwise stay at the table.
            auto* movie = new QMovie(QStringLiteral(":/GIFMENU%1").arg(i + 1), QByteArray(), label);
            movie->setCacheMode(QMovie::CacheAll);
            label->setMovie(movie);
        }
        QMovie* movie = label->movie();
        if (!movie->isValid()) continue;
        label->setGeometry(places[i]);
        if (settings.GifAnimation) {
            movie->start();
        } else {
            movie->stop();
            movie->jumpToFrame(0);
        }
        label->show();
    }
    clock_->setGeometry(geometry.clock);
    clock_->setVisible(geometry.panelsShown);
    shown_ = true;
    ++drawCount_;
    emit ClubListDrawn();
}

void MenuScreen::ShowAccountLine(const QString& line) {
    TZunCardsButton* row = members_[4];
    row->setText(line);
    ApplyButtonColours(*row, MenuButtonColours(MenuButtonKind::OwnRow, libraryDesign_, newButtons_, true),
                       newButtons_);
}

void MenuScreen::Hide() {
    for (auto* b : members_) b->hide();
    newPlayer_->hide();
    topTen_->hide();
    options_->hide();
    exit_->hide();
    mode_->hide();
    history_->hide();
    header_->hide();
    topTenPanels_.Hide();
    for (QLabel* label : animations_) {
        label->hide();
        if (QMovie* movie = label->movie()) {
            label->clear();
            movie->deleteLater();
        }
    }
    clock_->hide();
    shown_ = false;
    accountRow_ = false;
    ++drawCount_;
}

}  // namespace kesp
