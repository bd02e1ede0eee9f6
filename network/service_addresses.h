// Where the game finds the online service. One base address names the service and every address
// derives from it; the built-in one is stored enciphered and deciphered just before use, and a base
// given on the command line or in the environment (KESP_SERVICE) takes its place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kesp {

// The FTP account that takes the players' pictures.
struct PictureStore {
    std::string host;
    int port = 21;
    std::string user;
    std::string password;
    std::string folder;  // the pictures go to folder + nick + ".jpg"
};

struct ServiceAddresses {
    std::string base;  // ends with '/'
    std::string account;
    std::string statistics;
    std::string worldTopTen;
    std::string tables;
    std::string avatarPrefix;  // + nick + ".jpg"
    std::string config;
    std::string news;
    std::string ipEcho;
    std::string musicFolder;  // + "_playlist.html" or a track's line
    PictureStore pictureStore;
};

// The addresses under `base` (a '/' is added when it has none). The picture store takes the base's
// host and the built-in account.
ServiceAddresses AddressesUnderBase(std::string_view base);

// The built-in addresses, deciphered.
ServiceAddresses BuiltInAddresses();

// The service the game talks to: the address given on the command line, else the environment's
// KESP_SERVICE, else the built-in one. A given base must be an http or https address.
struct ServiceChoice {
    ServiceAddresses addresses;
    bool overridden = false;  // a base was given, so stored addresses do not apply
};
std::optional<ServiceChoice> ChooseService(const std::optional<std::string>& commandLineBase,
                                           const char* environmentBase);

// The service this run of the program talks to, for the places that are not handed the online
// service (the library downloads, the local network's address page). Until the program sets it:
// the environment's KESP_SERVICE, else the built-in one. Used on the GUI thread only.
const ServiceAddresses& ServiceInUse();
void SetServiceInUse(const ServiceAddresses& addresses);

// An http or https address with a host.
bool IsServiceAddress(std::string_view address);

// The host of an http or https address ("" when there is none).
std::string AddressHost(std::string_view address);

}  // namespace kesp
