// The main menu's row 5 for the online account: the account's record read for the line.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "network/online_records.h"

class QObject;

namespace kesp {

class ServiceQueue;

// Reads the account's game record on the queue; `done` gets the row's line for club view 1 or 2,
// or nothing when the read failed. Called back only while `receiver` lives.
void ReadAccountLine(ServiceQueue& queue, QObject* receiver, const TZunUser& user,
                     const std::string& accountAddress, int clubView,
                     std::function<void(std::optional<QString>)> done);

}  // namespace kesp
