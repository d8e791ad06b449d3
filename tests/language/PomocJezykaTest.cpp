// The help on the command language (Jezyk.rtf) teaches what the language
// does: every example of it (each run of lines in the fixed-width font) is
// run through vesk-wsad as a UTF-8 file, as a user copies it, and its
// effect is checked.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "CodePage.h"
#include "Interpretator.h"
#include "TempDir.h"

namespace vesk::test {
namespace {

// RTF text in UTF-8: \'hh is a byte of code page 1250.
std::string tekstRtf(const std::string& rtf) {
    std::string t;
    for (std::size_t i = 0; i < rtf.size(); ++i)
        t += rtf.compare(i, 2, "\\'") ? rtf[i] : static_cast<char>(std::stoi(rtf.substr((i += 3) - 1, 2), nullptr, 16));
    return cp1250ToUtf8(t);
}

// The examples of the help, UTF-8, each a list of lines.
std::vector<std::vector<std::string>> przykladyPomocy() {
    std::ifstream in(std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/Jezyk.rtf", std::ios::binary);
    static const std::regex wiersz(R"(^\{\\f1 (.*)\}\\par$)");
    std::vector<std::vector<std::string>> wynik;
    bool poprzedni = false;
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        const bool kod = std::regex_match(l, m, wiersz);
        if (kod) {
            if (!poprzedni) wynik.emplace_back();
            wynik.back().push_back(tekstRtf(m[1]));
        }
        poprzedni = kod;
    }
    return wynik;
}

struct Przyklad {
    std::string wiersz;                                // a line that only this example holds
    std::vector<std::pair<int, double>> zmienne = {};  // xN and its value after the example
    std::vector<std::string> przed = {}, po = {};      // lines run before and after it
    std::string bledy = {};                            // a text of its messages
    std::pair<std::string, std::string> plik = {};     // a file it leaves, and a text of it
    std::string wejscie = {}, wyjscie = {};            // standard input, and output when given
};

const std::vector<Przyklad> oczekiwane = {
    {"if > x1 100", {{1, 50}, {2, 2}}},
    {"while < x4 5", {{4, 5}}},
    {"if <|> 0 x1 10", {}, {}, {}, "liczba mieści się w przedziale"},
    {"rem Eksperyment cenowy", {{1, 1}}, {}, {"przypisz x1 1"}},
    {"deklaracja zysk", {{1, 250}}},
    {"message Koniec obliczeń", {}, {}, {}, " koniec obliczeń"},
    {"losuj x5", {{6, 1}}, {}, {"if <|> -0.0001 x5 1", "przypisz x6 1", "endif"}},
    {"zapytaj cena", {{1, 12.5}}, {}, {}, {}, {}, "12.5\n"},
    {"zanotuj x1", {}, {}, {}, {}, {"p.roz.txt", " 3.00000000000000E+0000"}},
    {"call ceny.roz x1 300", {{1, 300}, {2, 600}}},
    {"przypisz x1 250", {{1, 250}}},
    {"+ x3 x1 x2", {{3, 12}, {4, 24}}},
    {"exp x4 1", {{4, std::exp(1.0)}, {5, 1}}},
    {"utwórz plik \"nowy.tr1\"", {}, {}, {}, {}, {"nowy.qad", ""}},
    {"wczytaj plik \"moj.tr1\"", {{2, 0}}, {"utwórz plik \"moj.tr1\"", "węzeł dodaj 0 0 x1", "utwórz plik \"b.tr1\""},
     {"odczyt ojciec 1 x2"}},
    {"węzeł kasuj x2", {{1, 1}, {2, 2}, {3, 1}, {4, 2}}, {}, {"węzeł dodaj x1 0 x4"}},
    {"zmiana cena alfa rok1 350", {{2, 350}, {3, 123}, {4, 321}, {5, 7}, {6, 33}, {7, 2}, {8, 3}}, {},
     {"odczyt zmienne decyzyjne 4 1 x2", "odczyt zmienne decyzyjne 3 2 x3", "odczyt zmienne decyzyjne 7 1 x4",
      "odczyt zmienne decyzyjne 10 3 x5", "odczyt zmienne decyzyjne 11 1 x6", "odczyt zmienne decyzyjne 12 2 x7",
      "odczyt zmienne decyzyjne 15 2 x8"}},
    {"odczyt bilans 16 1 3 x5", {{2, 250}, {3, 339.30157482205}, {6, 1}}, {},
     {"if > x5 0", "przypisz x6 1", "endif"}},
    {"pokaz x1", {}, {"przypisz x1 2.5"}, {}, "zmiennej \n wynosi:  2.50000000000000E+0000"},
    {"clear", {{1, 0}}, {"przypisz x1 5"}},
    {"pauza", {{1, 1}}, {}, {"przypisz x1 1"}},
    {"hide", {{1, 1}}, {}, {"przypisz x1 1"}},
    {"stop all", {}, {}, {"przypisz x4 9"}, {}, {}, {}, "x4\t 0.00000000000000E+0000\n"},
};

// Runs the example with the lines around it in a folder of its own and
// checks what the table says of it.
void sprawdz(const std::vector<std::string>& przyklad, const Przyklad& p) {
    TempDir d;
    const std::string dane = VESK_DATA_DIR;
    d.write("VE-SK.INI", "[Katalogi]\ncatPARAMETR=" + dane + "PARAMETR/\ncatOGRAN=" + dane + "PARAMETR/\ncatKARTOPERATORA=" +
                             d.folder() + "\ncatTABWZOR=" + dane + "TABWZOR/\n");
    d.write("ceny.roz", "run\n* x2 x1 2\n");
    std::string plik;
    for (const auto* czesc : {&p.przed, &przyklad, &p.po})
        for (const std::string& l : *czesc) plik += l + "\n";
    if (!p.zmienne.empty()) plik += "raport\n";
    for (const auto& [n, v] : p.zmienne) plik += "zanotuj x" + std::to_string(n) + "\n";
    d.write("p.roz", plik);
    d.write("wejscie", p.wejscie);
    const int s = std::system(("cd '" + d.folder() + "' && '" VESK_WSAD "' p.roz < wejscie > wyjscie 2> bledy").c_str());
    const std::string bledy = d.read("bledy");
    EXPECT_TRUE(WIFEXITED(s) && WEXITSTATUS(s) == 0) << bledy;
    EXPECT_NE(bledy.find(p.bledy), std::string::npos) << bledy;
    if (!p.wyjscie.empty()) EXPECT_EQ(d.read("wyjscie"), p.wyjscie);
    if (!p.plik.first.empty()) EXPECT_NE(d.read(p.plik.first).find(p.plik.second), std::string::npos) << p.plik.first;
    std::istringstream noty(p.zmienne.empty() ? "" : d.read("p.roz.txt"));
    for (const auto& [n, v] : p.zmienne) {
        std::string l;
        ASSERT_TRUE(std::getline(noty, l)) << "x" << n << " not noted: " << bledy;
        EXPECT_NEAR(std::strtod(l.c_str(), nullptr), v, 1e-9 * std::max(1.0, std::fabs(v))) << "x" << n;
    }
}

TEST(PomocJezyka, EveryExampleOfTheHelpDoesWhatTheHelpSays) {
    const auto przyklady = przykladyPomocy();
    ASSERT_FALSE(przyklady.empty());
    std::vector<int> uzyte(oczekiwane.size(), 0);
    for (const auto& przyklad : przyklady) {
        std::vector<std::size_t> pasuje;
        for (std::size_t i = 0; i < oczekiwane.size(); ++i)
            for (const std::string& l : przyklad)
                if (l.find(oczekiwane[i].wiersz) != std::string::npos) {
                    pasuje.push_back(i);
                    break;
                }
        ASSERT_EQ(pasuje.size(), 1u) << "no single check for the example beginning " << przyklad.front();
        ++uzyte[pasuje[0]];
        SCOPED_TRACE(przyklad.front());
        sprawdz(przyklad, oczekiwane[pasuje[0]]);
    }
    for (std::size_t i = 0; i < uzyte.size(); ++i)
        EXPECT_EQ(uzyte[i], 1) << "the help has no example holding " << oczekiwane[i].wiersz;
}

// The help tells the encodings, line ends and bounds the program keeps.
TEST(PomocJezyka, TellsTheEncodingsAndTheBounds) {
    std::ifstream in(std::string(VESK_SOURCE_DATA_DIR) + "PROGRAM/Jezyk.rtf", std::ios::binary);
    const std::string pomoc = tekstRtf(std::string(std::istreambuf_iterator<char>(in), {}));
    for (const std::string& fakt :
         {std::string("Windows 1250"), std::string("UTF-8"), std::string("UTF-16 ze znacznikiem"), std::string("samym CR"),
          std::to_string(NajwiekszyPlikRozkazow >> 20) + " MB", std::to_string(NajdluzszaOdpowiedz) + " bajtów",
          std::to_string(NajwyzszyPoziom) + " poziomach", std::string("folderze pliku, który go wywołuje"),
          std::string("nie może zawierać spacji"), std::string("tylko komentarz rem"),
          std::string("ani przecinka"), std::string("Komentarz rem nie decyduje o kodowaniu"), std::string("0x83")})
        EXPECT_NE(pomoc.find(fakt), std::string::npos) << fakt;
}

}  // namespace
}  // namespace vesk::test
