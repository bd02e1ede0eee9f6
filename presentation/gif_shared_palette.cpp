#include "presentation/gif_shared_palette.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kesp {
namespace {

constexpr int kTableLimit = 256;
// A frame may bring this many colours that the frame before did not use: a card that moves by
// fractions of a pixel shades its edges a little differently in every frame.
constexpr std::size_t kNewColoursAllowed = 16;
// A colour within this many levels of a table entry in each channel is shown as that entry. The
// difference is far below what the eye or the 8-bit display tells apart (the recordings' PSNR
// stays the same to a tenth of a decibel), and it lets the shaded edges of a moving card share
// entries instead of filling the table.
constexpr int kNearLevels = 3;

std::uint32_t Key(const gif::Rgb& c) {
    return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

bool Near(const gif::Rgb& a, const gif::Rgb& b) {
    return std::abs(a.r - b.r) <= kNearLevels && std::abs(a.g - b.g) <= kNearLevels &&
           std::abs(a.b - b.b) <= kNearLevels;
}

}  // namespace

void GifSharedPalette::Clear() {
    colours_.clear();
    indices_.clear();
    previous_.clear();
    tableSize_ = 0;
}

int GifSharedPalette::NearEntry(const gif::Rgb& colour) const {
    const auto exact = indices_.find(Key(colour));
    if (exact != indices_.end()) return exact->second;
    const auto near = std::find_if(colours_.begin(), colours_.end(),
                                   [&](const gif::Rgb& entry) { return Near(entry, colour); });
    return near == colours_.end() ? -1 : static_cast<int>(near - colours_.begin());
}

bool GifSharedPalette::Adopt(gif::Frame& frame) {
    std::array<bool, 256> used{};
    for (std::uint8_t p : frame.pixels)
        if (p != frame.transparentIndex) used[p] = true;
    // For each palette entry the frame uses: its table entry, or -1 while the table lacks it.
    std::array<int, 256> entry{};
    std::unordered_set<std::uint32_t> colours;
    std::vector<std::uint32_t> fresh;  // used colours the table lacks, in palette order
    for (std::size_t i = 0; i < frame.palette.size(); ++i) {
        if (!used[i]) continue;
        const std::uint32_t key = Key(frame.palette[i]);
        entry[i] = NearEntry(frame.palette[i]);
        if (colours.insert(key).second && entry[i] < 0) fresh.push_back(key);
    }
    const auto unseen = static_cast<std::size_t>(std::count_if(
        fresh.begin(), fresh.end(), [&](std::uint32_t key) { return !previous_.contains(key); }));
    // The first frame (the whole table) keeps its colours; a see-through index needs an entry that
    // none of the frame's colours takes.
    const bool joins = !previous_.empty() && unseen <= kNewColoursAllowed &&
                       colours_.size() + fresh.size() <= kTableLimit &&
                       (frame.transparentIndex < 0 || colours.size() < kTableLimit);
    std::swap(previous_, colours);
    if (!joins) return false;

    for (std::uint32_t key : fresh) {
        indices_.emplace(key, static_cast<std::uint8_t>(colours_.size()));
        colours_.push_back({static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 8),
                            static_cast<std::uint8_t>(key)});
    }
    std::array<std::uint8_t, 256> shared{};
    std::array<bool, kTableLimit> taken{};
    for (std::size_t i = 0; i < frame.palette.size(); ++i) {
        if (!used[i]) continue;
        shared[i] = static_cast<std::uint8_t>(entry[i] >= 0 ? entry[i] : indices_.at(Key(frame.palette[i])));
        taken[shared[i]] = true;
    }
    int seeThrough = gif::kNoTransparency;
    if (frame.transparentIndex >= 0) {
        // The lowest free index keeps the frame's codes as narrow as its colours allow.
        seeThrough = static_cast<int>(std::find(taken.begin(), taken.end(), false) - taken.begin());
        shared[static_cast<std::size_t>(frame.transparentIndex)] = static_cast<std::uint8_t>(seeThrough);
    }
    for (std::uint8_t& p : frame.pixels) p = shared[p];
    frame.transparentIndex = seeThrough;
    frame.palette = colours_;
    if (static_cast<int>(frame.palette.size()) <= seeThrough)
        frame.palette.resize(static_cast<std::size_t>(seeThrough) + 1);
    tableSize_ = std::max({tableSize_, static_cast<int>(colours_.size()), seeThrough + 1});
    return true;
}

std::vector<gif::Rgb> GifSharedPalette::Table() const {
    std::vector<gif::Rgb> table = colours_;
    table.resize(static_cast<std::size_t>(std::max(tableSize_, static_cast<int>(colours_.size()))));
    return table;
}

int SharedColoursNeeded(const gif::Frame& frame) {
    int highest = std::max(frame.transparentIndex, 0);
    for (std::uint8_t p : frame.pixels) highest = std::max<int>(highest, p);
    return highest + 1;
}

}  // namespace kesp
