// kesp-clubfiles: writes the club files supplied with the game, "Kesp.clb" and "Kesp.net", into a
// folder: five empty member slots, a top ten of placeholder entries, the marker line and the
// checksums. With --keep-valid a club file that is already sound is left alone, so a rebuild does
// not wipe the records of games played from the build folder.
#include <cstdio>
#include <string>
#include <string_view>

#include "records/atomic_file.h"
#include "records/club.h"

namespace {

kesp::ClubFile SuppliedClub() {
    kesp::ClubFile club;
    for (int i = 1; i <= kesp::ClubMemberCount; ++i) club.Line[i] = kesp::EmptySlotLine();
    for (int place = 1; place <= kesp::TopTenCount; ++place)
        club.Line[kesp::TopTenFirstLine + place - 1] = kesp::FormatTopTenLine("Nobody yet", 110 - 10 * place);
    club.Line[kesp::MarkerLine] = std::string(kesp::ClubMarker) + std::string(26, '#');
    // Characters 1..10 of the control line: no language switch ("0"), the tag "std" at 7..9.
    club.Line[kesp::ControlLine] = "0#####std#" + std::string(18, '0');
    return club;
}

int Usage() {
    std::fprintf(stderr, "usage: kesp-clubfiles [--keep-valid] DIR\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool keepValid = false;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--keep-valid")
            keepValid = true;
        else if (dir.empty() && !arg.starts_with("-"))
            dir = arg;
        else
            return Usage();
    }
    if (dir.empty()) return Usage();

    const std::string bytes = kesp::ClubFileBytes(SuppliedClub());
    for (const bool network : {false, true}) {
        const std::string path = kesp::ClubFilePath(dir, network);
        if (keepValid && kesp::LoadClubFile(path).File) continue;
        if (!kesp::WriteFileAtomically(path, bytes) || !kesp::LoadClubFile(path).File) {
            std::fprintf(stderr, "kesp-clubfiles: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
