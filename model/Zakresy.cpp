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

namespace {

// The reason the file's ranges are not in force, what its lines must hold
// (where some could not be read), and what the program does without them.
std::string bezZakresow(const std::string& powod, bool zleWiersze) {
    // "Każdy z 54 pierwszych wierszy podaje zakres jednego parametru decyzyjnego, w kolejności parametrów:
    // numer;minimum;maksimum - minimum i maksimum to liczby całkowite bez spacji (dozwolony znak + lub -),
    // np. 1;100;600. Komentarz można dopisać dopiero za 54. wierszem."
    // "Do ponownego uruchomienia programu z poprawnym plikiem nie obowiązuje żaden zakres: formularz
    // decyzyjny nie sprawdza cen, dywidendy, zadłużenia ani emisji akcji względem zakresów."
    std::string tekst = powod + " !\n";
    if (zleWiersze)
        tekst += "Ka\xBF" "dy z " + std::to_string(LiczbaZakresow) +
                 " pierwszych wierszy podaje zakres jednego parametru decyzyjnego, w kolejno\x9C" "ci parametr\xF3w: "
                 "numer;minimum;maksimum - minimum i maksimum to liczby ca\xB3kowite bez spacji (dozwolony znak + "
                 "lub -), np. 1;100;600. Komentarz mo\xBF" "na dopisa\xE6 dopiero za " +
                 std::to_string(LiczbaZakresow) + ". wierszem.\n";
    return tekst +
           "Do ponownego uruchomienia programu z poprawnym plikiem nie obowi\xB9zuje \xBF" "aden zakres: formularz "
           "decyzyjny nie sprawdza cen, dywidendy, zad\xB3u\xBF" "enia ani emisji akcji wzgl\xEA" "dem zakres\xF3w.";
}

}  // namespace

bool WczytajZakresy(Kontekst& k, const std::string& path) {
    k.Zakresy.fill({0, 0});
    auto lines = readTextLines(path, LongestSettingsFile);
    if (!lines) {
        k.Okna->message(bezZakresow(withFileError("Nie mo\xBFna odczyta\xE6 pliku zakres\xF3w " + path), false));
        return false;
    }
    // The line's position is its parameter: a line that cannot be read (a
    // comment added, a line lost) may have moved every line after it, so
    // that none of the file's ranges is put in force.
    Zakresy_t zakresy;
    auto zle = CzytajZakresy(*lines, zakresy);
    if (zle.empty()) {
        k.Zakresy = zakresy;
        return true;
    }
    std::string tekst = "Plik zakres\xF3w " + path + ": ";
    if (static_cast<std::size_t>(zle.front()) > lines->size())
        tekst += "ma tylko " + std::to_string(lines->size()) + " wierszy z " + std::to_string(LiczbaZakresow);
    else
        tekst += "b\xB3\xEA" "dny wiersz " + std::to_string(zle.front());
    if (zle.size() > 1)
        tekst += " (razem " + std::to_string(zle.size()) + " wierszy b\xB3\xEA" "dnych lub brakuj\xB9" "cych)";
    k.Okna->message(bezZakresow(tekst, true));
    return false;
}

}  // namespace vesk
