// Received bytes as a log line can show them: printable ASCII as it is, anything else as \xNN,
// and a long run cut short with its length.
#pragma once

#include <string>
#include <string_view>

namespace kesp {

std::string PrintableBytes(std::string_view bytes);

}  // namespace kesp
