// The public page at the service's base address: the standings and the news in plain HTML and CSS
// that reads well on a phone and a desktop, with no script.
#pragma once

#include <QSqlDatabase>
#include <filesystem>
#include <optional>
#include <string>

namespace kesp::service {

// Nothing when the database cannot be read.
std::optional<std::string> WebPage(QSqlDatabase& db, const std::filesystem::path& dataFolder);

}  // namespace kesp::service
