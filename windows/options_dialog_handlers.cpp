// The options dialog's handlers: the opening's filling from the settings, each control's change,
// the library downloads and the dialog's look for its design.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/sounds.h"
#include "presentation/card_art.h"
#include "presentation/cards_button.h"
#include "presentation/cursors.h"
#include "presentation/hints.h"
#include "presentation/message_window.h"
#include "presentation/resource_library.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"
#include "windows/library_downloads.h"
#include "windows/options_dialog.h"
#include "windows/options_lists.h"
#include "windows/speed_dialog.h"
#include "windows/window_design.h"

namespace kesp {
namespace {

// The four font slots of the fonts tab: family and scale fields, and the defaults.
struct FontSlot {
    std::string Settings::*family;
    int Settings::*scale;
    std::string_view defaultFamily;
};
constexpr FontSlot kFontSlots[4] = {
    {&Settings::FontLarge, &Settings::FontLargeScale, kDefaultLargeFont},
    {&Settings::FontSmall, &Settings::FontSmallScale, kDefaultSmallFont},
    {&Settings::FontSpecial1, &Settings::FontSpecial1Scale, kDefaultSpecial1Font},
    {&Settings::FontSpecial2, &Settings::FontSpecial2Scale, kDefaultSpecial2Font},
};

// The screen the window sizes are measured against.
QSize ScreenArea(const OptionsHost& host) {
    if (host.ScreenSize) return host.ScreenSize();
    const QScreen* screen = QApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(760, 500);
}

bool TenBackStyle(int back) {
    return back >= 8 && back <= 11;
}

void Select(QComboBox* list, int index) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

void Check(QAbstractButton* box, bool on) {
    const QSignalBlocker quiet(box);
    box->setChecked(on);
}

}  // namespace

void TFormOptions::Notify(const std::function<void()>& callback) const {
    if (callback) callback();
}

void TFormOptions::FillFromSettings() {
    Select(language_, settings_.CurrentLanguage);
    Check(network_, settings_.NetworkMode);
    Check(sound_, settings_.SoundOn);
    Check(music_, settings_.MusicOn);
    Check(gifAnimation_, settings_.GifAnimation);
    Check(flyCards_, settings_.FlyCards);
    Check(ownCursor_, settings_.OwnCursor);
    Check(newButtons_, settings_.NewButtons);
    SyncSpeedCaption();
    Select(faceSet_, std::clamp(settings_.CardFaceSet, 0, kFaceDeckCount - 1));
    DrawFacePreview();
    Select(back_, std::clamp(settings_.DeckBack, 0, kBackStyleCount - 1));
    SyncModification();
    Check(initialScore_->button(settings_.InitialScore == 150   ? 1
                                : settings_.InitialScore == 200 ? 2
                                                                : 0),
          true);
    Check(openCards_, settings_.OpenCardsAtEnd);
    Select(fontSlot_, 0);
    ShowFontSlot();
    Select(backgroundPicture_, std::clamp(settings_.Background, 1, 10) - 1);
    Select(backgroundColour_, std::clamp(settings_.BackgroundVariant, 0, 6));
    Select(gifSource_, settings_.GifSource == 2 ? 1 : 0);
    {
        const QSignalBlocker quiet(gifDelay_);
        gifDelay_->setValue(settings_.GifDelay);
    }
    Check(radioList_->button(settings_.RadioListFromServer ? 0 : 1), true);
    Select(menuDesign_, settings_.MenuDesign == 1 ? 1 : 0);
    Select(tableDesign_, settings_.TableDesign == 1 ? 1 : 0);
    const int designItem[] = {1, 0, 2, 3};  // variants 1, 2, 3 and the library stand at 1, 0, 2, 3
    Select(windowDesign_, designItem[DialogDesign(settings_) - 1]);
    Check(saluteButtons_, settings_.SaluteButtons);
    Check(saluteCards_, settings_.SaluteCards);
    SyncBackgroundLists();
    FillWindowSizes();
    SyncSaveGames();
    SyncLibraryButtons();
    ApplyCursors();
    ApplyButtonStyle();
    ApplyDesign();
    SyncAnimation();
}

// Only the sizes the screen holds are offered; each shows its client size as its hint.
void TFormOptions::FillWindowSizes() {
    const std::vector<int> sizes = OfferedWindowSizes(ScreenArea(host_));
    const QSignalBlocker quiet(windowSize_);
    windowSize_->clear();
    for (int size : sizes) {
        windowSize_->addItem(QString(), size);
        windowSize_->setItemData(windowSize_->count() - 1, WindowSizeHint(size), Qt::ToolTipRole);
    }
    words_->Bind([this](const WindowWords& w) {
        for (int i = 0; i < windowSize_->count(); ++i)
            windowSize_->setItemText(i, w.Text(WindowSizeWord(windowSize_->itemData(i).toInt())));
    });
    const int index = windowSize_->findData(settings_.WindowSize);
    windowSize_->setCurrentIndex(std::max(0, index));
    WindowSizeChosen(windowSize_->currentIndex());  // records the hint; the opening flag keeps the size
}

void TFormOptions::WindowSizeChosen(int index) {
    if (index < 0) return;
    windowSize_->setToolTip(windowSize_->itemData(index, Qt::ToolTipRole).toString());
    if (opening_) return;
    const int size = windowSize_->itemData(index).toInt();
    if (size == settings_.WindowSize) return;
    settings_.WindowSize = size;
    Notify(host_.WindowSizeChanged);
    // The new size may have put the face set or the back out of reach, and GIF saving off.
    Select(faceSet_, settings_.CardFaceSet);
    Select(back_, settings_.DeckBack);
    SyncModification();
    DrawFacePreview();
    SyncSaveGames();
}

void TFormOptions::SyncSpeedCaption() {
    speed_->setText(words_->Text(WordKey::Speed) + QStringLiteral(" = ") + QString::number(settings_.Speed));
}

void TFormOptions::OpenSpeed() {
    auto* dialog = new TFormSpeed(settings_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, &TFormOptions::SyncSpeedCaption);
    dialog->open();
}

// The four preview cards at the small card size; a set or back that cannot be loaded at the
// window's size falls back to 0.
void TFormOptions::DrawFacePreview() {
    Settings trial = settings_;
    CardArt art(trial, programDir_);
    const QSize screen = ScreenArea(host_);
    const WindowScales scales = ScalesFor(settings_.WindowSize, screen);
    art.SetWindow(settings_.WindowSize, scales.s, ClientSizeFor(settings_.WindowSize, screen));
    art.LoadFaceDeck();  // with its backs
    if (trial.CardFaceSet != settings_.CardFaceSet || trial.DeckBack != settings_.DeckBack) {
        settings_.CardFaceSet = trial.CardFaceSet;
        settings_.DeckBack = trial.DeckBack;
        Select(faceSet_, settings_.CardFaceSet);
        Select(back_, settings_.DeckBack);
        SyncModification();
        Notify(host_.CardsChanged);
    }
    art.SetWindow(window_size::Small, 1.0, QSize(760, 500));
    art.LoadFaceDeck();
    QImage picture(preview_->size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    const int cards[] = {36, 31, 30, 25};  // an ace, a king, a queen and a jack
    for (int i = 0; i < 4; ++i) art.DrawCardCell(i * 73, 1, Card::FromDeckNumber(cards[i]), p);
    p.end();
    preview_->setPixmap(QPixmap::fromImage(picture));
}

QImage TFormOptions::FacePreview() const {
    return preview_->pixmap().toImage();
}

void TFormOptions::BackChosen(int index) {
    if (opening_ || index < 0) return;
    settings_.DeckBack = index;
    if (TenBackStyle(index)) settings_.OneBackOnly = false;
    DrawFacePreview();  // an unavailable back falls back to 0 here
    SyncModification();
    Notify(host_.CardsChanged);
}

// Backs 8..11 change at random every deal; the others follow the weekday or stay one.
void TFormOptions::SyncModification() {
    const bool random = TenBackStyle(settings_.DeckBack);
    modification_->button(0)->setEnabled(!random);
    modification_->button(1)->setEnabled(!random);
    modification_->button(2)->setEnabled(random);
    Check(modification_->button(random ? 2 : settings_.OneBackOnly ? 1 : 0), true);
}

void TFormOptions::ShowFontSlot() {
    const FontSlot& slot = kFontSlots[std::clamp(fontSlot_->currentIndex(), 0, 3)];
    const QSignalBlocker quietFamily(fontFamily_);
    const QSignalBlocker quietScale(fontScale_);
    fontFamily_->setCurrentFont(QFont(QString::fromStdString(settings_.*slot.family)));
    fontScale_->setValue(settings_.*slot.scale);
}

void TFormOptions::FontChanged() {
    if (opening_) return;
    const FontSlot& slot = kFontSlots[std::clamp(fontSlot_->currentIndex(), 0, 3)];
    settings_.*slot.family = fontFamily_->currentFont().family().toStdString();
    settings_.*slot.scale = fontScale_->value();
    Notify(host_.FontsChanged);
}

void TFormOptions::DefaultFonts() {
    for (const FontSlot& slot : kFontSlots) {
        settings_.*slot.family = std::string(slot.defaultFamily);
        settings_.*slot.scale = 100;
    }
    ShowFontSlot();
    Notify(host_.FontsChanged);
}

void TFormOptions::BackgroundChosen() {
    if (opening_) return;
    settings_.Background = backgroundPicture_->currentIndex() + 1;
    settings_.BackgroundVariant = std::max(0, backgroundColour_->currentIndex());
    if (settings_.MenuDesign == 1) return;  // the design's own background stays
    Notify(host_.BackgroundChanged);
    // A background that could not be loaded has fallen back to "Felt" in "Green".
    Select(backgroundPicture_, settings_.Background - 1);
    Select(backgroundColour_, settings_.BackgroundVariant);
}

bool TFormOptions::GraphicsPicture(std::string_view name) const {
    const ResourceLibrary library(programDir_, kGraphicsLibrary);
    return library.Found() && !library.LoadImage(name).isNull();
}

// All three designs back to their first items, with the message that names the missing library.
void TFormOptions::ResetDesigns() {
    settings_.MenuDesign = 0;
    settings_.TableDesign = 0;
    settings_.LibraryDesign = false;
    settings_.WindowDesign = 2;
    Select(menuDesign_, 0);
    Select(tableDesign_, 0);
    Select(windowDesign_, 0);
    OpenMessageWindow(Localisation(settings_.CurrentLanguage),
                      words_->Text(WordKey::CantFindTheFile) + QStringLiteral(" ") +
                          QString::fromLatin1(kGraphicsLibrary.data(), kGraphicsLibrary.size()),
                      {}, {}, this);
}

void TFormOptions::MenuDesignChosen(int index) {
    if (opening_ || index < 0) return;
    if (index == 1 && !GraphicsPicture("BGLilu")) {
        Select(menuDesign_, 0);
        settings_.MenuDesign = 0;
        return;
    }
    settings_.MenuDesign = index;
    SyncBackgroundLists();
    Notify(host_.DesignChanged);
}

void TFormOptions::TableDesignChosen(int index) {
    if (opening_ || index < 0) return;
    if (!GraphicsPicture("GIcon48Opt")) {
        ResetDesigns();
        ApplyDesign();
        Notify(host_.DesignChanged);
        return;
    }
    settings_.TableDesign = index;
    SyncBackgroundLists();
    Notify(host_.DesignChanged);
}

// The background lists are greyed out while both screens show the design's own background.
void TFormOptions::SyncBackgroundLists() {
    backgroundPicture_->setEnabled(!(settings_.MenuDesign == 1 && settings_.TableDesign == 1));
    backgroundColour_->setEnabled(backgroundPicture_->isEnabled());
}

void TFormOptions::WindowDesignChosen(int index) {
    if (opening_ || index < 0) return;
    // Every variant but the first draws pictures of the graphics library.
    if (index > 0 && FindGraphicsLibrary(programDir_).empty()) {
        ResetDesigns();
    } else {
        const int variant[] = {2, 1, 3, 2};
        settings_.LibraryDesign = index == 3;
        settings_.WindowDesign = variant[index];
    }
    ApplyDesign();
}

// The header, face and height of the dialog for its design.
void TFormOptions::ApplyDesign() {
    QImage libraryFace;
    if (settings_.LibraryDesign) {
        const ResourceLibrary library(programDir_, kGraphicsLibrary);
        if (library.Found()) libraryFace = library.LoadImage("GFormOpt");
        if (!library.Found()) {  // the purple design needs the library: the built-in look instead
            settings_.LibraryDesign = false;
            settings_.WindowDesign = 2;
            Select(windowDesign_, 0);
        }
    }
    const int design = DialogDesign(settings_);
    QWidget* header = MakeDesignHeader(settings_, WordKey::Options, {"Options", "GFormOpt"}, this);
    delete layout_->replaceWidget(header_, header);  // the layout hands back the old header's item
    delete header_;
    header_ = header;
    QPalette face = QApplication::palette(this);
    if (design == 4) {
        face.setColor(QPalette::Window, Qt::black);
        face.setColor(QPalette::WindowText, QColor(255, 215, 120));
    }
    setPalette(face);
    setAutoFillBackground(true);
    layout_->activate();
    setFixedSize(std::max(sizeHint().width(), 560), std::max(sizeHint().height(), DesignHeight(design)));
    if (design == 4 && !libraryFace.isNull()) {  // the library's own background behind everything
        face.setBrush(QPalette::Window, QPixmap::fromImage(libraryFace.scaled(size())));
        setPalette(face);
    }
}

void TFormOptions::SyncSaveGames() {
    saveGames_->setEnabled(settings_.WindowSize == window_size::Small);
    Check(saveGames_, settings_.SaveGamesAsGif);
    gifSource_->setEnabled(settings_.SaveGamesAsGif);
    gifDelayLabel_->setEnabled(settings_.SaveGamesAsGif);
    gifDelay_->setEnabled(settings_.SaveGamesAsGif);
}

// A library's button is offered only while the library is missing; a disabled button is drawn
// lighter. The salute needs the graphics library.
void TFormOptions::SyncLibraryButtons() {
    for (const auto& [number, button] : libraryButtons_) {
        const bool missing = !LibraryPresent(programDir_, LibraryFileName(number));
        const bool running = button->property("downloading").toBool();
        SetWindowButtonEnabled(button, missing && !running);
    }
    const bool graphics = LibraryPresent(programDir_, kGraphicsLibrary);
    for (QCheckBox* box : {saluteButtons_, saluteCards_}) {
        box->setEnabled(graphics);
        if (!graphics) Check(box, false);
    }
    if (graphics) {
        Check(saluteButtons_, settings_.SaluteButtons);
        Check(saluteCards_, settings_.SaluteCards);
    }
}

void TFormOptions::Download(int number, TZunCardsButton* button) {
    if (hint_) hint_->close();
    for (TZunCardsButton* same : LibraryButtons(number)) same->setProperty("downloading", true);
    SyncLibraryButtons();
    QApplication::setOverrideCursor(cursors_->Cursor(CursorKind::Wait));
    ++downloads_;
    const QString file = QString::fromLatin1(LibraryFileName(number).data());
    StartLibraryDownload(
        this, programDir_, number, [this, number, file, button](const DownloadResult& result) {
            if (downloads_ > 0) {  // not yet given back by the closing of the dialog
                QApplication::restoreOverrideCursor();
                --downloads_;
            }
            for (TZunCardsButton* same : LibraryButtons(number)) same->setProperty("downloading", false);
            SyncLibraryButtons();
            if (host_.PlaySound) host_.PlaySound(result.ok ? sound::Chat : sound::Wrong);
            BalloonStyle style = MusicBalloonStyle(settings_);
            style.fontName = QString::fromStdString(settings_.FontLarge);
            if (result.ok) {
                ShowBalloonHint(button->isEnabled() ? button : tabs_->currentWidget(),
                                words_->Text(WordKey::Download),
                                words_->Text(WordKey::DownloadDone) + QStringLiteral(" ") + file, style);
                return;
            }
            OpenMessageWindow(Localisation(settings_.CurrentLanguage), words_->Text(WordKey::DownloadFailed),
                              file, QString::fromStdString(result.error).left(200), this);
        });
}

bool TFormOptions::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<TZunCardsButton*>(watched);
    if (button && event->type() == QEvent::Enter) {
        for (const auto& [number, b] : libraryButtons_) {
            if (b != button) continue;
            if (hint_) hint_->close();
            BalloonStyle style = MusicBalloonStyle(settings_);
            style.fontName = QString::fromStdString(settings_.FontLarge);
            style.fontSize = 11;
            hint_ = ShowBalloonHint(button, words_->Text(WordKey::Download),
                                    QString::fromLatin1(LibraryFileName(number).data()), style);
        }
    } else if (button && event->type() == QEvent::Leave && hint_) {
        hint_->close();
    }
    return QDialog::eventFilter(watched, event);
}

void TFormOptions::ApplyCursors() {
    cursors_ = std::make_unique<TCursors>(settings_.OwnCursor, this);
    cursors_->Apply(this, CursorKind::Arrow);
    for (QWidget* child : findChildren<QWidget*>()) {
        const bool pointing = qobject_cast<QAbstractButton*>(child) != nullptr;
        cursors_->Apply(child, pointing ? CursorKind::Hand : CursorKind::Arrow);
    }
}

void TFormOptions::ApplyButtonStyle() {
    for (TZunCardsButton* button : findChildren<TZunCardsButton*>())
        button->SetNewStyle(settings_.NewButtons);
}

// The dialog's animation plays with GIF animation on and otherwise stands on frame 35.
void TFormOptions::SyncAnimation() {
    if (!animation_) return;
    if (settings_.GifAnimation) {
        animation_->start();
        return;
    }
    animation_->stop();
    animation_->jumpToFrame(std::min(35, std::max(0, animation_->frameCount() - 1)));
}

}  // namespace kesp
