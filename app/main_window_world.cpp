// The main window's world top ten: the menu's world picture and "Top Ten" open the lists; a cycle
// against the computer ends in the send window.
#include "app/main_window.h"
#include "engine/sounds.h"
#include "presentation/message_window.h"
#include "windows/top_ten_window.h"
#include "windows/world_send_window.h"
#include "windows/world_top_ten_window.h"

namespace kesp {

void TForm1::WorldTopTenPictureClick() {
    PlaySoundEffect(sound::Window);
    if (online_.WorldTopTenPaused()) {
        OpenMessageWindow(words_, words_.WordText(WordKey::WorldTopTenUnavailable), {}, {}, this);
        return;
    }
    const bool cycleList =
        worldList_ == kAccountCycleList || worldList_ == kWindowsCycleList || worldList_ == kAndroidCycleList;
    OpenWorldTopTen(cycleList ? worldList_ : kWindowsCycleList);
}

void TForm1::TopTenButtonClick() {
    Burst(settings_.SaluteButtons);
    PlaySoundEffect(sound::Window);
    if (settings_.LibraryDesign)
        OpenWorldTopTen(settings_.NetworkMode ? kNetClubList : kLocalClubList);
    else
        ShowTopTen(this, settings_, programDir_);
}

void TForm1::OpenWorldTopTen(int list) {
    WorldListSources sources;
    sources.Addresses = online_.Addresses();
    sources.ProgramDir = programDir_;
    sources.World = {settings_.WorldNick, settings_.WorldCity};
    if (account_.LoggedIn()) sources.Account = {account_.User().Nick, account_.User().City};
    auto* window = new TFormWorldTopTen(settings_, online_.Queue(), std::move(sources), list, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    worldList_ = window->List();
    connect(window, &TFormWorldTopTen::ListShown, this, [this](int shown) { worldList_ = shown; });
    window->open();
}

void TForm1::OfferWorldRecord(int score) {
    auto* window =
        new TFormWorldSend(settings_, online_.Queue(), online_.Addresses().worldTopTen, score, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}

}  // namespace kesp
