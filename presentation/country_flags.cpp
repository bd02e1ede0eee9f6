#include "presentation/country_flags.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "network/countries.h"
#include "presentation/word_table.h"

namespace kesp {

namespace {

// The packed flags are 16 x 11.
constexpr double kFlagAspect = 16.0 / 11.0;

// A grey field with a thin frame and a question mark.
QPixmap NeutralFlag(int width, int height) {
    QPixmap flag(width, height);
    flag.fill(QColor(205, 205, 205));
    QPainter p(&flag);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(0, 0, width - 1, height - 1);
    if (height >= 8) {
        QFont font = p.font();
        font.setPixelSize(std::max(6, height * 4 / 5));
        font.setBold(true);
        p.setFont(font);
        p.setPen(QColor(90, 90, 90));
        p.drawText(QRect(0, 0, width, height), Qt::AlignCenter, "?");
    }
    return flag;
}

}  // namespace

QPixmap CountryFlag(std::string_view countryCode5, int height) {
    height = std::max(1, height);
    const int width = std::max(1, static_cast<int>(std::lround(height * kFlagAspect)));
    const auto country = ParseCountryCode(countryCode5);
    const std::string_view iso = country ? CountryIsoCode(*country) : std::string_view();
    if (!iso.empty()) {
        const QPixmap flag(":/flags/" + QString::fromLatin1(iso.data(), static_cast<int>(iso.size())) +
                           ".png");
        if (!flag.isNull())
            return flag.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return NeutralFlag(width, height);
}

QString CountryName(std::string_view countryCode5, int language) {
    const CountryCode country = ParseCountryCode(countryCode5).value_or(CountryCode{1, 0});
    return QString::fromStdString(language == kRussian ? CountryRussianName(country)
                                                       : CountryEnglishName(country));
}

}  // namespace kesp
