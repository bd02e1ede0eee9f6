// The options dialog opened from the main menu, and what its changes do to the main window: every
// change shows at once behind the open dialog.
#include "app/main_window.h"
#include "engine/sounds.h"
#include "presentation/cards_button.h"
#include "windows/options_dialog.h"

namespace kesp {

void TForm1::OpenOptionsDialog() {
    Burst(settings_.SaluteButtons);
    OptionsHost host;
    host.SetLanguage = [this](int language) { SetLanguage(language); };
    host.WindowSizeChanged = [this] { WindowSizeChanged(); };
    host.NetworkModeChanged = [this] { ShowMenu(); };  // the club of the mode and its header
    host.MusicChanged = [this] {
        if (settings_.MusicOn)
            ResumeMenuMusic();
        else if (music_)
            music_->PlayMusic(false);
    };
    host.MenuShowing = [this] { return screen_ == Screen::Menu; };
    host.GifAnimationChanged = [this] { ShowMenu(); };
    host.CursorChanged = [this] { ApplyCursorSetting(); };
    host.ButtonStyleChanged = [this] { ApplyButtonStyleSetting(); };
    host.FontsChanged = [this] {
        fonts_ = FontRoles(settings_);
        ShowMenu();
    };
    host.CardsChanged = [this] { ReloadCards(); };
    host.BackgroundChanged = [this] { ReloadBackground(); };
    host.DesignChanged = [this] { ReloadBackground(); };
    host.PlaySound = [this](std::string_view sound) { PlaySoundEffect(sound); };
    host.OpenPassport = [this](QWidget* parent) { OpenPassport(parent, {}); };
    OpenOptions(this, settings_, programDir_, std::move(host));
}

// A new size lays out everything anew for it and shows the main menu.
void TForm1::WindowSizeChanged() {
    ApplyWindowSize();
    ShowMenu();
}

void TForm1::ApplyCursorSetting() {
    cursors_ = std::make_unique<TCursors>(settings_.OwnCursor, this);
    cursors_->Apply(this, CursorKind::Arrow);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) cursors_->Apply(child, CursorKind::Arrow);
    tableCursor_ = CursorKind::Arrow;
}

void TForm1::ApplyButtonStyleSetting() {
    for (TZunCardsButton* button : findChildren<TZunCardsButton*>()) {
        button->SetNewStyle(settings_.NewButtons);
        button->update();
    }
}

// A face set or back that is not available at this size falls back to 0, without a message.
void TForm1::ReloadCards() {
    art_.LoadFaceDeck();  // with its backs
    LayoutTable(networkTable_);
}

// The background of the menu's design; a picture that cannot be loaded falls back to "Felt" in
// "Green", without a message. Everything on the menu is drawn again over it.
void TForm1::ReloadBackground() {
    art_.LoadScreenBackground(false, true);
    if (screen_ == Screen::Menu) ShowMenu();
    update();
}

}  // namespace kesp
