// Read-only data pages leave the resident set and come back unchanged; relocated and writable data
// are never touched.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>

#include "app/read_only_pages.h"

namespace kesp {
namespace {

constexpr std::size_t kTableBytes = 1 << 17;
constexpr std::array<std::uint8_t, kTableBytes> kTable = [] {
    std::array<std::uint8_t, kTableBytes> table{};
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    return table;
}();
const char* const kNames[] = {"ace", "king", "queen"};  // pointers the loader relocates
int written = 5;

// The resident kB of the mapping that holds `address`, from /proc/self/smaps.
long ResidentKbAt(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-') inside = from <= at && at < to;
        if (inside && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
    }
    return -1;
}

TEST(ReadOnlyPages, LeaveTheResidentSetAndReadBackUnchanged) {
    const volatile std::uint8_t* bytes = kTable.data();
    unsigned long before = 0;
    for (std::size_t i = 0; i < kTableBytes; ++i) before += bytes[i];
    const long residentBefore = ResidentKbAt(kTable.data());
    ASSERT_GE(residentBefore, static_cast<long>(kTableBytes / 1024));
    ++written;

    EXPECT_GE(DropReadOnlyDataPages(), static_cast<long>(kTableBytes) - 8192);
    EXPECT_LT(ResidentKbAt(kTable.data()), residentBefore - static_cast<long>(kTableBytes / 1024) / 2);

    unsigned long after = 0;
    for (std::size_t i = 0; i < kTableBytes; ++i) after += bytes[i];
    EXPECT_EQ(after, before);
    EXPECT_EQ(after, std::accumulate(kTable.begin(), kTable.end(), 0ul));
    EXPECT_STREQ(kNames[0], "ace");
    EXPECT_STREQ(kNames[2], "queen");
    EXPECT_EQ(written, 6);
}

}  // namespace
}  // namespace kesp
