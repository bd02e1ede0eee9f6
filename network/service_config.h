// The service's configuration document: pauses of the world top ten and the chat, and enciphered
// replacements for three addresses. Read in three steps, each from a download of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// The value of `key` in the document: after the key's first occurrence and one separator
// character, up to the next '#'. Nothing when the key is missing or its value has no closing '#'.
std::optional<std::string> ConfigEntry(std::string_view document, std::string_view key);

// What the three steps leave. Both pauses hold from the start of a run until step 1 clears them.
struct ServiceConfiguration {
    bool worldTopTenPaused = true;
    bool chatPaused = true;
    std::string worldTopTenAddress;  // plain
    std::string statisticsAddress;   // plain
    std::string accountAddress;      // plain
};

// Step 1 on a document that arrived (nullptr when the download failed: nothing is paused then).
void ApplyWorldTopTenStep(const std::string* document, ServiceConfiguration& configuration);
// Step 2: "StatPath".
void ApplyStatisticsStep(const std::string* document, ServiceConfiguration& configuration);
// Step 3: the account address starts from `builtInAccount`, then "AccPath".
void ApplyAccountStep(const std::string* document, const std::string& builtInAccount,
                      ServiceConfiguration& configuration);

}  // namespace kesp
