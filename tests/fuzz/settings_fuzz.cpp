// Loads arbitrary bytes as the settings file. Besides never crashing or hanging, a load must leave
// every number within its field's range, and the file written from any loaded record must read
// through to its end and come back unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "records/settings.h"

namespace {

const std::string& ProgramDir() {
    static const std::string dir = [] {
        char name[] = "/tmp/kesp-settings-fuzz-XXXXXX";
        if (mkdtemp(name) == nullptr) std::abort();
        return kesp::ProgramDirOf(name);
    }();
    return dir;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

bool In(int value, int low, int high) {
    return value >= low && value <= high;
}

void CheckRanges(const kesp::Settings& s) {
    Check(In(s.CurrentLanguage, 0, 9) && In(s.ClubView, 1, 2) && In(s.Speed, 1, 6) && In(s.WindowSize, 1, 5));
    Check(In(s.CaptionColour, 1, 7) && In(s.WindowDesign, 1, 3) && In(s.MenuDesign, 0, 1));
    Check(In(s.TableDesign, 0, 1) && In(s.CardFaceSet, 0, 47) && In(s.DeckBack, 0, 12));
    Check(s.InitialScore == 100 || s.InitialScore == 150 || s.InitialScore == 200);
    for (int scale : {s.FontLargeScale, s.FontSmallScale, s.FontSpecial1Scale, s.FontSpecial2Scale})
        Check(In(scale, 50, 150));
    Check(In(s.Background, 1, 10) && In(s.BackgroundVariant, 0, 6));
    Check(In(s.GifSource, 1, 2) && In(s.GifDelay, 10, 5000));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = kesp::SettingsFilePath(ProgramDir());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) std::abort();

    kesp::Settings loaded;
    kesp::LoadSettings(loaded, ProgramDir());
    CheckRanges(loaded);

    kesp::Settings fromText;
    kesp::ReadSettingsText(fromText, bytes);
    Check(fromText == loaded);

    const std::string saved = kesp::SettingsFileText(loaded);
    kesp::Settings reloaded;
    Check(kesp::ReadSettingsText(reloaded, saved) == kesp::SettingsLoad::kReadThrough);
    Check(kesp::SettingsFileText(reloaded) == saved);
    return 0;
}
