// The games chat, the news and the internet music player against a real kesp-service: two players
// chatting, the menu's badges with the state files, the playlist, and every part failing quietly
// when the service is gone.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "network/chat_messages.h"
#include "network/online_requests.h"
#include "network/service_queue.h"
#include "presentation/message_window.h"
#include "records/atomic_file.h"
#include "tests/network/service_process.h"
#include "window_fixture.h"
#include "windows/passport_window.h"

namespace kesp {
using namespace test;
namespace fs = std::filesystem;

namespace {

// A program folder one level down in a temporary folder, so that the state files of the folder
// above stay the test's own.
struct Folders {
    QTemporaryDir top;
    std::string program;
    Folders() {
        QDir(top.path()).mkdir(QStringLiteral("kesp"));
        const QString build = QStringLiteral(KESP_BUILD_DIR);
        QFile::copy(build + "/Kesp.clb", top.path() + "/kesp/Kesp.clb");
        QFile::copy(build + "/Kesp.net", top.path() + "/kesp/Kesp.net");
        program = (top.path() + "/kesp/").toStdString();
    }
    std::string Above(std::string_view name) const {
        return top.path().toStdString() + "/" + std::string(name);
    }
};

Settings Passport(const char* nick, const char* city, const char* sex) {
    Settings s;
    s.WorldNick = nick;
    s.WorldCity = city;
    s.WorldSex = sex;
    s.WorldCountry = "1-022";
    return s;
}

bool Post(const std::string& base, const char* nick, const char* text) {
    ServiceClient client;
    return PostRecord(client, base + "worldtop",
                      MakeChatMessage({nick, "Omsk", "1-022", "M"}, text, "10:00:00", "10.12.2026", 1)) > 0;
}

void SendAndWait(TFormChat& chat, const QString& text) {
    QSignalSpy sent(&chat, &TFormChat::MessageSent);
    chat.Field()->setText(text);
    QTest::keyClick(chat.Field(), Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return sent.count() == 1; }, 10000));
    ASSERT_TRUE(sent.at(0).at(0).toBool());
}

std::vector<int> Numbers(const TFormChat& chat) {
    std::vector<int> numbers;
    for (const TZunRecord& m : chat.Messages()) numbers.push_back(m.Score);
    return numbers;
}

void SaveSettingsFor(const Folders& f, int windowSize = window_size::Small) {
    Settings s = Passport("Tess", "Omsk", "W");
    s.WindowSize = windowSize;
    ASSERT_EQ(SaveSettings(s, f.program, false), SettingsSave::kWritten);
}

}  // namespace

TEST(GamesChat, TwoPlayersChatNewestFirstOrLastAndTheStateFileFollows) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const std::string world = service.base() + "worldtop";
    Folders anna, boris;
    const Settings annaPassport = Passport("Anna", "Omsk", "W"),
                   borisPassport = Passport("Boris", "Kiel", "M");
    ServiceQueue annaQueue, borisQueue;  // two clients, each with its own connection and cookies

    TFormChat annaChat(annaPassport, anna.program, annaQueue, world, 0);
    annaChat.show();
    QSignalSpy annaDrawn(&annaChat, &TFormChat::ListDrawn);
    ASSERT_TRUE(WaitFor([&] { return annaDrawn.count() == 1; }));
    EXPECT_TRUE(annaChat.Connected());
    EXPECT_TRUE(annaChat.Messages().empty());
    EXPECT_EQ(ReadWholeFile(anna.Above(kChatStateFileName)), "1\r\n0\r\n0\r\n");  // made on opening

    SendAndWait(annaChat, QStringLiteral("Hello there, Boris!"));
    EXPECT_TRUE(annaChat.Field()->text().isEmpty());
    EXPECT_FALSE(annaChat.Field()->isEnabled());  // until the next tick
    ASSERT_TRUE(WaitFor([&] { return annaChat.Messages().size() == 1; }));
    EXPECT_EQ(annaChat.Messages()[0].R09, "Hello_there,_Boris!");
    EXPECT_EQ(ChatShownText(annaChat.Messages()[0].R09), "Hello there, Boris!");
    annaChat.Tick();
    EXPECT_TRUE(annaChat.Field()->isEnabled());

    TFormChat borisChat(borisPassport, boris.program, borisQueue, world, 0);
    borisChat.show();
    ASSERT_TRUE(WaitFor([&] { return borisChat.Messages().size() == 1; }));
    SendAndWait(borisChat, QStringLiteral("Hi Anna"));
    ASSERT_TRUE(WaitFor([&] { return borisChat.Messages().size() == 2; }));
    EXPECT_EQ(Numbers(borisChat), (std::vector<int>{2, 1}));  // newest first
    EXPECT_EQ(borisChat.Messages()[0].Nick, "Boris");
    EXPECT_EQ(borisChat.Messages()[0].R07, "M");

    // Anna's refresh shows Boris's line; "Last message at the bottom" turns the order and is kept.
    QTest::mouseClick(annaChat.RefreshButton(), Qt::LeftButton);
    EXPECT_TRUE(annaChat.RefreshButton()->isHidden());  // until the next tick
    ASSERT_TRUE(WaitFor([&] { return annaChat.Messages().size() == 2; }));
    annaChat.LastAtBottomBox()->setChecked(true);
    EXPECT_EQ(Numbers(annaChat), (std::vector<int>{1, 2}));
    EXPECT_FALSE(annaChat.LastAtBottomBox()->isEnabled());
    annaChat.OpenOnNewBox()->setChecked(true);
    EXPECT_EQ(ReadChatState(anna.program), (ChatState{2, true, true}));

    // A new window marks the messages after the number seen before it opened.
    ASSERT_TRUE(WriteChatState(boris.program, {1, false, false}));
    TFormChat again(borisPassport, boris.program, borisQueue, world, 0);
    EXPECT_EQ(again.SeenBefore(), 1);
    ASSERT_TRUE(WaitFor([&] { return again.Messages().size() == 2; }));
    EXPECT_EQ(ReadChatState(boris.program).SeenNumber, 2);

    // An invalid passport keeps the field shut.
    const Settings nobody = Passport("x", "Omsk", "M");
    TFormChat closed(nobody, boris.program, borisQueue, world, 0);
    EXPECT_FALSE(closed.Field()->isEnabled());
    EXPECT_FALSE(closed.PassportButton()->isEnabled());  // no passport window given
}

TEST(MenuBadges, NewsAndChatBadgesFromTheServiceAndTheStateFiles) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    ASSERT_TRUE(Post(service.base(), "Anna", "first"));
    ASSERT_TRUE(Post(service.base(), "Boris", "second"));
    Folders f;
    SaveSettingsFor(f);
    qputenv("KESP_SERVICE", QByteArray::fromStdString(service.base()));
    TForm1 window(f.program);
    qunsetenv("KESP_SERVICE");
    std::vector<QUrl> opened;
    window.SetUrlOpener([&](const QUrl& url) { opened.push_back(url); });
    ToMenu(window);
    window.Watch().Timer().stop();  // the test gives the ticks itself

    // No state files: the news 1 is newer than 0, the chat's 2 newer than the fresh file's 1.
    ASSERT_TRUE(WaitFor([&] { return window.Watch().NewNews() && window.Watch().NewChat(); }, 10000));
    EXPECT_TRUE(window.Badges().NewsBadge()->isVisible());
    EXPECT_TRUE(window.Badges().ChatBadge()->isVisible());
    EXPECT_EQ(ReadWholeFile(f.Above(kChatStateFileName)), "1\r\n0\r\n0\r\n");
    ASSERT_TRUE(WaitFor([&] { return window.Radio() && window.Radio()->On(); }, 10000));
    EXPECT_EQ(window.Radio()->Tracks().size(), 6u);  // the service's own playlist

    QTest::mouseClick(window.Badges().NewsBadge(), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toString().toStdString(), service.base() + "news.html");
    EXPECT_EQ(ReadNewsState(f.program), 1);
    EXPECT_FALSE(window.Badges().NewsBadge()->isVisible());

    QTest::mouseClick(window.Badges().ChatBadge(), Qt::LeftButton);
    ASSERT_TRUE(window.ChatWindow());
    EXPECT_FALSE(window.Badges().ChatBadge()->isVisible());
    EXPECT_EQ(ReadChatState(f.program).SeenNumber, 2);
    ASSERT_TRUE(WaitFor([&] { return window.ChatWindow()->Messages().size() == 2; }));
    EXPECT_EQ(window.ChatWindow()->SeenBefore(), 1);
    // The chat's "Passport" opens the world passport over it.
    ASSERT_TRUE(window.ChatWindow()->PassportButton()->isEnabled());
    window.ChatWindow()->PassportButton()->click();
    auto* passport = window.ChatWindow()->findChild<TFormPassport*>();
    ASSERT_TRUE(passport);
    EXPECT_TRUE(passport->isVisible());
    EXPECT_EQ(passport->NickEdit()->text(), "Tess");
    passport->reject();
    window.ChatWindow()->close();
    ASSERT_TRUE(WaitFor([&] { return !window.ChatWindow(); }));

    // The ticks: the news every third while the menu shows, the chat every 90th with the sound.
    const std::string news = service.dataFolder().toStdString() + "/news.html";
    {
        std::string page = *ReadWholeFile(news);
        page.replace(page.find("ZunNews00001"), 12, "ZunNews00002");
        fs::remove(news);
        std::ofstream(news) << page;
    }
    ASSERT_TRUE(Post(service.base(), "Anna", "third"));
    QSignalSpy arrived(&window.Watch(), &ChatNewsWatch::ChatArrived);
    window.Watch().Tick(true);
    window.Watch().Tick(false);  // a tick without the menu reads no news
    EXPECT_FALSE(WaitFor([&] { return window.Watch().NewNews(); }, 500));
    window.Watch().Tick(true);
    ASSERT_TRUE(WaitFor([&] { return window.Watch().NewNews(); }));
    EXPECT_TRUE(window.Badges().NewsBadge()->isVisible());
    EXPECT_FALSE(window.Watch().NewChat());
    for (int tick = 3; tick < ChatNewsWatch::kChatEveryTicks; ++tick) window.Watch().Tick(false);
    ASSERT_TRUE(WaitFor([&] { return window.Watch().NewChat(); }));
    EXPECT_EQ(arrived.count(), 1);
    EXPECT_TRUE(window.Badges().ChatBadge()->isVisible());

    // The table's pop-up menu opens the chat too.
    auto* item = window.findChild<QAction*>(QStringLiteral("MChat"));
    ASSERT_TRUE(item);
    item->trigger();
    ASSERT_TRUE(window.ChatWindow());
    EXPECT_FALSE(window.Watch().NewChat());
    window.ChatWindow()->close();
}

TEST(InternetMusic, PlaylistOfFourStaysOffOfFiveTurnsOnAndTheButtonsWork) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const std::string folder = service.base() + "musik/";
    const std::string playlist = service.dataFolder().toStdString() + "/musik/_playlist.html";
    const auto page = DownloadText(folder + "_playlist.html");
    ASSERT_TRUE(page.has_value());
    QWidget window;
    window.resize(1200, 900);
    Settings settings;

    // Four lines: the player stays off and shows nothing.
    std::string four;
    for (int i = 0; i < 4; ++i) four += "Kesp~Piano.mp3\r\n";
    fs::remove(playlist);  // the service's file is a link to the build's; write a file of its own
    std::ofstream(playlist) << four;
    InternetMusic off(window, settings);
    off.TakePlaylist(*DownloadText(folder + "_playlist.html"), folder);
    off.Layout(window.size(), true);
    EXPECT_FALSE(off.On());
    EXPECT_FALSE(off.PlayButton()->isVisibleTo(&window));

    int drawn = 0;
    InternetMusic music(window, settings, [&](int count) { return drawn++ % count; });
    music.TakePlaylist(*page, folder);
    ASSERT_TRUE(music.On());
    EXPECT_EQ(music.Track(), 1);
    EXPECT_EQ(music.Volume(), 50);
    EXPECT_FALSE(music.Playing());
    music.Layout(window.size(), true);
    EXPECT_TRUE(music.PlayButton()->isVisibleTo(&window));
    EXPECT_EQ(music.PlayButton()->geometry(), QRect(10, 830, 61, 61));
    EXPECT_EQ(music.VolumeButton()->geometry(), QRect(140, 830, 61, 61));
    music.Layout(window.size(), false);
    EXPECT_FALSE(music.PlayButton()->isVisibleTo(&window));

    // Volume: right of 34 up, left of 26 down, the middle nothing; 0..100.
    const struct { int x, volume; } clicks[] = {{50, 55}, {30, 55}, {26, 55}, {34, 55}, {10, 50}, {5, 45}};
    for (const auto& c : clicks) {
        QTest::mouseClick(music.VolumeButton(), Qt::LeftButton, {}, QPoint(c.x, 30));
        EXPECT_EQ(music.Volume(), c.volume) << c.x;
    }
    for (int i = 0; i < 30; ++i) music.VolumeClick(60);
    EXPECT_EQ(music.Volume(), 100);
    for (int i = 0; i < 30; ++i) music.VolumeClick(0);
    EXPECT_EQ(music.Volume(), 0);

    // Play streams the track from the service; next takes another and plays it. The media player
    // only exists once the music plays.
    EXPECT_EQ(music.Player(), nullptr);
    QTest::mouseClick(music.PlayButton(), Qt::LeftButton);
    EXPECT_TRUE(music.Playing());
    ASSERT_NE(music.Player(), nullptr);
    EXPECT_EQ(music.Player()->source().toString().toStdString(), music.Tracks()[0].Address);
    QTest::mouseClick(music.NextButton(), Qt::LeftButton);
    EXPECT_EQ(music.Track(), 2);
    EXPECT_TRUE(music.Playing());
    EXPECT_EQ(music.NextButton()->toolTip(),
              QStringLiteral("Kesp  :  ") + QString::fromStdString(music.Tracks()[1].Title));
    QTest::mouseClick(music.PlayButton(), Qt::LeftButton);
    EXPECT_FALSE(music.Playing());
}

TEST(ServiceDown, ChatNewsAndMusicFailQuietly) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    const std::string base = service.base();
    service.Kill();
    Folders f;
    SaveSettingsFor(f);
    qputenv("KESP_SERVICE", QByteArray::fromStdString(base));
    TForm1 window(f.program);
    qunsetenv("KESP_SERVICE");
    ToMenu(window);
    // Every read answers with nothing: no badge, no state file, no player.
    ASSERT_TRUE(WaitFor([&] { return window.Online().Queue().Pending() == 0; }, 10000));
    QTest::qWait(100);
    EXPECT_FALSE(window.Watch().NewNews());
    EXPECT_FALSE(window.Watch().NewChat());
    EXPECT_FALSE(window.Radio()->On());
    EXPECT_FALSE(fs::exists(f.Above(kNewsStateFileName)));

    window.OpenChat();
    TFormChat* chat = window.ChatWindow();
    ASSERT_TRUE(chat);
    ASSERT_TRUE(WaitFor([&] { return chat->ReadDone(); }));
    EXPECT_FALSE(chat->Connected());  // "No Connect"
    QSignalSpy sent(chat, &TFormChat::MessageSent);
    chat->Field()->setText(QStringLiteral("anyone?"));
    chat->SendButton()->click();
    ASSERT_TRUE(WaitFor([&] { return sent.count() == 1; }));
    EXPECT_FALSE(sent.at(0).at(0).toBool());
    EXPECT_EQ(chat->Field()->text(), QStringLiteral("anyone?"));  // nothing lost
    auto* message = chat->findChild<TMessageWindow*>();
    ASSERT_TRUE(message);
    EXPECT_TRUE(message->findChild<QLabel*>() != nullptr);
    chat->close();
}

TEST(ChatPaused, TheConfigurationPausesTheChatWindowAndItsChecks) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    ASSERT_TRUE(Post(service.base(), "Anna", "unseen"));
    ASSERT_TRUE(Post(service.base(), "Anna", "unseen"));
    std::ofstream(service.dataFolder().toStdString() + "/config.txt", std::ios::app) << "CTGamesPause#\r\n";
    Folders f;
    SaveSettingsFor(f);
    qputenv("KESP_SERVICE", QByteArray::fromStdString(service.base()));
    TForm1 window(f.program);
    qunsetenv("KESP_SERVICE");
    ToMenu(window);
    ASSERT_TRUE(WaitFor([&] { return window.Watch().NewNews(); }, 10000));
    ASSERT_TRUE(WaitFor([&] { return window.Online().Queue().Pending() == 0; }));
    EXPECT_TRUE(window.Online().ChatPaused());
    EXPECT_FALSE(window.Watch().NewChat());  // a paused chat has nothing new
    window.OpenChat();
    EXPECT_FALSE(window.ChatWindow());
    auto* message = window.findChild<TMessageWindow*>();
    ASSERT_TRUE(message);
    message->close();
}

// The chat window and the menu's badges and music buttons as a player sees them, in English,
// Russian and Chinese, in the smallest and the large window; the pictures go to the build folder.
TEST(ChatLooks, TextsFitInEveryLanguageAndSize) {
    ServiceProcess service;
    ASSERT_FALSE(service.base().empty());
    ASSERT_TRUE(Post(service.base(), "Anna", "Hello everybody, who plays tonight?"));
    ASSERT_TRUE(Post(service.base(), "Борис", "Привет всем! Играем в восемь."));
    const QString shots = QStringLiteral(KESP_BUILD_DIR) + "/screenshots";
    QDir().mkpath(shots);
    for (const int language : {0, 1, 5}) {
        Folders f;
        ASSERT_TRUE(WriteChatState(f.program, {1, false, false}));
        Settings settings = Passport("Tess", "Omsk", "W");
        settings.CurrentLanguage = language;
        ServiceQueue queue;
        TFormChat chat(settings, f.program, queue, service.base() + "worldtop", 0);
        chat.show();
        ASSERT_TRUE(WaitFor([&] { return chat.Messages().size() == 2; }));
        for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                 chat.LastAtBottomBox(), chat.OpenOnNewBox(), chat.SendButton(), chat.RefreshButton()})
            EXPECT_GE(b->width(), b->sizeHint().width()) << language << " " << b->text().toStdString();
        chat.grab().save(shots + QStringLiteral("/chat_window_%1.png").arg(language));

        for (const int size : {window_size::Small, window_size::Large}) {
            Folders g;
            Settings s = settings;
            s.WindowSize = size;
            ASSERT_EQ(SaveSettings(s, g.program, false), SettingsSave::kWritten);
            qputenv("KESP_SERVICE", QByteArray::fromStdString(service.base()));
            TForm1 window(g.program);
            qunsetenv("KESP_SERVICE");
            ToMenu(window);
            ASSERT_TRUE(WaitFor([&] { return window.Watch().NewNews() && window.Watch().NewChat(); }, 10000));
            ASSERT_TRUE(WaitFor([&] { return window.Radio()->On(); }, 10000));
            EXPECT_EQ(window.Radio()->PlayButton()->isVisible(), size == window_size::Large);
            if (size == window_size::Large) {
                auto* news = static_cast<QAbstractButton*>(window.Badges().NewsBadge());
                EXPECT_TRUE(window.Badges().Panel()->geometry().contains(news->geometry()));
            }
            window.grab().save(shots + QStringLiteral("/chat_menu_%1_%2.png").arg(size).arg(language));
            if (size == window_size::Large && language == 0) {
                // At the table the player's buttons stay in their corner, clear of the cards.
                ModalAnswerer answerer;
                window.findChild<QPushButton*>(QStringLiteral("Button6"))->click();
                ASSERT_TRUE(WaitFor([&] { return window.CurrentScreen() == TForm1::Screen::Table; }));
                EXPECT_TRUE(window.Radio()->PlayButton()->isVisible());
                EXPECT_FALSE(window.Badges().Panel()->isVisible());
                window.grab().save(shots + QStringLiteral("/chat_table_%1.png").arg(size));
            }
        }
    }
}

}  // namespace kesp
