#include "ZakazaneFunkcje.h"

#include <algorithm>
#include <array>

namespace vesk {

namespace {

// Functions of the engine that reach outside it, and those that turn a
// string into a call.
constexpr std::array<std::string_view, 33> kZakazane = {
    "system",          "exit",           "open",           "close",         "remove",
    "rename",          "load",           "load*",          "batch",         "batch*",
    "bload",           "bsave",          "save",           "dribble-on",    "dribble-off",
    "load-facts",      "save-facts",     "load-instances", "save-instances", "bload-instances",
    "bsave-instances", "restore-instances", "constructs-to-c", "fetch",     "toss",
    "print-region",    "get-region",     "help",           "help-path",     "chdir",
    "eval",            "build",          "funcall"};

// Any control character or blank separates tokens, as the reader's own
// test does; the others end a symbol.
bool Odstep(char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; }
bool Ogranicznik(char c) {
    return Odstep(c) || c == '(' || c == ')' || c == '"' || c == ';' || c == '&' || c == '|' || c == '~' || c == '<';
}

class Skaner {
public:
    explicit Skaner(std::string_view t) : t_(t) {}

    std::optional<ZakazaneWywolanie> Szukaj() {
        while (i_ < t_.size()) {
            const char c = t_[i_];
            if (c == '"') {
                PominNapis();
            } else if (c == ';') {
                PominKomentarz();
            } else if (c == '(') {
                Dalej();
                PominOdstepy();
                const int wiersz = wiersz_;
                const std::size_t start = i_;
                while (i_ < t_.size() && !Ogranicznik(t_[i_])) Dalej();
                const std::string_view nazwa = t_.substr(start, i_ - start);
                if (std::find(kZakazane.begin(), kZakazane.end(), nazwa) != kZakazane.end())
                    return ZakazaneWywolanie{wiersz, std::string(nazwa)};
            } else {
                Dalej();
            }
        }
        return std::nullopt;
    }

private:
    void Dalej() {
        if (t_[i_] == '\n') ++wiersz_;
        ++i_;
    }
    void PominNapis() {
        Dalej();
        while (i_ < t_.size() && t_[i_] != '"') {
            if (t_[i_] == '\\' && i_ + 1 < t_.size()) Dalej();
            Dalej();
        }
        if (i_ < t_.size()) Dalej();
    }
    void PominKomentarz() {
        while (i_ < t_.size() && t_[i_] != '\n' && t_[i_] != '\r') Dalej();
    }
    void PominOdstepy() {
        while (i_ < t_.size()) {
            if (t_[i_] == ';')
                PominKomentarz();
            else if (Odstep(t_[i_]))
                Dalej();
            else
                break;
        }
    }

    std::string_view t_;
    std::size_t i_ = 0;
    int wiersz_ = 1;
};

}  // namespace

std::optional<ZakazaneWywolanie> ZnajdzZakazaneWywolanie(std::string_view tekst) { return Skaner(tekst).Szukaj(); }

std::string PodpowiedzDanych(std::string_view funkcja) {
    for (const char* czyta : {"open", "load-facts", "load-instances", "bload-instances", "restore-instances", "fetch"})
        if (funkcja == czyta)
            return "Dane, z kt\xF3rych korzystaj\xB9 regu\xB3y, umieszcza si\xEA w samym pliku regu\xB3, "
                   "w konstrukcji deffacts.";
    return {};
}

}  // namespace vesk
