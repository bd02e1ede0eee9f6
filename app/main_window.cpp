#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTime>
#include <QToolTip>
#include <algorithm>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/help_and_about.h"
#include "app/read_only_pages.h"
#include "app/record_words.h"
#include "engine/sounds.h"
#include "presentation/cards_button.h"
#include "presentation/hints.h"
#include "presentation/menu_painter.h"
#include "presentation/message_window.h"
#include "records/club.h"
#include "records/club_text.h"
#include "records/cp1251.h"
#include "windows/account_window.h"
#include "windows/count_window.h"
#include "windows/end_game_window.h"
#include "windows/history_window.h"
#include "windows/speed_dialog.h"
#include "windows/welcome_dialog.h"
#include "windows/window_words.h"

namespace kesp {
namespace {

// Returns the heap's free pages to the system (the C library keeps them otherwise).
void ReleaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

// The libraries a load missed, each once, in one "Attention" window that does not wait.
void ShowArtMessages(const Localisation& words, QWidget* parent,
                     std::initializer_list<ArtLoadResult> results) {
    std::vector<QString> lines;
    for (const ArtLoadResult& r : results)
        for (const std::string& m : r.messages) {
            const QString line = QString::fromStdString(m);
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
        }
    if (lines.empty()) return;
    lines.resize(3);
    OpenMessageWindow(words, lines[0], lines[1], lines[2], parent);
}

}  // namespace

TForm1::TForm1(std::string programDir, QWidget* parent)
    : QWidget(parent),
      programDir_(std::move(programDir)),
      art_(settings_, programDir_, [this](std::string_view w) { return RecordWord(words_, w); }),
      tableArt_(art_),
      painter_(tableArt_, fonts_, words_),
      events_(std::make_unique<WindowEvents>(
          *this, game_, painter_, words_,
          WindowEvents::Hooks{
              [this] { update(); }, [this] { SyncButtons(); }, [this] { SyncTimer(); },
              [this](LeaveReason r) { OnLeaveTable(r); },
              [this] {
                  ShowGeneralCount(this, settings_,
                                   MakeCount(game_.State(), player_.StartRecord.Name,
                                             player_.StartRecord.Rating, CountKindOf(game_.Setup())));
              },
              [this](std::string_view message) {
                  if (game_.Setup().kind == GameKind::Online)
                      onlineTable_->Session().Announce(message);
                  else if (game_.IsNetworkGame())
                      lan_->Session().Announce(message);
              },
              [this] { return settings_.Speed; },
              [this](std::string_view name, bool wait, std::function<void()> done) {
                  return sounds_.PlaySoundEffect(name, wait, std::move(done));
              },
              [this](const Card& card) { sounds_.SpeakCard(programDir_, card, words_.CurrentLanguage()); },
              [this](std::uint32_t ticket) {
                  game_.Resume(ticket);
                  AfterGameStep();
              },
              [this](WordId question, bool yes) { AnswerQuestion(question, yes); },
              [this] { art_.BackForDeal(); }})),
      game_(*events_),
      menu_(*this, words_, tableArt_),
      popup_(*this, words_),
      recording_(*this, settings_, art_, tableArt_, fonts_, words_, programDir_, [this] {
          painter_.DrawAll(game_);
          update();
      }) {
    events_->AttachRecording(recording_);
    setWindowTitle(GameName(words_.CurrentLanguage()));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    button7_ = new TZunCardsButton(this);
    button7_->setObjectName(QStringLiteral("Button7"));
    button8_ = new TZunCardsButton(this);
    button8_->setObjectName(QStringLiteral("Button8"));
    for (auto* b : {button7_, button8_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->hide();
    }
    connect(button7_, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(button8_, &QPushButton::clicked, this, &TForm1::Button8Click);

    connect(&popup_, &TableMenu::QuitChosen, this, [this] {
        if (game_.LeaveToMenu()) ShowMenu();
    });
    connect(&popup_, &TableMenu::ChangeNameChosen, this, [this] {
        PlaySoundEffect(sound::Window);
        ChangeName();
    });
    connect(&popup_, &TableMenu::GenCountChosen, this, [this] { game_.GenCount(); });
    connect(&popup_, &TableMenu::SpeedChosen, this, [this] { ShowSpeed(this, settings_); });
    connect(&popup_, &TableMenu::HelpChosen, this, [this] {
        PlaySoundEffect(sound::Window);
        ShowHelp(this, words_, programDir_);
    });
    connect(&popup_, &TableMenu::AboutChosen, this, [this] {
        PlaySoundEffect(sound::Window);
        ShowAbout(this, settings_, [this] { ShowHelp(this, words_, programDir_); });
    });

    tableChat_ = new TableChat(*this, tableArt_, fonts_);
    lan_ = new LanTable(*this, *tableChat_, fonts_, words_);
    LanSession& session = lan_->Session();
    session.AttachGame(game_);
    // The other machines' steps wait while a step of this table waits.
    session.DeferWhile([this] { return game_.Waiting(); });
    connect(&session, &LanSession::dealReceived, this, [this] {
        lan_->ShowWaiting(false);
        if (screen_ == Screen::Table) ShowTable();
    });
    connect(&session, &LanSession::seatsChanged, this, [this] {
        if (screen_ == Screen::Table) ApplySeatNames();
    });
    connect(&session, &LanSession::peerLost, this, &TForm1::PeerLost);
    connect(lan_, &LanTable::ChatArrived, this, [this] { PlaySoundEffect(sound::Chat); });
    connect(tableChat_, &TableChat::Typed, this, [this](const QString& text) {
        if (game_.Setup().kind == GameKind::Online)
            onlineTable_->SendChat(text);
        else
            lan_->SendChat(text);
    });
    connect(tableChat_, &TableChat::RevealToggled, this, [this] {
        painter_.SetRevealHands(!painter_.RevealHands());
        for (int s = 1; s <= 3; ++s) painter_.DrawHand(game_, s);
        update();
    });

    ConnectOnlineTable();

    connect(&timer1_, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(&menu_, &MenuScreen::MemberChosen, this, &TForm1::MemberClick);
    connect(&menu_, &MenuScreen::TopTenClicked, this, &TForm1::TopTenButtonClick);
    accountPictures_ = new MenuAccountPictures(*this, words_);
    counter_ = new MenuCounter(tableArt_, words_, online_, this);
    connect(accountPictures_, &MenuAccountPictures::AccountClicked, this, &TForm1::AccountPictureClick);
    connect(accountPictures_, &MenuAccountPictures::TournamentClicked, this, &TForm1::TournamentPictureClick);
    connect(accountPictures_, &MenuAccountPictures::WorldTopTenClicked, this,
            &TForm1::WorldTopTenPictureClick);
    ConnectStatistics();
    // The start-up login may answer while the menu already shows.
    connect(&account_, &AccountSession::StateChanged, this, [this] {
        if (screen_ == Screen::Menu) accountPictures_->Show(scales_, account_.State());
    });
    connect(&menu_, &MenuScreen::OptionsClicked, this, &TForm1::OpenOptionsDialog);
    connect(&menu_, &MenuScreen::ExitClicked, this, &QWidget::close);
    connect(&menu_, &MenuScreen::HistoryClicked, this, [this] {
        Burst(settings_.SaluteButtons);
        PlaySoundEffect(sound::Window);
        ShowHistory(this, settings_, programDir_);
    });
    connect(&menu_, &MenuScreen::ModeClicked, this, [this] {
        Burst(settings_.SaluteButtons);
        PlaySoundEffect(sound::Window);
        settings_.ClubView = settings_.ClubView == 1 ? 2 : 1;
        menu_.Show(settings_, fonts_, scales_, menuGeometry_, programDir_);
    });
    ConnectChatAndNews();
    ConnectRatedGame();
    timer1_.start(timer::Menu);
    resize(760, 500);
}

TForm1::~TForm1() = default;

bool TForm1::StartUp() {
    if (startedUp_) return screen_ != Screen::Closing;
    startedUp_ = true;
    folderLock_ = ClaimProgramFolder(programDir_);
    const SettingsLoad settingsLoad = LoadSettings(settings_, programDir_);
    online_.TakeStoredAddresses();
    // The service's configuration applies only to a run whose settings were read through.
    if (settingsLoad == SettingsLoad::kReadThrough) online_.ReadConfiguration();
    RestoreStartupFontNames(settings_);  // a chosen font lasts for the run it was chosen in
    words_.SetCurrentLanguage(settings_.CurrentLanguage);
    screen_ = Screen::Title;
    ApplyWindowSize();
    repaint();

    const ClubCheckResult check = CheckClubFiles(programDir_);
    if (check.RussianInterface) words_.SetCurrentLanguage(kRussian);
    for (const RecordMessage& m : check.Messages)
        QMessageBox::critical(this, GameName(words_.CurrentLanguage()), RecordMessageText(words_, m));
    clubWritable_ = check.ClubWritable;
    if (!check.Ok) {
        clubBadAtStartUp_ = true;
        screen_ = Screen::Closing;
        QTimer::singleShot(0, this, &QWidget::close);
        return false;
    }
    SendStartupReport(check.StartReportAllowed());
    ApplyWords();
    cursors_ = std::make_unique<TCursors>(settings_.OwnCursor, this);
    cursors_->FollowAllWindows();
    burst_ = LoadTouchBurstStrip(programDir_);
    account_.StartUpLogin();  // the saved login, when there is one
    StartAudio();
    StartInternetMusic();
    return true;
}

void TForm1::ApplyWindowSize() {
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const bool fullScreen = WindowSizeInRange(settings_.WindowSize) == window_size::FullScreen;
    // Full screen fills the whole screen; the other sizes are centred on its free area.
    const QRect area = !screen      ? QRect(0, 0, 760, 500)
                       : fullScreen ? screen->geometry()
                                    : screen->availableGeometry();
    const QSize client = ClientSizeFor(settings_.WindowSize, area.size());
    scales_ = ScalesFor(settings_.WindowSize, area.size());
    // Deals are recorded in the smallest window only.
    if (settings_.WindowSize != window_size::Small) settings_.SaveGamesAsGif = false;
    setWindowState(fullScreen ? Qt::WindowFullScreen : Qt::WindowNoState);
    setFixedSize(client);
    if (fullScreen)
        move(area.topLeft());
    else if (screen)
        move(area.topLeft() + CentredWindowPosition(area.size(), client));
    fonts_ = FontRoles(settings_);
    art_.SetWindow(settings_.WindowSize, scales_.s, client);
    // The menu's background first; the faces load their backs themselves.
    const ArtLoadResult background = art_.LoadScreenBackground(false, true);
    ShowArtMessages(words_, this, {background, art_.LoadFaceDeck()});
    LayoutTable(networkTable_);
    menuGeometry_ = LayoutMainMenu(scales_, settings_.WindowSize, client, false);
    LayoutMusicButtons();
    // The title shows once, at start-up; its pictures are not kept after it.
    if (screen_ == Screen::Title)
        title_ = std::make_unique<TitleScreen>(
            tableArt_,
            TitleTexts{GameNameUpper(words_.CurrentLanguage()), ReleaseDate(words_.CurrentLanguage()),
                       words_.WordText(WordKey::AboutTeam)},
            client);
}

// The table's layout: a network game makes room for the chat box.
void TForm1::LayoutTable(bool network) {
    networkTable_ = network;
    const bool wide = IsWideDeck(settings_.CardFaceSet);
    painter_.Layout(settings_.WindowSize, size(), scales_, CardCellFor(scales_.s, wide),
                    NarrowOffset(settings_.WindowSize, wide), network);
    const TableGeometry& g = painter_.Geometry();
    tableChat_->Layout(g, Placement(scales_), settings_.WindowSize == window_size::Small);
    onlineTable_->Layout(g);
    button7_->setGeometry(g.button1);
    button8_->setGeometry(g.button2);
    for (TZunCardsButton* b : {button7_, button8_}) {
        b->setFont(fonts_.MenuButtonFont(settings_.WindowSize, scales_.s));
        ApplyButtonColours(
            *b, MenuButtonColours(MenuButtonKind::Command, settings_.TableDesign == 1, false, false),
            settings_.NewButtons);
        b->SetGrayDis(true);  // "Pass" with an ace, "OK" in the user's own turn: visibly out of reach
    }
}

void TForm1::ShowMenu() {
    const bool afresh = screen_ != Screen::Menu;
    screen_ = Screen::Menu;
    title_.reset();
    button7_->hide();
    button8_->hide();
    tableChat_->Show(false);
    onlineTable_->ShowClocks(false);
    lan_->ShowWaiting(false);
    menu_.Show(settings_, fonts_, scales_, menuGeometry_, programDir_);
    accountPictures_->Show(scales_, account_.State());
    counter_->ShowAt(menuGeometry_.counter, menuGeometry_.counterShown);
    ShowArtMessages(words_, this, {art_.LoadScreenBackground(false)});
    PaintMenuPicture();
    timer1_.start(timer::Menu);
    ShowMenuExtras(afresh);
    ResumeMenuMusic();
    update();
}

void TForm1::AccountPictureClick() {
    if (rated_->Busy()) return;  // the running update needs the login as it is
    PlaySoundEffect(sound::Window);
    const LoginState state = account_.State();
    const std::string nick = account_.User().Nick;
    KeepLibraryDesignOnlyWith("GFormAcc1");
    TFormAccount* window = OpenAccountWindow(settings_, account_, false, this);
    connect(window, &QDialog::finished, this, [this, state, nick] {
        if (screen_ != Screen::Menu) return;
        // A new login or nick changes the menu's account row.
        if (account_.State() != state || account_.User().Nick != nick)
            ShowMenu();
        else
            accountPictures_->Show(scales_, account_.State());
    });
}

void TForm1::TournamentPictureClick() {
    PlaySoundEffect(sound::Window);
    if (!account_.LoggedIn())
        OpenMessageWindow(words_, words_.WordText(WordKey::LogInToYourAccount), {}, {}, this);
    else
        OpenTournament();
}

void TForm1::PaintMenuPicture() {
    MenuPictures pictures;
    pictures.caption = tableArt_.Picture(words_.ResourceName(u"Cap").toStdString());
    pictures.header =
        tableArt_.Picture(words_.ResourceName(settings_.NetworkMode ? u"Net__" : u"Elite").toStdString());
    for (QImage* banner : {&pictures.caption, &pictures.header})
        if (!banner->isNull()) RecolorBanner(*banner, settings_.CaptionColour);
    menuBackground_ = PaintMenuBackground(tableArt_, menuGeometry_, size(), pictures);
}

void TForm1::NameSeats() {
    if (networkTable_) {
        ApplySeatNames();
    } else {
        painter_.SetSeatName(4, QString::fromStdString(std::string(TrimBlanks(player_.StartRecord.Name))));
        for (int s = 1; s <= 3; ++s) painter_.SetSeatName(s, QStringLiteral("PC"));
    }
}

// The menu's widgets go, and its pictures with them: they are made again when it shows.
void TForm1::HideMenu() {
    menu_.Hide();
    accountPictures_->Hide();
    counter_->Rest();
    HideMenuExtras();
    menuBackground_ = QImage();
    // The menu's freed pictures lie in the middle of the heap; give their pages back once the
    // movies' frames (deleted later) are gone too.
    QTimer::singleShot(0, this, [] {
        ReleaseFreedMemory();
        DropReadOnlyDataPages();
    });
}

void TForm1::ShowTable() {
    screen_ = Screen::Table;
    HideMenu();
    NameSeats();
    tableChat_->Show(networkTable_);
    onlineTable_->ShowClocks(game_.Setup().kind == GameKind::Online);
    painter_.DrawAll(game_);
    SyncButtons();
    update();
}

void TForm1::PrepareGame(int member, const ClubMember& record, bool network) {
    player_ = FinishedGame{};
    player_.CurrentMember = static_cast<std::uint8_t>(member);
    player_.NetworkMode = network;
    player_.StartRecord = record;
    TableSetup& setup = game_.Setup();
    const TableSetup lan = setup;  // a network game keeps what the session set
    setup = TableSetup{};
    if (network) {
        setup.kind = lan.kind;
        setup.LanRole = lan.LanRole;
        setup.LanClientIndex = lan.LanClientIndex;
    }
    setup.AccountGame = member == member::Account;  // the nick stays the player's name
    setup.InitialScore = settings_.InitialScore;
    setup.OpenCardsAtEnd = settings_.OpenCardsAtEnd;
    setup.FlyCards = settings_.FlyCards;
    setup.Pace = pace_;
    GameState& gs = game_.State();
    gs.GameNo = static_cast<std::int32_t>(record.Games + 1);
    gs.RunningTotal = static_cast<std::int32_t>(record.Total);
    timer1_.stop();
    screen_ = Screen::Table;
    HideMenu();
    ShowArtMessages(words_, this, {art_.LoadScreenBackground(true)});
    if (music_) music_->PlayMusic(false);
    if (network != networkTable_) LayoutTable(network);
}

void TForm1::StartGame(int member, const ClubMember& record) {
    PrepareGame(member, record, false);
    NameSeats();  // before the deal is drawn, so that a recording's first frame shows the names
    game_.StartDeal(true);
    ShowTable();
}

void TForm1::StartNetworkGame(const ClubLogin& login) {
    PrepareGame(login.CurrentMember, login.Record, true);
    tableChat_->Clear();
    tableChat_->Enable(true);
    // The host deals at once; a client's table stays empty until the host's deal arrives.
    if (lan_->Session().LanRole() == 1) {
        game_.StartDeal(true);
        ShowTable();
        return;
    }
    const GameState started = game_.State();
    game_.State() = GameState{};
    game_.State().GameNo = started.GameNo;
    game_.State().RunningTotal = started.RunningTotal;
    LayoutTable(true);  // the bare table with the chat until the deal
    tableChat_->Show(true);
    lan_->ShowWaiting(true);
    update();
}

// The names at the table's seats as the session knows them ("PC" for a computer seat).
void TForm1::ApplySeatNames() {
    const bool online = game_.Setup().kind == GameKind::Online;
    const SeatNames& names = lan_->Session().Names();
    for (int s = 1; s <= 4; ++s) {
        std::string name = online ? onlineTable_->NameAt(s).toStdString() : Cp1251ToUtf8(View(names[s]));
        if (online && s == 4 && name.empty()) name = player_.StartRecord.Name;  // until the table is read
        painter_.SetSeatName(s, QString::fromStdString(std::string(TrimBlanks(name))));
        painter_.DrawBubble(game_, s);
    }
    update();
}

// A player left the running game: the sound and the box over the table; the session breaks the
// game off, and the menu comes back when the box is closed.
void TForm1::PeerLost() {
    if (screen_ == Screen::Menu) timer1_.start(timer::Menu);  // its tick closes the port
    PlaySoundEffect(sound::Wrong);
    tableChat_->Enable(false);
    auto* box = new QMessageBox(QMessageBox::Critical, GameName(words_.CurrentLanguage()),
                                words_.WordText(WordKey::OneOfPlayer) + QStringLiteral(" ") +
                                    words_.WordText(WordKey::HasInterruptedGame) + QStringLiteral("\n\r") +
                                    words_.WordText(WordKey::PressOkForExitToMenu),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this] {
        if (screen_ == Screen::Table && !game_.State().DealRunning) ShowMenu();
    });
    lostPlayerBox_ = box;
    box->open();
}

// The answer to a question of the game; closing the window goes on after a Yes to leaving.
void TForm1::AnswerQuestion(WordId question, bool yes) {
    game_.Answer(question, yes);
    if (question == WordId::LeaveGameQuestion && yes) QTimer::singleShot(0, this, &QWidget::close);
    AfterGameStep();
}

// After a step that another source than the other machines began: their steps that waited meanwhile
// are taken now.
void TForm1::AfterGameStep() {
    if (game_.Waiting() || !game_.IsNetworkGame()) return;
    if (game_.Setup().kind == GameKind::Online)
        onlineTable_->Session().DeliverDeferred();
    else
        lan_->Session().DeliverDeferred();
}

// "To change a name": a new name and password for the player; a club member is stored again
// under them with the record he started the game with.
void TForm1::ChangeName() {
    const std::optional<ClubLogin> login =
        WelcomeDialog::Run(this, settings_, programDir_, member::NewPlayer);
    if (!login) return;
    ClubMember renamed = player_.StartRecord;
    renamed.Name = login->Record.Name;
    renamed.PasswordCode = login->Record.PasswordCode;
    if (player_.CurrentMember >= 1 && player_.CurrentMember <= ClubMemberCount) {
        const std::string club = ClubFilePath(programDir_, player_.NetworkMode);
        std::optional<RecordMessage> failed = RemoveMember(club, player_.CurrentMember, clubWritable_);
        if (!failed) failed = StoreMember(club, renamed, false, clubWritable_).Message;
        if (failed) {
            ShowRecordMessages({*failed});
            return;
        }
    }
    player_.StartRecord = renamed;
    const QString name = QString::fromStdString(std::string(TrimBlanks(renamed.Name)));
    ShowMessageWindow(words_, words_.WordText(WordKey::NameChanged), words_.WordText(WordKey::NewName) + name,
                      {}, this);
    painter_.SetSeatName(4, name);
    painter_.DrawBubble(game_, 4);
    update();
}

void TForm1::SetLanguage(int language) {
    words_.SetCurrentLanguage(language);
    settings_.CurrentLanguage = words_.CurrentLanguage();
    AnnounceLanguageChange();
}

void TForm1::SetOwnCursor(bool ownCursor) {
    settings_.OwnCursor = ownCursor;
    if (!cursors_) return;  // the start-up takes the setting
    cursors_->SetOwnCursor(ownCursor);
    tableCursor_ = CursorKind::Arrow;  // the window itself shows the arrow again
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) ApplyWords();
}

// Sets every visible text of the window from the words of the current language.
void TForm1::ApplyWords() {
    setWindowTitle(GameName(words_.CurrentLanguage()));
    popup_.ApplyWords();
    if (screen_ == Screen::Menu) ShowMenu();
    if (screen_ == Screen::Table) {
        SyncButtons();
        painter_.DrawAll(game_);
    }
    update();
}

// A club member row or "New Player": the login decides, then a new game starts.
void TForm1::MemberClick(int member) {
    if (rated_->Busy()) return;  // a rated game is still being booked or recorded
    Burst(settings_.SaluteButtons);
    PlaySoundEffect(sound::Window);
    LanStart lanStart;
    if (settings_.NetworkMode)
        lanStart = [this](const LanChoice& choice, const ClubLogin& login) {
            return lan_->WaitForPlayers(choice, login);
        };
    const std::optional<ClubLogin> login = WelcomeDialog::Run(this, settings_, programDir_, member, lanStart);
    if (!login) return;
    if (login->Lan)
        StartNetworkGame(*login);
    else
        StartGame(login->CurrentMember, login->Record);
}

void TForm1::SyncButtons() {
    const TableView& view = game_.View();
    const bool table = screen_ == Screen::Table;
    auto apply = [&](TZunCardsButton* b, const ButtonState& s) {
        b->setText(s.caption == WordId::None ? QString() : words_.WordText(s.caption));
        b->setEnabled(s.enabled);
        b->setVisible(table && s.shown);
    };
    apply(button7_, view.action);
    apply(button8_, view.second);
    popup_.Follow(view);
}

void TForm1::SyncTimer() {
    timer1_.setInterval(game_.TimerInterval());
    if (game_.TimerRunning())
        timer1_.start();
    else
        timer1_.stop();
}

void TForm1::Timer1Timer() {
    if (screen_ == Screen::Table) {
        game_.GameTick();
        AfterGameStep();
        return;
    }
    if (screen_ == Screen::Title && title_) {
        update(title_->Tick());
        return;
    }
    if (screen_ == Screen::Menu) {
        // The first tick in the menu closes a port that a lost game left open; after it the menu's
        // clock and pictures keep their own time, and the tick rests until the menu is entered again.
        lan_->Session().MenuTick();
        timer1_.stop();
    }
}

// The click burst under the pointer (it needs the graphics library).
void TForm1::Burst(bool enabled) {
    if (!burst_.isNull()) TouchBurst(burst_, QCursor::pos(), enabled);
}

void TForm1::Button7Click() {
    Burst(settings_.SaluteButtons);
    game_.ActionButton();
    AfterGameStep();
    if (screen_ == Screen::Table) update();
}

void TForm1::Button8Click() {
    Burst(settings_.SaluteButtons);
    game_.SecondButton();
    AfterGameStep();
}

// The records take the game at once; what they have to say is shown once the step that left the
// table is over, and then the menu comes back.
void TForm1::OnLeaveTable(LeaveReason reason) {
    if (LeaveAccountGame(reason)) return;
    if (player_.CurrentMember == member::Tournament) return LeaveTournamentGame(reason);
    const GameState& gs = game_.State();
    std::vector<RecordMessage> messages;
    std::string_view sound;
    std::optional<TopTenPlace> cyclePlace;
    bool offerWorldRecord = false;
    if (reason == LeaveReason::BrokenOff) {
        // A lost player of a network game: the club keeps what it had.
    } else if (reason == LeaveReason::Abandoned) {
        if (player_.CurrentMember <= member::NewPlayer)
            if (auto m = RemoveMember(ClubFilePath(programDir_, player_.NetworkMode), player_.CurrentMember,
                                      clubWritable_))
                messages.push_back(*m);
    } else {
        player_.Result = gs.Score[4];
        if (player_.NetworkMode) player_.Players = lan_->HistoryNames();
        const QDateTime now = QDateTime::currentDateTime();
        const GameFinishedOutcome outcome = GameFinished(
            programDir_, clubWritable_, gs, player_, now.toString(QStringLiteral("hh:mm")).toStdString(),
            HistoryShortDate(now.date(), QLocale::system()).toStdString());
        SendGameResults();
        messages = outcome.Messages;
        sound = outcome.Sound;
        if (outcome.CycleComplete) cyclePlace = outcome.Place;
        // A cycle against the computer without a rated account may go to the world top ten.
        offerWorldRecord =
            outcome.CycleComplete && !player_.NetworkMode && account_.State() != LoginState::RatedGame;
    }
    // A lost player's game leaves its sockets to the session (the host closes its port later).
    const bool ended = reason == LeaveReason::Finished || reason == LeaveReason::Abandoned;
    if (ended && game_.IsNetworkGame()) lan_->Session().Close();
    // A lost player's box stays over the table until it is closed.
    const bool showMenu = reason != LeaveReason::BrokenOff || !lostPlayerBox_;
    QTimer::singleShot(0, this, [this, messages, sound, cyclePlace, showMenu, offerWorldRecord] {
        ShowRecordMessages(messages);
        PlaySoundEffect(sound);
        if (cyclePlace)
            ShowEndOfGame(this, settings_, *cyclePlace,
                          [this](const QString& name) { PlaySoundEffect(name.toStdString()); });
        if (showMenu) ShowMenu();
        if (cyclePlace && offerWorldRecord) OfferWorldRecord(static_cast<int>(cyclePlace->Score));
    });
}

void TForm1::ShowRecordMessages(const std::vector<RecordMessage>& messages) {
    for (const RecordMessage& m : messages)
        QMessageBox::warning(this, GameName(words_.CurrentLanguage()), RecordMessageText(words_, m));
}

void TForm1::paintEvent(QPaintEvent* event) {
    if (!startUpQueued_) {  // the first paint runs the start-up steps
        startUpQueued_ = true;
        QTimer::singleShot(0, this, &TForm1::StartUp);
    }
    QPainter p(this);
    if (screen_ == Screen::Table) {
        // A card flight shows its working copy; each of its frames repaints only what changed.
        const CardFlights& flights = events_->Flights();
        const QRect area = event->rect();
        p.drawImage(area.topLeft(), flights.Running() ? flights.WorkingCopy() : painter_.Canvas(), area);
        return;
    }
    const QRect area = event->rect();
    if (screen_ == Screen::Title && title_) {
        p.drawImage(area.topLeft(), title_->Frame(), area);
    } else if (screen_ == Screen::Menu && !menuBackground_.isNull()) {
        p.drawImage(area.topLeft(), menuBackground_, area);
    } else {
        p.fillRect(rect(), tableArt_.WindowColour());
    }
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (screen_ == Screen::Title) {
        ShowMenu();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (screen_ == Screen::Title) {
        ShowMenu();
        return;
    }
    if (screen_ == Screen::Menu && menu_.CaptionRect().contains(event->position().toPoint())) {
        settings_.CaptionColour = settings_.CaptionColour % 7 + 1;
        PaintMenuPicture();
        update();
        return;
    }
    if (screen_ == Screen::Table && TableClick(event)) return;
    QWidget::mousePressEvent(event);
}

// The user's cards, the table, the deck and open hands; true when the click was taken.
bool TForm1::TableClick(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    const TableGeometry& g = painter_.Geometry();
    const GameState& gs = game_.State();
    const MouseButton button = event->button() == Qt::RightButton ? MouseButton::Right : MouseButton::Left;
    const int seat = g.HandAt(p);
    if (seat == 4) {
        const int slot = painter_.CardAt(4, gs.Hand[4], p.x() - g.hand[4].left());
        // A card the click marks, unmarks or plays bursts first.
        if (button == MouseButton::Left && !game_.Waiting() &&
            game_.OwnCardHover(slot) == CardCursor::Choosing)
            Burst(settings_.SaluteCards);
        game_.OwnCardClick(button, slot);
        AfterGameStep();
        return true;
    }
    if (button != MouseButton::Right) return false;
    if (seat >= 1 && seat <= 3) {
        game_.RightClickOpenHand(seat, painter_.CardAt(seat, gs.Hand[seat], p.x() - g.hand[seat].left()));
        return true;
    }
    if (const int tableSeat = g.TrickSeatAt(p)) {
        game_.RightClickTable(tableSeat);
        return true;
    }
    if (g.deck.contains(p)) {
        game_.RightClickDeck();
        return true;
    }
    return false;
}

void TForm1::mouseMoveEvent(QMouseEvent* event) {
    if (screen_ != Screen::Table) return;
    const QPoint p = event->position().toPoint();
    const TableGeometry& g = painter_.Geometry();
    int slot = 0;
    if (g.HandAt(p) == 4) slot = painter_.CardAt(4, game_.State().Hand[4], p.x() - g.hand[4].left());
    const CursorKind kind =
        game_.OwnCardHover(slot) == CardCursor::Choosing ? CursorKind::Hand : CursorKind::Arrow;
    if (cursors_ && kind != tableCursor_) {
        tableCursor_ = kind;
        cursors_->Apply(this, kind);
    }
}

// The information panel's hint: the game's number in its cycle, from the first deal on.
bool TForm1::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QRect panel = painter_.Geometry().infoPanel;
    if (screen_ == Screen::Table && game_.State().DealNo > 0 && panel.contains(help->pos()))
        QToolTip::showText(help->globalPos(),
                           InfoPanelHint(words_, game_.State().GameNo, game_.Setup().Tournament), this,
                           panel);
    else
        QToolTip::hideText();
    return true;
}

void TForm1::contextMenuEvent(QContextMenuEvent* event) {
    if (screen_ != Screen::Table) return;
    const TableGeometry& g = painter_.Geometry();
    if (g.HandAt(event->pos()) != 0 || g.TrickSeatAt(event->pos()) != 0 || g.deck.contains(event->pos()))
        return;
    popup_.Exec(event->globalPos());
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (screen_ == Screen::Table && !game_.CloseQuery()) {
        event->ignore();
        return;
    }
    recording_.FinishRecording();
    // The window is closing and no game step runs: a plain modal box is safe here.
    if (startedUp_ &&
        SaveSettings(settings_, programDir_, clubBadAtStartUp_) == SettingsSave::kCannotSaveOptions)
        QMessageBox::critical(this, GameName(words_.CurrentLanguage()),
                              words_.WordText(WordKey::CantSaveOptions));
    musicTimer_.stop();
    if (music_) music_->Close();
    sounds_.Stop();
    event->accept();
}

}  // namespace kesp
