#include "app/online_service.h"

#include <QApplication>
#include <QCursor>
#include <cstdlib>
#include <memory>

#include "network/online_requests.h"
#include "network/service_cipher.h"

namespace kesp {
namespace {

// A stored address that deciphers to a web address; nothing for a stand-in or a damaged value.
std::optional<std::string> StoredAddress(const std::string& enciphered, CipherKey key) {
    const auto plain = Decipher(enciphered, key);
    if (!plain || !IsServiceAddress(*plain)) return std::nullopt;
    return plain;
}

}  // namespace

OnlineService::OnlineService(Settings& settings, QObject* parent) : QObject(parent), settings_(settings) {
    const auto choice = ChooseService(std::nullopt, std::getenv("KESP_SERVICE"));
    const auto chosen = choice ? *choice : *ChooseService(std::nullopt, nullptr);
    addresses_ = chosen.addresses;
    overridden_ = chosen.overridden;
    SetServiceInUse(addresses_);
    ApplyConfiguration();
    // While a request runs the pointer says so; the window stays usable.
    connect(&queue_, &ServiceQueue::busyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

bool OnlineService::UseService(const std::string& base) {
    const auto choice = ChooseService(base, nullptr);
    if (!choice) return false;
    addresses_ = choice->addresses;
    overridden_ = true;
    SetServiceInUse(addresses_);
    ApplyConfiguration();
    return true;
}

void OnlineService::ApplyConfiguration() {
    configuration_.worldTopTenAddress = addresses_.worldTopTen;
    configuration_.statisticsAddress = addresses_.statistics;
    configuration_.accountAddress = addresses_.account;
}

void OnlineService::TakeStoredAddresses() {
    if (overridden_) return;
    if (auto world = StoredAddress(settings_.WorldTopTenAddress, CipherKey::WorldTopTenAddress))
        addresses_.worldTopTen = configuration_.worldTopTenAddress = *world;
    if (auto statistics = StoredAddress(settings_.StatisticsAddress, CipherKey::StatisticsAddress))
        addresses_.statistics = configuration_.statisticsAddress = *statistics;
}

void OnlineService::ReadConfiguration(std::function<void()> done) {
    const std::string address = addresses_.config;
    const std::string builtInAccount = addresses_.account;
    auto read = std::make_shared<ServiceConfiguration>(configuration_);
    // Three downloads of their own, each applied as it arrives.
    queue_.Run<bool>(
        this,
        [address, builtInAccount, read](ServiceClient&) {
            const auto first = DownloadText(address);
            ApplyWorldTopTenStep(first ? &*first : nullptr, *read);
            const auto second = DownloadText(address);
            ApplyStatisticsStep(second ? &*second : nullptr, *read);
            const auto third = DownloadText(address);
            ApplyAccountStep(third ? &*third : nullptr, builtInAccount, *read);
            return true;
        },
        [this, read, done = std::move(done)](bool) {
            configuration_ = *read;
            if (addresses_.worldTopTen != read->worldTopTenAddress) {
                addresses_.worldTopTen = read->worldTopTenAddress;
                settings_.WorldTopTenAddress =
                    Encipher(addresses_.worldTopTen, CipherKey::WorldTopTenAddress);
            }
            if (addresses_.statistics != read->statisticsAddress) {
                addresses_.statistics = read->statisticsAddress;
                settings_.StatisticsAddress = Encipher(addresses_.statistics, CipherKey::StatisticsAddress);
            }
            addresses_.account = read->accountAddress;
            if (done) done();
        });
}

}  // namespace kesp
