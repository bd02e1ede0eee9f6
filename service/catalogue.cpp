#include "service/catalogue.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "service/form_body.h"

namespace kesp::service {
namespace {

// Operations with more fields are tried first: a text body of "gid, nick, city" is a prefix of a
// record post's body.
std::vector<Operation> SortedCatalogue() {
    std::vector<Operation> all = AccountOperations();
    for (auto group : {RatingOperations(), WorldOperations(), StatisticsOperations(), TableOperations()})
        all.insert(all.end(), group.begin(), group.end());
    std::stable_sort(all.begin(), all.end(),
                     [](const Operation& a, const Operation& b) { return a.keys.size() > b.keys.size(); });
    return all;
}

}  // namespace

Recognised Recognise(Address address, std::string_view body) {
    static const std::vector<Operation> catalogue = SortedCatalogue();
    // A list request may end its body with '*'; so does every record post.
    if (!body.empty() && body.back() == '*') body.remove_suffix(1);
    const bool looksListed = body.find("&&") != std::string_view::npos;
    for (const Operation& operation : catalogue) {
        if (operation.address != address) continue;
        std::optional<std::vector<std::string>> values;
        if (operation.listForm || looksListed) values = ReadListForm(body, operation.keys);
        if (!values && !operation.listForm) values = ReadTextForm(body, operation.keys);
        if (values) return {&operation, std::move(*values)};
    }
    return {};
}

long long NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string UtcNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &utc));
}

}  // namespace kesp::service
