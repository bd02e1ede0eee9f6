#include "service/web_page.h"

#include <fstream>
#include <sstream>

#include "network/service_text.h"
#include "service/standings.h"

namespace kesp::service {
namespace {

constexpr std::string_view kStyle = R"(
body { margin: 0; font: 16px/1.45 system-ui, sans-serif; color: #1d2a21; background: #eef3ee; }
header { background: #0f5132; color: #fff; padding: 1rem; text-align: center; }
header h1 { margin: 0; font-size: 1.8rem; letter-spacing: .05em; }
main { max-width: 64rem; margin: 0 auto; padding: .5rem; display: grid; gap: 1rem;
       grid-template-columns: repeat(auto-fit, minmax(19rem, 1fr)); align-items: start; }
section { background: #fff; border-radius: .5rem; padding: .75rem 1rem; box-shadow: 0 1px 3px #0002;
          overflow-x: auto; }
h2 { margin: .2rem 0 .6rem; font-size: 1.15rem; color: #0f5132; }
table { width: 100%; border-collapse: collapse; font-size: .95rem; }
th, td { padding: .3rem .4rem; text-align: left; border-bottom: 1px solid #e3e9e3; }
td.n, th.n { text-align: right; font-variant-numeric: tabular-nums; }
tr:nth-child(even) td { background: #f6f9f6; }
p.empty { color: #6c7a70; font-style: italic; }
footer { text-align: center; color: #6c7a70; padding: 1rem; font-size: .85rem; }
)";

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

// The game writes blanks in chat texts and time stamps as '_'.
std::string Blanks(std::string text) {
    for (char& c : text)
        if (c == '_') c = ' ';
    return text;
}

struct Column {
    const char* heading;
    bool number;
};

class Table {
  public:
    Table(std::ostringstream& out, std::string_view id, std::initializer_list<Column> columns)
        : out_(out), columns_(columns) {
        out_ << "<table id=\"" << id << "\"><thead><tr>";
        for (const Column& column : columns_)
            out_ << (column.number ? "<th class=\"n\">" : "<th>") << column.heading << "</th>";
        out_ << "</tr></thead><tbody>\n";
    }
    void Row(std::initializer_list<std::string> cells) {
        out_ << "<tr>";
        std::size_t i = 0;
        for (const std::string& cell : cells)
            out_ << (columns_[i++].number ? "<td class=\"n\">" : "<td>") << Escape(cell) << "</td>";
        out_ << "</tr>\n";
    }
    ~Table() { out_ << "</tbody></table>\n"; }

  private:
    std::ostringstream& out_;
    std::vector<Column> columns_;
};

void Heading(std::ostringstream& out, std::string_view title) {
    out << "<section><h2>" << title << "</h2>\n";
}

void WorldList(std::ostringstream& out, std::string_view title, std::string_view id,
               const std::vector<WorldEntry>& entries) {
    Heading(out, title);
    if (entries.empty()) {
        out << "<p class=\"empty\">No results yet.</p>";
    } else {
        Table table(out, id, {{"#", true}, {"Player", false}, {"City", false}, {"Score", true}});
        for (const WorldEntry& e : entries)
            table.Row({std::to_string(e.place), e.nick, e.city, std::to_string(e.score)});
    }
    out << "</section>\n";
}

// What the operator wrote between the news page's body tags.
std::string NewsBody(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    const auto bodyTag = page.find("<body");
    const auto start = bodyTag == std::string::npos ? std::string::npos : page.find('>', bodyTag);
    const auto end = page.find("</body>");
    if (start == std::string::npos || end == std::string::npos || end < start) return Escape(page);
    return page.substr(start + 1, end - start - 1);
}

}  // namespace

std::optional<std::string> WebPage(QSqlDatabase& db, const std::filesystem::path& dataFolder) {
    const auto accounts = AccountTopTen(db);
    const auto windows = WorldTopTen(db, kGameNumber);
    const auto android = WorldTopTen(db, kGameNumber + 100);
    const auto accountList = WorldTopTen(db, kGameNumber + 300);
    const auto chat = WorldTopTen(db, kChatList);
    const auto statistics = ReadWorldStatistics(db);
    if (!accounts || !windows || !android || !accountList || !chat || !statistics) return std::nullopt;

    std::ostringstream out;
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<title>Kesp: world standings</title>\n<style>"
        << kStyle
        << "</style></head>\n<body>\n<header><h1>Kesp</h1><p>World standings</p></header>\n<main>\n";

    Heading(out, "Top 10 best rated players");
    if (accounts->empty()) {
        out << "<p class=\"empty\">No rated games yet.</p>";
    } else {
        Table table(out, "accounts",
                    {{"#", true}, {"Player", false}, {"City", false}, {"Country", false}, {"Rating", true}});
        int place = 0;
        for (const RankedAccount& a : *accounts)
            table.Row(
                {std::to_string(++place), a.nick, a.city, Blanks(a.country1), FormatServiceReal(a.rating)});
    }
    out << "</section>\n";
    WorldList(out, "World Top Ten: Windows", "world36", *windows);
    WorldList(out, "World Top Ten: Android", "world136", *android);
    WorldList(out, "World Top Ten: accounts", "world336", *accountList);

    Heading(out, "Statistics");
    {
        Table table(out, "statistics", {{"Count", false}, {"", true}});
        const auto& s = *statistics;
        table.Row({"Start-ups", std::to_string(s.startUps)});
        table.Row({"New installations", std::to_string(s.firstStartUps)});
        table.Row({"Likes", std::to_string(s.likes)});
        table.Row({"Last like from", s.lastLike.empty() ? "-" : s.lastLike});
        table.Row({"Player accounts", std::to_string(s.accounts)});
        table.Row({"Games reported", std::to_string(s.results)});
        table.Row({"Games against the computer", std::to_string(s.resultSums[0])});
        table.Row({"Cycles of 25 games completed", std::to_string(s.resultSums[1])});
        table.Row({"Local network games hosted", std::to_string(s.resultSums[4])});
        table.Row({"Online table games", std::to_string(s.resultSums[5])});
    }
    out << "</section>\n";

    Heading(out, "Games chat");
    if (chat->empty()) {
        out << "<p class=\"empty\">No messages yet.</p>";
    } else {
        Table table(out, "chat", {{"#", true}, {"Player", false}, {"Message", false}});
        for (const WorldEntry& e : *chat) table.Row({std::to_string(e.score), e.nick, Blanks(e.r9)});
    }
    out << "</section>\n";

    out << "<section id=\"news\"><h2>News</h2>\n" << NewsBody(dataFolder / "news.html") << "</section>\n";
    out << "</main>\n<footer>Kesp online service</footer>\n</body></html>\n";
    return out.str();
}

}  // namespace kesp::service
