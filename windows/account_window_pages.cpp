// The account window's pages besides the account itself: the results, the club's top ten, the
// own profile and the president's.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "network/countries.h"
#include "presentation/country_flags.h"
#include "windows/account_window.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {

namespace {

// The profile's lines in the order they are shown, with the word that labels each.
struct ProfileLine {
    WordKey label;
    std::string TInfo14::*field;
    bool address;  // opened in the browser; the others are copied
};
constexpr ProfileLine kProfileLines[] = {
    {WordKey::BriefInformationAboutYou, &TInfo14::About, false},
    {WordKey::YourPhoneNumber, &TInfo14::Telephone, false},
    {WordKey::YourEMail, &TInfo14::EMailO, false},
    {WordKey::YourWebSite, &TInfo14::WebSite, true},
    {WordKey::YourSkype, &TInfo14::Skype, false},
    {WordKey::YourOK, &TInfo14::OK, true},
    {WordKey::YourVK, &TInfo14::VK, true},
    {WordKey::YourTelegram, &TInfo14::Telegram, false},
    {WordKey::YourFacebook, &TInfo14::FaceBook, true},
    {WordKey::YourTwitter, &TInfo14::Twitter, true},
    {WordKey::YourInstagram, &TInfo14::Instagramm, true},
    {WordKey::YourYouTube, &TInfo14::YouTube, true},
};

QString Shown(const std::string& text) {
    return text == "#" ? QString() : QString::fromStdString(text);
}

QListWidget* MakeList(QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setIconSize(QSize(22, 15));
    list->setAlternatingRowColors(true);
    return list;
}

void FillProfile(QListWidget* list, const TInfo14& info, bool read, const QString& noData,
                 const std::function<QString(WordKey)>& text) {
    list->clear();
    if (!read) {
        list->addItem(noData);
        return;
    }
    list->addItem(Shown(info.Name1) + " " + Shown(info.Name2));
    for (const ProfileLine& line : kProfileLines)
        list->addItem(text(line.label) + ": " + Shown(info.*line.field));
}

// A top-ten line's country: the code when the service sent one, else its wire name.
std::string CountryCodeOf(const std::string& country) {
    if (ParseCountryCode(country)) return country;
    const auto code = CountryByWireName(country);
    return code ? CountryCodeText(*code).value_or("1-000") : "1-000";
}

}  // namespace

QWidget* TFormAccount::MakeResultsPage(WindowWords& words) {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* heading = new QLabel(page);
    words.Bind(heading, WordKey::InformationAboutYourGames);
    column->addWidget(heading);
    results_ = MakeList(page);
    column->addWidget(results_, 1);
    QPushButton* refresh = MakeWindowButton(QString(), settings_, page);
    words.Bind(refresh, WordKey::Refresh);
    refresh->setFixedWidth(150);
    column->addWidget(refresh, 0, Qt::AlignHCenter);
    connect(refresh, &QPushButton::clicked, this, [this] { session_.RefreshResults(); });
    return page;
}

void TFormAccount::ShowResults() {
    results_->clear();
    if (!session_.LoggedIn() || !session_.GameAnswered()) {
        results_->addItem(Text(WordKey::NoConnect));
        return;
    }
    const TZunGame& game = session_.Game();
    const std::pair<WordKey, QString> rows[] = {
        {WordKey::AccountGame, GameName(settings_.CurrentLanguage)},
        {WordKey::AccountPlayer, QString::fromStdString(session_.User().Nick)},
        {WordKey::AccountRating, QString::number(game.Rating, 'f', 2)},
        {WordKey::AccountPlace, game.Place > 0 ? QString::number(game.Place) : QString("-")},
        {WordKey::PlayedGames, QString::number(game.Kon)},
        {WordKey::MyBestScore, QString::number(game.Best)},
        {WordKey::PlayedCycles, QString::number(game.Sessions)},
        {WordKey::CurrentDeal, QString::number(game.KonL)},
        {WordKey::CurrentScore, QString::number(game.Score)},
    };
    for (const auto& [label, value] : rows) results_->addItem(Text(label) + ": " + value);
}

QWidget* TFormAccount::MakeTopTenPage(WindowWords& words) {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    topTen_ = MakeList(page);
    column->addWidget(topTen_, 1);
    QPushButton* refresh = MakeWindowButton(QString(), settings_, page);
    words.Bind(refresh, WordKey::Refresh);
    refresh->setFixedWidth(150);
    column->addWidget(refresh, 0, Qt::AlignHCenter);
    connect(refresh, &QPushButton::clicked, this, [this] { session_.RefreshTopTen(); });
    return page;
}

void TFormAccount::ShowTopTen() {
    topTen_->clear();
    const auto& top = session_.TopTen();
    if (!top) {
        topTen_->addItem(Text(WordKey::NoConnect));
        return;
    }
    int place = 0;
    for (const TZunTop10& entry : *top) {
        const std::string code = CountryCodeOf(entry.Country);
        topTen_->addItem(new QListWidgetItem(
            QIcon(CountryFlag(code, 15)),
            QString("%1. %2   %3, %4   %5")
                .arg(++place)
                .arg(Shown(entry.Nick), Shown(entry.City), CountryName(code, settings_.CurrentLanguage))
                .arg(entry.Rating, 0, 'f', 2)));
    }
}

QWidget* TFormAccount::MakeAboutMePage(WindowWords& words) {
    auto* page = new QWidget(this);
    auto* row = new QHBoxLayout(page);
    auto* left = new QVBoxLayout;
    ownPicture_ = new QLabel(page);
    ownPicture_->setFixedSize(200, 250);
    left->addWidget(ownPicture_);
    QPushButton* edit = MakeWindowButton(QString(), settings_, page);
    words.Bind(edit, WordKey::UpdateInfo);
    edit->setFixedWidth(200);
    left->addWidget(edit);
    left->addStretch(1);
    row->addLayout(left);
    ownProfile_ = MakeList(page);
    row->addWidget(ownProfile_, 1);
    connect(edit, &QPushButton::clicked, this, &TFormAccount::OpenProfileEditor);
    return page;
}

QWidget* TFormAccount::MakePresidentPage(WindowWords& words) {
    auto* page = new QWidget(this);
    auto* column = new QVBoxLayout(page);
    auto* heading = new QLabel(page);
    words.Bind(heading, WordKey::PresidentOfTheOrder);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    heading->setFont(font);
    heading->setStyleSheet("color: rgb(128, 0, 0);");
    column->addWidget(heading, 0, Qt::AlignHCenter);
    auto* row = new QHBoxLayout;
    presidentPicture_ = new QLabel(page);
    presidentPicture_->setFixedSize(200, 250);
    row->addWidget(presidentPicture_, 0, Qt::AlignTop);
    president_ = MakeList(page);
    row->addWidget(president_, 1);
    column->addLayout(row, 1);
    connect(president_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { PresidentLineClick(president_->row(item)); });
    return page;
}

void TFormAccount::ShowProfiles() {
    const auto text = [this](WordKey key) { return Text(key); };
    ownPicture_->setPixmap(FramedPhoto(session_.OwnPicture()));
    FillProfile(ownProfile_, session_.User().Info, session_.LoggedIn() && session_.OwnProfileRead(),
                session_.LoggedIn() ? QString() : Text(WordKey::NotLoggedIn), text);
    presidentPicture_->setPixmap(FramedPhoto(session_.PresidentPicture()));
    FillProfile(president_, session_.PresidentProfile(), session_.PresidentProfileRead(),
                QString::fromStdString(session_.PresidentNick()), text);
    if (session_.PresidentProfileRead())
        president_->item(0)->setText(QString::fromStdString(session_.PresidentNick()) + ": " +
                                     president_->item(0)->text());
}

void TFormAccount::PresidentLineClick(int row) {
    if (!session_.PresidentProfileRead() || row < 1 || row > static_cast<int>(std::size(kProfileLines)))
        return;
    const ProfileLine& line = kProfileLines[row - 1];
    const QString value = Shown(session_.PresidentProfile().*line.field).trimmed();
    if (value.isEmpty()) return;
    if (!line.address) {
        QApplication::clipboard()->setText(value);
        Message(Text(WordKey::CopiedToClipboard));
        return;
    }
    // Someone else's text: only web addresses are opened, never files or other schemes.
    QUrl url = QUrl::fromUserInput(value);
    if (url.scheme() != "http" && url.scheme() != "https") return;
    QDesktopServices::openUrl(url);
}

}  // namespace kesp
