// Feeds arbitrary bytes as both club files to the start-up check, the readers and the club
// updates. Besides not crashing, every update of a sound club must leave a sound club with
// exactly one more or one fewer member line in place.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_files.h"
#include "records/club.h"
#include "records/club_list.h"

namespace {

using kesp::fuzz::Put;
using kesp::fuzz::Require;

const std::string& Folder() {
    static const std::string dir = kesp::fuzz::MakeFolder("kesp-club-fuzz");
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string local = kesp::ClubFilePath(Folder(), false);
    Put(local, bytes);
    Put(kesp::ClubFilePath(Folder(), true), bytes);

    const kesp::ClubCheckResult check = kesp::CheckClubFiles(Folder());
    for (int k = 0; k <= 6; ++k) (void)kesp::ReadMember(local, k);

    const kesp::LoadedClub loaded = kesp::LoadClubFile(local);
    Require(check.Ok == loaded.File.has_value());
    if (!loaded.File) return 0;

    for (int view : {kesp::ClubViewScore, kesp::ClubViewRating}) {
        const kesp::ClubListTexts texts = kesp::ClubList(*loaded.File, view);
        for (const kesp::ClubRow& row : texts.Members)
            (void)kesp::FittedRow(row, [](std::string_view t) { return t.size() < 12; });
    }
    (void)kesp::TopTenRows(*loaded.File);

    // Members read from the file go back in, at the end of a cycle and not.
    for (int k = 1; k <= kesp::ClubMemberCount; ++k) {
        kesp::ClubFile club = *loaded.File;
        const kesp::ClubMember m = kesp::ParseMemberLine(club.Line[k]);
        kesp::RemoveMember(club, k);
        kesp::StoreMember(club, m, k % 2 == 0);
        const auto again = kesp::ParseClubShape(kesp::ClubFileBytes(club));
        Require(again && kesp::IsSoundClub(*again));
    }
    Require(!kesp::RemoveMember(local, 1, true));
    Require(!kesp::StoreMember(local, kesp::ParseMemberLine(loaded.File->Line[2]), true, true).Message);
    Require(kesp::LoadClubFile(local).File.has_value());
    return 0;
}
