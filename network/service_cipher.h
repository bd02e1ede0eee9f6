// The reversible scrambling of the service addresses, the picture store's account and the saved
// password: a keyed byte stream written as printable text. Shared by the game and kesp-service,
// so the values the service puts in its configuration document read back in the game.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// Each protected value has a key of its own.
enum class CipherKey {
    AccountAddress,
    StatisticsAddress,
    WorldTopTenAddress,
    TablesAddress,
    AvatarAddress,
    ConfigAddress,
    NewsAddress,
    PictureStoreHost,
    PictureStoreUser,
    PictureStorePassword,
    PictureStoreFolder,
    UserPassword,
};

// The key named as the game names the value ("AccountAddress", "PictureStoreUser", ...).
std::optional<CipherKey> CipherKeyByName(std::string_view name);

// Four printable characters for every three bytes (the last group may be shorter).
std::string Encipher(std::string_view plain, CipherKey key);
// Nothing when the text holds a character outside the alphabet or has an impossible length.
std::optional<std::string> Decipher(std::string_view text, CipherKey key);

}  // namespace kesp
