#include "Zakresy.h"

#include <charconv>
#include <limits>
#include <optional>

#include "FileSystem.h"

namespace vesk {

namespace {

std::optional<std::int32_t> liczbaCalkowita(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> CzytajWierszZakresu(const std::string& line) {
    auto first = line.find(';');
    auto last = line.rfind(';');
    if (first == std::string::npos || first == last) return std::nullopt;
    std::string_view all(line);
    auto minimum = liczbaCalkowita(all.substr(first + 1, last - first - 1));
    auto maximum = liczbaCalkowita(all.substr(last + 1));
    if (!minimum || !maximum) return std::nullopt;
    return std::make_pair(*minimum, *maximum);
}

std::vector<int> CzytajZakresy(const std::vector<std::string>& lines, Zakresy_t& zakresy) {
    std::vector<int> zle;
    for (int i = 1; i <= LiczbaZakresow; ++i) {
        zakresy[i] = {0, 0};
        if (static_cast<std::size_t>(i) > lines.size()) {
            zle.push_back(i);
            continue;
        }
        if (auto z = CzytajWierszZakresu(lines[static_cast<std::size_t>(i - 1)]))
            zakresy[i] = *z;
        else
            zle.push_back(i);
    }
    return zle;
}

bool WczytajZakresy(Kontekst& k, const std::string& path) {
    k.Zakresy.fill({0, 0});
    auto lines = readTextLines(path, LongestSettingsFile);
    if (!lines) {
        k.Okna->message(withFileError("Nie mo\xBFna odczyta\xE6 pliku zakres\xF3w " + path) + " !");
        return false;
    }
    auto zle = CzytajZakresy(*lines, k.Zakresy);
    if (zle.empty()) return true;
    std::string tekst = "Plik zakres\xF3w " + path + ": ";
    if (static_cast<std::size_t>(zle.front()) > lines->size())
        tekst += "ma tylko " + std::to_string(lines->size()) + " wierszy z " + std::to_string(LiczbaZakresow);
    else
        tekst += "b\xB3\xEA" "dny wiersz " + std::to_string(zle.front());
    if (zle.size() > 1) tekst += " (razem " + std::to_string(zle.size()) + " zakres\xF3w pomini\xEAtych)";
    k.Okna->message(tekst + " !");
    return false;
}

}  // namespace vesk
