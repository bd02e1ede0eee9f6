// The user file "ZunUser.zun": the saved login of the online account, shared by every game of the
// maker installed side by side, so it lives in the folder above the program's folder. Three lines
// (CR LF, code page 1251): the header "Zun User File", the nick, the password enciphered.
#pragma once

#include <optional>
#include <string>

namespace kesp {

inline constexpr const char* kUserFileName = "ZunUser.zun";
inline constexpr const char* kUserFileHeader = "Zun User File";

struct UserFile {
    std::string Nick;  // UTF-8
    std::string PwC;   // the password enciphered, printable
    bool operator==(const UserFile&) const = default;
};

// The parent of the program's folder, with a trailing '/' ("/opt/games/kesp/" gives "/opt/games/").
std::string FolderAboveProgram(const std::string& programDir);
std::string UserFilePath(const std::string& programDir);

// The file's nick and enciphered password; nothing when it cannot be read, its first line differs
// from the header or the nick or password line is missing.
std::optional<UserFile> ReadUserFile(const std::string& path);
// Writes the whole file at once (a failed write leaves the old file whole); false on failure,
// also for a nick code page 1251 cannot write.
bool WriteUserFile(const std::string& path, const UserFile& user);
// False when the file still exists afterwards.
bool DeleteUserFile(const std::string& path);
bool UserFileExists(const std::string& path);

// The password the start-up login sends: the deciphered password with every blank, '#' and '$'
// as '-' (characters the service's records could not carry).
std::string StartUpPassword(std::string deciphered);

}  // namespace kesp
