// A small well-formedness check of the report pages: every element closed
// in the right order (void elements excepted), quoted attributes closed,
// no bare "<" or "&" in text, one <html> root holding <head> and <body>.
// Returns an empty text when the page passes, else what is wrong and where.
#pragma once

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace vesk::test {

inline std::string SprawdzHtml(const std::string& strona) {
    static const std::set<std::string> puste = {"area", "base", "br", "col", "embed", "hr", "img",
                                                "input", "link", "meta", "source", "track", "wbr"};
    std::vector<std::string> stos;
    std::set<std::string> widziane;
    auto gdzie = [&](std::size_t i) { return " (bajt " + std::to_string(i) + ")"; };
    std::size_t i = 0;
    while (i < strona.size()) {
        char c = strona[i];
        if (c == '&') {
            std::size_t j = i + 1;
            if (j < strona.size() && strona[j] == '#') ++j;
            std::size_t start = j;
            while (j < strona.size() && std::isalnum(static_cast<unsigned char>(strona[j]))) ++j;
            if (j == start || j >= strona.size() || strona[j] != ';') return "goly znak &" + gdzie(i);
            i = j + 1;
            continue;
        }
        if (c != '<') {
            if (c == '>') return "goly znak >" + gdzie(i);
            ++i;
            continue;
        }
        if (strona.compare(i, 4, "<!--") == 0) {
            auto koniec = strona.find("-->", i + 4);
            if (koniec == std::string::npos) return "niezamkniety komentarz" + gdzie(i);
            i = koniec + 3;
            continue;
        }
        if (strona.compare(i, 2, "<!") == 0) {
            auto koniec = strona.find('>', i);
            if (koniec == std::string::npos) return "niezamkniete <!" + gdzie(i);
            i = koniec + 1;
            continue;
        }
        bool zamykajacy = i + 1 < strona.size() && strona[i + 1] == '/';
        std::size_t j = i + (zamykajacy ? 2 : 1);
        std::size_t startNazwy = j;
        while (j < strona.size() && std::isalnum(static_cast<unsigned char>(strona[j]))) ++j;
        if (j == startNazwy) return "goly znak <" + gdzie(i);
        std::string nazwa = strona.substr(startNazwy, j - startNazwy);
        std::transform(nazwa.begin(), nazwa.end(), nazwa.begin(), [](unsigned char ch) { return std::tolower(ch); });
        // The rest of the tag, with its quoted attribute values.
        char cudzyslow = 0;
        bool samozamkniety = false;
        for (; j < strona.size(); ++j) {
            char d = strona[j];
            if (cudzyslow) {
                if (d == cudzyslow) cudzyslow = 0;
                continue;
            }
            if (d == '"' || d == '\'') {
                cudzyslow = d;
                continue;
            }
            if (d == '<') return "znacznik <" + nazwa + " bez konca" + gdzie(i);
            if (d == '>') {
                samozamkniety = strona[j - 1] == '/';
                break;
            }
        }
        if (j >= strona.size()) return "znacznik <" + nazwa + " bez konca" + gdzie(i);
        i = j + 1;
        if (zamykajacy) {
            if (stos.empty() || stos.back() != nazwa)
                return "</" + nazwa + "> nie zamyka " + (stos.empty() ? std::string("niczego") : "<" + stos.back() + ">") +
                       gdzie(i);
            stos.pop_back();
            continue;
        }
        if (stos.empty() && !widziane.empty()) return "<" + nazwa + "> poza <html>" + gdzie(i);
        if (widziane.empty() && nazwa != "html") return "pierwszym elementem nie jest <html>" + gdzie(i);
        widziane.insert(nazwa);
        if (puste.count(nazwa) || samozamkniety) continue;
        stos.push_back(nazwa);
        // Raw text elements: skip to their end tag.
        if (nazwa == "style" || nazwa == "script" || nazwa == "title") {
            auto koniec = strona.find("</" + nazwa, i);
            if (koniec == std::string::npos) return "<" + nazwa + "> bez zamkniecia" + gdzie(i);
            i = koniec;
        }
    }
    if (!stos.empty()) return "niezamkniety <" + stos.back() + ">";
    if (!widziane.count("head") || !widziane.count("body")) return "brak <head> albo <body>";
    return {};
}

}  // namespace vesk::test
