#include "presentation/font_roles.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "presentation/table_layout.h"

namespace kesp {

std::optional<FontRole> FontRoleOfKey(std::string_view key) {
    if (key == "serif") return FontRole::Serif;
    if (key == "decor") return FontRole::Decor;
    if (key == "fixed") return FontRole::Fixed;
    if (key == "conew") return FontRole::Conew;
    return std::nullopt;
}

QString InstalledFamily(const QString& family) {
    // Each stand-in holds every letter, digit and sign of the ten languages, so that no text mixes
    // the glyphs of two fonts.
    static const std::pair<const char*, const char*> kStandIns[] = {
        {"comic sans ms", kInterfaceFamily},
        {"fixedsys", kFixedPitchFamily},
        {"courier new", kFixedPitchFamily},
        {"arial", kTitleFamily},
    };
    const QString key = family.trimmed().toLower();
    for (const auto& [windows, installed] : kStandIns)
        if (key == QLatin1String(windows)) return QString::fromLatin1(installed);
    return family;
}

QFont FontOfHeight(const QString& family, int height, bool bold) {
    height = std::max(1, height);
    // FixedSys is a raster font of one size, 8 x 15: a smaller height still draws its 15 pixels.
    if (family.trimmed().compare(QLatin1String("fixedsys"), Qt::CaseInsensitive) == 0)
        height = std::max(height, 15);
    QFont font;
    const QString installed = InstalledFamily(family);
    if (!installed.trimmed().isEmpty()) font.setFamilies({installed});
    // A fixed-pitch family that is not installed still gets a fixed font.
    const QString lower = installed.toLower();
    if (lower.contains("courier") || lower.contains("fixedsys") || lower.contains("mono"))
        font.setStyleHint(QFont::TypeWriter);
    font.setBold(bold);
    font.setPixelSize(height);
    // Fit the character cell rather than the em square, so that a resolved stand-in family takes the
    // room the interface was laid out for.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != height)
            font.setPixelSize(std::max(1, RoundHalfEven(static_cast<double>(height) * height / cell)));
    }
    return font;
}

FontRoles::FontRoles() : FontRoles(Settings{}) {}

FontRoles::FontRoles(const Settings& settings) {
    family_ = {QString::fromStdString(settings.FontLarge), QString::fromStdString(settings.FontSmall),
               QString::fromStdString(settings.FontSpecial1), QString::fromStdString(settings.FontSpecial2)};
    const int percents[4] = {settings.FontLargeScale, settings.FontSmallScale, settings.FontSpecial1Scale,
                             settings.FontSpecial2Scale};
    for (int i = 0; i < 4; ++i) percent_[static_cast<std::size_t>(i)] = std::clamp(percents[i], 50, 150);
}

int FontRoles::FontSize(int size, FontRole role) const {
    return RoundHalfEven(size * Percent(role) / 100.0);
}

int FontRoles::FontSize(int size, std::string_view key) const {
    const auto role = FontRoleOfKey(key);
    return role ? FontSize(size, *role) : size;
}

QFont FontRoles::MenuButtonFont(int windowSize, double s) const {
    const double d = WindowSizeInRange(windowSize) == window_size::Small ? 1.0 : 0.9;
    return FontOfHeight(Family(FontRole::Decor), RoundHalfEven(FontSize(20, FontRole::Decor) * s * d));
}

QFont FontRoles::ClubListFont(int windowSize, double s) const {
    if (WindowSizeInRange(windowSize) == window_size::Small)
        return FontOfHeight(Family(FontRole::Fixed), FontSize(11, FontRole::Fixed));
    return FontOfHeight(Family(FontRole::Conew), FontSize(RoundHalfEven(s * 16), FontRole::Conew), true);
}

QFont FontRoles::WaitButtonFont() const {
    return FontOfHeight(Family(FontRole::Decor), FontSize(20, FontRole::Decor));
}

QFont FontRoles::WaitLabelFont() const {
    return FontOfHeight(Family(FontRole::Decor), FontSize(16, FontRole::Serif));
}

}  // namespace kesp
