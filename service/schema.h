// The service's tables, as a list of migrations applied in order; a released migration is never
// changed, a new one is added at the end.
#pragma once

#include <QString>
#include <vector>

namespace kesp::service {

std::vector<std::vector<QString>> SchemaMigrations(bool postgres);

}  // namespace kesp::service
