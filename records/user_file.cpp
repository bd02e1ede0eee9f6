#include "records/user_file.h"

#include <filesystem>
#include <system_error>

#include "records/atomic_file.h"
#include "records/cp1251.h"

namespace kesp {

namespace {

// A saved login is a few dozen bytes; anything much larger is not one.
constexpr std::size_t kMaxUserFileBytes = 4096;

// The next line of `bytes` from `pos` without its CR LF (or LF); nothing at the end.
std::optional<std::string> NextLine(const std::string& bytes, std::size_t& pos) {
    if (pos >= bytes.size()) return std::nullopt;
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    return line;
}

}  // namespace

std::string FolderAboveProgram(const std::string& programDir) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(programDir.empty() ? "." : programDir, error);
    if (error) folder = programDir;
    folder = folder.lexically_normal();
    // "/a/b/" normalises to "/a/b/" whose parent_path is "/a/b".
    if (!folder.has_filename()) folder = folder.parent_path();
    std::string above = folder.parent_path().string();
    if (above.empty() || above.back() != '/') above += '/';
    return above;
}

std::string UserFilePath(const std::string& programDir) {
    return FolderAboveProgram(programDir) + kUserFileName;
}

std::optional<UserFile> ReadUserFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxUserFileBytes) return std::nullopt;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    std::size_t pos = 0;
    const auto header = NextLine(*bytes, pos);
    if (!header || *header != kUserFileHeader) return std::nullopt;
    const auto nick = NextLine(*bytes, pos);
    const auto password = NextLine(*bytes, pos);
    if (!nick || !password || nick->empty()) return std::nullopt;
    return UserFile{Cp1251ToUtf8(*nick), *password};
}

bool WriteUserFile(const std::string& path, const UserFile& user) {
    const auto nick = Utf8ToCp1251(user.Nick);
    if (!nick || user.Nick.empty()) return false;
    for (const std::string* field : {&*nick, &user.PwC})
        if (field->find_first_of("\r\n") != std::string::npos) return false;
    return WriteFileAtomically(path,
                               std::string(kUserFileHeader) + "\r\n" + *nick + "\r\n" + user.PwC + "\r\n");
}

bool DeleteUserFile(const std::string& path) {
    std::error_code error;
    std::filesystem::remove(path, error);
    return !UserFileExists(path);
}

bool UserFileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

std::string StartUpPassword(std::string deciphered) {
    for (char& c : deciphered)
        if (c == ' ' || c == '#' || c == '$') c = '-';
    return deciphered;
}

}  // namespace kesp
