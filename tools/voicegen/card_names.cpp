#include "card_names.h"

namespace voicegen {
namespace {

struct Words {
    const char* suits[4];
    const char* ranks[kRanks];
};

const Words kEnglish = {
    {"hearts", "diamonds", "clubs", "spades"},
    {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "jack", "queen", "king", "ace"}};
// Suits in the genitive plural, as in "туз пик".
const Words kRussian = {{"червей", "бубён", "треф", "пик"},
                        {"двойка", "тройка", "четвёрка", "пятёрка", "шестёрка", "семёрка", "восьмёрка",
                         "девятка", "десятка", "валет", "дама", "король", "туз"}};
const Words kGerman = {{"Herz", "Karo", "Kreuz", "Pik"},
                       {"Zwei", "Drei", "Vier", "Fünf", "Sechs", "Sieben", "Acht", "Neun", "Zehn", "Bube",
                        "Dame", "König", "Ass"}};
const Words kFrench = {
    {"cœur", "carreau", "trèfle", "pique"},
    {"deux", "trois", "quatre", "cinq", "six", "sept", "huit", "neuf", "dix", "valet", "dame", "roi", "as"}};
const Words kSpanish = {{"corazones", "diamantes", "tréboles", "picas"},
                        {"dos", "tres", "cuatro", "cinco", "seis", "siete", "ocho", "nueve", "diez", "jota",
                         "reina", "rey", "as"}};
const Words kChinese = {
    {"红桃", "方块", "梅花", "黑桃"},
    {"二", "三", "四", "五", "六", "七", "八", "九", "十", "杰克", "皇后", "国王", "爱斯"}};
const Words kItalian = {{"cuori", "quadri", "fiori", "picche"},
                        {"due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove", "dieci", "fante",
                         "donna", "re", "asso"}};
// Czech suits are adjectives whose ending follows the card's gender (see CzechName).
const Words kCzech = {{"srdcov", "károv", "křížov", "pikov"},
                      {"dvojka", "trojka", "čtyřka", "pětka", "šestka", "sedmička", "osmička", "devítka",
                       "desítka", "kluk", "dáma", "král", "eso"}};
const Words kJapanese = {{"ハート", "ダイヤ", "クラブ", "スペード"},
                         {"に", "さん", "よん", "ご", "ろく", "なな", "はち", "きゅう", "じゅう", "ジャック",
                          "クイーン", "キング", "エース"}};
const Words kKorean = {{"하트", "다이아몬드", "클로버", "스페이드"},
                       {"이", "삼", "사", "오", "육", "칠", "팔", "구", "십", "잭", "퀸", "킹", "에이스"}};

std::string CzechName(int suit, int rank) {
    // The jack and the king are masculine, the ace neuter, the queen and the numbers feminine.
    const char* ending = (rank == 9 || rank == 11) ? "ý" : rank == 12 ? "é" : "á";
    return std::string(kCzech.suits[suit]) + ending + " " + kCzech.ranks[rank];
}

}  // namespace

std::string CardName(int language, int suit, int rank) {
    auto s = [&](const Words& w) { return std::string(w.suits[suit]); };
    auto r = [&](const Words& w) { return std::string(w.ranks[rank]); };
    switch (language) {
        case 0:
            return r(kEnglish) + " of " + s(kEnglish);
        case 1:
            return r(kRussian) + " " + s(kRussian);
        case 2:
            return s(kGerman) + "-" + r(kGerman);
        case 3:
            return r(kFrench) + " de " + s(kFrench);
        case 4:
            return r(kSpanish) + " de " + s(kSpanish);
        case 5:
            return s(kChinese) + r(kChinese);
        case 6:
            return r(kItalian) + " di " + s(kItalian);
        case 7:
            return CzechName(suit, rank);
        case 8:
            return s(kJapanese) + "の" + r(kJapanese);
        case 9:
            return s(kKorean) + " " + r(kKorean);
        default:
            return {};
    }
}

}  // namespace voicegen
