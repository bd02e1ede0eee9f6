// The main window's part in the world statistics: the start-up report, the results of every
// finished game and the statistics window. All of it runs on the service queue; a failure is
// left to the next start or the next game and never stops the player.
#include "app/main_window.h"
#include "engine/sounds.h"
#include "network/game_results.h"
#include "network/online_requests.h"
#include "presentation/message_window.h"
#include "windows/statistics_window.h"

namespace kesp {

void TForm1::ConnectStatistics() {
    connect(accountPictures_, &MenuAccountPictures::StatisticsClicked, this, [this] {
        PlaySoundEffect(sound::Window);
        OpenStatisticsWindow(
            settings_, online_.Queue(), online_.Addresses().statistics, [this] { SaveSettingsNow(); }, this);
    });
}

void TForm1::SendStartupReport(bool allowed) {
    if (!allowed) return;
    // The configuration document queued before may still change the statistics address; it is
    // taken once those reads have answered.
    online_.Queue().Run<int>(
        this, [](ServiceClient&) { return 0; },
        [this](int) {
            const bool firstReport = !settings_.StartReportSent;
            online_.Queue().Run<bool>(
                this,
                [address = online_.Addresses().statistics, firstReport](ServiceClient& client) {
                    return PostStartupReport(client, address, firstReport);
                },
                [this](bool sent) {
                    if (!sent) return;
                    settings_.StartReportSent = true;
                    SaveSettingsNow();
                });
        });
}

void TForm1::SendGameResults() {
    const GameState& gs = game_.State();
    const TableSetup& setup = game_.Setup();
    const auto results = GameResults(setup.kind, gs.GameNo, gs.Score[4], setup.OnlineSeat);
    // Fire and forget: a game's results that do not arrive are not asked about.
    online_.Queue().Run<bool>(
        this,
        [address = online_.Addresses().statistics, results](ServiceClient& client) {
            return PostGameResults(client, address, results);
        },
        [](bool) {});
}

void TForm1::SaveSettingsNow() {
    if (SaveSettings(settings_, programDir_, clubBadAtStartUp_) == SettingsSave::kCannotSaveOptions)
        OpenMessageWindow(words_, words_.WordText(WordKey::CantSaveOptions), {}, {}, this);
}

}  // namespace kesp
