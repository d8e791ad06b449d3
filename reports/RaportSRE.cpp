#include "RaportSRE.h"

#include <algorithm>

#include "Kontekst.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "RaportyWskaznikow.h"
#include "Real48.h"
#include "SzablonRaportu.h"

namespace vesk {

namespace {

constexpr int KorzenDrzewa = 0;

// Line 3 of the text: each node of the path before the root in width 3,
// current node first, then the root.
std::string TekstListyWezlow(const std::vector<int>& sciezka) {
    std::string t;
    for (std::size_t i = 0; i + 1 < sciezka.size(); ++i) t += LiczbaNaTekst(sciezka[i], 3);
    return t + "  0";
}

long double WartoscBiezaca(const Kontekst& k, const PozycjaSRE& p) { return p.wartosc(k.RekordBiezacy, 3); }

bool PiszTekst(Kontekst& k, const std::string& OutName, const std::vector<int>& sciezka, const SrednieSRE& s,
               TabelaLinii tabela) {
    RaportTekstowy t(k);
    if (!t.utworz(OutName)) return false;
    t.tabela() = std::move(tabela);
    t.ustawKolumny(KolumnaSRE, KolumnaSRE, OdstepSRE);
    t.PiszNaglowek();
    t.tabela().dopisz(3, TekstListyWezlow(sciezka));
    t.PiszLinie(3, PominietaLiniaSRE - 1);
    int nastepna = PominietaLiniaSRE + 1;
    for (std::size_t i = 0; i < PozycjeSRE().size(); ++i) {
        const PozycjaSRE& p = PozycjeSRE()[i];
        t.PiszLinie(nastepna, p.liniaTekstu - 1);
        t.PiszWiersz2(p.liniaTekstu, 2, {WartoscBiezaca(k, p), s.srednie[i]});
        nastepna = p.liniaTekstu + 1;
    }
    t.PiszLinie(nastepna, OstatniaLiniaSRE);
    t.zamknij();
    k.FlagiWynikow.SRE = false;
    return true;
}

bool PiszStrone(Kontekst& k, const std::string& OutName, const SrednieSRE& s, TabelaLinii tabela) {
    StronaHTML h(k);
    if (!h.utworz(NazwaStrony(OutName, OpisRaportuSRE().strony.front()))) return false;
    h.tabela() = std::move(tabela);
    h.PiszNaglowek();
    const int pierwsza = PozycjeSRE().front().liniaHTML;
    h.PiszLinieHTML(1, pierwsza - 1);
    for (std::size_t i = 0; i < PozycjeSRE().size(); ++i) {
        const PozycjaSRE& p = PozycjeSRE()[i];
        h.Wypelnij(p.liniaHTML, WartoscBiezaca(k, p), 2);
        h.Wypelnij(p.liniaHTML, s.srednie[i], 2);
    }
    h.PiszLinieHTML(pierwsza, OstatniaLiniaStronySRE);
    h.zamknij();
    k.FlagiWynikow.SRE = false;
    return true;
}

bool Tworz(Kontekst& k, const std::string& OutName) {
    // The path and its averages come first, so that a path that cannot be
    // averaged leaves no half-written report behind.
    std::optional<std::vector<int>> sciezka = SciezkaDoKorzenia(k.TabelaWezlow, k.RekordBiezacy.Numer());
    if (!sciezka) return false;
    std::optional<SrednieSRE> srednie = SrednieNaSciezce(k, *sciezka, true);
    if (!srednie) return false;
    // Both templates before any file: one that cannot be read changes none.
    TabelaLinii tekst, strona;
    if (!WczytajSzablon(k, "QAD.SRE", LiniiSRE, ZnakowSRE, tekst) ||
        !WczytajSzablon(k, OpisRaportuSRE().strony.front().wzorzec, LiniiSRE, ZnakowSRE, strona))
        return false;
    if (!PiszTekst(k, OutName, *sciezka, *srednie, std::move(tekst))) return false;
    return PiszStrone(k, OutName, *srednie, std::move(strona));
}

}  // namespace

const std::array<PozycjaSRE, LiczbaPozycjiSRE>& PozycjeSRE() {
    using namespace pola;
    // The ratios as the ratio reports print them.
    auto wskaznik = [](Wskazniki grupa, std::size_t i) { return DrukowaneWskazniki(grupa)[i]; };
    static const std::array<PozycjaSRE, LiczbaPozycjiSRE> pozycje{{
        {ZyskDoPodzialu, ZyskDoPodzialu, 11, 17},
        {PrzychodyZeSprzedazy, PrzychodyZeSprzedazy, 13, 18},
        {DywidendaZwykla, DywidendaZwykla, 15, 19},
        {WartoscOddanychInwestycji, WartoscOddanychInwestycji, 17, 20},
        {WskaznikBiezacejPlynnosci, wskaznik(Wskazniki::Plynnosci, 1), 21, 22},
        {RentownoscAktywow, wskaznik(Wskazniki::Rentownosci, 0), 23, 23},
        {RentownoscSprzedazy, wskaznik(Wskazniki::Rentownosci, 2), 25, 24},
        {WskaznikZadluzeniaOgolnego, wskaznik(Wskazniki::Zadluzenia, 0), 27, 25},
        {RotacjaZapasow, wskaznik(Wskazniki::Obrotowosci, 0), 29, 26},
    }};
    return pozycje;
}

const OpisRaportu& OpisRaportuSRE() {
    static const OpisRaportu opis{
        .EXT = "SRE",
        .flaga = &FlagiWynikow_t::SRE,
        .czesci = {},
        .strony = {StronaRaportu{.wzorzec = "QAD.SRE.HTML", .rozszerzenie = "", .N = LiniiSRE, .K = ZnakowSRE,
                                 .pierwsza = PozycjeSRE().front().liniaHTML, .ostatnia = OstatniaLiniaStronySRE}},
    };
    return opis;
}

std::optional<std::vector<int>> SciezkaDoKorzenia(const ZESPOL& tabela, int numer) {
    std::vector<int> sciezka{numer};
    while (sciezka.back() != KorzenDrzewa) {
        bool znaleziony = false;
        for (int slot = 1; slot <= NajwiekszyNumerWezla && sciezka.back() != KorzenDrzewa; ++slot) {
            const WpisWezla& w = tabela.Wpisy[slot];
            if (!tabela.Zajety[slot] || w.Numer != sciezka.back()) continue;
            if (std::find(sciezka.begin(), sciezka.end(), w.Rodzic) != sciezka.end()) return std::nullopt;
            sciezka.push_back(w.Rodzic);
            znaleziony = true;
        }
        if (!znaleziony) return std::nullopt;
    }
    return sciezka;
}

std::optional<SrednieSRE> SrednieNaSciezce(Kontekst& k, const std::vector<int>& sciezka, bool drukowane) {
    std::array<long double, LiczbaPozycjiSRE> sumy{};
    int znalezione = 0;
    const std::string plik = SciezkaPlikuStanu(k);
    for (std::size_t j = 0; j + 1 < sciezka.size(); ++j) {
        if (sciezka[j] < 0 || sciezka[j] > NajwiekszyNumerWezla) continue;
        if (!ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(sciezka[j]), k.RekordPomocniczy)) continue;
        ++znalezione;
        for (std::size_t i = 0; i < sumy.size(); ++i) {
            const Wyrazenie w = drukowane ? PozycjeSRE()[i].wartosc : Wyrazenie(PozycjeSRE()[i].pole);
            long double s = sumy[i];
            for (int rok = 1; rok <= 3; ++rok) s += w(k.RekordPomocniczy, rok);
            sumy[i] = BezWartosci(s) ? s : roundToReal48(s);
        }
    }
    if (znalezione == 0) return std::nullopt;
    SrednieSRE wynik;
    wynik.wezlow = znalezione;
    const long double dzielnik = 3.0L * static_cast<long double>(znalezione);
    for (std::size_t i = 0; i < sumy.size(); ++i) wynik.srednie[i] = sumy[i] / dzielnik;
    return wynik;
}

bool Raport_SRE(Kontekst& k) {
    if (k.RekordBiezacy.Numer() == KorzenDrzewa || !k.FlagiWynikow.SRE) return false;
    const std::optional<std::string> OutName = NazwaWyjscia(k, OpisRaportuSRE().EXT);
    return OutName && Raport_SRE_Tworz(k, *OutName);
}

bool Raport_SRE_Tworz(Kontekst& k, const std::string& OutName) {
    return WykonajRaport(k, [&] { return Tworz(k, OutName); });
}

}  // namespace vesk
