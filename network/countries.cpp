#include "network/countries.h"

#include <array>
#include <span>

namespace kesp {

namespace {

// `wire` is empty where the wire name is the English name with '_' for blanks.
struct CountryEntry {
    std::string_view english;
    std::string_view russian;
    std::string_view wire;
    std::string_view iso;
};

constexpr CountryEntry kUnknown{"Unknown", "Неизвестно", "", ""};

constexpr CountryEntry kEurope[] = {
    {"Russia", "Россия", "", "ru"},
    {"Albania", "Албания", "", "al"},
    {"Andorra", "Андорра", "", "ad"},
    {"Austria", "Австрия", "", "at"},
    {"Belarus", "Беларусь", "", "by"},
    {"Belgium", "Бельгия", "", "be"},
    {"Bosnia & Herzegovina", "Босния и Герцеговина", "Bosnia_Herz.", "ba"},
    {"Bulgaria", "Болгария", "", "bg"},
    {"Croatia", "Хорватия", "", "hr"},
    {"Czech Republic", "Чехия", "", "cz"},
    {"Denmark", "Дания", "", "dk"},
    {"Estonia", "Эстония", "", "ee"},
    {"Faroe Islands", "Фарерские острова", "", "fo"},
    {"Finland", "Финляндия", "", "fi"},
    {"France", "Франция", "", "fr"},
    {"Germany", "Германия", "", "de"},
    {"Gibraltar", "Гибралтар", "", "gi"},
    {"Greece", "Греция", "", "gr"},
    {"Guernsey", "Гернси", "", ""},
    {"Hungary", "Венгрия", "", "hu"},
    {"Iceland", "Исландия", "", "is"},
    {"Ireland", "Ирландия", "", "ie"},
    {"Isle of Man", "Остров Мэн", "", ""},
    {"Italy", "Италия", "", "it"},
    {"Jersey", "Джерси", "", ""},
    {"Latvia", "Латвия", "", "lv"},
    {"Liechtenstein", "Лихтенштейн", "", "li"},
    {"Lithuania", "Литва", "", "lt"},
    {"Luxembourg", "Люксембург", "", "lu"},
    {"Macedonia", "Македония", "", "mk"},
    {"Malta", "Мальта", "", "mt"},
    {"Moldova", "Молдова", "", "md"},
    {"Monaco", "Монако", "", "mc"},
    {"Netherlands", "Нидерланды", "", "nl"},
    {"Norway", "Норвегия", "", "no"},
    {"Poland", "Польша", "", "pl"},
    {"Portugal", "Португалия", "", "pt"},
    {"Romania", "Румыния", "", "ro"},
    {"San Marino", "Сан-Марино", "", "sm"},
    {"Serbia-Montenegro", "Сербия и Черногория", "Serbia-Mont.", "cs"},
    {"Slovakia", "Словакия", "", "sk"},
    {"Slovenia", "Словения", "", "si"},
    {"Spain", "Испания", "", "es"},
    {"Sweden", "Швеция", "", "se"},
    {"Switzerland", "Швейцария", "", "ch"},
    {"Ukraine", "Украина", "", "ua"},
    {"Vatican City", "Ватикан", "", "va"},
    {"United Kingdom", "Великобритания", "", "gb"},
};

constexpr CountryEntry kAsia[] = {
    {"Afghanistan", "Афганистан", "", "af"},
    {"Armenia", "Армения", "", "am"},
    {"Azerbaijan", "Азербайджан", "", "az"},
    {"Bahrain", "Бахрейн", "", "bh"},
    {"Bangladesh", "Бангладеш", "", "bd"},
    {"Bhutan", "Бутан", "", "bt"},
    {"British Indian Ocean Territory", "Британская территория в Индийском океане", "B.I.O.T.", "io"},
    {"Brunei", "Бруней", "", "bn"},
    {"Cambodia", "Камбоджа", "", "kh"},
    {"China", "Китай", "", "cn"},
    {"Cyprus", "Кипр", "", "cy"},
    {"East Timor", "Восточный Тимор", "", "tl"},
    {"Georgia", "Грузия", "", "ge"},
    {"Hong Kong", "Гонконг", "", "hk"},
    {"India", "Индия", "", "in"},
    {"Indonesia", "Индонезия", "", "id"},
    {"Iran", "Иран", "", "ir"},
    {"Iraq", "Ирак", "", "iq"},
    {"Israel", "Израиль", "", "il"},
    {"Japan", "Япония", "", "jp"},
    {"Jordan", "Иордания", "", "jo"},
    {"Kazakhstan", "Казахстан", "", "kz"},
    {"Kuwait", "Кувейт", "", "kw"},
    {"Kyrgyzstan", "Киргизия", "", "kg"},
    {"Laos", "Лаос", "", "la"},
    {"Lebanon", "Ливан", "", "lb"},
    {"Macau", "Макао", "", "mo"},
    {"Malaysia", "Малайзия", "", "my"},
    {"Maledives", "Мальдивы", "", "mv"},
    {"Mongolia", "Монголия", "", "mn"},
    {"Myanmar", "Мьянма", "", "mm"},
    {"Nepal", "Непал", "", "np"},
    {"North Korea", "Северная Корея", "", "kp"},
    {"Oman", "Оман", "", "om"},
    {"Pakistan", "Пакистан", "", "pk"},
    {"Philippines", "Филиппины", "", "ph"},
    {"Qatar", "Катар", "", "qa"},
    {"Saudi Arabia", "Саудовская Аравия", "", "sa"},
    {"Singapore", "Сингапур", "", "sg"},
    {"South Korea", "Южная Корея", "", "kr"},
    {"Sri-Lanka", "Шри-Ланка", "", "lk"},
    {"Syria", "Сирия", "", "sy"},
    {"Taiwan", "Тайвань", "", "tw"},
    {"Tajikistan", "Таджикистан", "", "tj"},
    {"Thailand", "Таиланд", "", "th"},
    {"Turkey", "Турция", "", "tr"},
    {"Turkmenistan", "Туркмения", "", "tm"},
    {"United Arab Emirates", "Объединённые Арабские Эмираты", "UAE", "ae"},
    {"Uzbekistan", "Узбекистан", "", "uz"},
    {"Vietnam", "Вьетнам", "", "vn"},
    {"Yemen", "Йемен", "", "ye"},
};

constexpr CountryEntry kNorthAmerica[] = {
    {"Anguilla", "Ангилья", "", "ai"},
    {"Antigua and Barbuda", "Антигуа и Барбуда", "Antigua-Barbuda", "ag"},
    {"Aruba", "Аруба", "", "aw"},
    {"Bahamas", "Багамские острова", "", "bs"},
    {"Barbados", "Барбадос", "", "bb"},
    {"Belize", "Белиз", "", "bz"},
    {"Bermuda", "Бермудские острова", "", "bm"},
    {"British Virgin Islands", "Британские Виргинские острова", "BVI", "vg"},
    {"Canada", "Канада", "", "ca"},
    {"Cayman Islands", "Каймановы острова", "", "ky"},
    {"Costa Rica", "Коста-Рика", "", "cr"},
    {"Cuba", "Куба", "", "cu"},
    {"Dominica", "Доминика", "", "dm"},
    {"Dominican Republic", "Доминиканская Республика", "Dominican_Rep.", "do"},
    {"El Salvador", "Сальвадор", "", "sv"},
    {"Greenland", "Гренландия", "", "gl"},
    {"Grenada", "Гренада", "", "gd"},
    {"Guatemala", "Гватемала", "", "gt"},
    {"Haiti", "Гаити", "", "ht"},
    {"Honduras", "Гондурас", "", "hn"},
    {"Jamaica", "Ямайка", "", "jm"},
    {"Martinique", "Мартиника", "", "mq"},
    {"Mexico", "Мексика", "", "mx"},
    {"Montserrat", "Монтсеррат", "", "ms"},
    {"Nicaragua", "Никарагуа", "", "ni"},
    {"Panama", "Панама", "", "pa"},
    {"Puerto Rico", "Пуэрто-Рико", "", "pr"},
    {"Saint Kitts and Nevis", "Сент-Китс и Невис", "Saint_Kitts_N.", "kn"},
    {"Saint Lucia", "Сент-Люсия", "", "lc"},
    {"Saint Pierre and Miquelon", "Сен-Пьер и Микелон", "Saint_Pierre_M.", "pm"},
    {"Saint Vincent and the Grenadines", "Сент-Винсент и Гренадины", "S.V._Grenadines", "vc"},
    {"Trinidad and Tobago", "Тринидад и Тобаго", "Trinidad_Tobago", "tt"},
    {"Turks and Caicos Islands", "Теркс и Кайкос", "Turks_Caicos_I.", "tc"},
    {"USA", "США", "", "us"},
    {"Virgin Islands", "Виргинские острова", "", "vi"},
};

constexpr CountryEntry kSouthAmerica[] = {
    {"Argentina", "Аргентина", "", "ar"},
    {"Bolivia", "Боливия", "", "bo"},
    {"Brazil", "Бразилия", "", "br"},
    {"Chile", "Чили", "", "cl"},
    {"Colombia", "Колумбия", "", "co"},
    {"Equador", "Эквадор", "", "ec"},
    {"Falkland Islands", "Фолклендские острова", "Falkland_Isl.", "fk"},
    {"Guyana", "Гайана", "", "gy"},
    {"Paraquay", "Парагвай", "", "py"},
    {"Peru", "Перу", "", "pe"},
    {"South Georgia", "Южная Георгия", "", "gs"},
    {"Suriname", "Суринам", "", "sr"},
    {"Uruquay", "Уругвай", "", "uy"},
    {"Venezuela", "Венесуэла", "", "ve"},
};

constexpr CountryEntry kOceania[] = {
    {"American Samoa", "Американское Самоа", "", "as"},
    {"Australia", "Австралия", "", "au"},
    {"Cook Islands", "Острова Кука", "", "ck"},
    {"Fiji", "Фиджи", "", "fj"},
    {"French Polynesia", "Французская Полинезия", "Fr._Polynesia", "pf"},
    {"Guam", "Гуам", "", "gu"},
    {"Kiribati", "Кирибати", "", "ki"},
    {"Marshall Islands", "Маршалловы острова", "Marshall_Isl.", "mh"},
    {"Micronesia", "Микронезия", "", "fm"},
    {"Nauru", "Науру", "", "nr"},
    {"New Zealand", "Новая Зеландия", "", "nz"},
    {"Niue", "Ниуэ", "", "nu"},
    {"Norfolk Island", "Остров Норфолк", "", "nf"},
    {"Northern Mariana Islands", "Северные Марианские острова", "N._Mariana_Isl.", "mp"},
    {"Palau", "Палау", "", "pw"},
    {"Papua New Guinea", "Папуа — Новая Гвинея", "Papua_New_G.", "pg"},
    {"Pitcairn Islands", "Острова Питкэрн", "Pitcairn_Isl.", "pn"},
    {"Samoa", "Самоа", "", "ws"},
    {"Solomon Islands", "Соломоновы острова", "", "sb"},
    {"Tonga", "Тонга", "", "to"},
    {"Tuvalu", "Тувалу", "", "tv"},
    {"Vanuatu", "Вануату", "", "vu"},
    {"Wallis and Futuna", "Уоллис и Футуна", "Wallis-Futuna", "wf"},
};

// Congo Republic has no short wire name of its own; it takes the general form "Congo_Republic",
// which stays apart from "Congo_DR".
constexpr CountryEntry kAfrica[] = {
    {"Algeria", "Алжир", "", "dz"},
    {"Angola", "Ангола", "", "ao"},
    {"Benin", "Бенин", "", "bj"},
    {"Botswana", "Ботсвана", "", "bw"},
    {"Burkina Faso", "Буркина-Фасо", "", "bf"},
    {"Burundi", "Бурунди", "", "bi"},
    {"Cameroon", "Камерун", "", "cm"},
    {"Cape Verde", "Кабо-Верде", "", "cv"},
    {"Central African Republic", "Центральноафриканская Республика", "CAR", "cf"},
    {"Chad", "Чад", "", "td"},
    {"Comoros", "Коморские острова", "", "km"},
    {"Congo Republic", "Республика Конго", "", "cg"},
    {"Congo Democratic Republic", "Демократическая Республика Конго", "Congo_DR", "cd"},
    {"Djibouti", "Джибути", "", "dj"},
    {"Egypt", "Египет", "", "eg"},
    {"Equatorial Guinea", "Экваториальная Гвинея", "Eq._Guinea", "gq"},
    {"Eritrea", "Эритрея", "", "er"},
    {"Ethiopia", "Эфиопия", "", "et"},
    {"Gabon", "Габон", "", "ga"},
    {"Gambia", "Гамбия", "", "gm"},
    {"Ghana", "Гана", "", "gh"},
    {"Guinea", "Гвинея", "", "gn"},
    {"Guinea-Bissau", "Гвинея-Бисау", "", "gw"},
    {"Ivory Coast (Cote Divoire)", "Кот-д'Ивуар", "Cote_Divoire", "ci"},
    {"Kenya", "Кения", "", "ke"},
    {"Lesotho", "Лесото", "", "ls"},
    {"Liberia", "Либерия", "", "lr"},
    {"Libya", "Ливия", "", "ly"},
    {"Madagascar", "Мадагаскар", "", "mg"},
    {"Malawi", "Малави", "", "mw"},
    {"Mali", "Мали", "", "ml"},
    {"Mauretania", "Мавритания", "", "mr"},
    {"Mauritius", "Маврикий", "", "mu"},
    {"Morocco", "Марокко", "", "ma"},
    {"Mozambique", "Мозамбик", "", "mz"},
    {"Namibia", "Намибия", "", "na"},
    {"Niger", "Нигер", "", "ne"},
    {"Nigeria", "Нигерия", "", "ng"},
    {"Rwanda", "Руанда", "", "rw"},
    {"Saint Helena", "Остров Святой Елены", "", "sh"},
    {"Sao Tome and Principe", "Сан-Томе и Принсипи", "Sao_Tome_Pr.", "st"},
    {"Senegal", "Сенегал", "", "sn"},
    {"Seychelles", "Сейшельские острова", "", "sc"},
    {"Sierra Leone", "Сьерра-Леоне", "", "sl"},
    {"Somalia", "Сомали", "", "so"},
    {"South Africa", "Южно-Африканская Республика", "", "za"},
    {"Sudan", "Судан", "", "sd"},
    {"Swaziland", "Свазиленд", "", "sz"},
    {"Tanzania", "Танзания", "", "tz"},
    {"Togo", "Того", "", "tg"},
    {"Tunisia", "Тунис", "", "tn"},
    {"Uganda", "Уганда", "", "ug"},
    {"Zambia", "Замбия", "", "zm"},
    {"Zimbabwe", "Зимбабве", "", "zw"},
};

constexpr std::array<std::span<const CountryEntry>, kContinentCount> kContinents = {
    kEurope, kAsia, kNorthAmerica, kSouthAmerica, kOceania, kAfrica};

bool InLists(CountryCode country) {
    return country.continent >= 1 && country.continent <= kContinentCount && country.index >= 0 &&
           country.index <= CountryCount(country.continent);
}

const CountryEntry& Entry(CountryCode country) {
    if (!InLists(country) || country.index == 0) return kUnknown;
    return kContinents[country.continent - 1][country.index - 1];
}

}  // namespace

int CountryCount(int continent) {
    if (continent < 1 || continent > kContinentCount) return 0;
    return static_cast<int>(kContinents[continent - 1].size());
}

std::optional<std::string> CountryCodeText(CountryCode country) {
    if (!InLists(country)) return std::nullopt;
    std::string code = std::to_string(country.continent) + "-";
    const std::string index = std::to_string(country.index);
    code.append(3 - index.size(), '0');
    return code + index;
}

std::optional<CountryCode> ParseCountryCode(std::string_view code5) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (code5.size() != 5 || code5[1] != '-') return std::nullopt;
    for (int i : {0, 2, 3, 4})
        if (!digit(code5[i])) return std::nullopt;
    const CountryCode country{code5[0] - '0',
                              (code5[2] - '0') * 100 + (code5[3] - '0') * 10 + (code5[4] - '0')};
    if (!InLists(country)) return std::nullopt;
    return country;
}

std::string CountryEnglishName(CountryCode country) {
    return std::string(Entry(country).english);
}

std::string CountryRussianName(CountryCode country) {
    return std::string(Entry(country).russian);
}

std::string CountryWireName(CountryCode country) {
    const CountryEntry& entry = Entry(country);
    if (!entry.wire.empty()) return std::string(entry.wire);
    std::string wire(entry.english);
    for (char& c : wire)
        if (c == ' ') c = '_';
    return wire;
}

std::string_view CountryIsoCode(CountryCode country) {
    return Entry(country).iso;
}

std::optional<CountryCode> CountryByWireName(std::string_view wire) {
    for (int continent = 1; continent <= kContinentCount; ++continent)
        for (int index = 1; index <= CountryCount(continent); ++index)
            if (CountryWireName({continent, index}) == wire) return CountryCode{continent, index};
    return std::nullopt;
}

}  // namespace kesp
