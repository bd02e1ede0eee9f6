// The plain documents the game downloads, kept in the data folder: the configuration document,
// the news page, the pictures, the music and the libraries.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kesp::service {

// Creates the data folder's layout, the configuration document and news page, and copies the music
// and libraries the build put beside the program (in `programFolder`), each only when missing: an
// operator's own files are kept. `baseUrl` is the service's base address ("http://HOST:PORT/").
bool PrepareDataFolder(const std::filesystem::path& folder, const std::filesystem::path& programFolder,
                       const std::string& baseUrl, std::string& error);

// The configuration document's text for a service at `baseUrl`: the enciphered addresses of its
// world top ten, statistics and account scripts.
std::string ConfigurationDocument(const std::string& baseUrl);

// The file a document address names inside the data folder, or nothing when the address names no
// file the service serves (a path outside its folders, an invalid nick).
std::optional<std::filesystem::path> DocumentFile(const std::filesystem::path& folder,
                                                  const std::string& urlPath);

// The content type of a served file.
std::string ContentType(const std::filesystem::path& file);

}  // namespace kesp::service
