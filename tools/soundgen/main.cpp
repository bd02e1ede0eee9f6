// kesp-soundgen: writes the program's sound effects and menu tune into a folder, with the resource
// file that lists them under upper-case names (the program matches names without regard to case).
// Usage: kesp-soundgen <folder>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "soundgen.h"

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kesp-soundgen <folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = !error;
    std::string qrc = "<RCC>\n  <qresource prefix=\"/sounds\">\n";
    for (soundgen::Effect& effect : soundgen::MakeEffects()) {
        const std::string file = Upper(effect.name) + ".wav";
        ok = ok && WriteFile(folder / file, effect.sound.Wav());
        qrc += "    <file>" + file + "</file>\n";
    }
    ok = ok && WriteFile(folder / "MIDISONG.mid", soundgen::MakeMidiSong());
    qrc += "    <file>MIDISONG.mid</file>\n  </qresource>\n</RCC>\n";
    ok = ok && WriteFile(folder / "kesp_sounds.qrc", std::vector<std::uint8_t>(qrc.begin(), qrc.end()));
    if (!ok) {
        std::fprintf(stderr, "kesp-soundgen: cannot write the sounds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
