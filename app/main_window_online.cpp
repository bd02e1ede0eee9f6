// The main window's chat, news and internet music: the badges of the main menu, the games chat
// window, the news page and the music player's buttons.
#include <QDesktopServices>
#include <QUrl>

#include "app/main_window.h"
#include "engine/sounds.h"
#include "network/online_requests.h"
#include "network/playlist.h"
#include "presentation/art_names.h"
#include "presentation/message_window.h"
#include "presentation/resource_library.h"
#include "records/chat_state.h"
#include "windows/passport_window.h"

namespace kesp {

void TForm1::ConnectChatAndNews() {
    badges_ = new MenuBadges(*this, words_);
    urlOpener_ = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    connect(badges_, &MenuBadges::NewsClicked, this, &TForm1::OpenNews);
    connect(badges_, &MenuBadges::ChatClicked, this, &TForm1::OpenChat);
    connect(&popup_, &TableMenu::ChatChosen, this, &TForm1::OpenChat);
    connect(&watch_, &ChatNewsWatch::BadgesChanged, this, &TForm1::ShowBadges);
    connect(&watch_, &ChatNewsWatch::ChatArrived, this, &TForm1::NewChatByTick);
}

// A fresh showing of the menu reads what is new; the badges and the music buttons follow the menu.
void TForm1::ShowMenuExtras(bool afresh) {
    watch_.SetMenuShows(true);
    if (afresh) watch_.MenuShownAfresh();
    ShowBadges();
    LayoutMusicButtons();
}

void TForm1::HideMenuExtras() {
    watch_.SetMenuShows(false);
    badges_->Hide();
    LayoutMusicButtons();
}

void TForm1::ShowBadges() {
    if (screen_ != Screen::Menu) return;
    badges_->Show(watch_.NewNews(), watch_.NewChat(), settings_.WindowSize == window_size::Small,
                  menuGeometry_.caption, size(), scales_.s, fonts_.Family(FontRole::Decor));
}

void TForm1::OpenNews() {
    PlaySoundEffect(sound::Window);
    urlOpener_(QUrl(QString::fromStdString(watch_.OpenNews())));
}

void TForm1::OpenChat() {
    OpenChatWindow(true);
}

void TForm1::OpenChatWindow(bool withSound) {
    if (withSound) PlaySoundEffect(sound::Window);
    if (online_.ChatPaused()) {
        OpenMessageWindow(words_, words_.WordText(WordKey::ChatUnavailable), {}, {}, this);
        return;
    }
    watch_.ChatSeen(watch_.NewestChatKnown());
    if (chat_) {
        chat_->raise();
        chat_->activateWindow();
        return;
    }
    chat_ = new TFormChat(settings_, programDir_, online_.Queue(), online_.Addresses().worldTopTen,
                          watch_.NewestChatKnown(), this);
    chat_->setAttribute(Qt::WA_DeleteOnClose);
    connect(chat_, &TFormChat::NewestSeen, &watch_, &ChatNewsWatch::ChatSeen);
    chat_->SetPassportOpener(
        [this](QWidget* parent, std::function<void()> closed) { OpenPassport(parent, std::move(closed)); });
    chat_->show();
}

// A window whose background comes from the graphics library: without that picture the built-in
// look is taken for good, as the options dialog does.
void TForm1::KeepLibraryDesignOnlyWith(std::string_view background) {
    if (!settings_.LibraryDesign ||
        !ResourceLibrary(programDir_, kGraphicsLibrary).LoadImage(background).isNull())
        return;
    settings_.LibraryDesign = false;
    settings_.WindowDesign = 2;
}

void TForm1::OpenPassport(QWidget* parent, std::function<void()> closed) {
    PlaySoundEffect(sound::Window);
    auto* passport = new TFormPassport(settings_, words_, parent);
    passport->setAttribute(Qt::WA_DeleteOnClose);
    if (closed) connect(passport, &QDialog::finished, parent, [closed = std::move(closed)] { closed(); });
    passport->open();
}

// The tick found a new message: the sound, and during a game the window when the option asks.
void TForm1::NewChatByTick() {
    PlaySoundEffect(sound::Chat);
    if (screen_ == Screen::Table && !chat_ && ReadChatState(programDir_).OpenOnNewMessage)
        OpenChatWindow(false);
}

// Once after the start-up: the playlist; the player turns on when it holds more than four tracks.
void TForm1::StartInternetMusic() {
    internetMusic_ = std::make_unique<InternetMusic>(*this, settings_);
    // The menu tune makes way for the stream at once; the music timer brings it back after a pause.
    connect(internetMusic_.get(), &InternetMusic::PlayingChanged, this, [this](bool playing) {
        if (playing && music_) music_->PlayMusic(false);
    });
    const std::string folder = online_.Addresses().musicFolder;
    online_.Queue().Run<std::optional<std::string>>(
        this, [address = folder + "_playlist.html"](ServiceClient&) { return DownloadText(address); },
        [this, folder](std::optional<std::string> page) {
            if (!page) return;
            internetMusic_->TakePlaylist(*page, folder);
            LayoutMusicButtons();
        });
}

// The buttons show once the title screen is gone, in a window whose general scale is at least 1.5.
void TForm1::LayoutMusicButtons() {
    if (!internetMusic_) return;
    const bool titleGone = screen_ == Screen::Menu || screen_ == Screen::Table;
    internetMusic_->Layout(size(), titleGone && scales_.s >= 1.5);
}

bool TForm1::InternetMusicPlaying() const {
    return internetMusic_ && internetMusic_->Playing();
}

}  // namespace kesp
