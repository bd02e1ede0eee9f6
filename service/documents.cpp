#include "service/documents.h"

#include <fstream>
#include <string_view>

#include "network/service_cipher.h"
#include "service/validation.h"

namespace kesp::service {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kNewsPage =
    "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<title>Kesp news</title></head>\n<body>\n<h1>Kesp news</h1>\n"
    "<p>Welcome to this Kesp service. The operator writes the news here.</p>\n"
    "<!-- The game reads the number after the tag; raise it with every new item. -->\n"
    "<p hidden>ZunNews00001</p>\n</body></html>\n";

bool WriteIfMissing(const fs::path& file, std::string_view text, std::string& error) {
    if (fs::exists(file)) return true;
    const fs::path partial = file.string() + ".new";
    {
        std::ofstream out(partial, std::ios::binary);
        out << text;
        if (!out.flush()) {
            error = "cannot write " + file.string();
            return false;
        }
    }
    std::error_code failure;
    fs::rename(partial, file, failure);
    if (failure) error = "cannot write " + file.string();
    return !failure;
}

// A single file name: no folder part, no hidden file.
bool IsPlainName(std::string_view name) {
    return !name.empty() && name.size() <= 100 && name.front() != '.' &&
           name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

}  // namespace

std::string ConfigurationDocument(const std::string& baseUrl) {
    return "WTGamesPatt=" + Encipher(baseUrl + "worldtop", CipherKey::WorldTopTenAddress) + "#\r\n" +
           "StatPath=" + Encipher(baseUrl + "statistics", CipherKey::StatisticsAddress) + "#\r\n" +
           "AccPath=" + Encipher(baseUrl + "account", CipherKey::AccountAddress) + "#\r\n";
}

bool PrepareDataFolder(const fs::path& folder, const fs::path& programFolder, const std::string& baseUrl,
                       std::string& error) {
    std::error_code failure;
    for (const char* sub : {"avatars", "incoming", "musik", "downloads/progr/cards"}) {
        fs::create_directories(folder / sub, failure);
        if (failure) {
            error = "cannot create " + (folder / sub).string() + ": " + failure.message();
            return false;
        }
    }
    for (const char* sub : {"musik", "downloads/progr/cards"}) {
        for (const auto& entry : fs::directory_iterator(programFolder / sub, failure)) {
            const fs::path target = folder / sub / entry.path().filename();
            if (entry.is_regular_file() && !fs::exists(target)) {
                // A link costs nothing where the data folder shares the build's disk; the libraries
                // alone are tens of megabytes.
                fs::create_hard_link(entry.path(), target, failure);
                if (failure) {
                    failure.clear();
                    fs::copy_file(entry.path(), target, failure);
                }
            }
            if (failure) {
                error = "cannot copy " + entry.path().string() + ": " + failure.message();
                return false;
            }
        }
        failure.clear();
    }
    return WriteIfMissing(folder / "config.txt", ConfigurationDocument(baseUrl), error) &&
           WriteIfMissing(folder / "news.html", kNewsPage, error);
}

std::optional<fs::path> DocumentFile(const fs::path& folder, const std::string& urlPath) {
    const std::string_view path = urlPath;
    if (path == "/config.txt" || path == "/news.html") return folder / path.substr(1);
    if (StartsWith(path, "/avatars/") && path.size() > 13 && path.substr(path.size() - 4) == ".jpg") {
        const std::string_view nick = path.substr(9, path.size() - 13);
        // The game percent-encodes the nick in Windows-1251; a browser sends UTF-8.
        auto utf8 = ValidNickUtf8(nick);
        if (!utf8) utf8 = ValidNick(nick);
        if (!utf8) return std::nullopt;
        return folder / "avatars" / (*utf8 + ".jpg");
    }
    for (const std::string_view prefix :
         {std::string_view("/musik/"), std::string_view("/downloads/progr/cards/")}) {
        if (!StartsWith(path, prefix)) continue;
        const std::string_view name = path.substr(prefix.size());
        if (!IsPlainName(name)) return std::nullopt;
        return folder / prefix.substr(1) / std::string(name);
    }
    return std::nullopt;
}

std::string ContentType(const fs::path& file) {
    const std::string extension = file.extension().string();
    if (extension == ".jpg") return "image/jpeg";
    if (extension == ".mp3") return "audio/mpeg";
    if (extension == ".html") return "text/html; charset=utf-8";
    if (extension == ".txt") return "text/plain; charset=utf-8";
    return "application/octet-stream";
}

}  // namespace kesp::service
