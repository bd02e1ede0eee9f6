// The options dialog's window: its tabs and controls, filled from the settings at the opening.
#include "windows/options_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMovie>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "engine/sounds.h"
#include "presentation/card_art.h"
#include "presentation/cards_button.h"
#include "presentation/cursors.h"
#include "presentation/hints.h"
#include "presentation/table_layout.h"
#include "presentation/words.h"
#include "windows/library_downloads.h"
#include "windows/options_lists.h"
#include "windows/window_art.h"
#include "windows/window_design.h"

namespace kesp {
namespace {

int rememberedTab = 0;  // outlives each dialog for the run

QCheckBox* CheckBox(WindowWords& words, WordKey key, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    words.Bind(box, key);
    return box;
}

QComboBox* ComboBox(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

// Fills a list with words now and after every language change, keeping the selection.
void BindList(WindowWords& words, QComboBox* list, std::vector<WordKey> keys) {
    words.Bind([list, keys = std::move(keys)](const WindowWords& w) {
        const QSignalBlocker quiet(list);
        const int selected = list->currentIndex();
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (static_cast<int>(i) < list->count())
                list->setItemText(static_cast<int>(i), w.Text(keys[i]));
            else
                list->addItem(w.Text(keys[i]));
        }
        list->setCurrentIndex(selected);
    });
}

// A group of radio buttons with word captions; their ids are 0, 1, ...
QGroupBox* RadioGroup(WindowWords& words, WordKey title, const std::vector<WordKey>& items, const char* name,
                      QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    words.Bind([box, title](const WindowWords& w) { box->setTitle(w.Text(title)); });
    auto* column = new QVBoxLayout(box);
    group = new QButtonGroup(box);
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(box);
        words.Bind(item, items[i]);
        group->addButton(item, static_cast<int>(i));
        column->addWidget(item);
    }
    return box;
}

// A button as wide as its caption needs (at least the standard width), in every language.
void FitWidth(WindowWords& words, QPushButton* button) {
    words.Bind([button](const WindowWords&) {
        button->setFixedWidth(std::max(110, button->fontMetrics().horizontalAdvance(button->text()) + 30));
    });
}

QLabel* Label(WindowWords& words, WordKey key, QWidget* parent) {
    auto* label = new QLabel(parent);
    words.Bind(label, key);
    return label;
}

}  // namespace

std::vector<int> OfferedWindowSizes(QSize screen) {
    std::vector<int> sizes;
    for (int size : {window_size::Small, window_size::FullScreen, window_size::Average1,
                     window_size::Average2, window_size::Large})
        if (WindowSizeFitsScreen(size, screen)) sizes.push_back(size);
    return sizes;
}

int RememberedOptionsTab() {
    return rememberedTab;
}

int TFormOptions::DesignHeight(int design) {
    switch (design) {
        case 1:
            return 360;
        case 3:
            return 410;
        case 4:
            return 400;
        default:
            return 375;
    }
}

TFormOptions::TFormOptions(Settings& settings, std::string programDir, OptionsHost host, QWidget* parent)
    : QDialog(parent), settings_(settings), programDir_(std::move(programDir)), host_(std::move(host)) {
    setObjectName(QStringLiteral("FormOptions"));
    words_ = new WindowWords(settings_, *this);
    words_->BindTitle(WordKey::Options);
    cursors_ = std::make_unique<TCursors>(settings_.OwnCursor, this);
    Build();
    opening_ = true;
    FillFromSettings();
    opening_ = false;
    tabs_->setCurrentIndex(std::clamp(rememberedTab, 0, tabs_->count() - 1));
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        rememberedTab = index;
        SyncSaveGames();
        SyncLibraryButtons();
    });
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::Build() {
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 8);
    header_ = MakeDesignHeader(settings_, WordKey::Options, {"Options", "GFormOpt"}, this);
    layout_->addWidget(header_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 6, 8, 0);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    const std::vector<std::pair<QWidget*, WordKey>> pages = {
        {GeneralTab(), WordKey::General},     {CardsTab(), WordKey::OptCards}, {DecksTab(), WordKey::Decks},
        {GameTab(), WordKey::OptGame},        {FontsTab(), WordKey::Fonts},    {BackgroundTab(), WordKey::BG},
        {SaveGamesTab(), WordKey::SaveGames}, {LibrariesTab(), WordKey::DLL},  {DesignTab(), WordKey::Design},
    };
    for (const auto& [page, caption] : pages) {
        const int index = tabs_->addTab(page, QString());
        words_->Bind(
            [this, index, caption](const WindowWords& w) { tabs_->setTabText(index, w.Text(caption)); });
    }
    tabs_->setUsesScrollButtons(false);  // every tab's caption in sight, in narrow tabs
    tabs_->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 6px; margin-right: 1px; border: 1px solid #9a9a9a; border-bottom: none;"
        " border-top-left-radius: 3px; border-top-right-radius: 3px; background: #dcdcdc; }"
        "QTabBar::tab:selected { background: #ffffff; border-top: 2px solid #b00000; }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    // Compact pages, so the dialog keeps the height of its design.
    for (QLayout* page : tabs_->findChildren<QLayout*>()) {
        page->setSpacing(4);
        page->setContentsMargins(6, 4, 6, 4);
    }
    body->addWidget(tabs_, 1);

    // Right of the tabs: the language flag over the dialog's own animation.
    auto* side = new QVBoxLayout;
    flag_ = new QLabel(this);
    flag_->setObjectName(QStringLiteral("ImageFlag"));
    flag_->setAlignment(Qt::AlignCenter);
    words_->Bind([this](const WindowWords&) {
        flag_->setPixmap(RecordWindowPicture(FlagResourceName(settings_.CurrentLanguage)));
    });
    side->addWidget(flag_);
    animationLabel_ = new QLabel(this);
    animationLabel_->setObjectName(QStringLiteral("AnimationOpt"));
    animationLabel_->setFixedSize(90, 120);
    animation_ = RecordWindowAnimation(QStringLiteral("GOpt"));
    if (animation_) {
        animation_->setScaledSize(QSize(90, 120));
        animationLabel_->setMovie(animation_.get());
    }
    side->addWidget(animationLabel_);
    side->addStretch(1);
    body->addLayout(side);
    layout_->addLayout(body, 1);

    ok_ = static_cast<TZunCardsButton*>(AddOkRow(*layout_, *this, settings_, *words_));
    ok_->setObjectName(QStringLiteral("Button1"));
}

QWidget* TFormOptions::GeneralTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    language_ = ComboBox("ComboBoxLan", page);
    for (int l = 0; l < kLanguageCount; ++l)
        language_->addItem(QIcon(RecordWindowPicture(FlagResourceName(l))), LanguageName(l));
    windowSize_ = ComboBox("ComboBoxWSize", page);
    network_ = CheckBox(*words_, WordKey::Multiplayer, "CheckBoxNet", page);
    grid->addWidget(Label(*words_, WordKey::Language, page), 0, 0);
    grid->addWidget(language_, 0, 1);
    grid->addWidget(Label(*words_, WordKey::WindowSize, page), 1, 0);
    grid->addWidget(windowSize_, 1, 1);
    grid->addWidget(network_, 2, 0, 1, 2);

    auto* multimedia = new QGroupBox(page);
    words_->Bind([multimedia](const WindowWords& w) { multimedia->setTitle(w.Text(WordKey::Multimedia)); });
    auto* boxes = new QGridLayout(multimedia);
    sound_ = CheckBox(*words_, WordKey::Sound, "CheckBox1", multimedia);
    music_ = CheckBox(*words_, WordKey::Music, "CheckBox2", multimedia);
    gifAnimation_ = CheckBox(*words_, WordKey::GifAnimation, "CheckBox3", multimedia);
    flyCards_ = CheckBox(*words_, WordKey::FlyCards, "CheckBox4", multimedia);
    ownCursor_ = CheckBox(*words_, WordKey::RedMouseCursor, "CheckBoxCur", multimedia);
    newButtons_ = CheckBox(*words_, WordKey::NewButtons, "CheckBoxBut", multimedia);
    boxes->addWidget(sound_, 0, 0);
    boxes->addWidget(music_, 1, 0);
    boxes->addWidget(gifAnimation_, 2, 0);
    boxes->addWidget(flyCards_, 0, 1);
    boxes->addWidget(ownCursor_, 1, 1);
    boxes->addWidget(newButtons_, 2, 1);
    speed_ = static_cast<TZunCardsButton*>(MakeWindowButton(QString(), settings_, multimedia));
    speed_->setObjectName(QStringLiteral("Button3"));
    passport_ = static_cast<TZunCardsButton*>(MakeWindowButton(QString(), settings_, multimedia));
    passport_->setObjectName(QStringLiteral("Button4"));
    words_->Bind(passport_, WordKey::Passport);
    passport_->setEnabled(static_cast<bool>(host_.OpenPassport));
    connect(passport_, &QPushButton::clicked, this, [this] {
        if (host_.OpenPassport) host_.OpenPassport(this);
    });
    passport_->SetKLightSB(50);
    words_->Bind([this](const WindowWords&) { SyncSpeedCaption(); });
    FitWidth(*words_, speed_);
    FitWidth(*words_, passport_);
    boxes->addWidget(speed_, 3, 0);
    boxes->addWidget(passport_, 3, 1);
    grid->addWidget(multimedia, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(1, 1);

    connect(language_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (opening_ || index < 0) return;
        if (host_.SetLanguage)
            host_.SetLanguage(index);
        else
            settings_.CurrentLanguage = index;
    });
    connect(windowSize_, &QComboBox::currentIndexChanged, this, &TFormOptions::WindowSizeChosen);
    auto toggles = [this](QCheckBox* box, bool Settings::*field, std::function<void()> Settings_notify) {
        connect(box, &QCheckBox::toggled, this, [this, field, notify = std::move(Settings_notify)](bool on) {
            if (opening_) return;
            settings_.*field = on;
            if (notify) notify();
        });
    };
    toggles(network_, &Settings::NetworkMode, [this] { Notify(host_.NetworkModeChanged); });
    toggles(sound_, &Settings::SoundOn, {});
    toggles(music_, &Settings::MusicOn, [this] { Notify(host_.MusicChanged); });
    toggles(flyCards_, &Settings::FlyCards, {});
    toggles(ownCursor_, &Settings::OwnCursor, [this] {
        ApplyCursors();
        Notify(host_.CursorChanged);
    });
    toggles(newButtons_, &Settings::NewButtons, [this] {
        ApplyButtonStyle();
        Notify(host_.ButtonStyleChanged);
    });
    // During a game the box changes nothing: the click is taken back.
    connect(gifAnimation_, &QCheckBox::toggled, this, [this](bool on) {
        if (opening_) return;
        if (host_.MenuShowing && !host_.MenuShowing()) {
            const QSignalBlocker quiet(gifAnimation_);
            gifAnimation_->setChecked(settings_.GifAnimation);
            return;
        }
        settings_.GifAnimation = on;
        SyncAnimation();
        Notify(host_.GifAnimationChanged);
    });
    connect(speed_, &QPushButton::clicked, this, &TFormOptions::OpenSpeed);
    return page;
}

QWidget* TFormOptions::CardsTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    faceSet_ = ComboBox("ComboBox1", page);
    faceSet_->setMaxVisibleItems(16);
    std::vector<WordKey> names;
    for (int deck = 0; deck < kFaceDeckCount; ++deck) {
        names.push_back(WordAfter(WordKey::Classical1, deck));
        faceSet_->addItem(QIcon(QPixmap::fromImage(FaceGroupSymbol(deck))), QString());
    }
    BindList(*words_, faceSet_, names);
    preview_ = new QLabel(page);
    preview_->setObjectName(QStringLiteral("ImagePreview"));
    preview_->setFixedSize(4 * 73, 98);
    grid->addWidget(Label(*words_, WordKey::CardFaces, page), 0, 0);
    grid->addWidget(faceSet_, 0, 1, 1, 3);
    grid->addWidget(preview_, 1, 0, 1, 4, Qt::AlignCenter);
    grid->addWidget(LibraryButton(1, QStringLiteral("06A"), page), 2, 1);
    grid->addWidget(LibraryButton(2, QStringLiteral("06B"), page), 2, 2);
    grid->addWidget(LibraryButton(8, QStringLiteral("06C"), page), 2, 3);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 1);
    connect(faceSet_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (opening_ || index < 0) return;
        settings_.CardFaceSet = index;
        Notify(host_.CardsChanged);
        DrawFacePreview();  // a set that is not available has fallen back to 0
    });
    return page;
}

QWidget* TFormOptions::DecksTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    back_ = ComboBox("ComboBox2", page);
    BindList(*words_, back_, BackStyleWords());
    grid->addWidget(Label(*words_, WordKey::CardBacks, page), 0, 0);
    grid->addWidget(back_, 0, 1);
    grid->addWidget(RadioGroup(*words_, WordKey::Modification,
                               {WordKey::ToChangeDecks, WordKey::AlwaysOne, WordKey::Random}, "RadioGroup2",
                               modification_, page),
                    1, 0, 1, 2);
    grid->addWidget(LibraryButton(2, QStringLiteral("ZunCards06B"), page), 2, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    connect(back_, &QComboBox::currentIndexChanged, this, &TFormOptions::BackChosen);
    connect(modification_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!opening_) settings_.OneBackOnly = id == 1;
    });
    return page;
}

QWidget* TFormOptions::GameTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    QGroupBox* scores = RadioGroup(*words_, WordKey::InitialScore, {}, "RadioGroup4", initialScore_, page);
    for (int i = 0; i < 3; ++i) {  // the scores read alike in every language
        auto* item = new QRadioButton(QString::number(100 + 50 * i), scores);
        initialScore_->addButton(item, i);
        scores->layout()->addWidget(item);
    }
    column->addWidget(scores);
    auto* minor = new QGroupBox(page);
    words_->Bind([minor](const WindowWords& w) { minor->setTitle(w.Text(WordKey::Minor)); });
    auto* minorColumn = new QVBoxLayout(minor);
    openCards_ = CheckBox(*words_, WordKey::OpenCardsAtEndOfGame, "CheckBox5", minor);
    minorColumn->addWidget(openCards_);
    column->addWidget(minor);
    column->addStretch(1);
    connect(initialScore_, &QButtonGroup::idClicked, this, [this](int id) {
        if (!opening_) settings_.InitialScore = 100 + 50 * id;
    });
    connect(openCards_, &QCheckBox::toggled, this, [this](bool on) {
        if (!opening_) settings_.OpenCardsAtEnd = on;
    });
    return page;
}

QWidget* TFormOptions::FontsTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    fontSlot_ = ComboBox("ComboBoxFont", page);
    words_->Bind([this](const WindowWords& w) {
        const QSignalBlocker quiet(fontSlot_);
        const int selected = std::max(0, fontSlot_->currentIndex());
        const QString texts[4] = {w.Text(WordKey::LargeFont), w.Text(WordKey::SmallFont),
                                  w.Text(WordKey::SpecialFont) + QStringLiteral(" 1"),
                                  w.Text(WordKey::SpecialFont) + QStringLiteral(" 2")};
        fontSlot_->clear();
        for (const QString& text : texts) fontSlot_->addItem(text);
        fontSlot_->setCurrentIndex(selected);
    });
    fontFamily_ = new QFontComboBox(page);
    fontFamily_->setObjectName(QStringLiteral("FontComboBox1"));
    fontFamily_->setEditable(false);
    fontScale_ = new QSpinBox(page);
    fontScale_->setObjectName(QStringLiteral("SpinEdit1"));
    fontScale_->setRange(50, 150);  // a value outside is never taken
    fontDefault_ = static_cast<TZunCardsButton*>(MakeWindowButton(QString(), settings_, page));
    fontDefault_->setObjectName(QStringLiteral("Button2"));
    words_->Bind(fontDefault_, WordKey::Default);
    FitWidth(*words_, fontDefault_);
    auto* warning = Label(*words_, WordKey::FontsWarning, page);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #a00000;"));
    grid->addWidget(fontSlot_, 0, 0, 1, 2);
    grid->addWidget(fontFamily_, 1, 0, 1, 2);
    grid->addWidget(Label(*words_, WordKey::ScalePercent, page), 2, 0);
    grid->addWidget(fontScale_, 2, 1, Qt::AlignLeft);
    grid->addWidget(fontDefault_, 3, 0, 1, 2, Qt::AlignLeft);
    grid->addWidget(warning, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    connect(fontSlot_, &QComboBox::currentIndexChanged, this, [this] { ShowFontSlot(); });
    connect(fontFamily_, &QFontComboBox::currentFontChanged, this, [this] { FontChanged(); });
    connect(fontScale_, &QSpinBox::valueChanged, this, [this] { FontChanged(); });
    connect(fontDefault_, &QPushButton::clicked, this, &TFormOptions::DefaultFonts);
    return page;
}

QWidget* TFormOptions::BackgroundTab() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    auto* group = new QGroupBox(page);
    words_->Bind([group](const WindowWords& w) { group->setTitle(w.Text(WordKey::Background)); });
    auto* lists = new QVBoxLayout(group);
    backgroundPicture_ = ComboBox("ComboBoxBG1", group);
    BindList(*words_, backgroundPicture_, BackgroundPictureWords());
    backgroundColour_ = ComboBox("ComboBoxBG2", group);
    BindList(*words_, backgroundColour_, BackgroundColourWords());
    lists->addWidget(backgroundPicture_);
    lists->addWidget(backgroundColour_);
    column->addWidget(group);
    column->addWidget(LibraryButton(3, QStringLiteral("ZunBackG03"), page), 0, Qt::AlignLeft);
    column->addStretch(1);
    connect(backgroundPicture_, &QComboBox::currentIndexChanged, this, [this] { BackgroundChosen(); });
    connect(backgroundColour_, &QComboBox::currentIndexChanged, this, [this] { BackgroundChosen(); });
    return page;
}

QWidget* TFormOptions::SaveGamesTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    saveGames_ = CheckBox(*words_, WordKey::SaveGamesAsGIFs, "CheckBoxSG1", page);
    gifSource_ = ComboBox("ComboBoxSG1", page);
    BindList(*words_, gifSource_, {WordKey::SaveMainWindowOnly, WordKey::SaveScreenContents});
    gifDelayLabel_ = Label(*words_, WordKey::DelayBetweenFramesMsec, page);
    gifDelay_ = new QSpinBox(page);
    gifDelay_->setObjectName(QStringLiteral("SpinEditSG1"));
    gifDelay_->setRange(10, 5000);
    gifDelay_->setSingleStep(10);
    grid->addWidget(saveGames_, 0, 0, 1, 2);
    grid->addWidget(gifSource_, 1, 0, 1, 2);
    grid->addWidget(gifDelayLabel_, 2, 0);
    grid->addWidget(gifDelay_, 2, 1, Qt::AlignLeft);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    connect(saveGames_, &QCheckBox::toggled, this, [this](bool on) {
        if (opening_) return;
        settings_.SaveGamesAsGif = on;
        SyncSaveGames();
    });
    connect(gifSource_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!opening_ && index >= 0) settings_.GifSource = index + 1;
    });
    connect(gifDelay_, &QSpinBox::valueChanged, this, [this](int value) {
        if (!opening_) settings_.GifDelay = value;
    });
    return page;
}

QWidget* TFormOptions::LibrariesTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    const char* captions[] = {"ZunCards06A", "ZunCards06B", "ZunBackG03",  "ZunCalendar01", "ZunRadio.rad",
                              "ZunRadio02",  "ZunCVoice3",  "ZunCards06C", "ZunCGraph01"};
    for (int number = 1; number <= 9; ++number)
        grid->addWidget(LibraryButton(number, QString::fromLatin1(captions[number - 1]), page),
                        (number - 1) / 3, (number - 1) % 3);
    grid->addWidget(RadioGroup(*words_, WordKey::RadioListSource, {WordKey::FromTheServer, WordKey::FromDisk},
                               "RGRadio", radioList_, page),
                    3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    connect(radioList_, &QButtonGroup::idClicked, this, [this](int id) {
        if (opening_) return;
        settings_.RadioListFromServer = id == 0;
        Notify(host_.RadioListChanged);
    });
    return page;
}

QWidget* TFormOptions::DesignTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    menuDesign_ = ComboBox("ComboBoxD1", page);
    BindList(*words_, menuDesign_, {WordKey::Customizable, WordKey::Purple});
    tableDesign_ = ComboBox("ComboBoxD2", page);
    BindList(*words_, tableDesign_, {WordKey::Customizable, WordKey::Purple});
    windowDesign_ = ComboBox("ComboBoxD3", page);
    BindList(*words_, windowDesign_,
             {WordKey::GrayAristocratic, WordKey::GrayConcise, WordKey::GrayWithRedRibbons, WordKey::Purple});
    grid->addWidget(Label(*words_, WordKey::MainMenuDesign, page), 0, 0);
    grid->addWidget(menuDesign_, 0, 1);
    grid->addWidget(Label(*words_, WordKey::GameTableDesign, page), 1, 0);
    grid->addWidget(tableDesign_, 1, 1);
    grid->addWidget(Label(*words_, WordKey::AuxiliaryWindowDesign, page), 2, 0);
    grid->addWidget(windowDesign_, 2, 1);
    auto* salute = new QGroupBox(page);
    words_->Bind([salute](const WindowWords& w) { salute->setTitle(w.Text(WordKey::Salute)); });
    auto* saluteRow = new QHBoxLayout(salute);
    saluteButtons_ = CheckBox(*words_, WordKey::OptSaluteButtons, "CheckBoxD1", salute);
    saluteCards_ = CheckBox(*words_, WordKey::OptSaluteCards, "CheckBoxD2", salute);
    saluteRow->addWidget(saluteButtons_);
    saluteRow->addWidget(saluteCards_);
    grid->addWidget(salute, 3, 0, 1, 2);
    grid->addWidget(LibraryButton(9, QStringLiteral("ZunCGraph01"), page), 4, 0, 1, 2, Qt::AlignLeft);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    connect(menuDesign_, &QComboBox::currentIndexChanged, this, &TFormOptions::MenuDesignChosen);
    connect(tableDesign_, &QComboBox::currentIndexChanged, this, &TFormOptions::TableDesignChosen);
    connect(windowDesign_, &QComboBox::currentIndexChanged, this, &TFormOptions::WindowDesignChosen);
    connect(saluteButtons_, &QCheckBox::toggled, this, [this](bool on) {
        if (!opening_) settings_.SaluteButtons = on;
    });
    connect(saluteCards_, &QCheckBox::toggled, this, [this](bool on) {
        if (!opening_) settings_.SaluteCards = on;
    });
    return page;
}

TZunCardsButton* TFormOptions::LibraryButton(int number, const QString& caption, QWidget* parent) {
    auto* button = static_cast<TZunCardsButton*>(MakeWindowButton(caption, settings_, parent));
    button->setObjectName(QStringLiteral("Library%1").arg(number));
    button->setFixedWidth(150);  // alike for all, "ZunCalendar01" is the longest
    button->setMouseTracking(true);
    button->installEventFilter(this);  // the balloon while the mouse is over it
    connect(button, &QPushButton::clicked, this, [this, number, button] { Download(number, button); });
    libraryButtons_.emplace_back(number, button);
    return button;
}

std::vector<TZunCardsButton*> TFormOptions::LibraryButtons(int number) const {
    std::vector<TZunCardsButton*> buttons;
    for (const auto& [n, button] : libraryButtons_)
        if (n == number) buttons.push_back(button);
    return buttons;
}

TBalloonHint* TFormOptions::DownloadHint() const {
    return hint_;
}

QAbstractButton* TFormOptions::OkButton() const {
    return ok_;
}

void TFormOptions::keyPressEvent(QKeyEvent* event) {
    // Esc closes the dialog as OK does: every change has already been made.
    if (event->key() == Qt::Key_Escape) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormOptions::done(int result) {
    rememberedTab = tabs_->currentIndex();
    // A download still running goes on without the dialog; the wait cursor goes with the dialog.
    for (; downloads_ > 0; --downloads_) QApplication::restoreOverrideCursor();
    if (animation_) animation_->stop();
    if (hint_) hint_->close();
    QDialog::done(result);
}

TFormOptions* OpenOptions(QWidget* parent, Settings& settings, const std::string& programDir,
                          OptionsHost host) {
    if (host.PlaySound) host.PlaySound(sound::Window);
    auto* dialog = new TFormOptions(settings, programDir, std::move(host), parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->open();
    return dialog;
}

}  // namespace kesp
