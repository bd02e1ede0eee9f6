#include "windows/account_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "network/countries.h"
#include "presentation/country_flags.h"
#include "presentation/message_window.h"
#include "windows/profile_editor.h"
#include "windows/window_art.h"
#include "windows/window_design.h"
#include "windows/window_words.h"

namespace kesp {

namespace {

constexpr FieldKind kFieldKinds[4] = {FieldKind::Nick, FieldKind::Password, FieldKind::City,
                                      FieldKind::EMail};
constexpr WordKey kContinents[kContinentCount] = {WordKey::Europe,       WordKey::Asia,
                                                  WordKey::NorthAmerica, WordKey::SouthAmerica,
                                                  WordKey::Oceania,      WordKey::Africa};

QString LampPicture(FieldLamp lamp) {
    switch (lamp) {
        case FieldLamp::Green:
            return "LampG16";
        case FieldLamp::Yellow:
            return "LampY16";
        case FieldLamp::Red:
            break;
    }
    return "LampR16";
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

}  // namespace

QPixmap FramedPhoto(const QImage& photo) {
    QPixmap framed(200, 250);
    framed.fill(QColor(225, 225, 225));
    QPainter p(&framed);
    if (!photo.isNull())
        p.drawImage(framed.rect(),
                    photo.scaled(200, 250, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation));
    p.drawPixmap(0, 0, RecordWindowPicture("GAcFrame"));
    return framed;
}

TFormAccount::TFormAccount(const Settings& settings, AccountSession& session, bool ratedGameStart,
                           QWidget* parent)
    : QDialog(parent), settings_(settings), session_(session), ratedGameStart_(ratedGameStart) {
    auto* words = new WindowWords(settings_, *this);
    words->BindTitle(WordKey::MyAccount);
    if (!session_.LoggedIn()) session_.ResetLoggedOutFields();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(
        MakeDesignHeader(settings_, WordKey::ClubOrvellGames, {"MyAccount", "GFormAcc1"}, this));
    pages_ = new QTabWidget(this);
    pages_->addTab(MakeAccountPage(*words), QString());
    pages_->addTab(MakeResultsPage(*words), QString());
    pages_->addTab(MakeTopTenPage(*words), QString());
    pages_->addTab(MakeAboutMePage(*words), QString());
    pages_->addTab(MakePresidentPage(*words), QString());
    words->Bind([this](const WindowWords& w) {
        const WordKey tabs[5] = {WordKey::MyAccount, WordKey::MyResults, WordKey::Top10BestRatedPlayers,
                                 WordKey::AboutMe, WordKey::President};
        for (int i = 0; i < 5; ++i) pages_->setTabText(i, w.Text(tabs[i]));
    });
    layout->addWidget(pages_, 1);
    auto* closeRow = new QHBoxLayout;
    QPushButton* close = MakeWindowButton(QString(), settings_, this);
    words->Bind(close, WordKey::AccountClose);
    closeRow->addStretch(1);
    closeRow->addWidget(close);
    closeRow->addStretch(1);
    layout->addLayout(closeRow);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    connect(&session_, &AccountSession::DataChanged, this, &TFormAccount::ShowData);
    connect(&session_, &AccountSession::StateChanged, this, [this] {
        ShowAccount();
        ShowData();
    });
    connect(&session_, &AccountSession::Created, this, [this](CreateResult result) {
        requestRunning_ = false;
        const WordKey message = result == CreateResult::Created      ? WordKey::AccountCreated
                                : result == CreateResult::NickExists ? WordKey::NickAlreadyInClub
                                                                     : WordKey::CouldNotCreateAccount;
        ShowAccount();
        Message(Text(message));
    });
    connect(&session_, &AccountSession::LoginFinished, this, [this](bool ok) {
        requestRunning_ = false;
        ShowAccount();
        if (!ok) Message(Text(WordKey::LoginFailed));
    });

    pages_->setCurrentIndex(0);
    hidePassword_->setChecked(true);
    ShowAccount();
    ShowData();
    session_.ReadWindowData();
}

TFormAccount::~TFormAccount() = default;

QWidget* TFormAccount::MakeAccountPage(WindowWords& words) {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 12, 16, 8);
    grid->setHorizontalSpacing(10);
    auto label = [&](WordKey key, int row) {
        auto* l = new QLabel(page);
        words.Bind(l, key);
        grid->addWidget(l, row, 0);
    };
    auto edit = [&](int maxLength) {
        auto* e = new QLineEdit(page);
        e->setMaxLength(maxLength);
        return e;
    };
    auto* heading = new QLabel(page);
    words.Bind(heading, WordKey::YourAccountInformation);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    grid->addWidget(heading, 0, 0, 1, 4);

    nick_ = edit(12);
    password_ = edit(12);
    city_ = edit(15);
    email_ = edit(30);
    QLineEdit* fields[4] = {nick_, password_, city_, email_};
    const WordKey labels[4] = {WordKey::AccountNick, WordKey::Password, WordKey::AccountCity,
                               WordKey::AccountEMail};
    const int rows[4] = {1, 2, 5, 7};
    for (int i = 0; i < 4; ++i) {
        label(labels[i], rows[i]);
        grid->addWidget(fields[i], rows[i], 1, 1, 2);
        lamps_[i] = new QLabel(page);
        lamps_[i]->setFixedSize(18, 18);
        grid->addWidget(lamps_[i], rows[i], 3);
        connect(fields[i], &QLineEdit::textEdited, this, [this] {
            if (!session_.LoggedIn()) {
                TZunUser& user = session_.EditUser();
                user.Nick = Utf8(nick_->text());
                user.Pw = Utf8(password_->text());
                user.City = Utf8(city_->text());
                user.EMail = Utf8(email_->text());
            }
            UpdateLamps();
            UpdateButtons();
        });
    }
    hidePassword_ = new QCheckBox(page);
    words.Bind(hidePassword_, WordKey::HidePassword);
    grid->addWidget(hidePassword_, 2, 4);
    // Hidden, the password shows '#' for every character.
    password_->setStyleSheet("lineedit-password-character: 35");
    connect(hidePassword_, &QCheckBox::toggled, this,
            [this](bool hide) { password_->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal); });

    label(WordKey::AccountCountry, 3);
    continent_ = new QComboBox(page);
    country_ = new QComboBox(page);
    country_->setIconSize(QSize(22, 15));
    country_->setMaxVisibleItems(16);
    wireName_ = new QLineEdit(page);
    wireName_->setReadOnly(true);
    grid->addWidget(continent_, 3, 1);
    grid->addWidget(country_, 3, 2, 1, 2);
    grid->addWidget(wireName_, 4, 1, 1, 2);
    words.Bind([this](const WindowWords& w) {
        const QSignalBlocker block(continent_);
        const int current = continent_->currentIndex();
        continent_->clear();
        for (WordKey key : kContinents) continent_->addItem(w.Text(key));
        continent_->setCurrentIndex(current < 0 ? 0 : current);
        FillCountries();
    });
    connect(continent_, &QComboBox::currentIndexChanged, this, [this] {
        FillCountries();
        country_->setCurrentIndex(country_->count() > 1 ? 1 : 0);
    });
    connect(country_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0 || session_.LoggedIn()) return;
        const CountryCode code{continent_->currentIndex() + 1, index};
        TZunUser& user = session_.EditUser();
        user.Country2 = CountryCodeText(code).value_or("1-000");
        user.Country1 = CountryWireName(code);
        wireName_->setText(QString::fromStdString(user.Country1));
    });

    label(WordKey::AccountSex, 6);
    sex_ = new QComboBox(page);
    words.Bind([this](const WindowWords& w) {
        const QSignalBlocker block(sex_);
        const int current = sex_->currentIndex();
        sex_->clear();
        sex_->addItems({w.Text(WordKey::Male), w.Text(WordKey::Female)});
        sex_->setCurrentIndex(current < 0 ? 0 : current);
    });
    connect(sex_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!session_.LoggedIn()) session_.EditUser().Sex = index == 1 ? 'W' : 'M';
    });
    grid->addWidget(sex_, 6, 1);
    label(WordKey::Registration, 8);
    registration_ = new QLineEdit(page);
    registration_->setReadOnly(true);
    grid->addWidget(registration_, 8, 1);

    auto* buttons = new QHBoxLayout;
    create_ = MakeWindowButton(QString(), settings_, page);
    words.Bind(create_, WordKey::CreateAnAccount);
    login_ = MakeWindowButton(QString(), settings_, page);
    save_ = MakeWindowButton(QString(), settings_, page);
    words.Bind(save_, WordKey::Save);
    delete_ = MakeWindowButton(QString(), settings_, page);
    words.Bind(delete_, WordKey::Delete);
    for (QPushButton* b : {create_, login_, save_, delete_}) {
        b->setFixedWidth(b == create_ || b == login_ ? 190 : 120);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    grid->addLayout(buttons, 9, 0, 1, 5);
    connect(create_, &QPushButton::clicked, this, &TFormAccount::CreateClick);
    connect(login_, &QPushButton::clicked, this, &TFormAccount::LoginClick);
    connect(save_, &QPushButton::clicked, this, [this] {
        if (session_.SaveLogin()) save_->setEnabled(false);
        UpdateButtons();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        session_.DeleteLogin();
        UpdateButtons();
    });

    auto* foot = new QHBoxLayout;
    rated_ = new QCheckBox(page);
    words.Bind(rated_, WordKey::PlayGlobalRating);
    connect(rated_, &QCheckBox::toggled, this, [this](bool on) { session_.SetRatedGame(on); });
    members_ = new QLabel(page);
    members_->setMinimumWidth(200);
    members_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    star_ = new QLabel(page);
    star_->setFixedSize(40, 40);
    foot->addWidget(rated_);
    foot->addStretch(1);
    foot->addWidget(members_);
    foot->addSpacing(12);
    foot->addWidget(star_);
    grid->addLayout(foot, 10, 0, 1, 5);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(11, 1);
    words.Bind([this](const WindowWords&) { ShowAccount(); });
    return page;
}

void TFormAccount::FillCountries() {
    const int continent = continent_->currentIndex() + 1;
    const QSignalBlocker block(country_);
    country_->clear();
    for (int index = 0; index <= CountryCount(continent); ++index) {
        const std::string code = CountryCodeText({continent, index}).value_or("1-000");
        country_->addItem(QIcon(CountryFlag(code, 15)), CountryName(code, settings_.CurrentLanguage));
    }
}

void TFormAccount::ShowAccount() {
    const TZunUser& user = session_.User();
    const bool in = session_.LoggedIn();
    for (QLineEdit* e : {nick_, password_, city_, email_}) e->setReadOnly(in);
    continent_->setEnabled(!in);
    country_->setEnabled(!in);
    sex_->setEnabled(!in);
    auto set = [](QLineEdit* e, const std::string& text) {
        const QString value = QString::fromStdString(text);
        if (e->text() != value) e->setText(value);
    };
    set(nick_, user.Nick);
    set(password_, user.Pw);
    set(city_, user.City);
    set(email_, user.EMail);
    set(registration_, user.DateR);
    const CountryCode code = ParseCountryCode(user.Country2).value_or(CountryCode{1, 0});
    {
        const QSignalBlocker block(continent_);
        continent_->setCurrentIndex(code.continent - 1);
    }
    FillCountries();
    {
        const QSignalBlocker block(country_);
        country_->setCurrentIndex(code.index);
    }
    wireName_->setText(QString::fromStdString(in ? user.Country1 : CountryWireName(code)));
    {
        const QSignalBlocker block(sex_);
        sex_->setCurrentIndex(user.Sex == 'M' ? 0 : 1);
    }
    login_->setText(Text(in ? WordKey::SignOut : WordKey::LoginToAccount));
    {
        const QSignalBlocker block(rated_);
        rated_->setChecked(session_.State() == LoginState::RatedGame);
    }
    UpdateLamps();
    UpdateButtons();
    UpdateStar();
}

FieldLamp TFormAccount::Lamp(FieldKind kind) const {
    for (int i = 0; i < 4; ++i)
        if (kFieldKinds[i] == kind) return lampState_[i];
    return FieldLamp::Red;
}

void TFormAccount::UpdateLamps() {
    QLineEdit* fields[4] = {nick_, password_, city_, email_};
    for (int i = 0; i < 4; ++i) {
        lampState_[i] = CheckField(Utf8(fields[i]->text()), kFieldKinds[i]);
        lamps_[i]->setPixmap(RecordWindowPicture(LampPicture(lampState_[i])).scaled(16, 16));
    }
}

void TFormAccount::UpdateButtons() {
    const bool in = session_.LoggedIn();
    const bool idle = !requestRunning_;
    const bool nickOk = Lamp(FieldKind::Nick) != FieldLamp::Red;
    const bool passwordOk = Lamp(FieldKind::Password) == FieldLamp::Green;
    create_->setEnabled(idle && !in && nickOk && Lamp(FieldKind::City) != FieldLamp::Red && passwordOk &&
                        Lamp(FieldKind::EMail) == FieldLamp::Green);
    login_->setEnabled(idle && (in || (nickOk && passwordOk)));
    const bool saved = session_.LoginSaved();
    save_->setEnabled(in && !saved);
    delete_->setEnabled(saved);
    rated_->setEnabled(ratedGameStart_ && in);
}

void TFormAccount::UpdateStar() {
    const LoginState state = session_.State();
    if (starShown_ && state == starState_) return;
    starState_ = state;
    starShown_ = true;
    const QString name = state == LoginState::RatedGame  ? "StarG0"
                         : state == LoginState::LoggedIn ? "StarY0"
                                                         : "StarR0";
    starMovie_ = RecordWindowAnimation(name);
    star_->setMovie(starMovie_.get());
    if (starMovie_) starMovie_->start();
}

void TFormAccount::CreateClick() {
    if (!create_->isEnabled()) return;
    requestRunning_ = true;
    UpdateButtons();
    session_.Create(QDate::currentDate().toString("dd.MM.yyyy").toStdString());
}

void TFormAccount::LoginClick() {
    if (session_.LoggedIn()) {
        session_.LogOut();
        session_.ResetLoggedOutFields();
        ShowAccount();
        return;
    }
    requestRunning_ = true;
    UpdateButtons();
    session_.LogIn(Utf8(nick_->text()), Utf8(password_->text()));
}

void TFormAccount::Message(const QString& text) {
    lastMessage_ = text;
    OpenMessageWindow(Localisation(settings_.CurrentLanguage), text, {}, {}, this);
}

void TFormAccount::ShowData() {
    const auto count = session_.MemberCount();
    members_->setText(count ? Text(WordKey::ClubMembers) + QString::number(*count) : QString());
    ShowResults();
    ShowTopTen();
    ShowProfiles();
    UpdateButtons();
    UpdateStar();
}

void TFormAccount::OpenProfileEditor() {
    if (!session_.LoggedIn()) return;
    auto* editor = new TFormProfile(settings_, session_, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &QDialog::finished, this, [this] { session_.RefreshPresident(); });
    editor->open();
}

TFormAccount* OpenAccountWindow(const Settings& settings, AccountSession& session, bool ratedGameStart,
                                QWidget* parent) {
    auto* window = new TFormAccount(settings, session, ratedGameStart, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::WindowModal);
    window->open();
    return window;
}

}  // namespace kesp
