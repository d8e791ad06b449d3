// The facts file of the export: its exact bytes, the quotients and
// dynamics, the symbol and display forms of names.
#include <gtest/gtest.h>

#include <map>

#include "ExpertSession.h"
#include "PomocWskaznikow.h"

namespace vesk {
namespace {

using test::P;

// A set whose indicators read "L<name>" over "M<name>", with the values
// per year given by the test.
struct Zestaw {
    TabelaWskaznikow t;
    std::map<std::string, std::array<long double, 3>> wartosci;

    void dodaj(const std::string& nazwa, std::array<long double, 3> licznik, std::array<long double, 3> mianownik) {
        IndicatorDef d;
        d.Nazwa = nazwa;
        d.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "L" + nazwa};
        d.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", "M" + nazwa};
        t.Dodaj(d);
        wartosci["L" + nazwa] = licznik;
        wartosci["M" + nazwa] = mianownik;
    }
    DaneEksportu dane(const std::string& wybrany = "") {
        DaneEksportu d;
        d.Tabela = &t;
        d.Rok1 = 2015;
        d.Wybrany = wybrany;
        d.Odczyt = [this](const PozycjaWskaznika& p, int rok) -> std::optional<long double> {
            auto it = wartosci.find(p.Etykieta);
            if (it == wartosci.end()) return std::nullopt;
            return it->second[static_cast<std::size_t>(rok - 1)];
        };
        return d;
    }
};

TEST(FactsFile, GoldenBytesOfOneIndicator) {
    Zestaw z;
    z.t.UstawKomorke(1, kol::Nazwa, "nazwa");
    z.dodaj(P("zysk na sprzedaży"), {0.5L, 1, 2}, {1, 1, 1});
    DaneEksportu d = z.dane(P("zysk na sprzedaży"));
    d.Relacja = "x>";
    d.Prog1 = "0.8";
    const FaktyEksportu f = TekstFaktow(d);
    EXPECT_TRUE(f.Log.empty());
    EXPECT_EQ(f.Tekst,
              "(deffacts trojka-lat \"numery lat\"\r\n"
              "\t(years (rok1 2015) (rok2 2016) (rok3 2017)))\r\n"
              "\r\n"
              "(deffacts progi \"progi wskaznikow ekonomicznych\"\r\n"
              "\t(prog (nazwa-progu zysk-na-sprzedazy) (wartosc 0.8)))\r\n"
              "\r\n"
              "(deffacts wskazniki \"wskazniki ekonomiczne\"\r\n"
              "\t(wskaznik (nazwa-wskaznika zysk-na-sprzedazy)\r\n"
              "\t(rok1 2015)(wartosc1 0.500)\r\n"
              "\t(rok2 2016)(wartosc2 1.000)\r\n"
              "\t(rok3 2017)(wartosc3 2.000)\r\n"
              "\t(dynamika-1-2 2.000)\r\n"
              "\t(dynamika-1-3 2.000)\r\n"
              "\t(dynamika-2-2 2.000)\r\n"
              "\t(dynamika-2-3 2.000)\r\n"
              "\t(dynamika-3-2 2.000)\r\n"
              "\t(dynamika-3-3 4.000)\r\n"
              "\t))\r\n");
}

// The text between "(name " and the next ")" in the facts.
std::string Slot(const std::string& tekst, const std::string& nazwa, std::size_t od = 0) {
    const auto p = tekst.find("(" + nazwa + " ", od);
    if (p == std::string::npos) return "?";
    const auto s = p + nazwa.size() + 2;
    return tekst.substr(s, tekst.find(')', s) - s);
}

TEST(FactsFile, ZeroDenominators) {
    Zestaw z;
    z.dodaj("plus", {10, 10, 10}, {1, 0, 1});
    z.dodaj("minus", {-10, -10, -10}, {1, 0, 1});
    const std::string t = TekstFaktow(z.dane()).Tekst;
    const auto minus = t.find("nazwa-wskaznika minus");
    EXPECT_EQ(Slot(t, "wartosc2"), "339999999999999996000000000000000000000.000");
    EXPECT_EQ(Slot(t, "wartosc2", minus), "0.000");
    EXPECT_EQ(Slot(t, "wartosc1", minus), "-10.000");
}

TEST(FactsFile, DynamicsOfOneTwoTwo) {
    Zestaw z;
    z.dodaj("d", {1, 2, 2}, {1, 1, 1});
    const std::string t = TekstFaktow(z.dane()).Tekst;
    const struct {
        const char* fakt;
        const char* tekst;
    } tabela[] = {
        {"dynamika-1-2", "2.000"}, {"dynamika-1-3", "1.000"},
        {"dynamika-2-2", "2.000"}, {"dynamika-2-3", "339999999999999996000000000000000000000.000"},
        {"dynamika-3-2", "2.000"}, {"dynamika-3-3", "2.000"},
    };
    for (const auto& c : tabela) EXPECT_EQ(Slot(t, c.fakt), c.tekst) << c.fakt;
}

TEST(FactsFile, DenominatorOfTwoItemsByTheOperatorsFirstCharacter) {
    Zestaw z;
    z.dodaj("a", {6, 6, 6}, {1, 2, 3});
    z.t.UstawKomorke(2, kol::OperatorMianownika, "+");
    z.t.UstawKomorke(2, kol::ZrodloMianownika2, "Bilans");
    z.t.UstawKomorke(2, kol::PozycjaMianownika2, "jeden");
    z.wartosci["jeden"] = {1, 1, 1};
    z.t.UstawKomorke(2, kol::OperatorLicznika, "xxx");  // no operator: the second item is not read
    z.dodaj("b", {1, 1, 1}, {1, 1, 1});
    const std::string t = TekstFaktow(z.dane()).Tekst;
    EXPECT_EQ(Slot(t, "wartosc1"), "3.000");  // 6 / (1 + 1)
    EXPECT_EQ(Slot(t, "wartosc3"), "1.500");  // 6 / (3 + 1)
    const auto b = t.find("nazwa-wskaznika b");
    EXPECT_EQ(Slot(t, "rok3", b), "2017");
}

TEST(FactsFile, UnknownPositionDropsTheIndicator) {
    Zestaw z;
    z.dodaj("a", {1, 1, 1}, {1, 1, 1});
    z.dodaj("b", {1, 1, 1}, {1, 1, 1});
    z.wartosci.erase("Mb");
    const FaktyEksportu f = TekstFaktow(z.dane());
    EXPECT_EQ(f.Tekst.find("nazwa-wskaznika b"), std::string::npos);
    EXPECT_NE(f.Tekst.find("(dynamika-3-3 1.000)\r\n\t))\r\n"), std::string::npos);
    ASSERT_EQ(f.Log.size(), 1u);
    EXPECT_NE(f.Log[0].find("Mb(Bilans)"), std::string::npos);
}

TEST(FactsFile, ThresholdFactsNeedNumbers) {
    Zestaw z;
    z.dodaj("a", {1, 1, 1}, {1, 1, 1});
    const struct {
        const char* wybrany;
        const char* relacja;
        const char* t1;
        const char* t2;
        const char* progi;
    } t[] = {
        {"a", "x<>", "1", "2", "\t(prog-dolny (nazwa-progu a) (wartosc 1))\r\n\t(prog-gorny (nazwa-progu a) (wartosc 2)))"},
        {"a", "x><", "1", "", ")"},
        {"a", "x<", "0.5", "", "\t(prog (nazwa-progu a) (wartosc 0.5)))"},
        {"a", "x<", "", "", ")"},
        {"a", "x<", "abc", "", ")"},
        {"", "x<", "1", "", ")"},
    };
    for (const auto& c : t) {
        DaneEksportu d = z.dane(c.wybrany);
        d.Relacja = c.relacja;
        d.Prog1 = c.t1;
        d.Prog2 = c.t2;
        const std::string tekst = TekstFaktow(d).Tekst;
        const std::string naglowek = "(deffacts progi \"progi wskaznikow ekonomicznych\"\r\n";
        EXPECT_NE(tekst.find(naglowek + c.progi + "\r\n\r\n"), std::string::npos) << c.relacja << c.t1;
    }
}

TEST(FactsFile, EmptySetClosesTheThirdConstruct) {
    Zestaw z;
    const std::string t = TekstFaktow(z.dane()).Tekst;
    EXPECT_NE(t.find("(deffacts wskazniki \"wskazniki ekonomiczne\"\r\n)\r\n"), std::string::npos);
}

TEST(SymbolForm, NamesAndBack) {
    const struct {
        const char* nazwa;
        const char* symbol;
    } t[] = {
        {"zysk na sprzedaży", "zysk-na-sprzedazy"},
        {"ROE (%)", "ROE--%-"},
        {"ąćęłńóśźż", "acelnoszz"},
        {"Łódź ŚĆŻŹ", "Lodz-SCZZ"},
        {"a;b\"c&d|e~f<g?h$i\tj", "a-b-c-d-e-f-g-h-i-j"},
    };
    for (const auto& c : t) EXPECT_EQ(NazwaNaSymbol(P(c.nazwa)), P(c.symbol)) << c.nazwa;
    EXPECT_EQ(SymbolNaNazwe("zysk-na-sprzedazy"), "zysk na sprzedazy");
}

}  // namespace
}  // namespace vesk
