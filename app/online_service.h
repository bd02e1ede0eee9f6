// The game's link to the online service: which service, its addresses after the configuration
// document, the pauses that document sets, and the queue every request runs on. The windows of the
// account, the lists, the statistics, the chat and the news all reach the service through it.
#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "network/service_addresses.h"
#include "network/service_config.h"
#include "network/service_queue.h"
#include "records/settings.h"

namespace kesp {

class OnlineService : public QObject {
    Q_OBJECT

  public:
    // Takes the service from the environment (KESP_SERVICE) or the built-in one.
    OnlineService(Settings& settings, QObject* parent = nullptr);

    // A service given on the command line; false (and nothing changes) when it is not an http or
    // https address.
    bool UseService(const std::string& base);

    // After the settings are read: the world top ten and statistics addresses they keep apply unless
    // a service was given.
    void TakeStoredAddresses();

    // The three reads of the configuration document, in order on the queue; `done` runs on this
    // thread after the third. Updates the settings' enciphered addresses when the document replaces
    // them.
    void ReadConfiguration(std::function<void()> done = {});

    ServiceQueue& Queue() { return queue_; }
    const ServiceAddresses& Addresses() const { return addresses_; }
    bool WorldTopTenPaused() const { return configuration_.worldTopTenPaused; }
    bool ChatPaused() const { return configuration_.chatPaused; }
    bool Overridden() const { return overridden_; }

  private:
    void ApplyConfiguration();

    Settings& settings_;
    ServiceAddresses addresses_;
    ServiceConfiguration configuration_;
    bool overridden_ = false;
    ServiceQueue queue_;
};

}  // namespace kesp
