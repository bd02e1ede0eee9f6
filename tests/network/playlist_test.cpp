#include "network/playlist.h"

#include <gtest/gtest.h>

namespace kesp {

TEST(Playlist, LinesBecomeTracksWithBlanksAndAddresses) {
    const auto tracks = ParsePlaylist(
        "Kesp~Music_Box.mp3\r\n\r\nZun_Band~Night_in_Omsk.mp3\nno_tilde.mp3\r\nA~B\r\nБенд~Песня.mp3",
        "http://h/musik/");
    ASSERT_EQ(tracks.size(), 5u);
    EXPECT_EQ(tracks[0].DisplayName, "Kesp");
    EXPECT_EQ(tracks[0].Title, "Music Box");
    EXPECT_EQ(tracks[0].Address, "http://h/musik/Kesp~Music_Box.mp3");
    EXPECT_EQ(tracks[1].DisplayName, "Zun Band");
    EXPECT_EQ(tracks[1].Title, "Night in Omsk");
    EXPECT_EQ(tracks[2].DisplayName, "");
    EXPECT_EQ(tracks[2].Title, "no tilde");
    EXPECT_EQ(tracks[3].Title, "B");
    EXPECT_EQ(tracks[4].Title, "Песня");
    EXPECT_EQ(tracks[4].Address,
              "http://h/musik/%D0%91%D0%B5%D0%BD%D0%B4~%D0%9F%D0%B5%D1%81%D0%BD%D1%8F.mp3");
}

TEST(Playlist, AFileNameCannotLeaveTheMusicFolderAndTheListIsBounded) {
    EXPECT_EQ(ParsePlaylist("../../config.txt\r\n", "http://h/musik/")[0].Address,
              "http://h/musik/..%2F..%2Fconfig.txt");
    std::string page;
    for (int i = 0; i < 5000; ++i) page += "a~b.mp3\n";
    EXPECT_EQ(ParsePlaylist(page, "m/").size(), kMostPlaylistTracks);
    EXPECT_TRUE(ParsePlaylist("", "m/").empty());
}

}  // namespace kesp
