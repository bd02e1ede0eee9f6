#include "network/service_addresses.h"

#include <cstdlib>

#include "network/built_in_service.h"
#include "network/service_cipher.h"

namespace kesp {
namespace {

std::string Deciphered(std::string_view text, CipherKey key) {
    return Decipher(text, key).value_or(std::string());
}

std::string_view WithoutScheme(std::string_view address) {
    for (const std::string_view scheme : {"http://", "https://"})
        if (address.substr(0, scheme.size()) == scheme) return address.substr(scheme.size());
    return {};
}

}  // namespace

bool IsServiceAddress(std::string_view address) {
    return !AddressHost(address).empty() && address.find_first_of(" \r\n\t") == std::string_view::npos;
}

std::string AddressHost(std::string_view address) {
    std::string_view rest = WithoutScheme(address);
    rest = rest.substr(0, rest.find('/'));
    if (const auto at = rest.rfind('@'); at != std::string_view::npos) rest = rest.substr(at + 1);
    if (!rest.empty() && rest.front() == '[') {  // an IPv6 literal keeps its brackets
        const auto close = rest.find(']');
        return close == std::string_view::npos ? std::string() : std::string(rest.substr(0, close + 1));
    }
    return std::string(rest.substr(0, rest.find(':')));
}

ServiceAddresses AddressesUnderBase(std::string_view base) {
    ServiceAddresses a;
    a.base = std::string(base);
    if (a.base.empty() || a.base.back() != '/') a.base += '/';
    a.account = a.base + "account";
    a.statistics = a.base + "statistics";
    a.worldTopTen = a.base + "worldtop";
    a.tables = a.base + "tables";
    a.avatarPrefix = a.base + "avatars/";
    a.config = a.base + "config.txt";
    a.news = a.base + "news.html";
    a.ipEcho = a.base + "get_ip.php";
    a.musicFolder = a.base + "musik/";
    a.pictureStore.host = AddressHost(a.base);
    a.pictureStore.port = builtin::kPictureStorePort;
    a.pictureStore.user = Deciphered(builtin::kPictureStoreUser, CipherKey::PictureStoreUser);
    a.pictureStore.password = Deciphered(builtin::kPictureStorePassword, CipherKey::PictureStorePassword);
    a.pictureStore.folder = Deciphered(builtin::kPictureStoreFolder, CipherKey::PictureStoreFolder);
    if (const char* port = std::getenv("KESP_FTP_PORT")) {
        const int value = std::atoi(port);
        if (value > 0 && value < 65536) a.pictureStore.port = value;
    }
    return a;
}

ServiceAddresses BuiltInAddresses() {
    ServiceAddresses a = AddressesUnderBase(Deciphered(builtin::kServiceBase, CipherKey::ConfigAddress));
    a.pictureStore.host = Deciphered(builtin::kPictureStoreHost, CipherKey::PictureStoreHost);
    return a;
}

std::optional<ServiceChoice> ChooseService(const std::optional<std::string>& commandLineBase,
                                           const char* environmentBase) {
    std::optional<std::string> given = commandLineBase;
    if (!given && environmentBase && *environmentBase) given = std::string(environmentBase);
    if (!given) return ServiceChoice{BuiltInAddresses(), false};
    if (!IsServiceAddress(*given)) return std::nullopt;
    return ServiceChoice{AddressesUnderBase(*given), true};
}

namespace {

ServiceAddresses& StoredServiceInUse() {
    static ServiceAddresses inUse = [] {
        const auto choice = ChooseService(std::nullopt, std::getenv("KESP_SERVICE"));
        return choice ? choice->addresses : BuiltInAddresses();
    }();
    return inUse;
}

}  // namespace

const ServiceAddresses& ServiceInUse() {
    return StoredServiceInUse();
}

void SetServiceInUse(const ServiceAddresses& addresses) {
    StoredServiceInUse() = addresses;
}

}  // namespace kesp
