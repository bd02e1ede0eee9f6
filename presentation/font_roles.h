// The interface fonts by role: four families and four percentages from the settings. Drawing code
// asks for a role and a size; the family names stay as the settings keep them ("Comic Sans MS",
// "FixedSys", ...) and are drawn in installed stand-ins.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <optional>
#include <string_view>

#include "records/settings.h"

namespace kesp {

enum class FontRole : int {
    Serif = 0,  // "serif": FontLarge
    Decor = 1,  // "decor": FontSmall
    Fixed = 2,  // "fixed": FontSpecial1
    Conew = 3,  // "conew": FontSpecial2
};

// The installed families that stand in for the Windows families of the settings ("Comic Sans MS",
// "FixedSys", "Courier New", "Arial"); each covers all ten interface languages.
inline constexpr const char* kInterfaceFamily = "LXGW WenKai";
inline constexpr const char* kFixedPitchFamily = "LXGW WenKai Mono";
inline constexpr const char* kTitleFamily = "WenQuanYi Micro Hei";
// The installed family a settings family is drawn in: a stand-in for a Windows family, otherwise the
// family itself.
QString InstalledFamily(const QString& family);

// The role of a key; nothing for an unknown key.
std::optional<FontRole> FontRoleOfKey(std::string_view key);

// A font whose character cell (ascent + descent) is `height` pixels, as the interface sizes its
// texts. A blank family falls back to the application's font; heights below 1 become 1, and FixedSys,
// a one-size raster font, keeps its 15 pixels.
QFont FontOfHeight(const QString& family, int height, bool bold = false);

class FontRoles {
  public:
    FontRoles();
    explicit FontRoles(const Settings& settings);

    // round(size * percent / 100) for the role; an unknown key leaves the size as it is.
    int FontSize(int size, FontRole role) const;
    int FontSize(int size, std::string_view key) const;
    const QString& Family(FontRole role) const { return family_[static_cast<int>(role)]; }
    int Percent(FontRole role) const { return percent_[static_cast<int>(role)]; }

    // The fonts of the main window's controls, for a window size and its general scale.
    // Menu buttons and the two action buttons: FontSmall, round(FontSize(20, decor) * s * d), d 1 in
    // the small window and 0.9 otherwise.
    QFont MenuButtonFont(int windowSize, double s) const;
    // Club list rows and the menu's panels: FontSpecial1 at FontSize(11, fixed) in the small window,
    // otherwise FontSpecial2 bold at FontSize(round(s * 16), conew).
    QFont ClubListFont(int windowSize, double s) const;
    // The waiting window: its buttons at FontSize(20, decor), its labels at FontSize(16, serif), both
    // in FontSmall.
    QFont WaitButtonFont() const;
    QFont WaitLabelFont() const;

  private:
    std::array<QString, 4> family_;
    std::array<int, 4> percent_{100, 100, 100, 100};
};

}  // namespace kesp
