// Feeds arbitrary bytes as history file 0001 to the check, the viewer and the writer. Besides not
// crashing, a write must always leave a valid file holding the new game.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "fuzz_files.h"
#include "records/history.h"
#include "records/history_list.h"

namespace {

using kesp::fuzz::Put;
using kesp::fuzz::Require;

const std::string& Folder() {
    static const std::string dir = kesp::fuzz::MakeFolder("kesp-history-fuzz", "History");
    return dir;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string first = kesp::HistoryFilePath(Folder(), 1);
    const std::string second = kesp::HistoryFilePath(Folder(), 2);
    std::remove(second.c_str());
    Put(first, bytes);

    const kesp::HistoryFileCheck check = kesp::CheckHistoryFile(Folder(), 1);
    Require(check.Valid == kesp::CheckHistoryText(bytes).Valid);
    const auto rows = kesp::ReadHistoryRows(Folder(), 1);
    Require(rows.size() == static_cast<std::size_t>(check.Valid ? check.Records : 0));
    (void)kesp::ListHistoryFiles(Folder(), nullptr);

    // The input's first bytes also serve as the texts of a new line.
    kesp::HistoryEntry entry;
    entry.Players = std::string(bytes.substr(0, 60));
    entry.Result = static_cast<std::int64_t>(size) * 7919 - 100000;
    entry.Rating = static_cast<double>(size) / 3.0 - 50;
    const std::string line = kesp::HistoryRecordLine(entry, bytes.substr(0, 8), bytes.substr(0, 12));
    Require(line.size() == kesp::HistoryLineLength);

    Require(!kesp::WriteHistory(Folder(), std::span(&entry, 1), bytes.substr(0, 8), bytes.substr(0, 12)));
    const bool full = check.Valid && check.Records >= kesp::HistoryFileCapacity;
    const kesp::HistoryFileCheck after = kesp::CheckHistoryFile(Folder(), full ? 2 : 1);
    Require(after.Valid);
    Require(after.Records == (full || !check.Valid ? 1 : check.Records + 1));
    return 0;
}
