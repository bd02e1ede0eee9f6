#include "network/playlist.h"

#include "network/service_form.h"

namespace kesp {
namespace {

std::string WithBlanks(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '_') c = ' ';
    return out;
}

}  // namespace

std::vector<PlaylistTrack> ParsePlaylist(std::string_view page, const std::string& musicFolder) {
    constexpr std::string_view kSuffix = ".mp3";
    std::vector<PlaylistTrack> tracks;
    while (!page.empty() && tracks.size() < kMostPlaylistTracks) {
        const std::size_t end = page.find_first_of("\r\n");
        std::string_view line = page.substr(0, end);
        page.remove_prefix(end == std::string_view::npos ? page.size() : end + 1);
        if (line.empty()) continue;
        const std::size_t tilde = line.find('~');
        std::string_view title = tilde == std::string_view::npos ? line : line.substr(tilde + 1);
        if (title.size() >= kSuffix.size() && title.substr(title.size() - kSuffix.size()) == kSuffix)
            title.remove_suffix(kSuffix.size());
        PlaylistTrack track;
        track.DisplayName =
            WithBlanks(tilde == std::string_view::npos ? std::string_view() : line.substr(0, tilde));
        track.Title = WithBlanks(title);
        // The line names a file of the service: it travels percent-encoded in the address.
        track.Address = musicFolder + PercentEncoded(line);
        tracks.push_back(std::move(track));
    }
    return tracks;
}

}  // namespace kesp
