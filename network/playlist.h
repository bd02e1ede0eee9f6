// The service's playlist of the internet music player: one track file a line,
// display-name "~" title ".mp3", '_' for blanks. Free of Qt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kesp {

struct PlaylistTrack {
    std::string DisplayName;
    std::string Title;
    std::string Address;  // the music folder + the whole line
};

// The player is switched on only for a longer list.
inline constexpr std::size_t kFewestPlaylistLines = 5;
// A page from an untrusted service is read up to this many tracks.
inline constexpr std::size_t kMostPlaylistTracks = 1000;

// The tracks of the page's lines (CR LF or LF), at most kMostPlaylistTracks; empty lines are skipped.
// `musicFolder` ends in '/'.
std::vector<PlaylistTrack> ParsePlaylist(std::string_view page, const std::string& musicFolder);

}  // namespace kesp
