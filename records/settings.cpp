// Loading and saving the settings file, and the program's folder it lives in.
#include "records/settings.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <system_error>

#include "records/atomic_file.h"

namespace kesp {

std::string ProgramDirOf(std::string folder) {
    if (folder.empty()) return "./";
    if (folder.back() != '/') folder += '/';
    return folder;
}

std::string ExecutableProgramDir() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return ProgramDirOf(std::filesystem::current_path(error).string());
    return ProgramDirOf(executable.parent_path().string());
}

std::string SettingsFilePath(const std::string& programDir) {
    return ProgramDirOf(programDir) + std::string(kSettingsFileName);
}

namespace {

// The file's bytes when it is a regular file that can be read. A read error (a folder in the
// file's place, a failing disk) surfaces from the stream as an exception; it counts as no file.
std::optional<std::string> ReadSettingsFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    try {
        return ReadWholeFile(path);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

SettingsLoad LoadSettings(Settings& settings, const std::string& programDir) {
    const std::string path = SettingsFilePath(programDir);
    std::optional<std::string> bytes = ReadSettingsFile(path);
    if (!bytes) bytes = ReadSettingsFile(path);  // one more try, as for a file held open a moment
    if (!bytes) {
        settings = Settings{};
        return SettingsLoad::kDefaults;
    }
    return ReadSettingsText(settings, *bytes);
}

SettingsSave SaveSettings(const Settings& settings, const std::string& programDir,
                          bool clubFileBadAtStartup) {
    if (clubFileBadAtStartup) return SettingsSave::kNotWritten;
    const std::string path = SettingsFilePath(programDir);
    const std::string text = SettingsFileText(settings);
    if (WriteFileAtomically(path, text) || WriteFileAtomically(path, text)) return SettingsSave::kWritten;
    return SettingsSave::kCannotSaveOptions;
}

void RestoreStartupFontNames(Settings& settings) {
    settings.FontLarge = "Comic Sans MS";
    settings.FontSmall = "Comic Sans MS";
    settings.FontSpecial1 = "Fixedsys";
    settings.FontSpecial2 = "Courier New";
}

}  // namespace kesp
