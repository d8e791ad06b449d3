// The help on the command language (Jezyk.rtf) teaches what the language
// does: every example of it (each run of lines in the fixed-width font) is
// run through vesk-wsad as a UTF-8 file, as a user copies it, and its
// effect is checked.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "CodePage.h"
#include "TempDir.h"

namespace vesk::test {
namespace {

// The examples of the help, UTF-8, each a list of lines.
std::vector<std::vector<std::string>> przykladyPomocy() {
    std::ifstream in(std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/Jezyk.rtf", std::ios::binary);
    std::vector<std::vector<std::string>> wynik;
    bool poprzedniKod = false;
    for (std::string l; std::getline(in, l);) {
        const std::string poczatek = "{\\f1 ", koniec = "}\\par";
        const bool kod = l.rfind(poczatek, 0) == 0 && l.size() >= poczatek.size() + koniec.size() &&
                         l.compare(l.size() - koniec.size(), koniec.size(), koniec) == 0;
        if (kod) {
            std::string t, rtf = l.substr(poczatek.size(), l.size() - poczatek.size() - koniec.size());
            for (std::size_t i = 0; i < rtf.size(); ++i) {
                if (rtf.compare(i, 2, "\\'") == 0 && i + 3 < rtf.size()) {
                    t += static_cast<char>(std::stoi(rtf.substr(i + 2, 2), nullptr, 16));
                    i += 3;
                } else {
                    t += rtf[i];
                }
            }
            if (!poprzedniKod) wynik.emplace_back();
            wynik.back().push_back(cp1250ToUtf8(t));
        }
        poprzedniKod = kod;
    }
    return wynik;
}

struct Przebieg {
    int kod = -1;
    std::string wyjscie, bledy;
    std::vector<double> zanotowane;  // the values noted after the example
    std::shared_ptr<TempDir> dir;
};

struct Przyklad {
    std::string wiersz;  // a line that only this example holds
    std::vector<std::pair<int, double>> zmienne = {};  // xN and its value after the example
    std::vector<std::string> przed = {}, po = {};      // lines run before and after it
    std::map<std::string, std::string> pliki = {};     // files made beside it
    std::string wejscie = {};
    std::function<void(const Przebieg&)> sprawdz = nullptr;
};

Przebieg uruchom(const std::vector<std::string>& przyklad, const Przyklad& p) {
    static const std::string dane = VESK_DATA_DIR;
    Przebieg w;
    w.dir = std::make_shared<TempDir>();
    const TempDir* d = w.dir.get();
    d->write("VE-SK.INI", "[Katalogi]\r\ncatPARAMETR=" + dane + "PARAMETR/\r\ncatOGRAN=" + dane +
                              "PARAMETR/\r\ncatKARTOPERATORA=" + d->folder() + "\r\ncatTABWZOR=" + dane +
                              "TABWZOR/\r\n");
    for (const auto& [nazwa, tresc] : p.pliki) d->write(nazwa, tresc);
    std::string plik;
    for (const auto* czesc : {&p.przed, &przyklad, &p.po})
        for (const std::string& l : *czesc) plik += l + "\n";
    if (!p.zmienne.empty()) {
        plik += "raport\n";
        for (const auto& [n, v] : p.zmienne) plik += "zanotuj x" + std::to_string(n) + "\n";
    }
    d->write("p.roz", plik);
    d->write("wejscie", p.wejscie);
    const std::string polecenie = "cd '" + d->folder() + "' && '" VESK_WSAD "' p.roz < wejscie > wyjscie 2> bledy";
    const int s = std::system(polecenie.c_str());
    w.kod = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
    w.wyjscie = d->read("wyjscie");
    w.bledy = d->read("bledy");
    std::istringstream noty(d->read("p.roz.txt"));
    for (std::string l; std::getline(noty, l);) w.zanotowane.push_back(std::strtod(l.c_str(), nullptr));
    return w;
}

const std::vector<Przyklad>& oczekiwane() {
    auto zawiera = [](std::string tekst) {
        return [tekst](const Przebieg& w) { EXPECT_NE(w.bledy.find(tekst), std::string::npos) << w.bledy; };
    };
    static const std::vector<Przyklad> p = {
        {"if > x1 100", {{1, 50}, {2, 2}}},
        {"while < x4 5", {{4, 5}}},
        {"if <|> 0 x1 10", {}, {}, {}, {}, {}, zawiera("liczba mieści się w przedziale")},
        {"rem Eksperyment cenowy", {}, {}, {"przypisz x1 1"}},
        {"deklaracja zysk", {{1, 250}}},
        {"message Koniec obliczeń", {}, {}, {}, {}, {}, zawiera(" koniec obliczeń")},
        {"losuj x5", {}, {}, {"raport", "zanotuj x5"}, {}, {},
         [](const Przebieg& w) {
             ASSERT_EQ(w.zanotowane.size(), 1u);
             EXPECT_GE(w.zanotowane[0], 0.0);
             EXPECT_LT(w.zanotowane[0], 1.0);
         }},
        {"zapytaj cena", {{1, 12.5}}, {}, {}, {}, "12.5\n"},
        {"zanotuj x1", {}, {}, {}, {}, {},
         [](const Przebieg& w) { EXPECT_EQ(w.zanotowane, std::vector<double>{3.0}); }},
        {"call ceny.roz x1 300", {{1, 300}, {2, 600}}, {}, {}, {{"ceny.roz", "run\n* x2 x1 2\n"}}},
        {"przypisz x1 250", {{1, 250}}},
        {"+ x3 x1 x2", {{3, 12}, {4, 24}}},
        {"exp x4 1", {{4, std::exp(1.0)}, {5, 1}}},
        {"utwórz plik \"nowy.tr1\"", {}, {}, {}, {}, {},
         [](const Przebieg& w) { EXPECT_TRUE(w.dir->exists("nowy.tr1") && w.dir->exists("nowy.qad")); }},
        {"wczytaj plik \"moj.tr1\"", {{2, 1}}, {"utwórz plik \"moj.tr1\"", "węzeł dodaj 0 0 x1",
                                                  "utwórz plik \"inny.tr1\""},
         {"odczyt ojciec 1 x2", "+ x2 x2 1"}},
        {"węzeł kasuj x2", {{1, 1}, {2, 2}, {3, 1}}, {}, {}, {}, {},
         [](const Przebieg& w) { EXPECT_EQ(w.dir->read("testint.tr1").find("d 2"), std::string::npos); }},
        {"zmiana cena alfa rok1 350", {{2, 350}, {3, 123}, {4, 321}, {5, 7}, {6, 33}, {7, 2}, {8, 3}}, {},
         {"odczyt zmienne decyzyjne 4 1 x2", "odczyt zmienne decyzyjne 3 2 x3", "odczyt zmienne decyzyjne 7 1 x4",
          "odczyt zmienne decyzyjne 10 3 x5", "odczyt zmienne decyzyjne 11 1 x6",
          "odczyt zmienne decyzyjne 12 2 x7", "odczyt zmienne decyzyjne 15 2 x8"}},
        {"odczyt bilans 16 1 3 x5", {}, {}, {"raport", "zanotuj x2", "zanotuj x3", "zanotuj x4", "zanotuj x5"}, {}, {},
         [](const Przebieg& w) {
             ASSERT_EQ(w.zanotowane.size(), 4u);
             EXPECT_GT(w.zanotowane[0], 0.0);  // the price of Alfa
             for (double v : w.zanotowane) EXPECT_NE(v, -1000.0);
         }},
        {"pokaz x1", {}, {"przypisz x1 2.5"}, {}, {}, {},
         [](const Przebieg& w) {
             EXPECT_NE(w.bledy.find("zmiennej \n wynosi:  2.50000000000000E+0000"), std::string::npos) << w.bledy;
         }},
        {"clear", {{1, 0}}, {"przypisz x1 5"}},
        {"pauza", {{1, 1}}, {}, {"przypisz x1 1"}},
        {"hide", {{1, 1}}, {}, {"przypisz x1 1"}},
        {"stop all", {}, {}, {"przypisz x4 9"}, {}, {},
         [](const Przebieg& w) { EXPECT_EQ(w.wyjscie, "x4\t 0.00000000000000E+0000\n"); }},
    };
    return p;
}

TEST(PomocJezyka, EveryExampleOfTheHelpDoesWhatTheHelpSays) {
    const auto przyklady = przykladyPomocy();
    ASSERT_FALSE(przyklady.empty());
    std::vector<int> uzyte(oczekiwane().size(), 0);
    for (const auto& przyklad : przyklady) {
        std::vector<std::size_t> pasuje;
        for (std::size_t i = 0; i < oczekiwane().size(); ++i)
            for (const std::string& l : przyklad)
                if (l.find(oczekiwane()[i].wiersz) != std::string::npos) {
                    pasuje.push_back(i);
                    break;
                }
        ASSERT_EQ(pasuje.size(), 1u) << "no single check for the example beginning " << przyklad.front();
        const Przyklad& p = oczekiwane()[pasuje[0]];
        ++uzyte[pasuje[0]];
        SCOPED_TRACE(przyklad.front());
        const Przebieg w = uruchom(przyklad, p);
        EXPECT_EQ(w.kod, 0) << w.bledy;
        if (!p.zmienne.empty()) {
            ASSERT_EQ(w.zanotowane.size(), p.zmienne.size()) << w.bledy;
            for (std::size_t i = 0; i < p.zmienne.size(); ++i)
                EXPECT_NEAR(w.zanotowane[i], p.zmienne[i].second, 1e-9) << "x" << p.zmienne[i].first;
        }
        if (p.sprawdz) p.sprawdz(w);
    }
    for (std::size_t i = 0; i < uzyte.size(); ++i)
        EXPECT_EQ(uzyte[i], 1) << "the help has no example holding " << oczekiwane()[i].wiersz;
}

}  // namespace
}  // namespace vesk::test
