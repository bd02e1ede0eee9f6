// The main window: the title screen, the main menu and the card table on one client area, the
// game timer, the two table buttons, the mouse on the cards and the closing of the program.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "app/chat_news_watch.h"
#include "app/internet_music.h"
#include "app/lan_table.h"
#include "app/menu_account_pictures.h"
#include "app/menu_badges.h"
#include "app/menu_counter.h"
#include "app/menu_screen.h"
#include "app/online_service.h"
#include "app/online_table.h"
#include "app/rated_game.h"
#include "app/table_chat.h"
#include "app/table_menu.h"
#include "app/window_events.h"
#include "engine/game.h"
#include "network/account_session.h"
#include "presentation/card_art.h"
#include "presentation/cursors.h"
#include "presentation/font_roles.h"
#include "presentation/menu_layout.h"
#include "presentation/music_player.h"
#include "presentation/sound_player.h"
#include "presentation/table_art.h"
#include "presentation/table_painter.h"
#include "presentation/title_screen.h"
#include "presentation/words.h"
#include "records/game_finished.h"
#include "records/program_folder_lock.h"
#include "records/settings.h"
#include "windows/chat_window.h"
#include "windows/tournament_window.h"

namespace kesp {

class TZunCardsButton;

class TForm1 : public QWidget {
    Q_OBJECT
  public:
    enum class Screen { Starting, Title, Menu, Table, Closing };

    explicit TForm1(std::string programDir, QWidget* parent = nullptr);
    ~TForm1() override;

    // The start-up steps, run at the first paint; false when a club file stops the program.
    bool StartUp();
    Screen CurrentScreen() const { return screen_; }
    Game& CurrentGame() { return game_; }
    const Settings& CurrentSettings() const { return settings_; }
    TablePainter& Painter() { return painter_; }
    const CardFlights& Flights() const { return events_->Flights(); }
    const DealRecording& Recording() const { return recording_; }
    const MenuGeometry& MenuLayout() const { return menuGeometry_; }
    // Switches the interface language; every text of this window and of every open dialog changes at
    // once.
    void SetLanguage(int language);
    // Switches between the program's own and the system's cursors in every open window at once.
    void SetOwnCursor(bool ownCursor);
    // Starts a game for club member 1..5 or a new player (6) whose login has been confirmed.
    void StartGame(int member, const ClubMember& record);
    // Starts a local-network game for a login whose wait for the players ended with the start:
    // the host deals, a client waits for the host's deal.
    void StartNetworkGame(const ClubLogin& login);
    LanTable& Lan() { return *lan_; }
    OnlineTable& OnlineGame() { return *onlineTable_; }
    TableChat& TableChatBox() { return *tableChat_; }
    SoundPlayer& Sounds() { return sounds_; }
    OnlineService& Online() { return online_; }
    AccountSession& Account() { return account_; }
    RatedGame& Rated() { return *rated_; }
    ChatNewsWatch& Watch() { return watch_; }
    MenuBadges& Badges() { return *badges_; }
    MenuCounter& Counter() { return *counter_; }
    InternetMusic* Radio() const { return internetMusic_.get(); }
    TFormChat* ChatWindow() const { return chat_; }
    // Opens the games chat as its badge and the table menu's "Chat" do.
    void OpenChat();
    // Opens the online tournament window without waiting (again after a tournament game).
    void OpenTournament();
    TFTour4* TournamentWindow() const { return tournament_; }
    // Pages the program opens in the browser (the news) go here; tests keep the browser shut.
    void SetUrlOpener(std::function<void(const QUrl&)> opener) { urlOpener_ = std::move(opener); }
    // Tests: the game's timer and rests run `pace` times faster from the next game on.
    void SetPace(int pace) { pace_ = pace; }

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

  private slots:
    void Timer1Timer();
    void Button7Click();
    void Button8Click();
    void MemberClick(int member);
    void ChangeName();

  private:
    void ApplyWindowSize();
    // Options (main_window_options.cpp): the dialog and the changes it makes to this window.
    void OpenOptionsDialog();
    void WindowSizeChanged();
    void ApplyCursorSetting();
    void ApplyButtonStyleSetting();
    void ReloadCards();
    void ReloadBackground();
    void LayoutTable(bool network);
    void PrepareGame(int member, const ClubMember& record, bool network);
    void ApplySeatNames();
    void PeerLost();
    void AnswerQuestion(WordId question, bool yes);
    void AfterGameStep();
    void ShowMenu();
    void AccountPictureClick();
    void TournamentPictureClick();
    void HideMenu();
    void PaintMenuPicture();
    void ApplyWords();
    void ShowTable();
    void NameSeats();
    void SyncButtons();
    void SyncTimer();
    void OnLeaveTable(LeaveReason reason);
    void ShowRecordMessages(const std::vector<RecordMessage>& messages);
    bool TableClick(QMouseEvent* event);
    // Sound and music (main_window_sound.cpp).
    void PlaySoundEffect(std::string_view name, bool wait = false);
    void StartAudio();
    void MusicTimerTimer();
    void ResumeMenuMusic();
    // The chat, the news and the internet music player (main_window_online.cpp).
    void ConnectChatAndNews();
    void ShowMenuExtras(bool afresh);
    void HideMenuExtras();
    void ShowBadges();
    void OpenNews();
    void NewChatByTick();
    void StartInternetMusic();
    void LayoutMusicButtons();
    bool InternetMusicPlaying() const;
    void OpenChatWindow(bool withSound);
    void KeepLibraryDesignOnlyWith(std::string_view background);
    // The world passport over `parent`, window-modal; `closed` runs when it closes.
    void OpenPassport(QWidget* parent, std::function<void()> closed);
    // The account's row and games (main_window_rated.cpp).
    void ConnectRatedGame();
    void ReadAccountRow();
    void AccountRowClick();
    void AccountWindowClosed(int result);
    void StartAccountGame(bool rated);
    bool LeaveAccountGame(LeaveReason reason);
    void AccountGameRecorded(double rating, std::optional<TopTenPlace> cycle);
    // The world top ten: the menu picture, "Top Ten", the window on a list, the cycle's send window.
    void WorldTopTenPictureClick();
    void TopTenButtonClick();
    void OpenWorldTopTen(int list);
    void OfferWorldRecord(int score);
    // The tournament top ten over `parent`, and the tournament game (main_window_tournament.cpp).
    void OpenTournamentTopTen(QWidget* parent);
    void ConnectOnlineTable();
    void PrepareTournamentGame();
    void EnterTournamentTable(bool firstOfGame);
    void LeaveTournamentGame(LeaveReason reason);
    // The world statistics (main_window_statistics.cpp).
    void ConnectStatistics();
    void SendStartupReport(bool allowed);
    void SendGameResults();
    void SaveSettingsNow();

    std::string programDir_;
    ProgramFolderLock folderLock_;  // taken at start-up, held while the program runs
    Settings settings_;
    SoundPlayer sounds_{settings_};
    OnlineService online_{settings_, this};
    AccountSession account_{online_.Queue(), online_.Addresses(), programDir_, this};
    ChatNewsWatch watch_{online_, programDir_, this};
    RatedGame* rated_ = nullptr;  // owned by the window
    MenuBadges* badges_ = nullptr;
    std::unique_ptr<InternetMusic> internetMusic_;
    QPointer<TFormChat> chat_;
    QPointer<TFTour4> tournament_;
    int tournamentMeasure_ = 0;  // the tournament top ten's measure chosen last in this run
    int worldList_ = 0;          // the world top ten list shown last in this run, 0 before the first
    std::function<void(const QUrl&)> urlOpener_;
    std::unique_ptr<MusicPlayer> music_;
    QTimer musicTimer_;  // restarts the menu tune each second when it has stopped
    Localisation words_;
    FontRoles fonts_;
    CardArt art_;
    CardArtPictures tableArt_;
    TablePainter painter_;
    std::unique_ptr<WindowEvents> events_;
    Game game_;
    MenuScreen menu_;
    MenuAccountPictures* accountPictures_;  // ImAc, ImTR and ImageAdvR3, owned by the window
    MenuCounter* counter_;                  // owned by the window
    QTimer timer1_;
    TZunCardsButton* button7_;
    TZunCardsButton* button8_;
    TableMenu popup_;
    TableChat* tableChat_;  // the chat of the network tables, owned by the window
    LanTable* lan_;
    OnlineTable* onlineTable_;
    int pace_ = 1;
    bool networkTable_ = false;  // the table is laid out with the chat box
    Screen screen_ = Screen::Starting;
    WindowScales scales_;
    MenuGeometry menuGeometry_;
    std::unique_ptr<TitleScreen> title_;
    QImage menuBackground_;  // the menu's pictures under its buttons
    bool clubWritable_ = true;
    bool clubBadAtStartUp_ = false;
    bool startedUp_ = false;
    bool startUpQueued_ = false;
    FinishedGame player_;  // who plays the game on the table, as read when it started
    std::unique_ptr<TCursors> cursors_;
    CursorKind tableCursor_ = CursorKind::Arrow;
    QImage burst_;  // the click burst's frames, from the graphics library when it is there
    void Burst(bool enabled);
    DealRecording recording_;              // the deals as animated GIFs, with their sampling timer
    QPointer<QMessageBox> lostPlayerBox_;  // another player left: the table waits for its OK
};

}  // namespace kesp
