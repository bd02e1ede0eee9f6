// The options dialog: nine tabs of preferences. Every control writes its settings field at once and
// tells the main window through the host's callbacks, so a change shows behind the open dialog; game
// rules act at the next game. The dialog never writes the settings file.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "records/settings.h"
#include "windows/window_words.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QMovie;
class QSpinBox;
class QTabWidget;
class QVBoxLayout;

namespace kesp {

class TBalloonHint;
class TCursors;
class TZunCardsButton;

// What the main window does when a preference changes. Empty callbacks do nothing.
struct OptionsHost {
    std::function<void(int language)> SetLanguage;
    std::function<void()> WindowSizeChanged;  // resize and rescale, back to the main menu
    std::function<void()> NetworkModeChanged;
    std::function<void()> MusicChanged;
    std::function<bool()> MenuShowing;  // the GIF animation box acts only while the menu shows
    std::function<void()> GifAnimationChanged;
    std::function<void()> CursorChanged;
    std::function<void()> ButtonStyleChanged;
    std::function<void()> FontsChanged;
    std::function<void()> CardsChanged;       // face set or back style; may fall back to 0
    std::function<void()> BackgroundChanged;  // may fall back to "Felt" in "Green"
    std::function<void()> DesignChanged;
    std::function<void()> RadioListChanged;
    std::function<void(std::string_view sound)> PlaySound;
    // "Passport": the world passport over `parent` (the button is off without it).
    std::function<void(QWidget* parent)> OpenPassport;
    // The screen the window-size list is checked against; the primary screen's area when empty.
    std::function<QSize()> ScreenSize;
};

// The window sizes a screen can hold, in the list's order: small, full screen, then the average
// and large windows that fit.
std::vector<int> OfferedWindowSizes(QSize screen);

class TFormOptions : public QDialog {
    Q_OBJECT
  public:
    TFormOptions(Settings& settings, std::string programDir, OptionsHost host, QWidget* parent = nullptr);
    ~TFormOptions() override;

    QTabWidget* Tabs() const { return tabs_; }
    QAbstractButton* OkButton() const;
    // A library's download buttons (number 1..9 of the download routine).
    std::vector<TZunCardsButton*> LibraryButtons(int number) const;
    // The four cards of the face set preview, as drawn.
    QImage FacePreview() const;
    const QMovie* Animation() const { return animation_.get(); }
    // The balloon of the library button under the mouse, if any.
    TBalloonHint* DownloadHint() const;
    // The client height the chosen design gives the dialog.
    static int DesignHeight(int design);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

  private:
    void Build();
    QWidget* GeneralTab();
    QWidget* CardsTab();
    QWidget* DecksTab();
    QWidget* GameTab();
    QWidget* FontsTab();
    QWidget* BackgroundTab();
    QWidget* SaveGamesTab();
    QWidget* LibrariesTab();
    QWidget* DesignTab();
    TZunCardsButton* LibraryButton(int number, const QString& caption, QWidget* parent);

    // Filling from the settings (the opening steps) and the change handlers.
    void FillFromSettings();
    void FillWindowSizes();
    void ShowFontSlot();
    void FontChanged();
    void DefaultFonts();
    void WindowSizeChosen(int index);
    void BackChosen(int index);
    void SyncModification();
    void BackgroundChosen();
    void MenuDesignChosen(int index);
    void TableDesignChosen(int index);
    void WindowDesignChosen(int index);
    void SyncBackgroundLists();
    void ResetDesigns();
    bool GraphicsPicture(std::string_view name) const;
    void DrawFacePreview();
    void SyncSaveGames();
    void SyncLibraryButtons();
    void SyncSpeedCaption();
    void OpenSpeed();
    void Download(int number, TZunCardsButton* button);
    void ApplyCursors();
    void ApplyButtonStyle();
    void ApplyDesign();
    void SyncAnimation();
    void Notify(const std::function<void()>& callback) const;

    Settings& settings_;
    std::string programDir_;
    OptionsHost host_;
    WindowWords* words_ = nullptr;
    bool opening_ = false;
    int downloads_ = 0;  // running downloads, each holding the wait cursor  // filling the controls: the size
                         // list must not resize the main window
    std::unique_ptr<TCursors> cursors_;
    std::unique_ptr<QMovie> animation_;
    QPointer<TBalloonHint> hint_;

    QVBoxLayout* layout_ = nullptr;
    QWidget* header_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* flag_ = nullptr;
    QLabel* animationLabel_ = nullptr;
    TZunCardsButton* ok_ = nullptr;
    // General
    QComboBox* language_ = nullptr;
    QComboBox* windowSize_ = nullptr;
    QCheckBox* network_ = nullptr;
    QCheckBox* sound_ = nullptr;
    QCheckBox* music_ = nullptr;
    QCheckBox* gifAnimation_ = nullptr;
    QCheckBox* flyCards_ = nullptr;
    QCheckBox* ownCursor_ = nullptr;
    QCheckBox* newButtons_ = nullptr;
    TZunCardsButton* speed_ = nullptr;
    TZunCardsButton* passport_ = nullptr;
    // Cards and decks
    QComboBox* faceSet_ = nullptr;
    QLabel* preview_ = nullptr;
    QComboBox* back_ = nullptr;
    QButtonGroup* modification_ = nullptr;
    // Game
    QButtonGroup* initialScore_ = nullptr;
    QCheckBox* openCards_ = nullptr;
    // Fonts
    QComboBox* fontSlot_ = nullptr;
    QFontComboBox* fontFamily_ = nullptr;
    QSpinBox* fontScale_ = nullptr;
    TZunCardsButton* fontDefault_ = nullptr;
    // Background
    QComboBox* backgroundPicture_ = nullptr;
    QComboBox* backgroundColour_ = nullptr;
    // Save games
    QCheckBox* saveGames_ = nullptr;
    QComboBox* gifSource_ = nullptr;
    QLabel* gifDelayLabel_ = nullptr;
    QSpinBox* gifDelay_ = nullptr;
    // Libraries and design
    std::vector<std::pair<int, TZunCardsButton*>> libraryButtons_;
    QButtonGroup* radioList_ = nullptr;
    QComboBox* menuDesign_ = nullptr;
    QComboBox* tableDesign_ = nullptr;
    QComboBox* windowDesign_ = nullptr;
    QCheckBox* saluteButtons_ = nullptr;
    QCheckBox* saluteCards_ = nullptr;
};

// Opens the options dialog over the main window, modal to it, and returns at once; the dialog frees
// itself when it closes.
TFormOptions* OpenOptions(QWidget* parent, Settings& settings, const std::string& programDir,
                          OptionsHost host);

// The tab shown at the next opening (0, "General", at program start).
int RememberedOptionsTab();

}  // namespace kesp
