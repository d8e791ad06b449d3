// The shipped report templates against what their writers expect: line
// counts, line lengths, the room every value row needs for its last
// column, and the placeholders of every filled HTML line.
//
// To check a new report's templates, add its description to Raporty() and
// its template files with their line counts to Wzorce(). A template that
// two descriptions read (the cash-flow statement, in NAME.INF and NAME.ING)
// holds the lines of the one that writes more, each within the smaller
// line capacity.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "OpisRaportu.h"
#include "RaportBIK.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"

namespace vesk {
namespace {

// The income statement's description depends on the social-insurance rate
// only through the values it prints.
const OpisRaportu& OpisRaportuPRFDoSprawdzenia() {
    static const OpisRaportu opis = OpisRaportuPRF(0.0L);
    return opis;
}

std::vector<const OpisRaportu*> Raporty() {
    return {&OpisRaportuBIK(), &OpisRaportuZAO(), &OpisRaportuPRO(), &OpisRaportuRAW(), &OpisRaportuPRFDoSprawdzenia(),
            &OpisRaportuKOS(), &OpisRaportuDEC(), &OpisRaportuINF(), &OpisRaportuING(), &OpisRaportuPLY(),
            &OpisRaportuZAD(), &OpisRaportuREN(), &OpisRaportuAKT()};
}

struct Wzorzec {
    const char* nazwa;
    int linii;
};
std::vector<Wzorzec> Wzorce() {
    return {
        {"QAD.BIK", 72}, {"QAD.KAP", 88}, {"QAD.BIL", 39}, {"QAD.BIK.HTML", 63}, {"QAD.KAP.HTML", 82},
        {"QAD.ZAO", 24}, {"QAD.ZAO.HTML", 33}, {"QAD.PRO", 24}, {"QAD.PRO.HTML", 53},
        {"QAD.SRE", 31}, {"QAD.SRE.HTML", 28},
        {"QAD.RAX", 87}, {"QAD.RAW", 42}, {"QAD.RAX.HTML", 54},
        {"QAD.PRG", 59}, {"QAD.PRF", 40}, {"QAD.PRG.HTML", 51},
        {"QAD.KOS", 36}, {"QAD.KOS.HTML", 53}, {"QAD.DEC", 52}, {"QAD.DEC.HTML", 52},
        {"QAD.ING", 55}, {"QAD.INF", 35}, {"QAD.ING.HTML", 45},
        {"QAD.PLY", 21}, {"QAD.PLY.HTML", 24}, {"QAD.ZAD", 21}, {"QAD.ZAD.HTML", 23},
        {"QAD.REN", 21}, {"QAD.REN.HTML", 24}, {"QAD.AKT", 21}, {"QAD.AKT.HTML", 23},
    };
}

std::string Plik(const std::string& nazwa) {
    std::ifstream in(std::string(VESK_SOURCE_DATA_DIR) + "TABWZOR/" + nazwa, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The lines of a template, which must end every line with CR LF.
std::vector<std::string> Linie(const std::string& nazwa) {
    std::string dane = Plik(nazwa);
    std::vector<std::string> linie;
    std::size_t start = 0;
    while (start < dane.size()) {
        auto lf = dane.find('\n', start);
        EXPECT_NE(lf, std::string::npos) << nazwa << ": the last line has no line end";
        if (lf == std::string::npos) break;
        EXPECT_TRUE(lf > start && dane[lf - 1] == '\r') << nazwa << ": line " << linie.size() + 1 << " ends without CR";
        linie.push_back(dane.substr(start, lf > start && dane[lf - 1] == '\r' ? lf - 1 - start : lf - start));
        start = lf + 1;
    }
    return linie;
}

int Dlugosc(const std::vector<std::string>& linie, int n) {
    return n <= static_cast<int>(linie.size()) ? static_cast<int>(linie[static_cast<std::size_t>(n - 1)].size()) : 0;
}

// Bytes that code page 1250 leaves undefined, and control characters.
bool ZnakCp1250(unsigned char c) {
    static const std::set<unsigned char> nieokreslone = {0x81, 0x83, 0x88, 0x90, 0x98};
    return c >= 0x20 && c != 0x7F && !nieokreslone.count(c);
}

TEST(Wzorce, EveryTemplateHasItsLineCountAndIsCodePage1250Text) {
    for (const Wzorzec& w : Wzorce()) {
        SCOPED_TRACE(w.nazwa);
        auto linie = Linie(w.nazwa);
        EXPECT_EQ(static_cast<int>(linie.size()), w.linii);
        for (std::size_t i = 0; i < linie.size(); ++i)
            for (unsigned char c : linie[i]) EXPECT_TRUE(ZnakCp1250(c)) << "line " << i + 1 << " byte " << int(c);
    }
}

// What every part reading a text template asks of it: the last line
// written by any of them, and the smallest line capacity.
struct Wymagania {
    int ostatnia = 0;
    int K = 1 << 30;
};
std::map<std::string, Wymagania> WymaganiaTekstow() {
    std::map<std::string, Wymagania> w;
    for (const OpisRaportu* opis : Raporty())
        for (const CzescTekstu& c : opis->czesci) {
            Wymagania& x = w[c.wzorzec];
            x.ostatnia = std::max(x.ostatnia, c.ostatnia);
            x.K = std::min(x.K, c.K);
        }
    return w;
}

TEST(Wzorce, ATemplateReadByTwoPartsHoldsTheLongerOneWithinTheSmallerCapacity) {
    auto w = WymaganiaTekstow();
    ASSERT_TRUE(w.count("QAD.ING"));
    EXPECT_EQ(w["QAD.ING"].ostatnia, 55);  // NAME.ING writes 55 lines, NAME.INF 54
    EXPECT_EQ(w["QAD.ING"].K, 150);        // NAME.INF keeps 150 characters, NAME.ING 255
}

TEST(Wzorce, EveryTextRowHasRoomForItsLastColumn) {
    auto wymagania = WymaganiaTekstow();
    for (const OpisRaportu* opis : Raporty()) {
        for (const CzescTekstu& c : opis->czesci) {
            SCOPED_TRACE(c.wzorzec);
            const Wymagania& wym = wymagania[c.wzorzec];
            auto linie = Linie(c.wzorzec);
            ASSERT_FALSE(linie.empty()) << "missing template";
            EXPECT_EQ(static_cast<int>(linie.size()), wym.ostatnia) << "the writers write lines 1.." << wym.ostatnia;
            EXPECT_LE(c.ostatnia, c.N);
            for (std::size_t i = 0; i < linie.size(); ++i)
                EXPECT_LE(static_cast<int>(linie[i].size()), wym.K) << "line " << i + 1;
            std::set<int> zajete;
            for (const WierszTekstu& w : c.wiersze) {
                EXPECT_TRUE(zajete.insert(w.linia).second) << "line " << w.linia << " mapped twice";
                EXPECT_GE(w.linia, 3) << "lines 1 and 2 are the header";
                EXPECT_LE(w.linia, c.ostatnia);
                EXPECT_GE(Dlugosc(linie, w.linia), MinimalnaDlugosc(c, w)) << "value line " << w.linia;
            }
            for (int p : c.pominiete) EXPECT_FALSE(zajete.count(p)) << "line " << p << " both skipped and mapped";
        }
    }
}

TEST(Wzorce, EveryFilledHtmlLineHoldsExactlyItsPlaceholders) {
    for (const OpisRaportu* opis : Raporty()) {
        for (const StronaRaportu& s : opis->strony) {
            SCOPED_TRACE(s.wzorzec);
            auto linie = Linie(s.wzorzec);
            ASSERT_FALSE(linie.empty()) << "missing template";
            EXPECT_EQ(static_cast<int>(linie.size()), s.ostatnia);
            std::map<int, int> wypelnien;
            for (const WypelnienieHTML& w : s.wypelnienia) {
                EXPECT_GE(w.linia, s.pierwsza);
                EXPECT_LE(w.linia, s.ostatnia);
                wypelnien[w.linia] += LiczbaWypelnien(w);
            }
            for (int n = 1; n <= static_cast<int>(linie.size()); ++n) {
                const std::string& l = linie[static_cast<std::size_t>(n - 1)];
                EXPECT_LE(static_cast<int>(l.size()), s.K) << "line " << n;
                auto x = static_cast<int>(std::count(l.begin(), l.end(), 'x'));
                int miejsc = 0;
                for (std::size_t p = l.find(">x<"); p != std::string::npos; p = l.find(">x<", p + 1)) ++miejsc;
                if (wypelnien.count(n)) {
                    // Every "x" of a filled line is a placeholder cell, so none in markup or text comes first.
                    EXPECT_EQ(x, wypelnien[n]) << "line " << n;
                    EXPECT_EQ(miejsc, wypelnien[n]) << "line " << n;
                    // Each fill puts nine characters for one: the filled line must not be cut.
                    EXPECT_LE(static_cast<int>(l.size()) + 8 * wypelnien[n], s.K) << "line " << n << " has no room for its values";
                } else if (n >= 9) {
                    EXPECT_EQ(x, 0) << "line " << n << " is written as it stands";
                }
            }
        }
    }
}

TEST(Wzorce, PagesDeclareTheirCodePageAndEndTheirHeaderLinesOnText) {
    for (const OpisRaportu* opis : Raporty()) {
        for (const StronaRaportu& s : opis->strony) {
            SCOPED_TRACE(s.wzorzec);
            auto linie = Linie(s.wzorzec);
            ASSERT_GE(linie.size(), 12u);
            std::string glowa;
            for (int n = 1; n <= 8; ++n) glowa += linie[static_cast<std::size_t>(n - 1)];
            EXPECT_NE(glowa.find("charset=\"windows-1250\""), std::string::npos);
            EXPECT_NE(glowa.find("</style>"), std::string::npos) << "all styling in the head";
            EXPECT_NE(glowa.find("</head>"), std::string::npos);
            for (int n : {9, 11}) {
                const std::string& l = linie[static_cast<std::size_t>(n - 1)];
                ASSERT_FALSE(l.empty());
                EXPECT_NE(l.back(), '>') << "line " << n << " ends where the header text is appended";
                EXPECT_EQ(linie[static_cast<std::size_t>(n)].rfind("</", 0), 0u) << "line " << n + 1 << " closes it";
            }
            for (std::size_t i = 8; i < linie.size(); ++i)
                EXPECT_EQ(linie[i].find("style="), std::string::npos) << "line " << i + 1;
        }
    }
}


// The synthetic-result report is written by its own writer, not from a
// description: two values per line, from its table of items.
TEST(Wzorce, SyntheticResultTemplatesHoldTwoValuesPerItemLine) {
    auto tekst = Linie("QAD.SRE");
    EXPECT_EQ(static_cast<int>(tekst.size()), OstatniaLiniaSRE);
    EXPECT_LE(OstatniaLiniaSRE, LiniiSRE);
    std::set<int> wiersze, linieStrony;
    for (const PozycjaSRE& p : PozycjeSRE()) {
        EXPECT_TRUE(wiersze.insert(p.liniaTekstu).second) << "text line " << p.liniaTekstu << " mapped twice";
        EXPECT_TRUE(linieStrony.insert(p.liniaHTML).second) << "page line " << p.liniaHTML << " mapped twice";
        EXPECT_GT(p.liniaTekstu, PominietaLiniaSRE);
        // The second value ends at the column start + W + W - 2.
        EXPECT_GE(Dlugosc(tekst, p.liniaTekstu), KolumnaSRE + 2 * OdstepSRE - 2) << "value line " << p.liniaTekstu;
    }
    for (std::size_t i = 0; i < tekst.size(); ++i) EXPECT_LE(static_cast<int>(tekst[i].size()), ZnakowSRE) << "line " << i + 1;

    auto strona = Linie("QAD.SRE.HTML");
    ASSERT_EQ(static_cast<int>(strona.size()), OstatniaLiniaStronySRE);
    std::string glowa;
    for (int n = 1; n <= 8; ++n) glowa += strona[static_cast<std::size_t>(n - 1)];
    EXPECT_NE(glowa.find("charset=\"windows-1250\""), std::string::npos);
    EXPECT_NE(glowa.find("</style>"), std::string::npos) << "all styling in the head";
    for (int n : {9, 11}) {
        const std::string& l = strona[static_cast<std::size_t>(n - 1)];
        ASSERT_FALSE(l.empty());
        EXPECT_NE(l.back(), '>') << "line " << n << " ends where the header text is appended";
        EXPECT_EQ(strona[static_cast<std::size_t>(n)].rfind("</", 0), 0u) << "line " << n + 1 << " closes it";
    }
    for (std::size_t i = 0; i < strona.size(); ++i) EXPECT_LE(static_cast<int>(strona[i].size()), ZnakowSRE) << "line " << i + 1;
    for (int n = 9; n <= static_cast<int>(strona.size()); ++n) {
        const std::string& l = strona[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(l.find("style="), std::string::npos) << "line " << n;
        auto x = static_cast<int>(std::count(l.begin(), l.end(), 'x'));
        int miejsc = 0;
        for (std::size_t p = l.find(">x<"); p != std::string::npos; p = l.find(">x<", p + 1)) ++miejsc;
        const int oczekiwane = linieStrony.count(n) ? WartosciWLiniiStronySRE : 0;
        EXPECT_EQ(x, oczekiwane) << "line " << n;
        EXPECT_EQ(miejsc, oczekiwane) << "line " << n;
    }
}

}  // namespace
}  // namespace vesk
