#include "network/service_config.h"

#include "network/service_addresses.h"
#include "network/service_cipher.h"

namespace kesp {
namespace {

// An entry's address, deciphered; a value that does not decipher to an address changes nothing.
void Replace(const std::string& document, std::string_view key, CipherKey cipher, std::string& address) {
    const auto value = ConfigEntry(document, key);
    if (!value) return;
    const auto plain = Decipher(*value, cipher);
    if (plain && IsServiceAddress(*plain)) address = *plain;
}

}  // namespace

std::optional<std::string> ConfigEntry(std::string_view document, std::string_view key) {
    const auto at = document.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    const auto start = at + key.size() + 1;
    if (start > document.size()) return std::nullopt;
    const auto end = document.find('#', start);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(document.substr(start, end - start));
}

void ApplyWorldTopTenStep(const std::string* document, ServiceConfiguration& configuration) {
    configuration.chatPaused = false;
    configuration.worldTopTenPaused = false;
    if (!document) return;
    configuration.chatPaused = document->find("CTGamesPause") != std::string::npos;
    if (document->find("WTGamesPause") != std::string::npos) {
        configuration.worldTopTenPaused = true;
        return;
    }
    Replace(*document, "WTGamesPatt", CipherKey::WorldTopTenAddress, configuration.worldTopTenAddress);
}

void ApplyStatisticsStep(const std::string* document, ServiceConfiguration& configuration) {
    if (document)
        Replace(*document, "StatPath", CipherKey::StatisticsAddress, configuration.statisticsAddress);
}

void ApplyAccountStep(const std::string* document, const std::string& builtInAccount,
                      ServiceConfiguration& configuration) {
    configuration.accountAddress = builtInAccount;
    if (document) Replace(*document, "AccPath", CipherKey::AccountAddress, configuration.accountAddress);
}

}  // namespace kesp
